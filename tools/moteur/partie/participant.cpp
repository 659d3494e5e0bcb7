#include "partie/participant.h"

namespace moteur {

Cadence Participant::cadence() const
{
    if (d_.personne)
        return d_.tempsPersonne.value_or(Cadence::sansLimite());
    return d_.temps.value_or(Cadence());
}

} // namespace moteur
