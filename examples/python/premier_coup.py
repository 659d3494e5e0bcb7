#!/usr/bin/env python3
"""A whole player in Python: it plays the move that makes the tallest
column of its own colour, the first such move of the list on a tie."""
from tessor import jouer


def choisir(position, coups):
    def hauteur_gagnee(coup):
        (ho, couleur), (hd, _) = position[coup.origine], position[coup.destination]
        return ho + hd if couleur == position.trait else 0
    return max(range(len(coups)), key=lambda i: hauteur_gagnee(coups[i]))


jouer(choisir)
