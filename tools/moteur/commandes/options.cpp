#include "commandes/options.h"

#include "commandes/sprt.h"

#include "sorties/format.h"
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
constexpr int POSITIONS_MAX = 100000;
constexpr int LIMITE_MIO_MAX = 1048576; // a tebibyte
constexpr int PROCESSUS_MAX = 100000;
constexpr int PORT_MAX = 65535;

// The subcommands an option belongs to, one bit each.
constexpr unsigned bit(Commande c) { return 1u << static_cast<unsigned>(c); }
constexpr unsigned M = bit(Commande::Match), R = bit(Commande::Rejouer),
                   V = bit(Commande::Verifier), P = bit(Commande::Page),
                   T = bit(Commande::Tournoi), C = bit(Commande::Classement),
                   N = bit(Commande::Navigateur);
constexpr unsigned TOUTES = M | R | V | P | T | C | N;

// One option: its names, its value's name (none for a flag), its help line,
// how its value is stored (an error text, empty when the value is sound),
// and the subcommands it belongs to.
struct Declaration {
    const char *court;
    const char *longue;
    const char *valeur;
    const char *aide;
    std::function<std::string(Options &, const std::string &)> lire;
    unsigned commandes;
};

const std::array<Declaration, 24> &declarations()
{
    static const std::array<Declaration, 24> table = {{
        {nullptr, "--parties", "N", "N parties (1 par défaut), couleurs alternées",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 1, PARTIES_MAX);
             o.parties = n.value_or(0);
             o.partiesDonnees = true;
             return n ? "" : hote::texte("--parties attend un entier de 1 à %d", PARTIES_MAX);
         },
         M | T},
        {nullptr, "--graine", "S",
         "graine du match (par défaut : l'horloge, affichée)",
         [](Options &o, const std::string &v) {
             o.graine = lireEntier<uint32_t>(v, 0, UINT32_MAX);
             return o.graine ? "" : std::string("--graine attend un entier de 0 à 4294967295");
         },
         M | T | V | N},
        {nullptr, "--ouverture", "K",
         "parties par paires après K coups tirés au hasard",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 0, OUVERTURE_MAX);
             o.ouverture = n.value_or(0);
             return n ? "" : hote::texte("--ouverture attend un entier de 0 à %d", OUVERTURE_MAX);
         },
         M | T},
        {nullptr, "--enregistrer", "FICHIER", "ajoute chaque partie à FICHIER dès sa fin",
         [](Options &o, const std::string &v) {
             o.enregistrer = v;
             return v.empty() ? "--enregistrer attend un nom de fichier" : "";
         },
         M | T | N},
        {nullptr, "--temps", "SECONDES",
         "temps par coup d'un programme (10 par défaut)",
         [](Options &o, const std::string &v) {
             o.temps = Cadence::lire(v);
             return o.temps ? "" : std::string("--temps attend un nombre de secondes positif, "
                                               "par exemple 0.5");
         },
         M | T | V | N},
        {nullptr, "--temps-personne", "SECONDES",
         "temps par coup d'une personne (sans limite par défaut)",
         [](Options &o, const std::string &v) {
             o.tempsPersonne = Cadence::lire(v);
             return o.tempsPersonne ? "" : std::string("--temps-personne attend un nombre de "
                                                       "secondes positif, par exemple 30");
         },
         M},
        {nullptr, "--strict", nullptr,
         "coup absent ou hors de la liste : partie perdue",
         [](Options &o, const std::string &) {
             o.strict = true;
             return "";
         },
         M | T | V | N},
        {"-q", "--silencieux", nullptr, "une ligne par partie et le bilan, sans plateau",
         [](Options &o, const std::string &) {
             o.silencieux = true;
             return "";
         },
         M | T | R},
        {nullptr, "--traces", "DOSSIER",
         "garde la sortie des programmes dans DOSSIER",
         [](Options &o, const std::string &v) {
             o.traces = v;
             return v.empty() ? "--traces attend un nom de dossier" : "";
         },
         M | T},
        {nullptr, "--personne", "JOUEUR",
         "une personne joue par le programme JOUEUR",
         [](Options &o, const std::string &v) {
             o.personnes.push_back(v);
             return v.empty() ? "--personne attend un nom de joueur" : "";
         },
         M},
        {nullptr, "--sprt", "TEST",
         "test séquentiel elo0=E0 elo1=E1 [alpha=A beta=B]",
         [](Options &o, const std::string &v) {
             o.sprt = lireSprt(v);
             return o.sprt ? "" : std::string("--sprt attend elo0=E0 elo1=E1 avec E0 < E1, et "
                                              "alpha=A beta=B entre 0 et 1 (0.05 par défaut)");
         },
         M},
        {nullptr, "--defi", nullptr, "tournoi : le premier joueur contre chacun des autres",
         [](Options &o, const std::string &) {
             o.defi = true;
             return "";
         },
         T},
        {"-j", "--concurrence", "N", "tournoi : N parties à la fois (les processeurs)",
         [](Options &o, const std::string &v) {
             o.concurrence = lireEntier<int>(v, 1, CONCURRENCE_MAX);
             return o.concurrence ? "" : hote::texte("--concurrence attend un entier de 1 à %d",
                                                     CONCURRENCE_MAX);
         },
         T},
        {nullptr, "--resultats", "FICHIER", "tournoi : écrit aussi le classement en JSON",
         [](Options &o, const std::string &v) {
             o.resultats = v;
             return v.empty() ? "--resultats attend un nom de fichier" : "";
         },
         T | C},
        {nullptr, "--reprendre", nullptr, "tournoi : ne joue que ce qui manque à --enregistrer",
         [](Options &o, const std::string &) {
             o.reprendre = true;
             return "";
         },
         T},
        {nullptr, "--tranche", "K/M", "tournoi : ne joue que la K-ième de M tranches",
         [](Options &o, const std::string &v) {
             size_t barre = v.find('/');
             auto m = lireEntier<int>(v.substr(barre == std::string::npos ? v.size() : barre + 1), 1,
                                  PARTIES_MAX);
             auto k = m ? lireEntier<int>(v.substr(0, barre), 1, *m) : std::nullopt;
             if (k)
                 o.tranche = std::make_pair(*k, *m);
             return k ? "" : std::string("--tranche attend K/M, 1 <= K <= M, par exemple 2/4");
         },
         T},
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
         },
         M | T},
        {nullptr, "--memoire", "MIO", "mémoire de chaque joueur en Mio, 0 : sans limite",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<uint64_t>(v, 0, LIMITE_MIO_MAX);
             o.isolation.memoireMio = n.value_or(0);
             return n ? "" : hote::texte("--memoire attend un entier de 0 à %d", LIMITE_MIO_MAX);
         },
         M | T},
        {nullptr, "--processus", "N", "processus de chaque joueur, 0 : sans limite",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<uint64_t>(v, 0, PROCESSUS_MAX);
             o.isolation.processus = n.value_or(0);
             return n ? "" : hote::texte("--processus attend un entier de 0 à %d", PROCESSUS_MAX);
         },
         M | T},
        {nullptr, "--taille-fichiers", "MIO", "fichiers d'un joueur en Mio, 0 : sans limite",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<uint64_t>(v, 0, LIMITE_MIO_MAX);
             o.isolation.fichiersMio = n.value_or(0);
             return n ? "" : hote::texte("--taille-fichiers attend un entier de 0 à %d",
                                         LIMITE_MIO_MAX);
         },
         M | T},
        {"-h", "--help", nullptr, "affiche cette aide",
         [](Options &o, const std::string &) {
             o.aide = true;
             return "";
         },
         TOUTES},
        {nullptr, "--positions", "N", "verifier : N positions (500 par défaut)",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 2, POSITIONS_MAX);
             o.positions = n.value_or(0);
             return n ? "" : hote::texte("--positions attend un entier de 2 à %d", POSITIONS_MAX);
         },
         V},
        {"-o", "--sortie", "SORTIE.html", "page : fichier de la page",
         [](Options &o, const std::string &v) {
             o.sortie = v;
             return v.empty() ? "--sortie attend un nom de fichier" : "";
         },
         P},
        {nullptr, "--port", "P", "navigateur : écoute sur le port P (par défaut : un port libre)",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 1, PORT_MAX);
             o.port = n.value_or(0);
             return n ? "" : hote::texte("--port attend un entier de 1 à %d", PORT_MAX);
         },
         N},
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

