#include "tournoi/match_parallele.h"

#include "processus/signaux.h"
#include "tournoi/ordonnanceur.h"

#include <map>

namespace moteur {
namespace {

// The games as they end, handed on in the order of their numbers.
class MiseEnOrdre {
public:
    MiseEnOrdre(const ReglageMatch &r, const std::function<Suite(const Partie &)> &partieFinie)
        : reglage_(r), partieFinie_(partieFinie), pointage_(r)
    {
    }

    // The games of the record first: counted, not handed on.  False: the
    // match is already decided.
    bool reprendre()
    {
        for (const auto &[numero, p] : reglage_.dejaJouees)
            enAttente_.emplace(numero, Attente{p, false});
        return avancer();
    }

    // One game ended (any order): false once the match is over.
    bool recevoir(Partie p)
    {
        p.rencontre = 0; // a match's game names no pairing
        enAttente_.emplace(p.numero, Attente{std::move(p), true});
        return avancer();
    }

    BilanMatch bilan()
    {
        BilanMatch b = pointage_.bilan();
        b.interrompu = ecartee_ || (!fini_ && b.partiesJouees < reglage_.parties);
        return b;
    }

private:
    struct Attente {
        Partie partie;
        bool nouvelle; // played now, not read back from the record
    };

    bool avancer()
    {
        for (auto p = enAttente_.find(prochaine_); !fini_ && p != enAttente_.end();
             p = enAttente_.find(++prochaine_)) {
            Attente a = std::move(p->second);
            enAttente_.erase(p);
            Suite suite = a.nouvelle ? partieFinie_(a.partie) : Suite::Continuer;
            ecartee_ = suite == Suite::Ecarter; // not kept: not counted either
            if (ecartee_)
                return false;
            fini_ = !pointage_.compter(a.partie) || prochaine_ == reglage_.parties;
            if (suite == Suite::Arreter)
                return false;
        }
        return !fini_;
    }

    const ReglageMatch &reglage_;
    const std::function<Suite(const Partie &)> &partieFinie_;
    Pointage pointage_;
    std::map<int, Attente> enAttente_;
    int prochaine_ = 1;
    bool fini_ = false; // the last game, or the pair that decides the test
    bool ecartee_ = false; // a game could not be kept: the match stops there
};

} // namespace

BilanMatch jouerMatchEnParallele(const ReglageMatch &reglage,
                                 const std::vector<DescriptionJoueur> &joueurs, int concurrence,
                                 Registre &registre,
                                 const std::function<Suite(const Partie &)> &partieFinie)
{
    ReglageTournoi r;
    r.joueurs = {joueurs[0].nom, joueurs[1].nom};
    r.parties = reglage.parties;
    r.ouverture = reglage.ouverture;
    r.livre = reglage.livre;
    r.graine = reglage.graine;
    r.strict = reglage.strict;
    Calendrier calendrier(r);
    TravailTournoi travail;
    travail.calendrier = &calendrier;
    travail.joueurs = joueurs;
    travail.concurrence = concurrence;
    travail.strict = reglage.strict;
    for (int n = 1; n <= reglage.parties; n++)
        if (reglage.dejaJouees.count(n) == 0)
            travail.aJouer.push_back(n);

    MiseEnOrdre ordre(reglage, partieFinie);
    if (ordre.reprendre())
        jouerTournoi(travail, registre, [&](const Partie &p) { return ordre.recevoir(p); });
    return ordre.bilan();
}

} // namespace moteur
