"""The kit's text protocol: the lines a player program and the engine
exchange on the program's standard input and output.  The README's section
"The text protocol" describes it in full.
"""

from .regles import Coup, Position

VERSION = 1


class ErreurDeProtocole(Exception):
    """A line the other side should not have sent."""


def mots(ligne):
    return ligne.split()


# ---- The engine's lines ----------------------------------------------------

def ligne_accueil():
    return f"tessor {VERSION}\n"


def ligne_partie(graine, pid=None):
    return f"partie {graine}\n" if pid is None else f"partie {graine} {pid}\n"


def ligne_tour(position, coups):
    return " ".join(["tour", position.notation, *map(str, coups)]) + "\n"


def ligne_resultat(resultat, fin):
    return f"resultat {resultat} {fin}\n"


def ligne_fin():
    return "fin\n"


def lire_tour(ligne):
    """The position and the moves of a "tour" line."""
    m = mots(ligne)
    if len(m) < 3 or m[0] != "tour":
        raise ErreurDeProtocole(f"« {ligne.strip()} » : « tour RANGEES TRAIT [O-D ...] » attendu")
    try:
        return Position.depuis_notation(f"{m[1]} {m[2]}"), [Coup.depuis_texte(c) for c in m[3:]]
    except ValueError as erreur:
        raise ErreurDeProtocole(f"« {ligne.strip()[:80]} » : {erreur}") from None


# ---- The program's lines ---------------------------------------------------

def ligne_bonjour(nom, personne=False):
    if not nom or any(c.isspace() for c in nom):
        raise ValueError(f"nom de joueur « {nom} » : un mot, sans espace")
    return f"bonjour {VERSION} {nom}" + (" personne" if personne else "") + "\n"


def lire_bonjour(ligne):
    """The name in a greeting of this version."""
    m = mots(ligne)
    if len(m) not in (3, 4) or m[:2] != ["bonjour", str(VERSION)] or m[3:] not in ([], ["personne"]):
        raise ErreurDeProtocole(f"« {ligne.strip()} » au lieu de « bonjour {VERSION} NOM »")
    return m[2]


def ligne_coup(reponse):
    """The answer to a turn: an index, a Coup, or None for no move."""
    if reponse is None:
        return "passe\n"
    if isinstance(reponse, tuple):
        return f"coup {reponse[0]}-{reponse[1]}\n"
    if isinstance(reponse, bool) or not isinstance(reponse, int):
        raise TypeError(f"réponse {reponse!r} : un indice (int), un Coup ou None attendu")
    return f"coup {reponse}\n"


def lire_coup(ligne, coups):
    """The index an answer designates in `coups` (-1 for a move not in it), or None."""
    m = mots(ligne)
    if m in (["passe"], ["abandon"]):
        return None
    if len(m) == 2 and m[0] == "coup":
        try:
            if "-" in m[1][1:]:
                coup = Coup.depuis_texte(m[1])
                return coups.index(coup) if coup in coups else -1
            return int(m[1])
        except ValueError:
            pass
    raise ErreurDeProtocole(f"« {ligne.strip()[:80]} » reçu au lieu d'un coup")
