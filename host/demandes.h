// The engine mode's loop over any two descriptors: the requests of the
// engine read and checked, each turn played, each answer written.
#pragma once

#include <cstdint>
#include <string>

namespace hote {

// Greets the engine (BONJOUR with `drapeaux`), then serves its requests from
// `demandes` until FIN or the end of the pipe (status 0).  A request that
// cannot be understood (a wrong signature or kind, a position outside the
// board's ranges, a record cut short) ends it with status 1 and, in
// `erreur`, why; an answer that cannot be written, with status 1 alone.
int servirMoteur(int demandes, int reponses, uint32_t drapeaux, std::string &erreur);

} // namespace hote
