// The move-count signature of the rules: the number of move sequences of
// depth 1, 2 and 3 from the initial position.  Any change to move
// generation changes it.
#pragma once

#include <array>
#include <cstdint>

constexpr std::array<uint64_t, 4> SIGNATURE_COUPS = {1, 292, 81488, 21711440};
