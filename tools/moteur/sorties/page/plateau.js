// The board as every page of the engine draws it: a position read from its
// notation, a move played on it, its columns counted, and the 9 × 9 grid of
// cells showing a position.  The replay page and the page where a person
// plays both use it.
"use strict";
const Plateau = (function () {
  const MOT = { j: "jaune", r: "rouge", ".": "vide" };

  // "<row0>/.../<row8> <trait>": two characters a cell, in cell order.
  function lireNotation(notation) {
    const [lignes, trait] = notation.split(" ");
    const h = [], c = [];
    for (const ligne of lignes.split("/"))
      for (let i = 0; i + 1 < ligne.length; i += 2) {
        h.push(Number(ligne[i]));
        c.push(ligne[i + 1]);
      }
    return { h, c, trait };
  }

  // "8-4 9-16* 4-3", as the record writes them; `*` marks an imposed move.
  function lireCoups(texte) {
    if (texte === "") return [];
    return texte.split(" ").map((m) => {
      const impose = m.endsWith("*");
      const [o, d] = (impose ? m.slice(0, -1) : m).split("-").map(Number);
      return { o, d, impose, texte: m };
    });
  }

  // A move carries the whole column of its origin onto its destination.
  function jouer(p, coup) {
    const h = p.h.slice(), c = p.c.slice();
    h[coup.d] += h[coup.o];
    c[coup.d] = c[coup.o];
    h[coup.o] = 0;
    c[coup.o] = ".";
    return { h, c };
  }

  function compter(pos) {
    const s = { j: 0, j5: 0, r: 0, r5: 0 };
    pos.h.forEach((h, i) => {
      if (h === 0) return;
      s[pos.c[i]]++;
      if (h === 5) s[pos.c[i] + "5"]++;
    });
    return s;
  }

  function texteScore(pos) {
    const s = compter(pos);
    return "Jaune : " + s.j + " colonne" + (s.j > 1 ? "s" : "") + " (" + s.j5 + " de cinq) — Rouge : " +
      s.r + " colonne" + (s.r > 1 ? "s" : "") + " (" + s.r5 + " de cinq)";
  }

  // The grid's cells in `element` (a cell number, or -1 outside the board):
  // the cells' elements by number.
  function creer(element, grille) {
    const cases = [];
    for (const ligne of grille)
      for (const numero of ligne) {
        const div = document.createElement("div");
        if (numero < 0) {
          div.className = "hors";
        } else {
          div.dataset.case = numero;
          div.id = "case-" + numero;
          div.setAttribute("role", "gridcell");
          div.innerHTML = '<span class="num">' + numero + '</span><span class="pile"></span><span class="haut"></span>' +
            '<span class="lettre"></span><span class="etoile"></span>';
          cases[numero] = div;
        }
        element.appendChild(div);
      }
    return cases;
  }

  // `pos` on the cells, the origin and destination of `dernier` (the last
  // move, or null) outlined.  Classes of the cells' own are set anew.
  function dessiner(cases, pos, dernier) {
    pos.h.forEach((h, i) => {
      const div = cases[i], mot = MOT[pos.c[i]];
      div.dataset.hauteur = h;
      div.dataset.couleur = mot;
      div.className = "case " + mot + (h === 5 ? " cinq" : "") +
        (dernier && dernier.o === i ? " origine" : "") + (dernier && dernier.d === i ? " destination" : "");
      div.style.setProperty("--h", h);
      div.children[2].textContent = h;
      div.children[3].textContent = h > 0 ? mot[0].toUpperCase() : "";
      div.children[4].textContent = h === 5 ? "★" : "";
      div.setAttribute("aria-label", "case " + i + " : " + (h > 0 ? h + " " + mot : "vide") + (h === 5 ? ", colonne de cinq" : ""));
    });
  }

  return { MOT, lireNotation, lireCoups, jouer, compter, texteScore, creer, dessiner };
})();
