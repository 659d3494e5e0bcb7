#include "tournoi/calendrier.h"

#include "partie/match.h"
#include "notation.h"
#include "texte.h"

#include <cstring>

namespace moteur {

bool operator==(const ReglageTournoi &a, const ReglageTournoi &b)
{
    return a.joueurs == b.joueurs && a.defi == b.defi && a.parties == b.parties &&
           a.ouverture == b.ouverture && memeLivre(a.livre, b.livre) && a.graine == b.graine &&
           a.temps == b.temps && a.strict == b.strict;
}

Calendrier::Calendrier(ReglageTournoi reglage) : r_(std::move(reglage))
{
    int n = static_cast<int>(r_.joueurs.size());
    for (int a = 0; a < n; a++)
        for (int b = a + 1; b < n && (a == 0 || !r_.defi); b++)
            rencontres_.push_back({a, b});
    // Game k of every pairing is game k of a match with the same seed.
    SuiteDesParties suite(r_.graine, r_.ouverture, r_.livre);
    for (int k = 1; k <= r_.parties; k++) {
        SuiteDesParties::Prevue prevue = suite.suivante();
        graines_.push_back(prevue.graine);
        departs_.push_back(prevue.depart);
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
    bool departsConnus = !r_.livre || !r_.livre->departs.empty();
    if (departsConnus && std::memcmp(&p.depart, &prevue.depart, sizeof p.depart) != 0)
        return hote::texte("la partie %d part de « %s »", p.numero,
                           hote::ecrireNotation(prevue.depart).c_str());
    return "";
}

} // namespace moteur
