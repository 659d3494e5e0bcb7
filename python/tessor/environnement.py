"""One game against an opponent, in the ``reset``/``step`` shape that
reinforcement-learning libraries expect, without depending on any of them.

Actions are fixed: ``origine * 8 + k`` moves the column on ``origine`` onto
its k-th neighbour (neighbours ascending), so that action ``a`` means the
same move in every position; ``info["masque"]`` says which are legal.  An
observation is two rows of 48: the heights, then the top colours (0 empty,
1 yellow, 2 red).  Both are numpy arrays when numpy is installed, lists
otherwise.  The reward is 0 until the end: then 1 for a win, -1 for a loss,
0 for a draw, from the agent's side.
"""

import random

from .regles import JAUNE, NBCASES, ROUGE, Coup, CoupIllegal, Position, voisins

try:
    import numpy
except ImportError:
    numpy = None

NB_ACTIONS = 8 * NBCASES


def action_du_coup(coup):
    return coup[0] * 8 + voisins(coup[0]).index(coup[1])


def coup_de_l_action(action):
    """The move an action designates; CoupIllegal if no neighbour has that rank."""
    origine, rang = divmod(action, 8)
    if not 0 <= origine < NBCASES or rang >= len(voisins(origine)):
        raise CoupIllegal(f"action {action} : aucun coup ne porte ce numéro")
    return Coup(origine, voisins(origine)[rang])


class Environnement:
    """The agent plays ``couleur`` against ``adversaire``, a function
    ``(position, coups) -> index | Coup | None`` (an Adversaire will do),
    by default a uniform random draw.  A missing or bad answer of the
    opponent is replaced by a random move, as the engine does."""

    def __init__(self, adversaire=None, couleur=JAUNE, graine=None):
        if couleur not in (JAUNE, ROUGE):
            raise ValueError(f"couleur {couleur} : JAUNE ou ROUGE attendu")
        self.adversaire = adversaire
        self.couleur = couleur
        self._hasard = random.Random(graine)
        self.position = None

    def reset(self, seed=None, options=None):
        if seed is not None:
            self._hasard.seed(seed)
        self.position = Position.initiale()
        if hasattr(self.adversaire, "nouvelle_partie"):
            self.adversaire.nouvelle_partie(self._hasard.randrange(2**32))
        self._faire_jouer_l_adversaire()
        return self._observation(), self._info()

    def step(self, action):
        if self.position is None or self.position.est_finie():
            raise RuntimeError("partie terminée ou pas commencée : appelez reset()")
        coup = coup_de_l_action(action)
        if not self.position.est_legal(coup):
            raise CoupIllegal(f"action {action} ({coup}) illégale dans {self.position}")
        self.position = self.position.jouer(coup)
        self._faire_jouer_l_adversaire()
        resultat = self.position.resultat()
        return self._observation(), self._recompense(resultat), resultat is not None, False, self._info()

    def masque(self):
        """Which of the NB_ACTIONS actions are legal now."""
        legales = {action_du_coup(c) for c in self.position.coups_legaux()}
        masque = [a in legales for a in range(NB_ACTIONS)]
        return numpy.array(masque, dtype=bool) if numpy else masque

    def _faire_jouer_l_adversaire(self):
        while self.position.trait != self.couleur:
            coups = self.position.coups_legaux()
            if not coups:
                return
            choix = self.adversaire(self.position, coups) if self.adversaire else None
            if isinstance(choix, tuple) and choix in coups:
                choix = coups.index(choix)
            if not isinstance(choix, int) or not 0 <= choix < len(coups):
                choix = self._hasard.randrange(len(coups))
            self.position = self.position.jouer(coups[choix])

    def _observation(self):
        lignes = [self.position.hauteurs(), self.position.couleurs()]
        return numpy.array(lignes, dtype=numpy.int8) if numpy else lignes

    def _info(self):
        return {"masque": self.masque(), "position": self.position}

    def _recompense(self, resultat):
        if resultat is None or resultat == "1/2-1/2":
            return 0
        return 1 if (resultat == "1-0") == (self.couleur == JAUNE) else -1
