"""The Tessor kit from Python: the rules of libtessor, the text protocol's
player helper, the kit's programs as opponents, and a game environment.

    from tessor import Position
    p = Position.initiale()
    coups = p.coups_legaux()          # in the order of getCoupsLegaux
    p = p.jouer(coups[0])
    print(p.notation, p.score())
"""

from .adversaire import Adversaire, ProgrammeArrete, TempsDepasse, trouver_programme
from .environnement import NB_ACTIONS, Environnement, action_du_coup, coup_de_l_action
from .joueur import increment_par_coup, jouer, temps_restant
from .protocole import ErreurDeProtocole
from .regles import (HAUTEUR_MAX, JAUNE, NBCASES, ROUGE, VIDE, Coup, CoupIllegal, Coups,
                     Position, Score, voisins)
from ._c import BibliothequeIntrouvable

__all__ = [
    "Adversaire", "BibliothequeIntrouvable", "Coup", "CoupIllegal", "Coups", "Environnement",
    "ErreurDeProtocole", "HAUTEUR_MAX", "JAUNE", "NBCASES", "NB_ACTIONS", "Position",
    "ProgrammeArrete", "ROUGE", "Score", "TempsDepasse", "VIDE", "action_du_coup",
    "coup_de_l_action", "increment_par_coup", "jouer", "temps_restant", "trouver_programme",
    "voisins",
]
