#include "partie/participant.h"

namespace moteur {

Cadence Participant::cadence() const
{
    return d_.temps ? *d_.temps : d_.personne ? Cadence::sansLimite() : Cadence();
}

} // namespace moteur
