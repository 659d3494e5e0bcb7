"""The Python rules against libtessor: notation, legality, moves, score."""

import random
import unittest

from tessor import JAUNE, ROUGE, Coup, CoupIllegal, Position, voisins

INITIALE = ("1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/"
            "1r1j1r1j1r1j/1j1r1j1r/1j1r j")


def partie_au_hasard(graine):
    """Every position of a game of random legal moves, to its end."""
    hasard, p, positions = random.Random(graine), Position.initiale(), []
    while True:
        positions.append(p)
        coups = p.coups_legaux()
        if not coups:
            return positions
        p = p.jouer(coups[hasard.randrange(len(coups))])


def notation_de(cases, trait="j"):
    """A board with only `cases` ({cell: "3j"}) filled."""
    tailles, lignes, k = (2, 4, 6, 8, 8, 8, 6, 4, 2), [], 0
    for n in tailles:
        lignes.append("".join(cases.get(c, "0.") for c in range(k, k + n)))
        k += n
    return "/".join(lignes) + " " + trait


class Regles(unittest.TestCase):
    def test_la_position_initiale_et_sa_liste(self):
        p = Position.initiale()
        self.assertEqual(p.notation, INITIALE)
        self.assertEqual((p.trait, p[0], p[1]), (JAUNE, (1, ROUGE), (1, JAUNE)))
        coups = p.coups_legaux()
        self.assertEqual((len(coups), coups[0], coups[-1]), (292, Coup(0, 1), Coup(47, 46)))
        self.assertEqual(coups.index(Coup(47, 46)), 291)

    def test_chaque_position_de_parties_au_hasard(self):
        # Legality as Python judges it is exactly membership of the C list;
        # the notation reads back; each move changes the trait.
        paires = [(o, d) for o in range(48) for d in range(48)]
        for graine in range(3):
            for p in partie_au_hasard(graine):
                coups = set(p.coups_legaux())
                self.assertEqual({c for c in paires if p.est_legal(c)}, coups)
                self.assertEqual(Position.depuis_notation(p.notation), p)
                for c in list(coups)[:3]:
                    self.assertNotEqual(p.jouer(c).trait, p.trait)
            fin = p
            self.assertTrue(fin.est_finie())
            self.assertEqual(fin.resultat(), fin.score().resultat())

    def test_un_coup_joue_empile_la_colonne(self):
        p = Position.depuis_notation(notation_de({0: "2j", 3: "3r"}))
        self.assertEqual(list(p.coups_legaux()), [Coup(0, 3), Coup(3, 0)])
        q = p.jouer(Coup(3, 0))
        self.assertEqual((q[0], q[3], q.trait), ((5, ROUGE), (0, 0), ROUGE))
        self.assertEqual(tuple(q.score()), (0, 0, 1, 1))
        self.assertEqual(q.resultat(), "0-1")
        with self.assertRaises(CoupIllegal):
            q.jouer(Coup(0, 3))

    def test_le_score_departage_par_les_colonnes_de_cinq(self):
        # Yellow 5 on 0, red 1 on 1: one column each, no move (5 + 1 > 5).
        p = Position.depuis_notation(notation_de({0: "5j", 1: "1r"}))
        self.assertEqual(tuple(p.score()), (1, 1, 1, 0))
        self.assertEqual(p.resultat(), "1-0")
        self.assertIsNone(Position.initiale().resultat())

    def test_une_notation_fausse_dit_ce_qui_ne_va_pas(self):
        cas = {
            "1r1j j": "9 lignes attendues",
            INITIALE[:-1] + "x": "trait « x »",
            "6j" + INITIALE[2:]: "case 0 : hauteur « 6 »",
            "0j" + INITIALE[2:]: "case 0 : hauteur 0 et couleur « j »",
            "1r1j1j" + INITIALE[4:]: "la ligne 0 doit décrire 2 cases",
        }
        for notation, raison in cas.items():
            with self.assertRaises(ValueError) as e:
                Position.depuis_notation(notation)
            self.assertIn(raison, str(e.exception))

    def test_voisins_et_coups_en_texte(self):
        self.assertEqual(voisins(19), (18, 26, 27))
        self.assertEqual(Coup.depuis_texte("8-4"), Coup(8, 4))
        self.assertEqual(str(Coup(8, 4)), "8-4")
        for faux in ("8", "8-x", "-8-4"):
            with self.assertRaises(ValueError):
                Coup.depuis_texte(faux)


if __name__ == "__main__":
    unittest.main()
