#include "classement.h"

#include "texte.h"

#include <algorithm>
#include <cmath>

namespace moteur {
namespace {

// A decimal number the French way: "6,5".
std::string decimal(double x, int chiffres)
{
    std::string t = hote::texte("%.*f", chiffres, x);
    if (t == "-0" || t.rfind("-0,", 0) == 0 || t.rfind("-0.", 0) == 0) {
        bool nul = t.find_first_of("123456789") == std::string::npos;
        if (nul)
            t.erase(0, 1);
    }
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

// 0.05 -> "0,05", 50 -> "50".
std::string nombre(double x)
{
    std::string t = hote::texte("%g", x);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

std::string points(int demiPoints)
{
    return demiPoints % 2 == 0 ? std::to_string(demiPoints / 2)
                               : hote::texte("%d,5", demiPoints / 2);
}

// Characters on screen: UTF-8 continuation bytes take no room.
size_t largeur(const std::string &t)
{
    return static_cast<size_t>(
        std::count_if(t.begin(), t.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string aligner(const std::string &t, size_t l, bool aDroite)
{
    std::string blancs(l > largeur(t) ? l - largeur(t) : 0, ' ');
    return aDroite ? blancs + t : t + blancs;
}

// Columns sized to their widest cell; the first `gauche` are left-aligned.
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

std::string json(const std::string &t)
{
    std::string s = "\"";
    for (unsigned char c : t) {
        if (c == '"' || c == '\\')
            s += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20)
            s += hote::texte("\\u%04x", c);
        else
            s += static_cast<char>(c);
    }
    return s + "\"";
}

std::string jsonNombre(double x) { return std::isfinite(x) ? hote::texte("%.6g", x) : "null"; }

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

std::string texteElo(double elo)
{
    std::string t = decimal(elo, 1);
    return t[0] == '-' || t == "0,0" ? t : "+" + t;
}

Classement classer(const Calendrier &calendrier, const std::vector<Partie> &parties)
{
    Classement c;
    c.reglage = calendrier.reglage();
    c.partiesPrevues = calendrier.nbParties();
    size_t n = c.reglage.joueurs.size();
    c.demiPoints.assign(n, std::vector<int>(n, 0));
    c.parties.assign(n, std::vector<int>(n, 0));
    c.victoires.assign(n, std::vector<int>(n, 0));
    c.paires.assign(static_cast<size_t>(calendrier.nbRencontres()), Paires{});
    std::vector<LigneClassement> l(n);
    for (size_t i = 0; i < n; i++)
        l[i].joueur = static_cast<int>(i);
    // Half-points of each pairing's first player, by game, to pair them.
    std::vector<int> demis(static_cast<size_t>(calendrier.nbParties()) + 1, -1);
    for (const Partie &p : parties) {
        PartiePrevue prevue = calendrier.partie(p.numero);
        c.partiesJouees++;
        for (uint8_t couleur : {JAUNE, ROUGE}) {
            size_t i = static_cast<size_t>(couleur == JAUNE ? prevue.jaune : prevue.rouge);
            size_t j = static_cast<size_t>(couleur == JAUNE ? prevue.rouge : prevue.jaune);
            Tally t;
            compter(t, p, couleur);
            int demi = 2 * t.victoires + t.nulles;
            l[i].parties++;
            l[i].victoires += t.victoires;
            l[i].nulles += t.nulles;
            l[i].defaites += t.defaites;
            l[i].demiPoints += demi;
            l[i].fautes += t.fautes;
            l[i].coupsImposes += t.coupsImposes;
            c.demiPoints[i][j] += demi;
            c.parties[i][j]++;
            c.victoires[i][j] += t.victoires;
            if (static_cast<int>(i) == calendrier.rencontre(prevue.rencontre).premier)
                demis[static_cast<size_t>(p.numero)] = demi;
        }
    }
    for (int numero = 2; numero <= calendrier.nbParties(); numero += 2)
        if (demis[numero - 1] >= 0 && demis[numero] >= 0)
            c.paires[static_cast<size_t>((numero - 1) / c.reglage.parties)]
                    [static_cast<size_t>(demis[numero - 1] + demis[numero])]++;

    std::vector<std::vector<double>> pts(n, std::vector<double>(n, 0));
    for (size_t i = 0; i < n; i++)
        for (size_t j = 0; j < n; j++)
            pts[i][j] = c.demiPoints[i][j] / 2.0;
    std::vector<Cote> cotes = cotesParVraisemblance(pts, c.parties);
    for (size_t i = 0; i < n; i++)
        l[i].cote = cotes[i];
    // Points, then rating, then the order of the command line.
    std::stable_sort(l.begin(), l.end(), [](const LigneClassement &a, const LigneClassement &b) {
        if (a.demiPoints != b.demiPoints)
            return a.demiPoints > b.demiPoints;
        return a.cote.elo > b.cote.elo;
    });
    c.lignes = l;
    return c;
}

std::string texteEcartMatch(const std::string &premier, const std::string &second,
                            const Tally &t, const Paires &paires, bool avecPaires)
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
                                    reglage.ouverture > 0);
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

std::string texteClassement(const Classement &c)
{
    const ReglageTournoi &r = c.reglage;
    std::string t = hote::texte(
        "Classement après %d partie%s sur %d (graine %u, %d parties par rencontre, "
        "ouverture %d%s%s) :\n\n",
        c.partiesJouees, c.partiesJouees > 1 ? "s" : "", c.partiesPrevues, r.graine, r.parties,
        r.ouverture, r.defi ? ", défi" : "", r.strict ? ", strict" : "");
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

    // Crosstable, in the order of the standings.
    t += "\nTableau croisé (points du joueur de la ligne contre celui de la colonne) :\n\n";
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
    t += tableau(croise, aGauche);

    // A challenge's pairings (or the one pairing of two players) are matches.
    if (r.defi || r.joueurs.size() == 2) {
        Calendrier calendrier(r);
        t += "\nRencontres :\n";
        for (int k = 1; k <= calendrier.nbRencontres(); k++) {
            const Rencontre &m = calendrier.rencontre(k);
            size_t a = static_cast<size_t>(m.premier), b = static_cast<size_t>(m.second);
            Tally tally;
            int demi = c.demiPoints[a][b], jouees = c.parties[a][b];
            tally.victoires = c.victoires[a][b];
            tally.defaites = c.victoires[b][a];
            tally.nulles = jouees - tally.victoires - tally.defaites;
            std::string s = texteEcartMatch(r.joueurs[a], r.joueurs[b], tally,
                                            c.paires[static_cast<size_t>(k - 1)], r.ouverture > 0);
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
                     "  \"defi\": %s,\n  \"strict\": %s,\n  \"parties\": %d,\n"
                     "  \"parties_prevues\": %d,\n  \"joueurs\": [\n",
                     r.graine, r.parties, r.ouverture, r.defi ? "true" : "false",
                     r.strict ? "true" : "false", c.partiesJouees, c.partiesPrevues);
    for (size_t k = 0; k < c.lignes.size(); k++) {
        const LigneClassement &l = c.lignes[k];
        bool joue = l.parties > 0;
        t += hote::texte(
            "    {\"rang\": %zu, \"nom\": %s, \"parties\": %d, \"victoires\": %d, "
            "\"nulles\": %d, \"defaites\": %d, \"points\": %s, \"score\": %s, \"cote\": %s, "
            "\"erreur\": %s, \"cote_bornee\": %s, \"fautes\": %d, \"coups_imposes\": %d}%s\n",
            k + 1, json(r.joueurs[static_cast<size_t>(l.joueur)]).c_str(), l.parties,
            l.victoires, l.nulles, l.defaites, jsonNombre(l.demiPoints / 2.0).c_str(),
            joue ? jsonNombre(l.demiPoints / (2.0 * l.parties)).c_str() : "null",
            joue ? jsonNombre(l.cote.elo).c_str() : "null",
            joue && l.cote.erreur > 0 ? jsonNombre(l.cote.erreur).c_str() : "null",
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
                 (i != j && c.parties[i][j] > 0 ? jsonNombre(c.demiPoints[i][j] / 2.0) : "null");
        }
        t += k + 1 < c.lignes.size() ? "],\n" : "]\n";
    }
    t += "  ]\n}\n";
    return t;
}

} // namespace moteur
