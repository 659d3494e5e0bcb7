#include "sorties/page.h"

#include "tournoi/calendrier.h"
#include "sorties/enregistrement.h"
#include "sorties/format.h"
#include "sorties/textes.h"
#include "grille.h"
#include "notation.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace moteur {

std::string texteHtml(std::string_view t)
{
    std::string s;
    for (char c : t) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        default: s += c;
        }
    }
    return s;
}

std::string grilleJson()
{
    std::string t = "[";
    for (int l = 0; l < hote::TAILLE_GRILLE; l++) {
        t += l > 0 ? ",[" : "[";
        for (int c = 0; c < hote::TAILLE_GRILLE; c++)
            t += hote::texte(c > 0 ? ",%d" : "%d",
                             hote::grille[static_cast<size_t>(l)][static_cast<size_t>(c)]);
        t += "]";
    }
    return t + "]";
}

namespace {

// The moves as the record writes them, without the pair numbers: "8-4 9-16* 4-3".
std::string texteCoups(const Partie &p)
{
    std::string t;
    for (const CoupJoue &c : p.coups) {
        if (!t.empty())
            t += ' ';
        t += hote::texte("%d-%d%s", c.coup.origine, c.coup.destination, c.impose ? "*" : "");
    }
    return t;
}

// What the page's script reads: the board's grid and every game, each as
// its start position and moves (the script replays them).
std::string donneesJson(const std::vector<Partie> &parties)
{
    std::string t = "{\"grille\":" + grilleJson() + ",\n\"parties\":[\n";
    for (size_t i = 0; i < parties.size(); i++) {
        const Partie &p = parties[i];
        t += hote::texte("%s{\"n\":%d,\"j\":", i > 0 ? ",\n" : "", p.numero) + chaineJson(p.jaune) +
             ",\"r\":" + chaineJson(p.rouge) + hote::texte(",\"g\":%u,\"d\":", p.graine) +
             chaineJson(hote::ecrireNotation(p.depart)) + ",\"res\":" +
             chaineJson(texteResultat(p.resultat)) + ",\"fin\":" + chaineJson(texteFin(p.fin)) +
             ",\"fautif\":" +
             chaineJson(p.fin.issue == Issue::PlusDeCoup ? "" : nomCouleur(p.fin.fautif)) +
             ",\"score\":" + chaineJson(scoreLisible(evaluerScore(p.finale))) +
             ",\"c\":" + chaineJson(texteCoups(p)) + "}";
    }
    return t + "\n]";
}

// The standings as the page's script draws them: players by rank, and for
// each two of them their points and the games (indices in `parties`).
std::string tournoiJson(const Classement &c, const std::vector<Partie> &parties)
{
    Calendrier calendrier(c.reglage);
    size_t n = c.lignes.size();
    std::vector<size_t> rang(c.reglage.joueurs.size());
    for (size_t k = 0; k < n; k++)
        rang[static_cast<size_t>(c.lignes[k].joueur)] = k;
    std::vector<std::vector<std::string>> jeux(n, std::vector<std::string>(n));
    for (size_t k = 0; k < parties.size(); k++) {
        PartiePrevue prevue = calendrier.partie(parties[k].numero);
        size_t a = rang[static_cast<size_t>(prevue.jaune)], b = rang[static_cast<size_t>(prevue.rouge)];
        for (std::string *liste : {&jeux[a][b], &jeux[b][a]})
            *liste += (liste->empty() ? "" : ",") + std::to_string(k);
    }
    std::string texte = texteClassement(c);
    std::string t = "{\"titre\":" + chaineJson(texte.substr(0, texte.find('\n'))) +
                    ",\"texte\":" + chaineJson(texte) + ",\n\"joueurs\":[";
    for (size_t k = 0; k < n; k++) {
        const LigneClassement &l = c.lignes[k];
        bool joue = l.parties > 0;
        t += hote::texte("%s{\"nom\":", k > 0 ? "," : "") +
             chaineJson(c.reglage.joueurs[static_cast<size_t>(l.joueur)]) +
             hote::texte(",\"parties\":%d,\"gagnees\":%d,\"nulles\":%d,\"perdues\":%d,"
                         "\"points\":%g,\"fautes\":%d,\"imposes\":%d,\"elo\":",
                         l.parties, l.victoires, l.nulles, l.defaites, l.demiPoints / 2.0,
                         l.fautes, l.coupsImposes) +
             nombreJson(l.cote.elo) + ",\"erreur\":" + nombreJson(l.cote.erreur) +
             ",\"borne\":" + chaineJson(!joue || !l.cote.borne ? "" : l.demiPoints > 0 ? "≥" : "≤") +
             ",\"aucunePartie\":" + (joue ? "false" : "true") + "}";
    }
    t += "],\n\"croisee\":[";
    for (size_t a = 0; a < n; a++) {
        t += a > 0 ? ",[" : "[";
        size_t i = static_cast<size_t>(c.lignes[a].joueur);
        for (size_t b = 0; b < n; b++) {
            size_t j = static_cast<size_t>(c.lignes[b].joueur);
            t += b > 0 ? "," : "";
            t += i == j || c.parties[i][j] == 0
                     ? std::string("null")
                     : hote::texte("{\"points\":%g,\"parties\":[", c.demiPoints[i][j] / 2.0) +
                           jeux[a][b] + "]}";
        }
        t += "]";
    }
    return t + "]}";
}

} // namespace

std::string remplirModele(std::string_view modele,
                          const std::vector<std::pair<std::string_view, std::string_view>> &valeurs)
{
    std::string t;
    size_t i = 0;
    for (;;) {
        size_t debut = modele.find("{{", i);
        size_t fin = debut == std::string_view::npos ? debut : modele.find("}}", debut + 2);
        if (fin == std::string_view::npos)
            break;
        std::string_view nom = modele.substr(debut + 2, fin - debut - 2);
        const std::string_view *valeur = nullptr;
        for (const auto &[n, v] : valeurs)
            if (n == nom)
                valeur = &v;
        if (valeur == nullptr) {
            t += modele.substr(i, debut + 2 - i);
            i = debut + 2;
            continue;
        }
        t += modele.substr(i, debut - i);
        t += *valeur;
        i = fin + 2;
    }
    return t += modele.substr(i);
}

std::string textePage(const std::vector<Partie> &parties, const std::string &titre,
                      const Classement *classement)
{
    std::string donnees = donneesJson(parties);
    if (classement != nullptr)
        donnees += ",\n\"tournoi\":" + tournoiJson(*classement, parties);
    donnees += "}";
    std::string titreHtml = texteHtml(titre);
    std::string style = std::string(ressources::plateau_css) + ressources::page_css;
    std::string script = std::string(ressources::plateau_js) + ressources::page_js;
    return remplirModele(ressources::page_html, {{"titre", titreHtml},
                                                 {"style", style},
                                                 {"script", script},
                                                 {"donnees", donnees}});
}

} // namespace moteur
