"""A player program driven from Python through the text protocol: one of
the kit's (``PLAYER --texte``) or any program that speaks it."""

import os
import selectors
import shutil
import subprocess
import time

from . import protocole

PREFIXE_TEXTE = "texte:"


class TempsDepasse(TimeoutError):
    """The program did not answer in time."""


class ProgrammeArrete(RuntimeError):
    """The program closed its output: it exited or crashed."""


def trouver_programme(nom):
    """The path of a player program, looked for as the engine does: a path
    if the name holds a "/", otherwise in the folders of TESSOR_JOUEURS
    (separated by ":"), then on PATH."""
    if "/" in nom:
        chemins = [nom]
    else:
        dossiers = [d for d in os.environ.get("TESSOR_JOUEURS", "").split(":") if d]
        chemins = [os.path.join(d, nom) for d in dossiers]
        trouve = shutil.which(nom)
        chemins += [trouve] if trouve else []
    for chemin in chemins:
        if os.path.isfile(chemin) and os.access(chemin, os.X_OK):
            return chemin
    raise FileNotFoundError(f"programme joueur introuvable « {nom} » (TESSOR_JOUEURS, PATH)")


def commande(nom):
    """The command that runs a player named as the engine names it: a kit
    program ("joueur_critique") in its text mode, or "texte:COMMANDE ARG..."."""
    if nom.startswith(PREFIXE_TEXTE):
        mots = nom[len(PREFIXE_TEXTE):].split()
        if not mots:
            raise ValueError("« texte: » attend la commande d'un programme")
        return [trouver_programme(mots[0]), *mots[1:]]
    return [trouver_programme(nom), "--texte"]


class Adversaire:
    """A running player program.  Call it like a ``choisir`` function:
    ``adversaire(position, coups)`` is the index of its move in ``coups``
    (-1 for a move not in it), or None when it gives none.

        with Adversaire("joueur_critique") as critique:
            critique.nouvelle_partie(7)
            i = critique(position, position.coups_legaux())
    """

    def __init__(self, nom, *, delai=10.0, traces=subprocess.DEVNULL):
        self.delai = delai
        self._processus = subprocess.Popen(
            commande(nom), stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=traces,
            text=True, bufsize=1)
        self._tampon = ""
        self._selecteur = selectors.DefaultSelector()
        self._selecteur.register(self._processus.stdout, selectors.EVENT_READ)
        try:
            self._envoyer(protocole.ligne_accueil())
            self.nom = protocole.lire_bonjour(self._lire(self.delai))
        except Exception:
            self.fermer()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.fermer()

    def _envoyer(self, ligne):
        try:
            self._processus.stdin.write(ligne)
            self._processus.stdin.flush()
        except (BrokenPipeError, ValueError):
            raise ProgrammeArrete("le programme ne lit plus ses demandes") from None

    def _lire(self, delai):
        limite = time.monotonic() + delai
        sortie = self._processus.stdout.fileno()
        while "\n" not in self._tampon:
            reste = limite - time.monotonic()
            if reste <= 0 or not self._selecteur.select(reste):
                raise TempsDepasse(f"pas de réponse en {delai} s")
            morceau = os.read(sortie, 65536).decode("utf-8", "replace")
            if not morceau:
                raise ProgrammeArrete(f"le programme s'est arrêté (statut {self._processus.wait()})")
            self._tampon += morceau
        ligne, self._tampon = self._tampon.split("\n", 1)
        return ligne

    def nouvelle_partie(self, graine=0):
        """A new game: the program seeds its random draws with ``graine``."""
        self._envoyer(protocole.ligne_partie(graine))

    def __call__(self, position, coups=None):
        return self.choisir(position, coups)

    def choisir(self, position, coups=None):
        coups = position.coups_legaux() if coups is None else coups
        self._envoyer(protocole.ligne_tour(position, coups))
        return protocole.lire_coup(self._lire(self.delai), coups)

    def annoncer(self, resultat, fin="plus aucun coup possible"):
        self._envoyer(protocole.ligne_resultat(resultat, fin))

    def fermer(self):
        """Ends the match: "fin", a second to leave, then the program is killed."""
        if self._processus.poll() is None:
            try:
                self._envoyer(protocole.ligne_fin())
                self._processus.wait(timeout=1)
            except (ProgrammeArrete, subprocess.TimeoutExpired):
                self._processus.kill()
                self._processus.wait()
        self._selecteur.close()
        for flux in (self._processus.stdin, self._processus.stdout):
            flux.close()
