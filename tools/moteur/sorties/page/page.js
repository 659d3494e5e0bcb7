// The replay page: every position of the chosen game is replayed here from
// its start position and its moves, which is all the page carries.
"use strict";
(function () {
  const debutScript = performance.now();
  const donnees = JSON.parse(document.getElementById("donnees").textContent);
  const parties = donnees.parties;
  const MOT = Plateau.MOT;
  const $ = (id) => document.getElementById(id);

  function echapper(t) {
    return String(t).replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
  }

  // Scrolls the box, and only the box, so that the element shows below its `haut` first pixels.
  function montrer(element, boite, haut) {
    const e = element.getBoundingClientRect(), b = boite.getBoundingClientRect();
    if (e.top < b.top + haut) boite.scrollTop -= b.top + haut - e.top;
    else if (e.bottom > b.bottom) boite.scrollTop += e.bottom - b.bottom;
  }

  // The chosen game, replayed once: positions[k] follows the k-th move.
  const partie = { index: -1, coups: [], positions: [], trait: "j" };
  function choisirPartie(index) {
    if (partie.index === index) return;
    const p = parties[index];
    const depart = Plateau.lireNotation(p.d);
    partie.index = index;
    partie.trait = depart.trait;
    partie.coups = Plateau.lireCoups(p.c);
    partie.positions = [depart];
    for (const coup of partie.coups)
      partie.positions.push(Plateau.jouer(partie.positions[partie.positions.length - 1], coup));
    remplirCoups(p);
    $("curseur").max = partie.coups.length;
    $("titre-partie").textContent = "Partie " + p.n + " : " + p.j + " (jaune) contre " + p.r + " (rouge)";
    montrerLigne(index);
  }

  // The side that plays the k-th move (from 0): sides alternate from the trait.
  function camp(k) {
    const autre = partie.trait === "j" ? "r" : "j";
    return k % 2 === 0 ? partie.trait : autre;
  }

  function remplirCoups(p) {
    const n = partie.index + 1;
    let html = '<span class="paire"><a href="#partie=' + n + '&amp;coup=0" data-coup="0">Départ</a></span> ';
    partie.coups.forEach((coup, k) => {
      if (k % 2 === 0) html += (k > 0 ? "</span> " : "") + '<span class="paire"><span class="numero">' + (k / 2 + 1) + ".</span>";
      const titre = MOT[camp(k)] + (coup.impose ? ", coup imposé par le moteur" : "");
      html += '<a href="#partie=' + n + "&amp;coup=" + (k + 1) + '" data-coup="' + (k + 1) + '" class="' + MOT[camp(k)] +
        (coup.impose ? " impose" : "") + '" title="' + titre + '">' + coup.texte + "</a>";
    });
    if (partie.coups.length > 0) html += "</span>";
    if (p.fautif) html += '<span class="faute">Faute : ' + echapper(p.fin) + "</span>";
    $("coups").innerHTML = html;
  }

  let cases = [];
  const RESULTAT = { "1-0": "jaune gagne", "0-1": "rouge gagne", "1/2-1/2": "partie nulle" };

  function afficher(coup) {
    const p = parties[partie.index];
    const pos = partie.positions[coup];
    const dernier = coup > 0 ? partie.coups[coup - 1] : null;
    Plateau.dessiner(cases, pos, dernier);
    const main = $("partie");
    main.dataset.partie = partie.index + 1;
    main.dataset.coup = coup;
    $("curseur").value = coup;
    $("compteur").textContent = "coup " + coup + " / " + partie.coups.length;
    $("dernier").textContent = dernier
      ? "Coup " + coup + " : " + MOT[camp(coup - 1)] + " joue " + dernier.o + "-" + dernier.d + (dernier.impose ? " (imposé par le moteur)" : "")
      : "Position de départ, " + MOT[partie.trait] + " au trait";
    $("score").textContent = Plateau.texteScore(pos);
    const fini = coup === partie.coups.length;
    $("resultat").hidden = !fini;
    if (fini) $("resultat").textContent = "Résultat " + p.res + " (" + RESULTAT[p.res] + ") — " + p.fin + " — " + p.score;
    const avant = $("coups").querySelector("a.courant");
    if (avant) avant.classList.remove("courant");
    const courant = $("coups").querySelector('a[data-coup="' + coup + '"]');
    courant.classList.add("courant");
    montrer(courant, $("coups"), 0);
  }

  // The fragment "#partie=3&coup=12": the 3rd game of the file, after its 12th move.
  function entier(t, min, max, defaut) {
    const n = Number.parseInt(t, 10);
    return Number.isFinite(n) ? Math.min(max, Math.max(min, n)) : defaut;
  }
  let coupAffiche = 0;
  function lireFragment() {
    const f = new URLSearchParams(location.hash.slice(1));
    // A tournament opens on its standings; a game chosen opens the games.
    const classement = Boolean(donnees.tournoi) && !f.has("partie");
    $("tournoi").hidden = !classement;
    $("jeu").hidden = classement;
    if (classement) {
      const [r, c] = (f.get("rencontre") || "").split("-").map(Number);
      montrerRencontre(r, c);
      return;
    }
    const index = entier(f.get("partie"), 1, parties.length, 1) - 1;
    choisirPartie(index);
    coupAffiche = entier(f.get("coup"), 0, partie.coups.length, 0);
    afficher(coupAffiche);
  }
  function aller(partieIndex, coup) {
    choisirPartie(partieIndex);
    coupAffiche = Math.min(partie.coups.length, Math.max(0, coup));
    afficher(coupAffiche);
    const fragment = "#partie=" + (partieIndex + 1) + "&coup=" + coupAffiche;
    if (location.hash !== fragment) history.replaceState(null, "", fragment);
  }

  // The list draws only the rows in view and a few around them, so that a
  // record of thousands of games opens as fast as one of ten.
  const HAUTEUR_LIGNE = 24; // pixels, as in the style
  let lignesDessinees = "";
  function ligne(i) {
    const p = parties[i];
    return '<div class="ligne' + (i === partie.index ? " choisie" : "") + '" role="row" data-index="' + i +
      '" style="top:' + i * HAUTEUR_LIGNE + 'px"><span><a href="#partie=' + (i + 1) + '&amp;coup=0">' + p.n +
      "</a></span><span>" + echapper(p.j) + "</span><span>" + echapper(p.r) + "</span><span>" + p.res +
      '</span><span title="' + echapper(p.fin) + '">' + echapper(p.fin) + "</span><span>" +
      (p.c === "" ? 0 : p.c.split(" ").length) + "</span></div>";
  }
  function remplirListe() {
    const boite = $("defile");
    const premiere = Math.max(0, Math.floor(boite.scrollTop / HAUTEUR_LIGNE) - 10);
    const derniere = Math.min(parties.length, premiere + Math.ceil(boite.clientHeight / HAUTEUR_LIGNE) + 20);
    const cle = premiere + "-" + derniere + "-" + partie.index;
    if (cle === lignesDessinees) return;
    lignesDessinees = cle;
    let html = "";
    for (let i = premiere; i < derniere; i++) html += ligne(i);
    $("parties").innerHTML = html;
  }
  function montrerLigne(index) {
    const boite = $("defile"), haut = index * HAUTEUR_LIGNE, entete = HAUTEUR_LIGNE;
    if (haut < boite.scrollTop) boite.scrollTop = haut;
    else if (haut + HAUTEUR_LIGNE + entete > boite.scrollTop + boite.clientHeight)
      boite.scrollTop = haut + HAUTEUR_LIGNE + entete - boite.clientHeight;
    remplirListe();
  }

  // A tournament: its standings, the crosstable (each game a link, its
  // result seen from the row's player) and the ratings with their intervals.
  function nombre(x) {
    return Number.isInteger(x) ? String(x) : x.toFixed(1).replace(".", ",");
  }
  // One decimal, the French way, as `moteur classement` writes them: "-33,1", "+420,8".
  function decimal(x) {
    const t = x.toFixed(1).replace(".", ",");
    return t === "-0,0" ? "0,0" : t;
  }
  function signe(x) {
    const t = decimal(x);
    return t[0] === "-" || t === "0,0" ? t : "+" + t;
  }
  function cote(j) {
    return j.aucunePartie ? "—" : j.borne + signe(j.elo);
  }
  function afficherTournoi(t) {
    const noms = t.joueurs.map((j) => j.nom);
    $("titre-tournoi").textContent = t.titre;
    $("texte-classement").textContent = t.texte;
    let html = "<table><thead><tr><th>Rang</th><th class=\"nom\">Joueur</th><th>Parties</th><th>Gagnées</th><th>Nulles</th>" +
      "<th>Perdues</th><th>Points</th><th>Score</th><th>Elo</th><th>± 95 %</th><th>Fautes</th><th>Imposés</th></tr></thead><tbody>";
    t.joueurs.forEach((j, r) => {
      html += "<tr><td>" + (r + 1) + '</td><td class="nom">' + echapper(j.nom) + "</td><td>" + j.parties + "</td><td>" +
        j.gagnees + "</td><td>" + j.nulles + "</td><td>" + j.perdues + "</td><td>" + nombre(j.points) + "</td><td>" +
        (j.parties ? decimal((100 * j.points) / j.parties) + " %" : "—") + "</td><td>" + cote(j) + "</td><td>" +
        (j.aucunePartie || !(j.erreur > 0) ? "—" : decimal(j.erreur)) + "</td><td>" + j.fautes + "</td><td>" +
        j.imposes + "</td></tr>";
    });
    $("classement").innerHTML = html + "</tbody></table>";

    // Points of the row's player in one game, from its result.
    const points = (k, nom) => {
      const p = parties[k], jaune = p.j === nom;
      return p.res === "1/2-1/2" ? "½" : (p.res === "1-0") === jaune ? "1" : "0";
    };
    html = '<table><thead><tr><th></th>' + noms.map((n, c) => '<th title="' + echapper(n) + '">' + (c + 1) + "</th>").join("") +
      "<th>Points</th></tr></thead><tbody>";
    t.joueurs.forEach((j, r) => {
      html += '<tr><td class="nom">' + (r + 1) + ". " + echapper(j.nom) + "</td>";
      t.croisee[r].forEach((rencontre, c) => {
        if (r === c || !rencontre) {
          html += '<td class="soi"></td>';
          return;
        }
        html += '<td><a class="lien-rencontre" href="#rencontre=' + (r + 1) + "-" + (c + 1) + '">' +
          nombre(rencontre.points) + "</a></td>";
      });
      html += "<td>" + nombre(j.points) + "</td></tr>";
    });
    $("croisee").innerHTML = html + "</tbody></table>";
    tournoi = { t, points };

    // The bars run from 0 to the rating, the black line over the interval;
    // a bound (only wins or only losses: the rating lies beyond) is hatched.
    const cotes = t.joueurs.filter((j) => !j.aucunePartie);
    const marge = (j) => j.erreur;
    const bas = Math.min(0, ...cotes.map((j) => j.elo - marge(j))), haut = Math.max(0, ...cotes.map((j) => j.elo + marge(j)));
    const x = (v) => (haut > bas ? (100 * (v - bas)) / (haut - bas) : 50).toFixed(2) + "%";
    const largeur = (a, b) => (haut > bas ? (100 * Math.abs(b - a)) / (haut - bas) : 0).toFixed(2) + "%";
    $("cotes").innerHTML = '<div class="barres">' + cotes.map((j) => {
      const texte = cote(j) + (j.erreur > 0 ? " ± " + Math.round(j.erreur) : "");
      return '<span class="nom">' + echapper(j.nom) + '</span><span class="barre" title="' + texte + '"><span class="valeur' +
        (j.borne ? " borne" : "") + '" style="left:' + x(Math.min(0, j.elo)) + ";width:" + largeur(0, j.elo) + '"></span>' +
        '<span class="zero" style="left:' + x(0) + '"></span>' + (!(j.erreur > 0) ? "" : '<span class="intervalle" style="left:' +
        x(j.elo - j.erreur) + ";width:" + largeur(j.elo - j.erreur, j.elo + j.erreur) + '"></span>') + "</span><span>" + texte + "</span>";
    }).join("") + "</div>" +
      '<p class="note">Échelle Elo, moyenne 0 ; le trait noir couvre l’intervalle de confiance à 95 %. ' +
      "≥ ou ≤ : que des victoires ou que des défaites ; sans l’a priori du modèle, la cote irait sans limite (barre hachurée).</p>";
  }
  // One pairing of the crosstable, rows `r` and `c` (from 1): its score
  // and each of its games, its result seen from the row's player.
  let tournoi = null;
  function montrerRencontre(r, c) {
    const boite = $("rencontre"), t = tournoi && tournoi.t;
    const cellule = t && t.croisee[r - 1] && t.croisee[r - 1][c - 1];
    boite.hidden = !cellule;
    if (!cellule) return;
    const a = t.joueurs[r - 1].nom, b = t.joueurs[c - 1].nom;
    boite.innerHTML = "<h3>" + echapper(a) + " contre " + echapper(b) + " : " + nombre(cellule.points) + " à " +
      nombre(t.croisee[c - 1][r - 1].points) + "</h3><ul>" +
      cellule.parties.map((k) => "<li>" + lienPartie(k, "partie " + parties[k].n) + " : " + echapper(a) + " avec les " +
        (parties[k].j === a ? "jaunes" : "rouges") + ", " + points(k, a) + " point</li>").join("") + "</ul>";
  }
  function points(k, nom) {
    return tournoi.points(k, nom);
  }
  function lienPartie(k, texte) {
    return '<a class="lien-partie" href="#partie=' + (k + 1) + '&amp;coup=0" title="partie ' + parties[k].n + " : " +
      echapper(parties[k].j) + " (jaune) contre " + echapper(parties[k].r) + '">' + texte + "</a>";
  }

  function brancher() {
    $("b-debut").onclick = () => aller(partie.index, 0);
    $("b-avant").onclick = () => aller(partie.index, coupAffiche - 1);
    $("b-apres").onclick = () => aller(partie.index, coupAffiche + 1);
    $("b-fin").onclick = () => aller(partie.index, partie.coups.length);
    $("curseur").oninput = (e) => aller(partie.index, Number(e.target.value));
    $("coups").onclick = (e) => {
      const a = e.target.closest("a[data-coup]");
      if (!a) return;
      e.preventDefault();
      aller(partie.index, Number(a.dataset.coup));
    };
    $("parties").onclick = (e) => {
      const l = e.target.closest(".ligne[data-index]");
      if (!l) return;
      e.preventDefault();
      aller(Number(l.dataset.index), 0);
    };
    $("defile").addEventListener("scroll", remplirListe, { passive: true });
    document.addEventListener("keydown", (e) => {
      // The slider and fields keep their own keys.
      if (e.altKey || e.ctrlKey || e.metaKey || (e.target instanceof Element && e.target.closest("input, select, textarea")))
        return;
      const cible = { ArrowLeft: coupAffiche - 1, ArrowRight: coupAffiche + 1, Home: 0, End: partie.coups.length }[e.key];
      if (cible === undefined) return;
      e.preventDefault();
      aller(partie.index, cible);
    });
    window.addEventListener("hashchange", lireFragment);
  }

  cases = Plateau.creer($("plateau"), donnees.grille);
  $("nombre").textContent = parties.length;
  $("parties").style.height = parties.length * HAUTEUR_LIGNE + "px";
  brancher();
  if (donnees.tournoi) afficherTournoi(donnees.tournoi);
  $("vers-classement").hidden = !donnees.tournoi;
  lireFragment();
  // How long the page took to be laid out, from the start of its loading.
  void document.body.offsetHeight;
  document.body.dataset.pret = Math.round(performance.now());
  document.body.dataset.script = Math.round(performance.now() - debutScript);
})();
