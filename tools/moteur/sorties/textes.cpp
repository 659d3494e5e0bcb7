#include "sorties/textes.h"

#include "sorties/format.h"

#include "texte.h"

#include <algorithm>
#include <cmath>

namespace moteur {
namespace {

// Columns sized to their widest cell; those marked `aGauche` are left-aligned.
std::string tableau(const std::vector<std::vector<std::string>> &lignes,
                    const std::vector<bool> &aGauche)
{
    std::vector<size_t> l(lignes[0].size(), 0);
    for (const auto &ligne : lignes)
        for (size_t c = 0; c < ligne.size(); c++)
            l[c] = std::max(l[c], largeur(ligne[c]));
    std::string t;
    for (const auto &ligne : lignes) {
        std::string s;
        for (size_t c = 0; c < ligne.size(); c++)
            s += (c == 0 ? "" : "  ") + aligner(ligne[c], l[c], !aGauche[c]);
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        t += s + "\n";
    }
    return t;
}

// A rating; marked when the games alone would set it without limit (only
// wins or only losses), the prior holding it where it is.
std::string texteCote(const Cote &c, int demiPoints)
{
    if (c.aucunePartie)
        return "—";
    if (!c.borne)
        return texteElo(c.elo);
    return (demiPoints > 0 ? "≥" : "≤") + texteElo(c.elo);
}

// "+190,6 [+165,8 ; +215,4] à 95 %", and whether it rests on only wins (or
// only losses), where the prior alone holds it.
std::string texteEcart(const Ecart &e, bool victoires)
{
    std::string t = hote::texte("%s [%s ; %s] à 95 %%", texteElo(e.elo).c_str(),
                                texteElo(e.bas).c_str(), texteElo(e.haut).c_str());
    if (e.borne)
        t += victoires ? " (que des victoires)" : " (que des défaites)";
    return t;
}

} // namespace

std::string texteEcartMatch(const std::string &premier, const std::string &second,
                            const Decompte &t, const Paires &paires, bool avecPaires)
{
    Ecart e = ecartDesParties(t.victoires, t.nulles, t.defaites);
    if (e.unites == 0)
        return "";
    std::string s = hote::texte("  Écart Elo de %s sur %s : %s", premier.c_str(),
                                second.c_str(), texteEcart(e, t.victoires > 0).c_str());
    s += hote::texte(", probabilité d'être le plus fort : %s %%\n",
                     decimal(100 * probabiliteDeSuperiorite(t.victoires, t.defaites), 1).c_str());
    Ecart p = ecartDesPaires(paires);
    if (avecPaires && p.unites > 0) {
        s += hote::texte("  Paires de parties (%s : 0, ½, 1, 1½, 2 points) : %d, %d, %d, %d, %d ; ",
                         premier.c_str(), paires[0], paires[1], paires[2], paires[3], paires[4]);
        s += "écart " + texteEcart(p, paires[4] > 0) + "\n";
    }
    return s;
}

std::string texteStatistiquesMatch(const BilanMatch &bilan, const std::string &premier,
                                   const std::string &second, const ReglageMatch &reglage)
{
    if (bilan.partiesJouees < 2)
        return "";
    std::string t = texteEcartMatch(premier, second, bilan.premier, bilan.paires,
                                    reglage.parPaires());
    if (reglage.sprt) {
        const ReglageSprt &s = *reglage.sprt;
        BornesSprt b = bornesSprt(s.alpha, s.beta);
        int nbPaires = 0;
        for (int k : bilan.paires)
            nbPaires += k;
        t += hote::texte("  Test séquentiel (elo0 %s, elo1 %s, alpha %s, beta %s) : rapport de "
                         "vraisemblance %s, bornes [%s ; %s], %d paire%s : ",
                         nombre(s.elo0).c_str(), nombre(s.elo1).c_str(),
                         nombre(s.alpha).c_str(), nombre(s.beta).c_str(),
                         decimal(bilan.rapportSprt, 2).c_str(), decimal(b.basse, 2).c_str(),
                         decimal(b.haute, 2).c_str(), nbPaires, nbPaires > 1 ? "s" : "");
        if (bilan.acceptee == BilanMatch::Hypothese::H1)
            t += hote::texte("H1 acceptée, %s a %s Elo d'avance plutôt que %s\n", premier.c_str(),
                             nombre(s.elo1).c_str(), nombre(s.elo0).c_str());
        else if (bilan.acceptee == BilanMatch::Hypothese::H0)
            t += hote::texte("H0 acceptée, %s a %s Elo d'avance plutôt que %s\n", premier.c_str(),
                             nombre(s.elo0).c_str(), nombre(s.elo1).c_str());
        else
            t += "pas de conclusion\n";
    }
    return t;
}

// The standings table, with the note on bounds when one is shown.
static std::string tableDuClassement(const Classement &c)
{
    const ReglageTournoi &r = c.reglage;
    std::string t;
    std::vector<std::vector<std::string>> lignes = {{"Rang", "Joueur", "Parties", "V", "N", "D",
                                                     "Points", "Score", "Elo", "± 95 %",
                                                     "Fautes", "Imposés"}};
    bool bornes = false;
    for (size_t k = 0; k < c.lignes.size(); k++) {
        const LigneClassement &l = c.lignes[k];
        bool joue = l.parties > 0;
        bornes = bornes || (l.cote.borne && joue);
        lignes.push_back(
            {std::to_string(k + 1), r.joueurs[static_cast<size_t>(l.joueur)],
             std::to_string(l.parties), std::to_string(l.victoires), std::to_string(l.nulles),
             std::to_string(l.defaites), points(l.demiPoints),
             joue ? decimal(50.0 * l.demiPoints / l.parties, 1) + " %" : "—",
             texteCote(l.cote, l.demiPoints),
             joue && l.cote.erreur > 0 ? decimal(l.cote.erreur, 1) : "—",
             std::to_string(l.fautes), std::to_string(l.coupsImposes)});
    }
    t += tableau(lignes, {false, true, false, false, false, false, false, false, false, false,
                          false, false});
    if (bornes)
        t += hote::texte("≥ ou ≤ : que des victoires ou que des défaites ; sans l'a priori "
                         "(%s nulles\nvirtuelles contre une cote 0), la cote irait sans limite "
                         "plus haut ou plus bas.\n",
                         nombre(NULLES_A_PRIORI).c_str());
    return t;
}

// The crosstable, in the order of the standings.
static std::string tableauCroise(const Classement &c, size_t largeurMax)
{
    const ReglageTournoi &r = c.reglage;
    std::string t;
    std::vector<std::vector<std::string>> croise = {{"", ""}};
    std::vector<bool> aGauche = {false, true};
    for (size_t k = 0; k < c.lignes.size(); k++) {
        croise[0].push_back(std::to_string(k + 1));
        aGauche.push_back(false);
    }
    for (size_t k = 0; k < c.lignes.size(); k++) {
        size_t i = static_cast<size_t>(c.lignes[k].joueur);
        std::vector<std::string> ligne = {std::to_string(k + 1), r.joueurs[i]};
        for (const LigneClassement &colonne : c.lignes) {
            size_t j = static_cast<size_t>(colonne.joueur);
            ligne.push_back(i == j ? "—" : c.parties[i][j] > 0 ? points(c.demiPoints[i][j]) : "");
        }
        croise.push_back(ligne);
    }
    std::string table = tableau(croise, aGauche);
    size_t plusLarge = 0;
    for (size_t debut = 0; debut < table.size(); debut = table.find('\n', debut) + 1)
        plusLarge = std::max(plusLarge, largeur(std::string_view(table).substr(
                                            debut, table.find('\n', debut) - debut)));
    if (largeurMax > 0 && plusLarge > largeurMax)
        return hote::texte("\nTableau croisé : %zu colonnes, plus large que ce terminal (%zu) ; "
                           "moteur page FICHIER\nle montre, ou moteur classement FICHIER | less -S.\n",
                           plusLarge, largeurMax);
    return "\nTableau croisé (points du joueur de la ligne contre celui de la colonne) :\n\n" + table;
}

std::string texteClassement(const Classement &c, size_t largeurMax)
{
    const ReglageTournoi &r = c.reglage;
    std::string departs = r.livre ? "livre " + r.livre->nom : hote::texte("ouverture %d", r.ouverture);
    std::string t = hote::texte(
        "Classement après %d partie%s sur %d (graine %u, %d parties par rencontre, "
        "%s%s%s) :\n\n",
        c.partiesJouees, c.partiesJouees > 1 ? "s" : "", c.partiesPrevues, r.graine, r.parties,
        departs.c_str(), r.defi ? ", défi" : "", r.strict ? ", strict" : "");
    t += tableDuClassement(c);
    t += tableauCroise(c, largeurMax);

    // A challenge's pairings (or the one pairing of two players) are matches.
    if (r.defi || r.joueurs.size() == 2) {
        Calendrier calendrier(r);
        t += "\nRencontres :\n";
        for (int k = 1; k <= calendrier.nbRencontres(); k++) {
            const Rencontre &m = calendrier.rencontre(k);
            size_t a = static_cast<size_t>(m.premier), b = static_cast<size_t>(m.second);
            Decompte tally;
            int demi = c.demiPoints[a][b], jouees = c.parties[a][b];
            tally.victoires = c.victoires[a][b];
            tally.defaites = c.victoires[b][a];
            tally.nulles = jouees - tally.victoires - tally.defaites;
            std::string s = texteEcartMatch(r.joueurs[a], r.joueurs[b], tally,
                                            c.paires[static_cast<size_t>(k - 1)],
                                            r.ouverture > 0 || r.livre);
            t += hote::texte("  %s contre %s : %s à %s en %d partie%s\n", r.joueurs[a].c_str(),
                             r.joueurs[b].c_str(), points(demi).c_str(),
                             points(c.demiPoints[b][a]).c_str(), jouees, jouees > 1 ? "s" : "");
            t += s;
        }
    }
    return t;
}

std::string jsonClassement(const Classement &c)
{
    const ReglageTournoi &r = c.reglage;
    std::string t = "{\n";
    t += hote::texte("  \"graine\": %u,\n  \"parties_par_rencontre\": %d,\n  \"ouverture\": %d,\n"
                     "  \"livre\": %s,\n  \"defi\": %s,\n  \"strict\": %s,\n  \"parties\": %d,\n"
                     "  \"parties_prevues\": %d,\n  \"joueurs\": [\n",
                     r.graine, r.parties, r.ouverture,
                     r.livre ? chaineJson(r.livre->nom).c_str() : "null", r.defi ? "true" : "false",
                     r.strict ? "true" : "false", c.partiesJouees, c.partiesPrevues);
    for (size_t k = 0; k < c.lignes.size(); k++) {
        const LigneClassement &l = c.lignes[k];
        bool joue = l.parties > 0;
        t += hote::texte(
            "    {\"rang\": %zu, \"nom\": %s, \"parties\": %d, \"victoires\": %d, "
            "\"nulles\": %d, \"defaites\": %d, \"points\": %s, \"score\": %s, \"cote\": %s, "
            "\"erreur\": %s, \"cote_bornee\": %s, \"fautes\": %d, \"coups_imposes\": %d}%s\n",
            k + 1, chaineJson(r.joueurs[static_cast<size_t>(l.joueur)]).c_str(), l.parties,
            l.victoires, l.nulles, l.defaites, nombreJson(l.demiPoints / 2.0).c_str(),
            joue ? nombreJson(l.demiPoints / (2.0 * l.parties)).c_str() : "null",
            joue ? nombreJson(l.cote.elo).c_str() : "null",
            joue && l.cote.erreur > 0 ? nombreJson(l.cote.erreur).c_str() : "null",
            l.cote.borne && joue ? "true" : "false", l.fautes, l.coupsImposes,
            k + 1 < c.lignes.size() ? "," : "");
    }
    t += "  ],\n  \"croise\": [\n";
    for (size_t k = 0; k < c.lignes.size(); k++) {
        size_t i = static_cast<size_t>(c.lignes[k].joueur);
        t += "    [";
        for (size_t m = 0; m < c.lignes.size(); m++) {
            size_t j = static_cast<size_t>(c.lignes[m].joueur);
            t += (m == 0 ? "" : ", ") +
                 (i != j && c.parties[i][j] > 0 ? nombreJson(c.demiPoints[i][j] / 2.0) : "null");
        }
        t += k + 1 < c.lignes.size() ? "],\n" : "]\n";
    }
    t += "  ]\n}\n";
    return t;
}

} // namespace moteur
