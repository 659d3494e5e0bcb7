"""The reset/step environment: actions, masks, observations, rewards."""

import unittest

from tessor import (JAUNE, NB_ACTIONS, ROUGE, CoupIllegal, Environnement, Position,
                    action_du_coup, coup_de_l_action)


class Environnements(unittest.TestCase):
    def test_chaque_action_est_un_coup_et_reciproquement(self):
        # 48 cells with 292 neighbour pairs (the initial list, where every
        # pair is a move), each the action of one number below 384.
        actions = [a for a in range(NB_ACTIONS) if self._existe(a)]
        self.assertEqual(len(actions), 292)
        self.assertEqual({action_du_coup(coup_de_l_action(a)) for a in actions}, set(actions))
        self.assertEqual(list(map(action_du_coup, Position.initiale().coups_legaux())), actions)

    @staticmethod
    def _existe(action):
        try:
            return coup_de_l_action(action) is not None
        except CoupIllegal:
            return False

    def test_une_partie_jusqu_au_bout_de_chaque_cote(self):
        for couleur in (JAUNE, ROUGE):
            env = Environnement(couleur=couleur, graine=3)
            observation, info = env.reset()
            self.assertEqual(env.position.trait, couleur)
            termine, recompense = False, 0
            while not termine:
                self.assertEqual(sum(map(bool, info["masque"])), len(env.position.coups_legaux()))
                action = [a for a in range(NB_ACTIONS) if info["masque"][a]][0]
                observation, recompense, termine, tronque, info = env.step(action)
                self.assertFalse(tronque)
            gagnant = {"1-0": JAUNE, "0-1": ROUGE}.get(env.position.resultat())
            self.assertEqual(recompense, 0 if gagnant is None else 1 if gagnant == couleur else -1)
            self.assertEqual([list(r) for r in observation],
                             [env.position.hauteurs(), env.position.couleurs()])

    def test_une_action_illegale_est_refusee(self):
        env = Environnement(graine=1)
        env.reset()
        with self.assertRaises(CoupIllegal):
            env.step(3 * 8 + 7)  # cell 3 has seven neighbours


if __name__ == "__main__":
    unittest.main()
