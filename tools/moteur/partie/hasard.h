// The engine's own random numbers: every draw flows from a seed, so that a
// seeded match replays byte for byte on any machine.
#pragma once

#include <cstdint>

namespace moteur {

// splitmix64: small, fast, and the same everywhere.
class Hasard {
public:
    explicit Hasard(uint64_t graine) : etat_(graine) {}
    uint64_t suivant()
    {
        uint64_t z = (etat_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1, for n > 0.
    int tirer(int n) { return static_cast<int>(suivant() % static_cast<uint64_t>(n)); }

private:
    uint64_t etat_;
};

// Independent streams drawn from one game seed.
enum class Flux : uint64_t { Parties = 1, Ouverture = 2, CoupsImposes = 3, Livre = 4 };

inline Hasard hasardDe(uint64_t graine, Flux flux)
{
    return Hasard(graine * 0x100000001B3ull + static_cast<uint64_t>(flux) * 0xD1B54A32D192ED03ull);
}

} // namespace moteur
