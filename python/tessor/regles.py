"""Positions, moves, legal-move lists and scores: the rules of libtessor.

A :class:`Position` is a value: playing a move returns a new one.  Legal
moves come in the order of the library's ``getCoupsLegaux``, the order the
kit's players and the text protocol count indices in.
"""

from collections.abc import Sequence
from typing import NamedTuple

from . import _c

VIDE, JAUNE, ROUGE = _c.VIDE, _c.JAUNE, _c.ROUGE
NBCASES = _c.NBCASES
HAUTEUR_MAX = _c.HAUTEUR_MAX

# Cells per row of the 9 x 9 grid, in notation order.
_CASES_PAR_LIGNE = (2, 4, 6, 8, 8, 8, 6, 4, 2)
_LETTRES = {VIDE: ".", JAUNE: "j", ROUGE: "r"}
_COULEURS = {".": VIDE, "j": JAUNE, "r": ROUGE}


class CoupIllegal(ValueError):
    """A move the rules refuse in that position."""


class Coup(NamedTuple):
    """One move: the whole column on ``origine`` goes onto ``destination``."""

    origine: int
    destination: int

    def __str__(self):
        return f"{self.origine}-{self.destination}"

    @classmethod
    def depuis_texte(cls, texte):
        """``"8-4"`` as a move; ValueError if it is not one."""
        morceaux = texte.split("-")
        if len(morceaux) != 2 or not all(m.isdigit() for m in morceaux):
            raise ValueError(f"coup « {texte} » : attendu « ORIGINE-DESTINATION », par exemple 8-4")
        return cls(int(morceaux[0]), int(morceaux[1]))


class Score(NamedTuple):
    """Columns each colour tops, and how many of them hold five pieces."""

    jaunes: int
    jaunes_de_cinq: int
    rouges: int
    rouges_de_cinq: int

    def resultat(self):
        """"1-0" (yellow wins), "0-1" or "1/2-1/2": more columns, then more fives."""
        jaune = (self.jaunes, self.jaunes_de_cinq)
        rouge = (self.rouges, self.rouges_de_cinq)
        return "1-0" if jaune > rouge else "0-1" if rouge > jaune else "1/2-1/2"


class Coups(Sequence):
    """The legal moves of a position, in the order of ``getCoupsLegaux``."""

    __slots__ = ("_n", "_octets")

    def __init__(self, liste):
        self._n = liste.nb
        # Read as bytes: an origin and a destination each, after the count.
        self._octets = memoryview(liste).cast("B")

    def __len__(self):
        return self._n

    def __getitem__(self, i):
        if isinstance(i, slice):
            return [self[k] for k in range(*i.indices(self._n))]
        if i < 0:
            i += self._n
        if not 0 <= i < self._n:
            raise IndexError(f"indice {i} hors de la liste de {self._n} coups")
        o = self._octets
        return tuple.__new__(Coup, (o[4 + 2 * i], o[5 + 2 * i]))

    def __repr__(self):
        return f"Coups([{', '.join(map(str, self))}])"


# The rules library and the pairs of neighbouring cells, on first use.
_lib = None
_voisins = ()
_paires = frozenset()


def _preparer():
    global _lib, _voisins, _paires
    _voisins = _c.voisins()
    _paires = frozenset((o, d) for o in range(NBCASES) for d in _voisins[o])
    _lib = _c.bibliotheque()
    return _lib


def voisins(case):
    """The neighbouring cells of ``case``, ascending."""
    if _lib is None:
        _preparer()
    return _voisins[case]