// The subcommands by the word that names them.
struct NomDeCommande {
    const char *nom;
    Commande commande;
};
constexpr NomDeCommande NOMS[] = {
    {"rejouer", Commande::Rejouer}, {"verifier", Commande::Verifier},
    {"page", Commande::Page},       {"tournoi", Commande::Tournoi},
    {"classement", Commande::Classement}, {"navigateur", Commande::Navigateur},
};

const char *nomDe(Commande c)
{
    for (const NomDeCommande &n : NOMS)
        if (n.commande == c)
            return n.nom;
    return "";
}

// Why an option given does not belong to the subcommand; empty when it does.
std::string horsDeLaCommande(const Declaration &d, Commande c)
{
    if ((d.commandes & bit(c)) != 0)
        return "";
    std::string o = std::string("l'option ") + d.longue;
    if (c != Commande::Match)
        return o + " ne s'emploie pas avec " + nomDe(c);
    for (Commande autre : {Commande::Tournoi, Commande::Classement, Commande::Verifier,
                           Commande::Page, Commande::Rejouer, Commande::Navigateur})
        if ((d.commandes & bit(autre)) != 0)
            return o + " ne s'emploie qu'avec " + nomDe(autre) + " (moteur " + nomDe(autre) +
                   " ...)";
    return o + " ne s'emploie pas ici";
}

