"""A Python function as a player program of the text protocol.

    from tessor import jouer

    def choisir(position, coups):
        return 0  # an index of `coups`, a Coup of it, or None for no move

    jouer(choisir)

The engine then plays it as ``moteur texte:./mon_joueur.py joueur_critique``.
"""

import os
import random
import sys
from contextlib import redirect_stdout

from . import protocole


def _nom_par_defaut():
    base = os.path.basename(sys.argv[0] or "joueur_python")
    nom = os.path.splitext(base)[0] or "joueur_python"
    return "".join("_" if c.isspace() else c for c in nom)


_pendule = None  # (seconds left, seconds gained per move) for this turn


def temps_restant():
    """Seconds left on the player's game clock this turn; None without a clock."""
    return _pendule[0] if _pendule else None


def increment_par_coup():
    """Seconds the player's game clock gains after each move (0 without a clock)."""
    return _pendule[1] if _pendule else 0


def jouer(choisir, nom=None, *, nouvelle_partie=None, fin_de_partie=None,
          entree=None, sortie=None):
    """Answers the engine on standard input and output until the match ends.

    ``choisir(position, coups)`` is called on every turn where a move
    exists, with a Position and its legal moves (a Coups); it returns an
    index of ``coups``, a Coup of it, or None.  ``nouvelle_partie(graine)``
    and ``fin_de_partie(resultat, fin)``, if given, are told of each game's
    start and end.  In a game with a clock, ``temps_restant()`` gives the
    seconds left on it during ``choisir`` (None without one) and
    ``increment_par_coup()`` the seconds it gains per move.  Each game seeds ``random`` with the game's seed, as the
    kit seeds its players' ``rand``.  While this runs, ``print`` writes to
    standard error, the program's trace: standard output is the protocol's.
    """
    entree = entree or sys.stdin
    sortie = sortie or sys.stdout

    def envoyer(ligne):
        sortie.write(ligne)
        sortie.flush()

    accueil = entree.readline()
    if protocole.mots(accueil)[:1] != ["tessor"]:
        raise protocole.ErreurDeProtocole(f"« {accueil.strip()} » au lieu de « tessor VERSION »")
    envoyer(protocole.ligne_bonjour(nom or _nom_par_defaut()))
    global _pendule
    with redirect_stdout(sys.stderr):
        for ligne in entree:
            m = protocole.mots(ligne)
            if m == ["fin"]:
                return
            if m[:1] == ["partie"] and len(m) in (2, 3) and m[1].isdigit():
                random.seed(int(m[1]))
                _pendule = None
                if nouvelle_partie:
                    nouvelle_partie(int(m[1]))
            elif m[:1] == ["pendule"] and len(m) == 3 and m[1].isdigit() and m[2].isdigit():
                _pendule = (int(m[1]) / 1000, int(m[2]) / 1000)
            elif m[:1] == ["tour"]:
                position, liste = protocole.lire_tour(ligne)
                coups = position.coups_legaux()
                if list(coups) != liste:
                    raise protocole.ErreurDeProtocole(
                        "la liste des coups reçue n'est pas celle des règles")
                envoyer(protocole.ligne_coup(choisir(position, coups) if coups else None))
            elif m[:1] == ["resultat"] and len(m) >= 2:
                if fin_de_partie:
                    fin_de_partie(m[1], " ".join(m[2:]))
            else:
                raise protocole.ErreurDeProtocole(f"« {ligne.strip()[:80]} » : ligne inconnue")
