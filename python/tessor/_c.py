"""The rules library libtessor, through ctypes.

libtessor reads the neighbour table ``topologie`` from its process; a
process without a player in it (this one) gets it from libtessor_plateau,
which depends on libtessor and is loaded in its stead.  Both are looked for
on the loader's search path (an installed prefix's ``lib/`` in
``LD_LIBRARY_PATH``, or a build tree's ``build/lib``), on first use.
"""

import ctypes

NBCASES = 48
HAUTEUR_MAX = 5
NBVOISINS_MAX = 8
CAPACITE_COUPS = 8 * NBCASES
VIDE, JAUNE, ROUGE = 0, 1, 2

_NOMS = ("libtessor_plateau.so.0", "libtessor_plateau.so")


class BibliothequeIntrouvable(ImportError):
    """libtessor could not be loaded."""


class Colonne(ctypes.Structure):
    _fields_ = [("nb", ctypes.c_uint8), ("couleur", ctypes.c_uint8)]


class PositionC(ctypes.Structure):
    _fields_ = [("trait", ctypes.c_uint8), ("cols", Colonne * NBCASES)]


class CoupC(ctypes.Structure):
    _fields_ = [("origine", ctypes.c_uint8), ("destination", ctypes.c_uint8)]


class ListeCoupsC(ctypes.Structure):
    _fields_ = [("nb", ctypes.c_int32), ("coups", CoupC * CAPACITE_COUPS)]


class VoisinsC(ctypes.Structure):
    _fields_ = [("nb", ctypes.c_uint8), ("cases", ctypes.c_uint8 * NBVOISINS_MAX)]


class ScoreC(ctypes.Structure):
    _fields_ = [("nbJ", ctypes.c_uint8), ("nbJ5", ctypes.c_uint8),
                ("nbR", ctypes.c_uint8), ("nbR5", ctypes.c_uint8)]


assert ctypes.sizeof(PositionC) == 97 and ctypes.sizeof(ListeCoupsC) == 772
assert ctypes.sizeof(VoisinsC) == 9 and ctypes.sizeof(ScoreC) == 4

_bibliotheque = None


def _charger():
    for nom in _NOMS:
        try:
            return ctypes.CDLL(nom)
        except OSError as erreur:
            derniere = erreur
    raise BibliothequeIntrouvable(
        f"bibliothèque des règles introuvable ({derniere}) : ajoutez le dossier lib/ du kit "
        "installé, ou build/lib, à LD_LIBRARY_PATH")


def bibliotheque():
    """The loaded library, its functions typed."""
    global _bibliotheque
    if _bibliotheque is None:
        lib = _charger()
        lib.getPositionInitiale.restype = PositionC
        lib.getPositionInitiale.argtypes = []
        lib.getCoupsLegaux.restype = ListeCoupsC
        lib.getCoupsLegaux.argtypes = [PositionC]
        lib.jouerCoup.restype = PositionC
        lib.jouerCoup.argtypes = [PositionC, ctypes.c_uint8, ctypes.c_uint8]
        lib.estValide.restype = ctypes.c_uint8
        lib.estValide.argtypes = [PositionC, ctypes.c_uint8, ctypes.c_uint8]
        lib.evaluerScore.restype = ScoreC
        lib.evaluerScore.argtypes = [PositionC]
        _bibliotheque = lib
    return _bibliotheque


def voisins():
    """The neighbour table, as tuples of cells (ascending)."""
    table = (VoisinsC * NBCASES).in_dll(bibliotheque(), "topologie")
    return tuple(tuple(v.cases[:v.nb]) for v in table)
