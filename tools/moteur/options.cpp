#include "options.h"

#include "systeme.h"
#include "texte.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <set>

namespace moteur {
namespace {

constexpr int PARTIES_MAX = 100000000;
constexpr int OUVERTURE_MAX = 200;
constexpr int CONCURRENCE_MAX = 1024;
constexpr int LIMITE_MIO_MAX = 1048576; // a tebibyte
constexpr int PROCESSUS_MAX = 100000;

// "elo0=0 elo1=5 alpha=0.05 beta=0.05" (alpha and beta 0.05 when left out).
std::optional<ReglageSprt> lireSprt(const std::string &v)
{
    ReglageSprt r{0, 0, 0.05, 0.05};
    bool elo0 = false, elo1 = false;
    size_t debut = 0;
    while (debut < v.size()) {
        size_t fin = std::min(v.find_first_of(" ,", debut), v.size());
        std::string mot = v.substr(debut, fin - debut);
        debut = fin + 1;
        if (mot.empty())
            continue;
        size_t egal = mot.find('=');
        std::string cle = mot.substr(0, egal), valeur = egal == std::string::npos ? "" : mot.substr(egal + 1);
        char *reste = nullptr;
        double x = std::strtod(valeur.c_str(), &reste);
        if (valeur.empty() || *reste != '\0' || !std::isfinite(x))
            return std::nullopt;
        if (cle == "elo0")
            r.elo0 = x, elo0 = true;
        else if (cle == "elo1")
            r.elo1 = x, elo1 = true;
        else if (cle == "alpha")
            r.alpha = x;
        else if (cle == "beta")
            r.beta = x;
        else
            return std::nullopt;
    }
    if (!elo0 || !elo1 || !(r.elo0 < r.elo1) || !(r.alpha > 0 && r.alpha < 1) ||
        !(r.beta > 0 && r.beta < 1) || std::fabs(r.elo0) > 2000 || std::fabs(r.elo1) > 2000)
        return std::nullopt;
    return r;
}

// The words after --sprt that belong to it.
bool motDuSprt(const std::string &a)
{
    for (const char *cle : {"elo0=", "elo1=", "alpha=", "beta="})
        if (a.rfind(cle, 0) == 0)
            return true;
    return false;
}

// One option: its names, its value's name (none for a flag), its help line,
// and how its value is stored (an error text, empty when the value is sound).
struct Declaration {
    const char *court;
    const char *longue;
    const char *valeur;
    const char *aide;
    std::function<std::string(Options &, const std::string &)> lire;
};

const std::array<Declaration, 20> &declarations()
{
    static const std::array<Declaration, 20> table = {{
        {nullptr, "--parties", "N", "N parties (1 par défaut), couleurs alternées",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 1, PARTIES_MAX);
             o.parties = n.value_or(0);
             o.partiesDonnees = true;
             return n ? "" : hote::texte("--parties attend un entier de 1 à %d", PARTIES_MAX);
         }},
        {nullptr, "--graine", "S",
         "graine du match (par défaut : l'horloge, affichée)",
         [](Options &o, const std::string &v) {
             o.graine = lireEntier<uint32_t>(v, 0, UINT32_MAX);
             return o.graine ? "" : std::string("--graine attend un entier de 0 à 4294967295");
         }},
        {nullptr, "--ouverture", "K",
         "parties par paires après K coups tirés au hasard",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 0, OUVERTURE_MAX);
             o.ouverture = n.value_or(0);
             return n ? "" : hote::texte("--ouverture attend un entier de 0 à %d", OUVERTURE_MAX);
         }},
        {nullptr, "--enregistrer", "FICHIER", "ajoute chaque partie à FICHIER dès sa fin",
         [](Options &o, const std::string &v) {
             o.enregistrer = v;
             return v.empty() ? "--enregistrer attend un nom de fichier" : "";
         }},
        {nullptr, "--temps", "SECONDES",
         "temps par coup (10 ; sans limite pour une personne)",
         [](Options &o, const std::string &v) {
             o.temps = lireSecondes(v);
             return o.temps ? "" : std::string("--temps attend un nombre de secondes positif, "
                                               "par exemple 0.5");
         }},
        {nullptr, "--strict", nullptr,
         "coup absent ou hors de la liste : partie perdue",
         [](Options &o, const std::string &) {
             o.strict = true;
             return "";
         }},
        {"-q", "--silencieux", nullptr, "une ligne par partie et le bilan, sans plateau",
         [](Options &o, const std::string &) {
             o.silencieux = true;
             return "";
         }},
        {nullptr, "--traces", "DOSSIER",
         "garde la sortie des programmes dans DOSSIER",
         [](Options &o, const std::string &v) {
             o.traces = v;
             return v.empty() ? "--traces attend un nom de dossier" : "";
         }},
        {nullptr, "--personne", "JOUEUR",
         "une personne joue par le programme JOUEUR",
         [](Options &o, const std::string &v) {
             o.personnes.push_back(v);
             return v.empty() ? "--personne attend un nom de joueur" : "";
         }},
        {nullptr, "--sprt", "TEST",
         "test séquentiel elo0=E0 elo1=E1 [alpha=A beta=B]",
         [](Options &o, const std::string &v) {
             o.sprt = lireSprt(v);
             return o.sprt ? "" : std::string("--sprt attend elo0=E0 elo1=E1 avec E0 < E1, et "
                                              "alpha=A beta=B entre 0 et 1 (0.05 par défaut)");
         }},
        {nullptr, "--defi", nullptr, "tournoi : le premier joueur contre chacun des autres",
         [](Options &o, const std::string &) {
             o.defi = true;
             return "";
         }},
        {"-j", "--concurrence", "N", "tournoi : N parties à la fois (les processeurs)",
         [](Options &o, const std::string &v) {
             o.concurrence = lireEntier<int>(v, 1, CONCURRENCE_MAX);
             return o.concurrence ? "" : hote::texte("--concurrence attend un entier de 1 à %d",
                                                     CONCURRENCE_MAX);
         }},
        {nullptr, "--resultats", "FICHIER", "tournoi : écrit aussi le classement en JSON",
         [](Options &o, const std::string &v) {
             o.resultats = v;
             return v.empty() ? "--resultats attend un nom de fichier" : "";
         }},
        {nullptr, "--reprendre", nullptr, "tournoi : ne joue que ce qui manque à --enregistrer",
         [](Options &o, const std::string &) {
             o.reprendre = true;
             return "";
         }},
        {nullptr, "--tranche", "K/M", "tournoi : ne joue que la K-ième de M tranches",
         [](Options &o, const std::string &v) {
             size_t barre = v.find('/');
             auto m = lireEntier<int>(v.substr(barre == std::string::npos ? v.size() : barre + 1), 1,
                                  PARTIES_MAX);
             auto k = m ? lireEntier<int>(v.substr(0, barre), 1, *m) : std::nullopt;
             if (k)
                 o.tranche = std::make_pair(*k, *m);
             return k ? "" : std::string("--tranche attend K/M, 1 <= K <= M, par exemple 2/4");
         }},
        {nullptr, "--isolation", "MODE", "bac à sable des joueurs : auto, exigee, aucune",
         [](Options &o, const std::string &v) {
             const std::pair<const char *, ModeIsolation> modes[] = {
                 {"auto", ModeIsolation::Auto},
                 {"exigee", ModeIsolation::Exigee},
                 {"aucune", ModeIsolation::Aucune}};
             for (const auto &[nom, mode] : modes)
                 if (v == nom) {
                     o.isolation.mode = mode;
                     return "";
                 }
             return "--isolation attend auto, exigee ou aucune";
         }},
        {nullptr, "--memoire", "MIO", "mémoire de chaque joueur en Mio, 0 : sans limite",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<uint64_t>(v, 0, LIMITE_MIO_MAX);
             o.isolation.memoireMio = n.value_or(0);
             return n ? "" : hote::texte("--memoire attend un entier de 0 à %d", LIMITE_MIO_MAX);
         }},
        {nullptr, "--processus", "N", "processus de chaque joueur, 0 : sans limite",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<uint64_t>(v, 0, PROCESSUS_MAX);
             o.isolation.processus = n.value_or(0);
             return n ? "" : hote::texte("--processus attend un entier de 0 à %d", PROCESSUS_MAX);
         }},
        {nullptr, "--taille-fichiers", "MIO", "fichiers d'un joueur en Mio, 0 : sans limite",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<uint64_t>(v, 0, LIMITE_MIO_MAX);
             o.isolation.fichiersMio = n.value_or(0);
             return n ? "" : hote::texte("--taille-fichiers attend un entier de 0 à %d",
                                         LIMITE_MIO_MAX);
         }},
        {"-h", "--help", nullptr, "affiche cette aide",
         [](Options &o, const std::string &) {
             o.aide = true;
             return "";
         }},
    }};
    return table;
}