class Position:
    """A board (48 columns) and the side to move (``trait``)."""

    __slots__ = ("_c",)

    def __init__(self, _position_c):
        self._c = _position_c

    @classmethod
    def initiale(cls):
        return cls((_lib or _preparer()).getPositionInitiale())

    @classmethod
    def depuis_notation(cls, texte):
        """The position written in the kit's notation; ValueError saying what is wrong."""
        champs = texte.split()
        if len(champs) != 2:
            raise ValueError(f"notation invalide : 2 champs attendus (les lignes, puis le trait), "
                             f"{len(champs)} trouvé(s)")
        lignes = champs[0].split("/")
        if len(lignes) != len(_CASES_PAR_LIGNE):
            raise ValueError(f"notation invalide : 9 lignes attendues, séparées par « / », "
                             f"{len(lignes)} trouvée(s)")
        p = _c.PositionC()
        case = 0
        for numero, (ligne, n) in enumerate(zip(lignes, _CASES_PAR_LIGNE)):
            if len(ligne) != 2 * n:
                raise ValueError(f"notation invalide : la ligne {numero} doit décrire {n} cases "
                                 f"({2 * n} caractères), elle en a {len(ligne)}")
            for k in range(0, len(ligne), 2):
                p.cols[case].nb, p.cols[case].couleur = _lire_case(ligne[k], ligne[k + 1], case)
                case += 1
        if champs[1] not in ("j", "r"):
            raise ValueError(f"notation invalide : trait « {champs[1]} » (attendu j ou r)")
        p.trait = _COULEURS[champs[1]]
        return cls(p)

    @property
    def notation(self):
        """The kit's notation: ``<row0>/.../<row8> <trait>``."""
        cols = self._c.cols
        lignes, case = [], 0
        for n in _CASES_PAR_LIGNE:
            lignes.append("".join(f"{cols[k].nb}{_LETTRES[cols[k].couleur]}"
                                  for k in range(case, case + n)))
            case += n
        return "/".join(lignes) + " " + ("r" if self._c.trait == ROUGE else "j")

    def __str__(self):
        return self.notation

    def __repr__(self):
        return f"Position.depuis_notation({self.notation!r})"

    @property
    def trait(self):
        """The colour to move: JAUNE or ROUGE."""
        return self._c.trait

    def __len__(self):
        return NBCASES

    def __getitem__(self, case):
        """The column on ``case``: (height, top colour)."""
        if not 0 <= case < NBCASES:
            raise IndexError(f"case {case} hors du plateau (0 à {NBCASES - 1})")
        c = self._c.cols[case]
        return c.nb, c.couleur

    def hauteurs(self):
        return [c.nb for c in self._c.cols]

    def couleurs(self):
        return [c.couleur for c in self._c.cols]

    def __eq__(self, autre):
        return isinstance(autre, Position) and bytes(self._c) == bytes(autre._c)

    def __hash__(self):
        return hash(bytes(self._c))

    def coups_legaux(self):
        return Coups((_lib or _preparer()).getCoupsLegaux(self._c))

    def est_legal(self, coup):
        """Whether the rules allow ``coup`` (a Coup, or a pair of cells) here."""
        lib = _lib or _preparer()
        o, d = coup
        if (o, d) not in _paires:
            return False
        hauteurs = memoryview(self._c).cast("B")
        ho, hd = hauteurs[1 + 2 * o], hauteurs[1 + 2 * d]
        return lib is not None and ho > 0 and hd > 0 and ho + hd <= HAUTEUR_MAX

    def jouer(self, coup):
        """The position after ``coup`` (a Coup, or a pair); CoupIllegal if the rules refuse it."""
        if not self.est_legal(coup):
            raise CoupIllegal(f"coup {coup[0]}-{coup[1]} illégal dans {self.notation}")
        return Position(_lib.jouerCoup(self._c, coup[0], coup[1]))

    def score(self):
        s = (_lib or _preparer()).evaluerScore(self._c)
        return Score(s.nbJ, s.nbJ5, s.nbR, s.nbR5)

    def est_finie(self):
        return len(self.coups_legaux()) == 0

    def resultat(self):
        """"1-0", "0-1" or "1/2-1/2" once no move is left, else None."""
        return self.score().resultat() if self.est_finie() else None


def _lire_case(hauteur, lettre, case):
    if not "0" <= hauteur <= "5":
        raise ValueError(f"notation invalide : case {case} : hauteur « {hauteur} » "
                         "(attendu un chiffre de 0 à 5)")
    if lettre not in _COULEURS:
        raise ValueError(f"notation invalide : case {case} : couleur « {lettre} » "
                         "(attendu j, r ou .)")
    nb, couleur = int(hauteur), _COULEURS[lettre]
    if (nb == 0) != (couleur == VIDE):
        raise ValueError(f"notation invalide : case {case} : hauteur {nb} et couleur « {lettre} » "
                         "(une case vide s'écrit « 0. »)")
    return nb, couleur
