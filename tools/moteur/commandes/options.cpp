#include "commandes/options.h"

#include "commandes/declarations.h"
#include "commandes/sprt.h"
#include "sorties/format.h"
#include "texte.h"

#include <algorithm>
#include <set>

namespace moteur {
namespace {

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
    {"livre", Commande::Livre},     {"joueurs", Commande::Joueurs},
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
                           Commande::Page, Commande::Rejouer, Commande::Navigateur,
                           Commande::Livre})
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

std::optional<Cadence> Options::cadence() const
{
    if (!pendule)
        return temps;
    return temps.value_or(Cadence::sansLimite()).avec(*pendule);
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
