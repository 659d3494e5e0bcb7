// The headers that open a match's record and a tournament's, written and
// read back: every tag of theirs is named here.
#include "sorties/enregistrement.h"
#include "sorties/lignes.h"

#include "sorties/format.h"
#include "texte.h"

#include <array>
#include <climits>
#include <cstring>
#include <map>

namespace moteur {
namespace {

const char *const FORMULE_TOUTES = "toutes les rencontres";
const char *const FORMULE_DEFI = "défi";
const char *const SEPARATEUR = ", ";
constexpr size_t CHIFFRES_EMPREINTE = 16;

// A header's tags in their order; those written only for some runs (a
// book, a game clock) may be missing, so that older records read the same.
struct Attendue {
    const char *nom;
    bool facultative;
};
constexpr std::array<Attendue, 10> ETIQUETTES_MATCH = {{
    {"Match", false}, {"GraineMatch", false}, {"Parties", false}, {"Ouverture", false},
    {"Livre", true}, {"EmpreinteLivre", true}, {"Temps", false}, {"Pendule", true},
    {"Strict", false}, {"Date", false},
}};
constexpr std::array<Attendue, 11> ETIQUETTES_TOURNOI = {{
    {"Tournoi", false}, {"Formule", false}, {"GraineTournoi", false}, {"Parties", false},
    {"Ouverture", false}, {"Livre", true}, {"EmpreinteLivre", true}, {"Temps", false},
    {"Pendule", true}, {"Strict", false}, {"Date", false},
}};

// The tags of what shapes the games, after the opening: the book, the time.
std::string etiquettesDuJeu(const RefLivre &livre, const Cadence &temps)
{
    std::string t;
    if (livre)
        t += "[Livre \"" + livre->nom + "\"]\n[EmpreinteLivre \"" + livre->empreinte + "\"]\n";
    t += "[Temps \"" + temps.texte() + "\"]\n";
    if (temps.pendule())
        t += "[Pendule \"" + temps.textePendule() + "\"]\n";
    return t;
}

bool empreinteValide(const std::string &e)
{
    return e.size() == CHIFFRES_EMPREINTE &&
           e.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// The tags by name, once found in the order of `attendues`; otherwise why not.
template <size_t N>
std::optional<std::map<std::string, std::string>>
ranger(const Etiquettes &e, const std::array<Attendue, N> &attendues, std::string &erreur)
{
    std::map<std::string, std::string> valeurs;
    size_t k = 0;
    for (const Attendue &a : attendues) {
        if (k < e.size() && e[k].first == a.nom)
            valeurs[a.nom] = e[k++].second;
        else if (!a.facultative) {
            erreur = k < e.size() ? hote::texte("étiquette attendue : [%s \"...\"]", a.nom)
                                  : "en-tête incomplet";
            return std::nullopt;
        }
    }
    if (k < e.size()) {
        erreur = "étiquette inattendue [" + e[k].first + "]";
        return std::nullopt;
    }
    return valeurs;
}

// The book a header names (none without its tags), and whether its tags are
// sound: both or neither, a fingerprint of 16 hex digits.
bool lireLeLivre(std::map<std::string, std::string> &v, RefLivre &livre)
{
    if (v.count("Livre") != v.count("EmpreinteLivre"))
        return false;
    if (v.count("Livre") == 0)
        return true;
    if (v["Livre"].empty() || !empreinteValide(v["EmpreinteLivre"]))
        return false;
    auto l = std::make_shared<Livre>();
    l->nom = v["Livre"];
    l->empreinte = v["EmpreinteLivre"];
    livre = std::move(l);
    return true;
}

} // namespace

std::string ecrireEnTeteTournoi(const ReglageTournoi &r, const std::string &date)
{
    std::string joueurs;
    for (const std::string &j : r.joueurs)
        joueurs += (joueurs.empty() ? "" : SEPARATEUR) + j;
    return "[Tournoi \"" + joueurs + "\"]\n" +
           hote::texte("[Formule \"%s\"]\n[GraineTournoi \"%u\"]\n[Parties \"%d\"]\n"
                       "[Ouverture \"%d\"]\n",
                       r.defi ? FORMULE_DEFI : FORMULE_TOUTES, r.graine, r.parties, r.ouverture) +
           etiquettesDuJeu(r.livre, r.temps) +
           hote::texte("[Strict \"%s\"]\n[Date \"%s\"]\n\n", r.strict ? "oui" : "non", date.c_str());
}

std::optional<ReglageTournoi> reglageDuTournoi(const Etiquettes &e, std::string &erreur)
{
    std::optional<std::map<std::string, std::string>> lu = ranger(e, ETIQUETTES_TOURNOI, erreur);
    if (!lu) {
        erreur = erreur == "en-tête incomplet" ? "en-tête de tournoi incomplet" : erreur;
        return std::nullopt;
    }
    std::map<std::string, std::string> &v = *lu;
    ReglageTournoi r;
    const std::string &noms = v["Tournoi"];
    for (size_t debut = 0; debut <= noms.size();) {
        size_t fin = std::min(noms.find(SEPARATEUR, debut), noms.size());
        r.joueurs.push_back(noms.substr(debut, fin - debut));
        debut = fin + std::strlen(SEPARATEUR);
    }
    r.defi = v["Formule"] == FORMULE_DEFI;
    std::optional<uint32_t> graine = lireEntier<uint32_t>(v["GraineTournoi"], 0, UINT32_MAX);
    std::optional<int> parties = lireEntier<int>(v["Parties"], 0, INT_MAX);
    std::optional<int> ouverture = lireEntier<int>(v["Ouverture"], 0, INT_MAX);
    std::optional<Cadence> temps = Cadence::relire(v["Temps"], v["Pendule"]);
    bool livreSain = lireLeLivre(v, r.livre);
    if (r.joueurs.size() < 2 || (!r.defi && v["Formule"] != FORMULE_TOUTES) || !graine ||
        !parties || *parties < 2 || *parties % 2 != 0 || !ouverture || !temps || !livreSain ||
        (v["Strict"] != "oui" && v["Strict"] != "non")) {
        erreur = "en-tête de tournoi invalide";
        return std::nullopt;
    }
    r.graine = *graine;
    r.parties = *parties;
    r.ouverture = *ouverture;
    r.temps = *temps;
    r.strict = v["Strict"] == "oui";
    return r;
}

std::string ecrireEnTeteMatch(const EnTeteMatch &m)
{
    return hote::texte("[Match \"%s contre %s\"]\n[GraineMatch \"%u\"]\n[Parties \"%d\"]\n"
                       "[Ouverture \"%d\"]\n",
                       m.premier.c_str(), m.second.c_str(), m.graine, m.parties, m.ouverture) +
           etiquettesDuJeu(m.livre, m.temps) +
           hote::texte("[Strict \"%s\"]\n[Date \"%s\"]\n\n", m.strict ? "oui" : "non",
                       m.date.c_str());
}

std::optional<EnTeteMatch> enTeteDuMatch(const Etiquettes &e, std::string &erreur)
{
    std::optional<std::map<std::string, std::string>> lu = ranger(e, ETIQUETTES_MATCH, erreur);
    if (!lu)
        return std::nullopt;
    std::map<std::string, std::string> &v = *lu;
    EnTeteMatch m;
    const std::string &noms = v["Match"];
    size_t contre = noms.find(" contre ");
    std::optional<uint32_t> graine = lireEntier<uint32_t>(v["GraineMatch"], 0, UINT32_MAX);
    std::optional<int> parties = lireEntier<int>(v["Parties"], 1, INT_MAX);
    std::optional<int> ouverture = lireEntier<int>(v["Ouverture"], 0, INT_MAX);
    std::optional<Cadence> temps = Cadence::relire(v["Temps"], v["Pendule"]);
    bool livreSain = lireLeLivre(v, m.livre);
    if (contre == std::string::npos || !graine || !parties || !ouverture || !temps ||
        !livreSain || (v["Strict"] != "oui" && v["Strict"] != "non")) {
        erreur = "en-tête de match invalide";
        return std::nullopt;
    }
    m.premier = noms.substr(0, contre);
    m.second = noms.substr(contre + std::strlen(" contre "));
    m.graine = *graine;
    m.parties = *parties;
    m.ouverture = *ouverture;
    m.temps = *temps;
    m.strict = v["Strict"] == "oui";
    m.date = v["Date"];
    return m;
}

ReglageTournoi calendrierDuMatch(const EnTeteMatch &m)
{
    ReglageTournoi r;
    r.joueurs = {m.premier, m.second};
    r.parties = m.parties;
    r.ouverture = m.ouverture;
    r.livre = m.livre;
    r.graine = m.graine;
    r.temps = m.temps;
    r.strict = m.strict;
    return r;
}

// ---- Reading a header ---------------------------------------------------

namespace {

// Whether a tag's value is sound, line by line (a match's header says at
// which line it is not).
bool valeurSaine(const std::string &nom, std::string_view v)
{
    if (nom == "GraineMatch")
        return lireEntier<uint32_t>(v, 0, UINT32_MAX).has_value();
    if (nom == "Parties" || nom == "Ouverture")
        return lireEntier<int>(v, 0, INT_MAX).has_value();
    if (nom == "Strict")
        return v == "oui" || v == "non";
    if (nom == "EmpreinteLivre")
        return empreinteValide(std::string(v));
    if (nom == "Pendule")
        return Cadence::lirePendule(std::string(v)).has_value();
    return !v.empty();
}

} // namespace

std::optional<Refus> lireEnTeteDuMatch(Lignes &lignes, std::string_view premiere,
                                       size_t partiesLues, std::vector<EnTeteLu> &tetes)
{
    EnTeteLu e;
    e.ligne = lignes.numero();
    e.premierePartie = partiesLues;
    size_t i = 0; // the next tag expected
    for (std::string_view l = premiere; !l.empty(); l = lignes.suivante()) {
        // An optional tag may be missing: the line is then the next one's.
        while (i < ETIQUETTES_MATCH.size() && ETIQUETTES_MATCH[i].facultative &&
               l.substr(0, std::strlen(ETIQUETTES_MATCH[i].nom) + 1) !=
                   "[" + std::string(ETIQUETTES_MATCH[i].nom))
            i++;
        if (i == ETIQUETTES_MATCH.size())
            return Refus{lignes.numero(), "ligne vide attendue après les étiquettes"};
        std::string raison;
        std::optional<std::string_view> v = lireEtiquette(l, ETIQUETTES_MATCH[i].nom, raison);
        if (!v)
            return Refus{lignes.numero(), raison};
        if (!valeurSaine(ETIQUETTES_MATCH[i].nom, *v))
            return Refus{lignes.numero(), hote::texte("valeur invalide pour %s",
                                                      ETIQUETTES_MATCH[i].nom)};
        e.etiquettes.emplace_back(ETIQUETTES_MATCH[i++].nom, *v);
        if (lignes.fini())
            break;
    }
    for (; i < ETIQUETTES_MATCH.size(); i++)
        if (!ETIQUETTES_MATCH[i].facultative)
            return lignes.fini() ? Refus{lignes.numero() + 1, "fin du fichier au milieu des étiquettes"}
                                 : Refus{lignes.numero(), hote::texte("étiquette attendue : [%s \"...\"]",
                                                                     ETIQUETTES_MATCH[i].nom)};
    std::string erreur;
    std::optional<EnTeteMatch> m = enTeteDuMatch(e.etiquettes, erreur);
    if (!m)
        return Refus{e.ligne, erreur};
    e.reglage = calendrierDuMatch(*m);
    tetes.push_back(std::move(e));
    return std::nullopt;
}

std::optional<Refus> lireEnTeteDuTournoi(Lignes &lignes, std::string_view premiere,
                                         size_t partiesLues, std::vector<EnTeteLu> &tetes)
{
    EnTeteLu e;
    e.ligne = lignes.numero();
    e.premierePartie = partiesLues;
    for (std::string_view l = premiere; !l.empty(); l = lignes.fini() ? "" : lignes.suivante()) {
        size_t blanc = l.find(' ');
        std::string nom(l.substr(1, blanc == std::string_view::npos ? 0 : blanc - 1));
        std::string raison;
        std::optional<std::string_view> v =
            l[0] == '[' && !nom.empty() ? lireEtiquette(l, nom, raison) : std::nullopt;
        if (!v)
            return Refus{lignes.numero(), raison.empty() ? "étiquette attendue" : raison};
        e.etiquettes.emplace_back(nom, *v);
    }
    std::string erreur;
    std::optional<ReglageTournoi> r = reglageDuTournoi(e.etiquettes, erreur);
    if (!r)
        return Refus{e.ligne, erreur};
    e.reglage = *r;
    tetes.push_back(std::move(e));
    return std::nullopt;
}

} // namespace moteur
