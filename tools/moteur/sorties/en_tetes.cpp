// The headers that open a match's record and a tournament's, written and
// read back: every tag of theirs is named here.
#include "sorties/enregistrement.h"

#include "sorties/format.h"
#include "sorties/lignes.h"
#include "texte.h"

#include <array>
#include <climits>
#include <cstring>

namespace moteur {

namespace lecture {

constexpr std::array<const char *, 7> ETIQUETTES_MATCH = {
    "Match", "GraineMatch", "Parties", "Ouverture", "Temps", "Strict", "Date",
};

std::optional<Refus> lireEnTeteMatch(Lignes &lignes, std::string_view premiere)
{
    for (size_t i = 0; i < ETIQUETTES_MATCH.size(); i++) {
        if (i > 0 && lignes.fini())
            return Refus{lignes.numero() + 1, "fin du fichier au milieu des étiquettes"};
        std::string_view l = i == 0 ? premiere : lignes.suivante();
        std::string raison;
        std::optional<std::string_view> v = lireEtiquette(l, ETIQUETTES_MATCH[i], raison);
        if (!v)
            return Refus{lignes.numero(), raison};
        bool sain = i == 1 ? lireEntier<uint32_t>(*v, 0, UINT32_MAX).has_value()
                    : i == 2 || i == 3 ? lireEntier<int>(*v, 0, INT_MAX).has_value()
                    : i == 5 ? *v == "oui" || *v == "non"
                             : !v->empty();
        if (!sain)
            return Refus{lignes.numero(), hote::texte("valeur invalide pour %s",
                                                      ETIQUETTES_MATCH[i])};
    }
    if (!lignes.fini() && !lignes.suivante().empty())
        return Refus{lignes.numero(), "ligne vide attendue après les étiquettes"};
    return std::nullopt;
}

std::optional<Refus> lireLEnTeteDuTournoi(Lignes &lignes, std::string_view premiere,
                                       LectureEnregistrements &lecture)
{
    EnTeteLu e;
    Etiquettes etiquettes;
    e.ligne = lignes.numero();
    e.premierePartie = lecture.parties.size();
    for (std::string_view l = premiere; !l.empty(); l = lignes.fini() ? "" : lignes.suivante()) {
        size_t blanc = l.find(' ');
        std::string nom(l.substr(1, blanc == std::string_view::npos ? 0 : blanc - 1));
        std::string raison;
        std::optional<std::string_view> v =
            l[0] == '[' && !nom.empty() ? lireEtiquette(l, nom, raison) : std::nullopt;
        if (!v)
            return Refus{lignes.numero(), raison.empty() ? "étiquette attendue" : raison};
        etiquettes.emplace_back(nom, *v);
    }
    std::string erreur;
    std::optional<ReglageTournoi> reglage = reglageDuTournoi(etiquettes, erreur);
    if (!reglage)
        return Refus{e.ligne, erreur};
    e.reglage = *reglage;
    lecture.tournois.push_back(std::move(e));
    return std::nullopt;
}

} // namespace lecture
namespace {

const char *const FORMULE_TOUTES = "toutes les rencontres";
const char *const FORMULE_DEFI = "défi";
const char *const SEPARATEUR = ", ";

} // namespace

std::string ecrireEnTeteTournoi(const ReglageTournoi &r, const std::string &date)
{
    std::string joueurs;
    for (const std::string &j : r.joueurs)
        joueurs += (joueurs.empty() ? "" : SEPARATEUR) + j;
    return "[Tournoi \"" + joueurs + "\"]\n" +
           hote::texte("[Formule \"%s\"]\n[GraineTournoi \"%u\"]\n[Parties \"%d\"]\n"
                       "[Ouverture \"%d\"]\n[Temps \"%s\"]\n[Strict \"%s\"]\n[Date \"%s\"]\n\n",
                       r.defi ? FORMULE_DEFI : FORMULE_TOUTES, r.graine, r.parties, r.ouverture,
                       r.temps.texte().c_str(), r.strict ? "oui" : "non", date.c_str());
}

std::optional<ReglageTournoi> reglageDuTournoi(const Etiquettes &e, std::string &erreur)
{
    const char *const attendues[] = {"Tournoi", "Formule", "GraineTournoi", "Parties",
                                     "Ouverture", "Temps", "Strict", "Date"};
    if (e.size() != std::size(attendues)) {
        erreur = "en-tête de tournoi incomplet";
        return std::nullopt;
    }
    for (size_t i = 0; i < e.size(); i++)
        if (e[i].first != attendues[i]) {
            erreur = hote::texte("étiquette attendue : [%s \"...\"]", attendues[i]);
            return std::nullopt;
        }
    ReglageTournoi r;
    for (size_t debut = 0; debut <= e[0].second.size();) {
        size_t fin = std::min(e[0].second.find(SEPARATEUR, debut), e[0].second.size());
        r.joueurs.push_back(e[0].second.substr(debut, fin - debut));
        debut = fin + std::strlen(SEPARATEUR);
    }
    r.defi = e[1].second == FORMULE_DEFI;
    std::optional<uint32_t> graine = lireEntier<uint32_t>(e[2].second, 0, UINT32_MAX);
    std::optional<int> parties = lireEntier<int>(e[3].second, 0, INT_MAX);
    std::optional<int> ouverture = lireEntier<int>(e[4].second, 0, INT_MAX);
    char *fin = nullptr;
    double temps = std::strtod(e[5].second.c_str(), &fin);
    r.temps = Cadence(temps);
    if (r.joueurs.size() < 2 || (!r.defi && e[1].second != FORMULE_TOUTES) || !graine ||
        !parties || *parties < 2 || *parties % 2 != 0 || !ouverture ||
        fin != e[5].second.c_str() + e[5].second.size() || !(temps > 0) ||
        (e[6].second != "oui" && e[6].second != "non")) {
        erreur = "en-tête de tournoi invalide";
        return std::nullopt;
    }
    r.graine = *graine;
    r.parties = *parties;
    r.ouverture = *ouverture;
    r.strict = e[6].second == "oui";
    return r;
}



std::string ecrireEnTeteMatch(const EnTeteMatch &m)
{
    return hote::texte("[Match \"%s contre %s\"]\n[GraineMatch \"%u\"]\n[Parties \"%d\"]\n"
                       "[Ouverture \"%d\"]\n[Temps \"%s\"]\n[Strict \"%s\"]\n[Date \"%s\"]\n\n",
                       m.premier.c_str(), m.second.c_str(), m.graine, m.parties, m.ouverture,
                       m.temps.texte().c_str(), m.strict ? "oui" : "non", m.date.c_str());
}

} // namespace moteur
