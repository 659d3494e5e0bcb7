#include "tournoi/vivier.h"

#include <algorithm>

namespace moteur {

Vivier::~Vivier() { finirTout(); }

void Vivier::finirTout()
{
    for (Tenu &t : tenus_)
        t.participant->finir();
    tenus_.clear();
}

void Vivier::prendre(int rencontre)
{
    if (!t_.dossierTraces.empty())
        finirTout(); // the last pairing's files are not this one's
    const Rencontre &r = t_.calendrier->rencontre(rencontre);
    premier_ = tenir(r.premier, rencontre);
    second_ = tenir(r.second, rencontre);
    // The two just taken are the last two: never the ones ended.
    while (tenus_.size() > VIVIER_MAX) {
        tenus_.front().participant->finir();
        tenus_.erase(tenus_.begin());
    }
    for (Tenu &t : tenus_) {
        Participant *p = t.participant.get();
        p->mettreEnAttente(p != premier_ && p != second_);
    }
}

// Player `joueur`'s participant, moved to the most recently used end.
Participant *Vivier::tenir(int joueur, int rencontre)
{
    auto t = std::find_if(tenus_.begin(), tenus_.end(), [&](const Tenu &x) { return x.joueur == joueur; });
    if (t != tenus_.end()) {
        std::rotate(t, t + 1, tenus_.end());
        return tenus_.back().participant.get();
    }
    DescriptionJoueur d = t_.joueurs[static_cast<size_t>(joueur)];
    if (!t_.dossierTraces.empty())
        d.fichierTrace = fichierDeTrace(t_.dossierTraces, rencontre, d.nom);
    tenus_.push_back({joueur, creerParticipant(d, registre_)});
    return tenus_.back().participant.get();
}

} // namespace moteur
