#!/usr/bin/python3
"""A whole game of `moteur navigateur` played by clicks in headless Chromium,
through Selenium and its Chromium driver: a column clicked, then where it
goes; a choice let go by a second click and by Escape; one move by the
keyboard.  The record it leaves replays with `moteur rejouer`, and leaving
the page ends the engine.  Prints the time from the click to the program's
move on screen, the program's own thinking deducted.

    navigateur_chromium.py MOTEUR [PROGRAMME]

Exit status 77 (skipped) when Selenium, the driver or Chromium is missing.
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile

SAUTE = 77


def sauter(raison):
    print("sauté : " + raison + " (paquets Debian python3-selenium et chromium-driver)")
    sys.exit(SAUTE)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    sauter("Selenium absent")

PILOTE = "/usr/bin/chromedriver"


def navigateur(profil):
    if not os.access(PILOTE, os.X_OK):
        sauter("pilote de Chromium absent")
    options = webdriver.ChromeOptions()
    for o in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1200,900",
              "--user-data-dir=" + profil):
        options.add_argument(o)
    try:
        return webdriver.Chrome(service=Service(PILOTE), options=options)
    except Exception as e:  # the driver or the browser cannot start here
        sauter("Chromium ne démarre pas : " + str(e).splitlines()[0])


class Page:
    def __init__(self, d):
        self.d = d
        self.latences = []

    def jeu(self, attribut):
        return self.d.find_element(By.ID, "jeu").get_attribute("data-" + attribut)

    def cases(self, classe):
        return self.d.find_elements(By.CSS_SELECTOR, "#plateau .case." + classe)

    def coups(self):
        return len(self.d.find_elements(By.CSS_SELECTOR, "#coups .coup"))

    # After `version`: the person's turn, or the game over.
    def attendre_tour(self, version):
        WebDriverWait(self.d, 30).until(
            lambda d: int(self.jeu("version") or 0) > version and self.jeu("phase") in ("personne", "choix"))
        latence = self.d.find_element(By.TAG_NAME, "body").get_attribute("data-latence")
        if latence:
            reflexion = self.d.find_element(By.TAG_NAME, "body").get_attribute("data-reflexion")
            self.latences.append(float(latence) - float(reflexion))
            self.d.execute_script("delete document.body.dataset.latence")
        return self.jeu("phase")

    def touches(self, *touches):
        webdriver.ActionChains(self.d).send_keys(*touches).perform()

    # A choice let go, by a second click, then by Escape; a click elsewhere
    # than where it may go sends nothing.
    def annulations(self):
        version, coups = int(self.jeu("version")), self.coups()
        for lacher in ("clic", "echap", "ailleurs"):
            colonne = self.cases("jouable")[0]
            colonne.click()
            assert len(self.cases("choisie")) == 1 and self.cases("cible"), lacher
            if lacher == "clic":
                colonne.click()
            elif lacher == "echap":
                self.touches(Keys.ESCAPE)
            else:
                cibles = {c.get_attribute("data-case") for c in self.cases("cible")}
                autre = [c for c in self.cases("vide") + self.cases("jaune") + self.cases("rouge")
                         if c.get_attribute("data-case") not in cibles and c != colonne][0]
                autre.click()
            assert not self.cases("choisie") and not self.cases("cible"), lacher
        assert int(self.jeu("version")) == version and self.coups() == coups

    # The first column by the arrows and Enter, then a cell it may go to on
    # its row or column.
    def jouer_au_clavier(self):
        self.touches(Keys.ARROW_RIGHT, Keys.ENTER)
        choisie = self.cases("choisie")
        assert len(choisie) == 1 and "curseur" in choisie[0].get_attribute("class")
        o = choisie[0].rect
        for c in self.cases("cible"):
            r = c.rect
            if abs(r["y"] - o["y"]) < 2 and abs(r["x"] - o["x"]) < 1.5 * r["width"]:
                self.touches(Keys.ARROW_RIGHT if r["x"] > o["x"] else Keys.ARROW_LEFT, Keys.ENTER)
                return True
            if abs(r["x"] - o["x"]) < 2 and abs(r["y"] - o["y"]) < 1.5 * r["height"]:
                self.touches(Keys.ARROW_DOWN if r["y"] > o["y"] else Keys.ARROW_UP, Keys.ENTER)
                return True
        return False

    def jouer_aux_clics(self):
        self.cases("jouable")[0].click()
        self.cases("cible")[0].click()


def main():
    moteur = sys.argv[1]
    programme = sys.argv[2] if len(sys.argv) > 2 else "joueur_premier"
    with tempfile.TemporaryDirectory(prefix="tessor-chromium-") as dossier:
        record = os.path.join(dossier, "r.txt")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        serveur = subprocess.Popen([moteur, "navigateur", "--graine", "3", "--enregistrer", record, programme],
                                   stdout=subprocess.PIPE, text=True, env=env)
        try:
            adresse = ""
            while not adresse.startswith("http://"):
                adresse = serveur.stdout.readline().strip()
                assert adresse or serveur.poll() is None, "pas d'adresse affichée"
            d = navigateur(os.path.join(dossier, "profil"))
            try:
                jouer_une_partie(d, adresse)
                d.get("about:blank")  # the page left: the session ends
            finally:
                d.quit()
            sortie, _ = serveur.communicate(timeout=20)
        finally:
            if serveur.poll() is None:
                serveur.kill()
        assert serveur.returncode == 0, serveur.returncode
        assert re.search(r"Bilan : 1 partie contre", sortie), sortie
        rejeu = subprocess.run([moteur, "rejouer", "-q", record], capture_output=True, text=True)
        assert rejeu.returncode == 0, rejeu.stderr
        assert '[Jaune "personne"]' in open(record, encoding="utf-8").read()
    print("1 passed, 0 failed")


def jouer_une_partie(d, adresse):
    page = Page(d)
    d.get(adresse)
    page.attendre_tour(0)
    assert page.jeu("phase") == "choix"
    d.find_element(By.ID, "commencer").click()
    WebDriverWait(d, 30).until(lambda d: page.jeu("phase") == "personne")
    phase = "personne"
    clavier = False
    while phase == "personne":
        version = int(page.jeu("version"))
        if page.coups() == 0:
            clavier = page.jouer_au_clavier()
        else:
            if page.coups() == 2:
                page.annulations()
            page.jouer_aux_clics()
        phase = page.attendre_tour(version)
    assert clavier, "aucun coup joué au clavier"
    assert not d.find_element(By.ID, "fin").get_attribute("hidden")
    assert d.find_element(By.ID, "resultat").text
    assert d.find_element(By.ID, "nouvelle").is_displayed()
    n = page.coups()
    lien = d.find_element(By.ID, "relecture").get_attribute("href")
    assert lien.endswith("relecture#partie=1&coup=%d" % n), lien
    # The game's replay page, in a tab of its own.
    jeu = d.current_window_handle
    d.switch_to.new_window("tab")
    d.get(lien)
    partie = d.find_element(By.ID, "partie")
    assert (partie.get_attribute("data-partie"), partie.get_attribute("data-coup")) == ("1", str(n))
    d.close()
    d.switch_to.window(jeu)
    l = sorted(page.latences)
    print("%d coups du programme ; du clic au coup affiché, réflexion déduite : médiane %s ms, pire %s ms"
          % (len(l), ("%.1f" % statistics.median(l)).replace(".", ","), ("%.1f" % l[-1]).replace(".", ",")))


if __name__ == "__main__":
    main()