const Declaration *trouver(const std::string &nom)
{
    for (const Declaration &d : declarations())
        if ((d.court != nullptr && nom == d.court) || nom == d.longue)
            return &d;
    return nullptr;
}

// Options that make sense when replaying a record.
bool permiseEnRejouant(const Declaration &d)
{
    return std::string(d.longue) == "--silencieux" || std::string(d.longue) == "--help";
}

// Options of `moteur tournoi`, of `moteur classement`, and of a match ("").
bool permiseEn(const Declaration &d, const std::string &commande)
{
    std::string o = d.longue;
    if (o == "--help")
        return true;
    if (commande == "classement")
        return o == "--resultats";
    bool duTournoi = o == "--defi" || o == "--concurrence" || o == "--resultats" ||
                     o == "--reprendre" || o == "--tranche";
    bool duBacASable = o == "--isolation" || o == "--memoire" || o == "--processus" ||
                       o == "--taille-fichiers";
    if (commande == "tournoi")
        return duTournoi || duBacASable || o == "--parties" || o == "--graine" ||
               o == "--ouverture" || o == "--enregistrer" || o == "--temps" || o == "--strict" ||
               o == "--silencieux";
    return !duTournoi;
}

} // namespace

LectureOptions lireOptions(const std::vector<std::string> &arguments)
{
    LectureOptions l;
    Options &o = l.options;
    std::set<const Declaration *> vues;
    std::vector<const Declaration *> donnees;
    bool finDesOptions = false;
    for (size_t i = 0; i < arguments.size(); i++) {
        const std::string &a = arguments[i];
        if (finDesOptions || a.size() < 2 || a[0] != '-') {
            o.noms.push_back(a);
            continue;
        }
        if (a == "--") {
            finDesOptions = true;
            continue;
        }
        std::string nom = a, valeur;
        bool valeurCollee = false;
        if (size_t egal = a.find('='); a.rfind("--", 0) == 0 && egal != std::string::npos) {
            nom = a.substr(0, egal);
            valeur = a.substr(egal + 1);
            valeurCollee = true;
        }
        const Declaration *d = trouver(nom);
        if (d == nullptr) {
            l.erreur = "option inconnue « " + nom + " »";
            return l;
        }
        if (d->valeur == nullptr && valeurCollee) {
            l.erreur = std::string("l'option ") + d->longue + " ne prend pas de valeur";
            return l;
        }
        if (d->valeur != nullptr && !valeurCollee) {
            if (i + 1 >= arguments.size()) {
                l.erreur = hote::texte("l'option %s attend une valeur (%s)", d->longue, d->valeur);
                return l;
            }
            valeur = arguments[++i];
        }
        // --sprt elo0=0 elo1=5 alpha=0.05 beta=0.05: one value in several words.
        if (std::string(d->longue) == "--sprt")
            while (i + 1 < arguments.size() && motDuSprt(arguments[i + 1]))
                valeur += " " + arguments[++i];
        if (vues.count(d) != 0 && std::string(d->longue) != "--personne") {
            l.erreur = std::string("l'option ") + d->longue + " est donnée deux fois";
            return l;
        }
        vues.insert(d);
        donnees.push_back(d);
        if (std::string e = d->lire(o, valeur); !e.empty()) {
            l.erreur = e + " (reçu « " + valeur + " »)";
            return l;
        }
    }
    if (o.aide)
        return l;

    if (!o.noms.empty() && o.noms[0] == "rejouer") {
        o.rejouer = true;
        o.noms.erase(o.noms.begin());
        for (const Declaration *d : donnees)
            if (!permiseEnRejouant(*d)) {
                l.erreur = std::string("l'option ") + d->longue + " ne s'emploie pas avec rejouer";
                return l;
            }
        if (o.noms.size() != 1)
            l.erreur = "rejouer attend un seul fichier d'enregistrement";
        return l;
    }
    if (!o.noms.empty() && (o.noms[0] == "tournoi" || o.noms[0] == "classement")) {
        o.tournoi = o.noms[0] == "tournoi";
        o.classement = !o.tournoi;
        o.noms.erase(o.noms.begin());
        for (const Declaration *d : donnees)
            if (!permiseEn(*d, o.tournoi ? "tournoi" : "classement")) {
                l.erreur = std::string("l'option ") + d->longue + " ne s'emploie pas avec " +
                           (o.tournoi ? "tournoi" : "classement");
                return l;
            }
        if (o.classement && o.noms.empty())
            l.erreur = "classement attend un ou plusieurs fichiers d'enregistrement de tournoi";
        else if (o.tournoi && o.noms.size() < 2)
            l.erreur = "tournoi attend au moins deux joueurs";
        else if (o.tournoi && o.parties % 2 != 0)
            l.erreur = "un tournoi joue les parties par paires (une de chaque couleur) : "
                       "--parties attend un nombre pair";
        else if (o.reprendre && o.enregistrer.empty())
            l.erreur = "--reprendre attend --enregistrer FICHIER, le tournoi à reprendre";
        if (o.tournoi && !o.partiesDonnees)
            o.parties = 2;
        return l;
    }
    for (const Declaration *d : donnees)
        if (!permiseEn(*d, "")) {
            l.erreur = std::string("l'option ") + d->longue +
                       " ne s'emploie qu'avec tournoi (moteur tournoi ...)";
            return l;
        }
    if (o.noms.size() == 1 || o.noms.size() > 2)
        l.erreur = hote::texte("deux joueurs attendus (JAUNE ROUGE), ou aucun pour la "
                               "démonstration ; %zu donné%s",
                               o.noms.size(), o.noms.size() > 1 ? "s" : "");
    return l;
}

