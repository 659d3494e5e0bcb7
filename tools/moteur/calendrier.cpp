#include "calendrier.h"

#include "hasard.h"
#include "match.h"
#include "notation.h"
#include "texte.h"

#include <charconv>
#include <cstring>

namespace moteur {
namespace {

const char *const FORMULE_TOUTES = "toutes les rencontres";
const char *const FORMULE_DEFI = "défi";
const char *const SEPARATEUR = ", ";

std::string texteTemps(double temps) { return hote::texte("%g", temps); }

template <typename Entier>
std::optional<Entier> entier(const std::string &t)
{
    Entier n{};
    auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (t.empty() || t[0] == '-' || erreur != std::errc() || fin != t.data() + t.size())
        return std::nullopt;
    return n;
}

} // namespace

bool operator==(const ReglageTournoi &a, const ReglageTournoi &b)
{
    // The time as the header writes it: a resumed tournament reads it back.
    return a.joueurs == b.joueurs && a.defi == b.defi && a.parties == b.parties &&
           a.ouverture == b.ouverture && a.graine == b.graine &&
           texteTemps(a.temps) == texteTemps(b.temps) && a.strict == b.strict;
}

Calendrier::Calendrier(ReglageTournoi reglage) : r_(std::move(reglage))
{
    int n = static_cast<int>(r_.joueurs.size());
    for (int a = 0; a < n; a++)
        for (int b = a + 1; b < n && (a == 0 || !r_.defi); b++)
            rencontres_.push_back({a, b});
    // Game k's seed is the k-th draw of the tournament seed's own stream, as
    // in a match; each pair of games starts from the opening of its first.
    Hasard graines = hasardDe(r_.graine, Flux::Parties);
    Position depart = getPositionInitiale();
    for (int k = 1; k <= r_.parties; k++) {
        graines_.push_back(static_cast<uint32_t>(graines.suivant() >> 32));
        if (r_.ouverture > 0 && k % 2 == 1)
            depart = ouverture(graines_.back(), r_.ouverture);
        departs_.push_back(depart);
    }
}

PartiePrevue Calendrier::partie(int numero) const
{
    PartiePrevue p;
    p.numero = numero;
    p.rencontre = (numero - 1) / r_.parties + 1;
    p.rang = (numero - 1) % r_.parties + 1;
    const Rencontre &r = rencontre(p.rencontre);
    bool premierEnJaune = p.rang % 2 == 1;
    p.jaune = premierEnJaune ? r.premier : r.second;
    p.rouge = premierEnJaune ? r.second : r.premier;
    p.graine = graines_[p.rang - 1];
    p.depart = departs_[p.rang - 1];
    return p;
}

std::pair<int, int> Calendrier::tranche(int k, int m) const
{
    long paires = nbParties() / 2;
    long debut = paires * (k - 1) / m, fin = paires * k / m; // pairs [debut, fin)
    return {static_cast<int>(2 * debut + 1), static_cast<int>(2 * fin)};
}

std::string Calendrier::ecartAvec(const Partie &p) const
{
    if (p.numero < 1 || p.numero > nbParties())
        return hote::texte("la partie %d n'existe pas dans ce tournoi (%d parties)", p.numero,
                           nbParties());
    PartiePrevue prevue = partie(p.numero);
    if (p.rencontre != prevue.rencontre)
        return hote::texte("la partie %d appartient à la rencontre %d, pas %d", p.numero,
                           prevue.rencontre, p.rencontre);
    if (p.jaune != r_.joueurs[prevue.jaune] || p.rouge != r_.joueurs[prevue.rouge])
        return hote::texte("la partie %d se joue entre %s (jaune) et %s (rouge)", p.numero,
                           r_.joueurs[prevue.jaune].c_str(), r_.joueurs[prevue.rouge].c_str());
    if (p.graine != prevue.graine)
        return hote::texte("la graine de la partie %d est %u, pas %u", p.numero, prevue.graine,
                           p.graine);
    if (std::memcmp(&p.depart, &prevue.depart, sizeof p.depart) != 0)
        return hote::texte("la partie %d part de « %s »", p.numero,
                           hote::ecrireNotation(prevue.depart).c_str());
    return "";
}

std::string ecrireEnTeteTournoi(const ReglageTournoi &r, const std::string &date)
{
    std::string joueurs;
    for (const std::string &j : r.joueurs)
        joueurs += (joueurs.empty() ? "" : SEPARATEUR) + j;
    return "[Tournoi \"" + joueurs + "\"]\n" +
           hote::texte("[Formule \"%s\"]\n[GraineTournoi \"%u\"]\n[Parties \"%d\"]\n"
                       "[Ouverture \"%d\"]\n[Temps \"%s\"]\n[Strict \"%s\"]\n[Date \"%s\"]\n\n",
                       r.defi ? FORMULE_DEFI : FORMULE_TOUTES, r.graine, r.parties, r.ouverture,
                       texteTemps(r.temps).c_str(), r.strict ? "oui" : "non", date.c_str());
}

std::optional<ReglageTournoi> lireEnTeteTournoi(const Etiquettes &e, std::string &erreur)
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
    std::optional<uint32_t> graine = entier<uint32_t>(e[2].second);
    std::optional<int> parties = entier<int>(e[3].second);
    std::optional<int> ouverture = entier<int>(e[4].second);
    char *fin = nullptr;
    r.temps = std::strtod(e[5].second.c_str(), &fin);
    if (r.joueurs.size() < 2 || (!r.defi && e[1].second != FORMULE_TOUTES) || !graine ||
        !parties || *parties < 2 || *parties % 2 != 0 || !ouverture ||
        fin != e[5].second.c_str() + e[5].second.size() || !(r.temps > 0) ||
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

} // namespace moteur
