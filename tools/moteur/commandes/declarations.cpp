// Every option of the engine, in the order of the help.
#include "commandes/declarations.h"

#include "commandes/sprt.h"
#include "sorties/format.h"
#include "texte.h"

#include <cmath>
#include <cstdlib>

namespace moteur {
namespace {

constexpr int PARTIES_MAX = 100000000;
constexpr int OUVERTURE_MAX = 200;
constexpr int CONCURRENCE_MAX = 1024;
constexpr int POSITIONS_MAX = 100000;
constexpr int LIMITE_MIO_MAX = 1048576; // a tebibyte
constexpr int PROCESSUS_MAX = 100000;
constexpr int PORT_MAX = 65535;
constexpr int TAILLE_TRACES_MAX = 100000; // megabytes: 100 GB
constexpr int NOMBRE_MAX = 100000;        // starts of a book
constexpr int ECART_MAX = 100000;         // a search's values, far below a won game's

constexpr unsigned M = bit(Commande::Match), R = bit(Commande::Rejouer),
                   V = bit(Commande::Verifier), P = bit(Commande::Page),
                   T = bit(Commande::Tournoi), C = bit(Commande::Classement),
                   N = bit(Commande::Navigateur), L = bit(Commande::Livre),
                   J = bit(Commande::Joueurs);
constexpr unsigned TOUTES = M | R | V | P | T | C | N | L | J;

} // namespace

const std::array<Declaration, NB_OPTIONS> &declarations()
{
    static const std::array<Declaration, NB_OPTIONS> table = {{
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
         M | T | V | N | L},
        {nullptr, "--ouverture", "K",
         "parties par paires après K coups tirés au hasard",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 0, OUVERTURE_MAX);
             o.ouverture = n.value_or(0);
             return n ? "" : hote::texte("--ouverture attend un entier de 0 à %d", OUVERTURE_MAX);
         },
         M | T},
        {nullptr, "--livre", "FICHIER",
         "parties par paires depuis les positions de FICHIER",
         [](Options &o, const std::string &v) {
             o.livre = v;
             return v.empty() ? "--livre attend un nom de fichier" : "";
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
        {nullptr, "--cadence", "BASE+INC",
         "pendule : BASE secondes par partie, INC de plus par coup",
         [](Options &o, const std::string &v) {
             o.pendule = Cadence::lirePendule(v);
             return o.pendule ? "" : std::string("--cadence attend BASE+INCREMENT en secondes, "
                                                 "par exemple 10+0.1 ou 60");
         },
         M | T},
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
        {nullptr, "--taille-traces", "MO",
         "coupe chaque fichier de trace à MO mégaoctets (10)",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 1, TAILLE_TRACES_MAX);
             o.tailleTraces = n.value_or(0) * MEGAOCTET;
             return n ? "" : hote::texte("--taille-traces attend un entier de 1 à %d",
                                         TAILLE_TRACES_MAX);
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
        {nullptr, "--tous", nullptr, "tournoi : avec tous les joueurs automatiques trouvés",
         [](Options &o, const std::string &) {
             o.tous = true;
             return "";
         },
         T},
        {"-j", "--concurrence", "N", "N parties à la fois (1 ; tournoi : les processeurs)",
         [](Options &o, const std::string &v) {
             o.concurrence = lireEntier<int>(v, 1, CONCURRENCE_MAX);
             return o.concurrence ? "" : hote::texte("--concurrence attend un entier de 1 à %d",
                                                     CONCURRENCE_MAX);
         },
         M | T},
        {nullptr, "--resultats", "FICHIER", "tournoi : écrit aussi le classement en JSON",
         [](Options &o, const std::string &v) {
             o.resultats = v;
             return v.empty() ? "--resultats attend un nom de fichier" : "";
         },
         T | C},
        {nullptr, "--reprendre", nullptr, "ne joue que ce qui manque à --enregistrer",
         [](Options &o, const std::string &) {
             o.reprendre = true;
             return "";
         },
         M | T},
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
        {nullptr, "--coups", "K", "livre : départs après K coups au hasard (4)",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 1, OUVERTURE_MAX);
             o.coups = n.value_or(0);
             return n ? "" : hote::texte("--coups attend un entier de 1 à %d", OUVERTURE_MAX);
         },
         L},
        {nullptr, "--nombre", "N", "livre : N départs (300)",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 1, NOMBRE_MAX);
             o.nombre = n.value_or(0);
             return n ? "" : hote::texte("--nombre attend un entier de 1 à %d", NOMBRE_MAX);
         },
         L},
        {nullptr, "--ecart", "V", "livre : valeur de la recherche à V près de 0 (20)",
         [](Options &o, const std::string &v) {
             auto n = lireEntier<int>(v, 0, ECART_MAX);
             o.ecart = n.value_or(0);
             return n ? "" : hote::texte("--ecart attend un entier de 0 à %d", ECART_MAX);
         },
         L},
    }};
    return table;
}

} // namespace moteur