std::string texteAide()
{
    std::string t =
        "usage : moteur [OPTIONS] [JAUNE ROUGE]\n"
        "        moteur rejouer [-q] FICHIER\n"
        "        moteur verifier [OPTIONS] JOUEUR\n"
        "        moteur page FICHIER [-o SORTIE.html]\n"
        "        moteur tournoi [OPTIONS] JOUEUR JOUEUR [JOUEUR...]\n"
        "        moteur classement [--resultats FICHIER] FICHIER...\n"
        "\n"
        "Fait jouer deux programmes joueurs au Tessor ; JAUNE joue le premier coup.\n"
        "Un joueur se donne par son nom (cherché à côté de moteur, puis dans les\n"
        "dossiers de TESSOR_JOUEURS, séparés par des :) ou par un chemin.\n"
        "Sans joueur : partie de démonstration entre joueur_poids et joueur_critique.\n"
        "humain_liste, humain_saisie et humain_moteur font jouer une personne au\n"
        "terminal, par exemple : moteur humain_liste joueur_critique\n"
        "\n"
        "rejouer FICHIER : rejoue les parties enregistrées en vérifiant chaque coup\n"
        "(- : l'entrée standard).\n"
        "verifier JOUEUR : vérifie qu'un programme joueur tient le contrat du kit\n"
        "(moteur verifier --help).\n"
        "page FICHIER : écrit une page HTML qui montre ces parties (moteur page --help).\n"
        "tournoi : chaque joueur contre chacun des autres (--parties N par rencontre,\n"
        "N pair), plusieurs parties à la fois, puis le classement avec les cotes Elo.\n"
        "classement FICHIER... : le classement des parties enregistrées d'un tournoi\n"
        "(ses tranches réunies).\n"
        "\n"
        "Options :\n";
    for (const Declaration &d : declarations()) {
        std::string noms = d.court != nullptr ? std::string(d.court) + ", " + d.longue
                                              : std::string("    ") + d.longue;
        if (d.valeur != nullptr)
            noms += std::string(" ") + d.valeur;
        t += hote::texte("  %-25s %s\n", noms.c_str(), d.aide);
    }
    t += "\n"
         "Un coup absent ou hors de la liste est remplacé par un coup tiré au hasard,\n"
         "compté au joueur (marqué * dans l'enregistrement) ; celui d'une personne\n"
         "recommence son tour. Un programme qui plante, s'arrête, dépasse son temps\n"
         "ou rompt le protocole perd la partie ; il est relancé pour la suivante.\n"
         "Avec --traces, la sortie du n-ième joueur nommé va dans\n"
         "DOSSIER/<n>-<nom>.txt.\n"
         "\n" +
         hote::texte("Chaque programme joueur joue dans un bac à sable : il ne voit aucun autre\n"
                     "processus et n'a pas de réseau. Si le système le refuse, le moteur le dit et\n"
                     "joue sans ; avec --isolation exigee, il refuse de jouer (statut 1). Limites\n"
                     "par défaut : %u Mio de mémoire, %u processus, fichiers de %u Mio.\n",
                     static_cast<unsigned>(MEMOIRE_PAR_DEFAUT_MIO),
                     static_cast<unsigned>(PROCESSUS_PAR_DEFAUT),
                     static_cast<unsigned>(FICHIERS_PAR_DEFAUT_MIO)) +
         "\n"
         "Avec --sprt, après chaque paire de parties, le match s'arrête dès que le\n"
         "rapport de vraisemblance de H1 (écart elo1) contre H0 (écart elo0) sort de\n"
         "[ln(beta/(1-alpha)), ln((1-beta)/alpha)] ; --parties borne sa longueur.\n"
         "Un tournoi écrit ses parties dans l'ordre où elles finissent, chacune avec son\n"
         "numéro et sa rencontre ; avec --tranche, M machines en jouent chacune une part\n"
         "et moteur classement réunit leurs fichiers.\n"
         "\n"
         "Statut de sortie : 0 si tout va bien, 1 en cas d'échec (enregistrement\n"
         "refusé, fichier ou sortie impossible à écrire), 2 si la ligne de commande\n"
         "est fausse. Interrompu (Ctrl-C), le moteur arrête d'abord les joueurs, puis\n"
         "affiche le bilan des parties finies. NO_COLOR : plateaux sans couleurs.\n";
    return t;
}

// A run's time for a move is at most a day.
constexpr double TEMPS_MAX = 86400.0;

std::optional<double> lireSecondes(const std::string &t)
{
    // Digits, with one decimal point or comma: no signs, exponents or "inf".
    std::string s = t;
    int separateurs = 0;
    for (char &c : s) {
        if (c == ',')
            c = '.';
        if (c == '.')
            separateurs++;
        else if (c < '0' || c > '9')
            return std::nullopt;
    }
    if (s.empty() || s == "." || separateurs > 1)
        return std::nullopt;
    double v = std::strtod(s.c_str(), nullptr);
    if (!(v > 0) || v > TEMPS_MAX)
        return std::nullopt;
    return v;
}

uint32_t graineDeLHorloge()
{
    auto t = std::chrono::system_clock::now().time_since_epoch();
    auto n = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(t).count());
    return static_cast<uint32_t>(n ^ (n >> 32) ^ static_cast<uint64_t>(pidMoteur()));
}

std::string dateUTC()
{
    std::time_t t = std::time(nullptr);
    std::tm tm = {};
    gmtime_r(&t, &tm);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return date;
}

} // namespace moteur