// One word of the command line that starts with '-': the option it names
// and its value (the next word when it takes one and is not given as
// --option=value).  An error text, empty when it is sound.
std::string lireUneOption(const std::vector<std::string> &arguments, size_t &i,
                          const Declaration *&d, std::string &valeur)
{
    const std::string &a = arguments[i];
    std::string nom = a;
    bool valeurCollee = false;
    if (size_t egal = a.find('='); a.rfind("--", 0) == 0 && egal != std::string::npos) {
        nom = a.substr(0, egal);
        valeur = a.substr(egal + 1);
        valeurCollee = true;
    }
    d = trouver(nom);
    if (d == nullptr)
        return "option inconnue « " + nom + " »";
    if (d->valeur == nullptr && valeurCollee)
        return std::string("l'option ") + d->longue + " ne prend pas de valeur";
    if (d->valeur != nullptr && !valeurCollee) {
        if (i + 1 >= arguments.size())
            return hote::texte("l'option %s attend une valeur (%s)", d->longue, d->valeur);
        valeur = arguments[++i];
    }
    // --sprt elo0=0 elo1=5 alpha=0.05 beta=0.05: one value in several words.
    if (std::string(d->longue) == "--sprt")
        while (i + 1 < arguments.size() && motDuSprt(arguments[i + 1]))
            valeur += " " + arguments[++i];
    return "";
}

// The subcommand a first word names, taken out of the names.
Commande extraireLaCommande(std::vector<std::string> &noms)
{
    if (!noms.empty())
        for (const NomDeCommande &n : NOMS)
            if (noms[0] == n.nom) {
                noms.erase(noms.begin());
                return n.commande;
            }
    return Commande::Match;
}

} // namespace

LectureOptions lireOptions(const std::vector<std::string> &arguments)
{
    LectureOptions l;
    Options &o = l.options;
    std::vector<const Declaration *> donnees;
    bool finDesOptions = false;
    for (size_t i = 0; i < arguments.size() && l.erreur.empty(); i++) {
        const std::string &a = arguments[i];
        if (finDesOptions || a.size() < 2 || a[0] != '-') {
            o.noms.push_back(a);
            continue;
        }
        if (a == "--") {
            finDesOptions = true;
            continue;
        }
        const Declaration *d = nullptr;
        std::string valeur;
        l.erreur = lireUneOption(arguments, i, d, valeur);
        if (!l.erreur.empty())
            break;
        bool repetable = std::string(d->longue) == "--personne";
        if (!repetable && std::find(donnees.begin(), donnees.end(), d) != donnees.end())
            l.erreur = std::string("l'option ") + d->longue + " est donnée deux fois";
        else if (std::string e = d->lire(o, valeur); !e.empty())
            l.erreur = e + " (reçu « " + valeur + " »)";
        donnees.push_back(d);
    }
    // Even a wrong command line names its subcommand when it can, for the
    // help it points to.
    o.commande = extraireLaCommande(o.noms);
    if (!l.erreur.empty() || o.aide)
        return l;
    for (const Declaration *d : donnees)
        if (l.erreur = horsDeLaCommande(*d, o.commande); !l.erreur.empty())
            return l;
    return l;
}

std::string lignesDAide(std::initializer_list<Commande> commandes)
{
    unsigned masque = 0;
    for (Commande c : commandes)
        masque |= bit(c);
    // The names of an option, and the widest of them: its help starts there.
    auto noms = [](const Declaration &d) {
        std::string n = d.court != nullptr ? std::string(d.court) + ", " + d.longue
                                           : std::string("    ") + d.longue;
        return d.valeur != nullptr ? n + " " + d.valeur : n;
    };
    size_t largeur = 0;
    for (const Declaration &d : declarations())
        largeur = std::max(largeur, noms(d).size());
    std::string t;
    for (const Declaration &d : declarations())
        if ((d.commandes & masque) != 0)
            t += hote::texte("  %-*s %s\n", static_cast<int>(largeur), noms(d).c_str(), d.aide);
    return t;
}

} // namespace moteur
