"""The example player through the engine: `moteur verifier`, and a
tournament with a kit program in text mode and two libjoueur programs,
whose record `moteur rejouer` accepts."""

import os
import subprocess
import tempfile
import unittest

from tessor import trouver_programme

EXEMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "python", "premier_coup.py")


def moteur(*arguments):
    return subprocess.run([trouver_programme("moteur"), *arguments], capture_output=True,
                          text=True, timeout=120)


@unittest.skipUnless(os.environ.get("TESSOR_JOUEURS"), "TESSOR_JOUEURS désigne build/bin")
class Moteur(unittest.TestCase):
    def test_l_exemple_passe_moteur_verifier(self):
        r = moteur("verifier", "--positions", "40", "--graine", "2", "texte:" + EXEMPLE)
        self.assertEqual(r.returncode, 0, r.stdout + r.stderr)
        self.assertIn("Tous les contrôles sont passés.", r.stdout)

    def test_un_tournoi_de_quatre_se_rejoue(self):
        joueurs = ["texte:" + EXEMPLE, "texte:joueur_critique --texte", "joueur_bref", "joueur_poids"]
        with tempfile.TemporaryDirectory() as dossier:
            fichier = os.path.join(dossier, "tournoi.txt")
            r = moteur("tournoi", "-q", "-j", "2", "--parties", "2", "--graine", "4",
                       "--enregistrer", fichier, *joueurs)
            self.assertEqual(r.returncode, 0, r.stderr)
            with open(fichier, encoding="utf-8") as f:
                record = f.read()
            self.assertEqual(record.count("[Partie "), 12)  # 6 pairings, 2 games each
            # A player given by a path is recorded by its file name.
            for nom in ["premier_coup.py", *joueurs[1:]]:
                self.assertIn(f'"{nom}"', record)
            self.assertNotIn("protocole non respecté", record)
            r = moteur("rejouer", "-q", fichier)
            self.assertEqual(r.returncode, 0, r.stderr)


if __name__ == "__main__":
    unittest.main()
