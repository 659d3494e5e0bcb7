// The page where a person plays against a program.  It draws the game the
// engine sends (asked again as soon as it changes), lets the person choose
// one of their columns, then where it goes among the moves the engine says
// the rules allow, and hands that move; nothing else can be sent.
"use strict";
(function () {
  const $ = (id) => document.getElementById(id);
  const donnees = JSON.parse($("donnees").textContent);
  const MOT = Plateau.MOT;
  const cases = Plateau.creer($("plateau"), donnees.grille);
  // Each cell's row and column on the grid, for the arrow keys.
  const place = [];
  donnees.grille.forEach((ligne, l) => ligne.forEach((n, c) => { if (n >= 0) place[n] = { l, c }; }));

  let etat = null;     // the game as the engine last sent it
  let choisie = null;  // the column chosen, on the person's turn
  let curseur = null;  // the keyboard's cell
  let enVol = false;   // a move sent, not yet seen played
  let clic = null;     // when it was sent, until the program's answer shows

  function echapper(t) {
    return String(t).replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
  }
  function decimal(x, chiffres) {
    return x.toFixed(chiffres).replace(".", ",");
  }
  // "0,04 ms", "2,5 ms", "12 ms", "1,25 s".
  function duree(secondes) {
    if (secondes >= 1) return decimal(secondes, 2) + " s";
    const ms = secondes * 1000;
    return decimal(ms, ms < 1 ? 2 : ms < 10 ? 1 : 0) + " ms";
  }

  function monTour() {
    return etat !== null && etat.phase === "personne" && !enVol;
  }
  function origines() {
    return new Set(etat.legaux.map((m) => m[0]));
  }
  function destinations(o) {
    return etat.legaux.filter((m) => m[0] === o).map((m) => m[1]);
  }
  // The colour letter ("j", "r") of the side that plays the k-th move.
  function camp(k) {
    const trait = Plateau.lireNotation(etat.depart).trait;
    return k % 2 === 0 ? trait : trait === "j" ? "r" : "j";
  }
  function position() {
    let pos = Plateau.lireNotation(etat.depart);
    for (const coup of etat.coups) pos = Plateau.jouer(pos, coup);
    return pos;
  }

  // The person's choice, over the position Plateau draws.
  function marquer() {
    const jouables = monTour() ? origines() : new Set();
    const cibles = monTour() && choisie !== null ? destinations(choisie) : [];
    cases.forEach((div, i) => {
      div.classList.toggle("jouable", jouables.has(i));
      div.classList.toggle("choisie", i === choisie);
      div.classList.toggle("cible", cibles.includes(i));
      div.classList.toggle("curseur", i === curseur);
    });
    if (curseur === null) $("plateau").removeAttribute("aria-activedescendant");
    else $("plateau").setAttribute("aria-activedescendant", "case-" + curseur);
  }

  // A cell pressed: a column of the person's is chosen (or let go when
  // pressed again), a cell it may go to plays the move.
  function presser(n) {
    if (!monTour()) return;
    if (choisie !== null && n !== choisie && destinations(choisie).includes(n)) {
      envoyer(choisie, n);
      return;
    }
    choisie = n === choisie || !origines().has(n) ? null : n;
    marquer();
  }

  function montrerErreur(texte) {
    $("erreur").hidden = texte === "";
    $("erreur").textContent = texte;
  }
  async function poster(chemin, corps) {
    try {
      const r = await fetch(chemin, { method: "POST", body: corps });
      if (r.ok) {
        montrerErreur("");
        return true;
      }
      montrerErreur("Refusé par le moteur : " + (await r.text()).trim());
    } catch (e) {
      montrerErreur("Le moteur ne répond pas.");
    }
    return false;
  }
  async function envoyer(o, d) {
    enVol = true;
    clic = performance.now();
    choisie = null;
    marquer();
    if (!(await poster("coup", o + "-" + d))) {
      enVol = false;
      clic = null;
      marquer();
    }
  }

  function texteStatut() {
    switch (etat.phase) {
      case "personne": return "À vous de jouer : vous êtes " + etat.couleur + ".";
      case "programme": return etat.programme + " réfléchit…";
      case "fermee": return "Session terminée : le moteur ne joue plus, la page peut être fermée.";
      default: return etat.fin ? "Partie finie." : "Choisissez votre couleur, puis « Nouvelle partie ».";
    }
  }
  function texteDernier() {
    const n = etat.coups.length;
    if (etat.numero === 0) return "";
    if (n === 0) return "Partie " + etat.numero + " : " + MOT[camp(0)] + " commence.";
    const c = etat.coups[n - 1], texte = c.o + "-" + c.d;
    const impose = c.impose ? " (coup imposé par le moteur)" : "";
    if (camp(n - 1) === etat.couleur[0]) return "Vous avez joué " + texte + impose + ".";
    return etat.programme + " a joué " + texte + (c.duree !== null ? " en " + duree(c.duree) : "") + impose + ".";
  }

  function remplirCoups() {
    let html = "";
    etat.coups.forEach((c, k) => {
      if (k % 2 === 0) html += (k > 0 ? "</span> " : "") + '<span class="paire"><span class="numero">' + (k / 2 + 1) + ".</span>";
      const titre = camp(k) === etat.couleur[0] ? "vous" : echapper(etat.programme) + (c.duree !== null ? ", " + duree(c.duree) : "");
      html += '<span class="coup ' + MOT[camp(k)] + (c.impose ? " impose" : "") + '" title="' + titre + '">' + c.o + "-" + c.d + "</span>" +
        (c.duree !== null ? '<span class="duree">' + duree(c.duree) + "</span>" : "");
    });
    if (etat.coups.length > 0) html += "</span>";
    $("coups").innerHTML = html;
    $("coups").scrollTop = $("coups").scrollHeight;
  }

  function afficherFin() {
    const fin = etat.fin;
    $("fin").hidden = !fin;
    if (!fin) return;
    const gagnant = { "1-0": "jaune", "0-1": "rouge" }[fin.resultat];
    const qui = !gagnant ? "Partie nulle" : gagnant === etat.couleur ? "Vous avez gagné" : etat.programme + " a gagné";
    $("resultat").textContent = qui + " (" + fin.resultat + ") : " + fin.texte + ". " + fin.score;
    $("relecture").href = "relecture#partie=" + fin.rang + "&coup=" + etat.coups.length;
    $("fichier").textContent = etat.enregistrement ? "(enregistrée dans " + etat.enregistrement + ")" : "";
  }

  function afficher() {
    const n = etat.coups.length, pos = position();
    Plateau.dessiner(cases, pos, n > 0 ? etat.coups[n - 1] : null);
    marquer();
    $("jeu").dataset.phase = etat.phase;
    $("jeu").dataset.version = etat.version;
    $("statut").textContent = texteStatut();
    $("dernier").textContent = texteDernier();
    $("score").textContent = etat.numero > 0 ? Plateau.texteScore(pos) : "";
    remplirCoups();
    afficherFin();
    $("nouvelle").hidden = etat.phase !== "choix";
  }

  function recevoir(nouveau) {
    const avant = etat;
    etat = nouveau;
    const joue = !avant || avant.numero !== etat.numero || avant.coups.length !== etat.coups.length;
    if (joue || etat.phase !== "personne") {
      enVol = false;
      choisie = null;
    }
    // From the click to the program's move on screen, for bench_navigateur.
    const n = etat.coups.length;
    if (clic !== null && n > 0 && etat.coups[n - 1].duree !== null) {
      document.body.dataset.latence = (performance.now() - clic).toFixed(1);
      document.body.dataset.reflexion = (1000 * etat.coups[n - 1].duree).toFixed(1);
      clic = null;
    }
    afficher();
  }

  // The engine answers as soon as the game changes, or after a while with
  // the same version: the next question follows at once.
  async function suivre() {
    let version = 0;
    for (;;) {
      try {
        const r = await fetch("etat?depuis=" + version, { cache: "no-store" });
        if (!r.ok) throw new Error(await r.text());
        const nouveau = await r.json();
        if ($("erreur").dataset.connexion) {
          delete $("erreur").dataset.connexion;
          montrerErreur("");
        }
        version = nouveau.version;
        recevoir(nouveau);
        if (nouveau.phase === "fermee") return;
      } catch (e) {
        montrerErreur("Le moteur ne répond plus (arrêté ?) ; nouvel essai dans un instant.");
        $("erreur").dataset.connexion = "1";
        await new Promise((fini) => setTimeout(fini, 2000));
      }
    }
  }

  // The arrows move the keyboard's cell over the grid, skipping its holes.
  function deplacer(dl, dc) {
    if (curseur === null) {
      curseur = monTour() ? Math.min(...origines()) : 0;
    } else {
      let { l, c } = place[curseur];
      for (;;) {
        l += dl;
        c += dc;
        if (l < 0 || c < 0 || l >= donnees.grille.length || c >= donnees.grille[l].length) break;
        if (donnees.grille[l][c] >= 0) {
          curseur = donnees.grille[l][c];
          break;
        }
      }
    }
    marquer();
  }

  function brancher() {
    $("plateau").addEventListener("click", (e) => {
      const div = e.target.closest("[data-case]");
      if (div) presser(Number(div.dataset.case));
    });
    document.addEventListener("keydown", (e) => {
      // Fields, buttons and links keep their own keys.
      if (e.altKey || e.ctrlKey || e.metaKey || (e.target instanceof Element && e.target.closest("input, button, a, textarea")))
        return;
      const pas = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] }[e.key];
      if (pas) deplacer(pas[0], pas[1]);
      else if ((e.key === "Enter" || e.key === " ") && curseur !== null) presser(curseur);
      else if (e.key === "Escape") {
        choisie = null;
        marquer();
      } else return;
      e.preventDefault();
    });
    $("nouvelle").addEventListener("submit", (e) => {
      e.preventDefault();
      poster("nouvelle", $("nouvelle").elements.couleur.value);
    });
    // Closing the page ends the session (unless it comes back at once: a reload).
    window.addEventListener("pagehide", () => navigator.sendBeacon("quitter", ""));
  }

  brancher();
  suivre();
})();
