#include "options.h"

#include "texte.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>

namespace moteur {
namespace {

constexpr int PARTIES_MAX = 100000000;
constexpr int OUVERTURE_MAX = 200;
constexpr double TEMPS_MAX = 86400.0;

template <typename Entier>
std::optional<Entier> entier(const std::string &t, Entier min, Entier max)
{
    Entier n{};
    auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || erreur != std::errc() || fin != t.data() + t.size() || n < min || n > max)
        return std::nullopt;
    return n;
}

std::optional<double> decimal(const std::string &t)
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

// One option: its names, its value's name (none for a flag), its help line,
// and how its value is stored (an error text, empty when the value is sound).
struct Declaration {
    const char *court;
    const char *longue;
    const char *valeur;
    const char *aide;
    std::function<std::string(Options &, const std::string &)> lire;
};

const std::array<Declaration, 10> &declarations()
{
    static const std::array<Declaration, 10> table = {{
        {nullptr, "--parties", "N", "N parties (1 par défaut), couleurs alternées",
         [](Options &o, const std::string &v) {
             auto n = entier<int>(v, 1, PARTIES_MAX);
             o.parties = n.value_or(0);
             return n ? "" : hote::texte("--parties attend un entier de 1 à %d", PARTIES_MAX);
         }},
        {nullptr, "--graine", "S",
         "graine du match (par défaut : l'horloge, affichée)",
         [](Options &o, const std::string &v) {
             o.graine = entier<uint32_t>(v, 0, UINT32_MAX);
             return o.graine ? "" : std::string("--graine attend un entier de 0 à 4294967295");
         }},
        {nullptr, "--ouverture", "K",
         "parties par paires après K coups tirés au hasard",
         [](Options &o, const std::string &v) {
             auto n = entier<int>(v, 0, OUVERTURE_MAX);
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
             o.temps = decimal(v);
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
        "        moteur page FICHIER [-o SORTIE.html]\n"
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
        "page FICHIER : écrit une page HTML qui montre ces parties (moteur page --help).\n"
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
         "\n"
         "Statut de sortie : 0 si tout va bien, 1 en cas d'échec (enregistrement\n"
         "refusé, fichier ou sortie impossible à écrire), 2 si la ligne de commande\n"
         "est fausse. Interrompu (Ctrl-C), le moteur arrête d'abord les joueurs, puis\n"
         "affiche le bilan des parties finies. NO_COLOR : plateaux sans couleurs.\n";
    return t;
}

} // namespace moteur
