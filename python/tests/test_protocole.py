"""The player helper and the opponents, through the text protocol: against
in-memory streams, then against the kit's real programs."""

import io
import os
import subprocess
import unittest
from contextlib import redirect_stderr

from tessor import (Adversaire, Coup, ErreurDeProtocole, Position, ProgrammeArrete, TempsDepasse,
                    increment_par_coup, jouer, temps_restant)
from tessor.protocole import ligne_tour
from test_regles import notation_de, partie_au_hasard


def session(choisir, demandes):
    """What `jouer` answers to `demandes`, and what it traced."""
    sortie, trace = io.StringIO(), io.StringIO()
    with redirect_stderr(trace):
        jouer(choisir, "essai", entree=io.StringIO(demandes), sortie=sortie)
    return sortie.getvalue(), trace.getvalue()


def tour(position):
    return ligne_tour(position, position.coups_legaux())


class Joueur(unittest.TestCase):
    def test_chaque_forme_de_reponse(self):
        p = Position.initiale()
        fin = Position.depuis_notation(notation_de({0: "5j", 1: "1r"}))  # no move: not asked
        # Cell 0 has four neighbours (1 to 4): the fourth move is 0-4.
        cas = [(lambda pos, coups: 291, "coup 291\n"), (lambda pos, coups: coups[3], "coup 0-4\n"),
               (lambda pos, coups: None, "passe\n")]
        for choisir, reponse in cas:
            sortie, _ = session(choisir, "tessor 1\npartie 4 99\n" + tour(p) + tour(fin) + "fin\n")
            self.assertEqual(sortie, "bonjour 1 essai\n" + reponse + "passe\n")

    def test_la_trace_va_sur_la_sortie_d_erreur_et_la_graine_sur_random(self):
        def choisir(position, coups):
            import random
            print("je choisis", random.random())
            return 0
        demandes = "tessor 1\npartie 4\n" + tour(Position.initiale()) + "resultat 1-0 x\n"
        sortie, trace = session(choisir, demandes)
        self.assertEqual(sortie, "bonjour 1 essai\ncoup 0\n")
        self.assertEqual(trace, session(choisir, demandes)[1])
        self.assertTrue(trace.startswith("je choisis 0."))

    def test_la_pendule_se_lit_pendant_le_tour_et_s_oublie_a_la_partie_suivante(self):
        vus = []
        def choisir(position, coups):
            vus.append((temps_restant(), increment_par_coup()))
            return 0
        p = Position.initiale()
        session(choisir, "tessor 1\npartie 4\npendule 1500 100\n" + tour(p) + "partie 5\n" + tour(p))
        self.assertEqual(vus, [(1.5, 0.1), (None, 0)])

    def test_une_ligne_inconnue_est_refusee(self):
        for demandes in ("salut\n", "tessor 1\nbonsoir\n", "tessor 1\ntour 1r j\n"):
            with self.assertRaises(ErreurDeProtocole):
                session(lambda p, c: 0, demandes)


@unittest.skipUnless(os.environ.get("TESSOR_JOUEURS"), "TESSOR_JOUEURS désigne build/bin")
class Adversaires(unittest.TestCase):
    def test_un_programme_du_kit_joue_le_coup_de_son_mode_un_tour(self):
        # libjoueur checks the list each turn sends against its own rules.
        with Adversaire("joueur_critique") as critique:
            self.assertEqual(critique.nom, "joueur_critique")
            for p in partie_au_hasard(7)[::6]:
                critique.nouvelle_partie(5)
                un_tour = subprocess.run([critique_chemin(), "--position", p.notation, "--graine", "5"],
                                         capture_output=True, text=True, check=True)
                indices = un_tour.stderr.split("\n")[0].split()[1:]
                self.assertEqual(critique(p), int(indices[-1]) if indices else None)

    def test_les_fautes_d_un_programme(self):
        p = Position.initiale()
        cas = [("joueur_bloque", TempsDepasse), ("joueur_plante", ProgrammeArrete),
               ("texte:joueur_texte.sh mal_forme", ErreurDeProtocole)]
        for nom, faute in cas:
            with Adversaire(nom, delai=0.5) as a, self.subTest(nom):
                a.nouvelle_partie()
                self.assertEqual(a(p), 0)  # its first turn: the first move
                with self.assertRaises(faute):
                    a(p.jouer(Coup(0, 1)).jouer(Coup(2, 3)))  # two cells emptied


def critique_chemin():
    from tessor import trouver_programme
    return trouver_programme("joueur_critique")


if __name__ == "__main__":
    unittest.main()
