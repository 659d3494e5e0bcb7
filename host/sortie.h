// The players' standard output, silenced when nobody keeps it.
#pragma once

namespace hote {

// From now on, the players' printf, puts and putchar write nothing and
// return at once (`taire`), or write as the C library does (the default).
void taireLaSortie(bool taire);

} // namespace hote
