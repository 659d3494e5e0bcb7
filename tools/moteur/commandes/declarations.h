// The engine's options, one row each: their names, help, how each value is
// read and checked, and the subcommands they belong to (declarations.cpp).
// Read by the command-line parser only (options.cpp).
#pragma once

#include "commandes/options.h"

#include <array>
#include <functional>
#include <string>

namespace moteur {

// The subcommands an option belongs to, one bit each.
constexpr unsigned bit(Commande c) { return 1u << static_cast<unsigned>(c); }

// One option: its names, its value's name (none for a flag), its help line,
// how its value is stored (an error text, empty when the value is sound),
// and the subcommands it belongs to.
struct Declaration {
    const char *court;
    const char *longue;
    const char *valeur;
    const char *aide;
    std::function<std::string(Options &, const std::string &)> lire;
    unsigned commandes;
};

constexpr size_t NB_OPTIONS = 31;
const std::array<Declaration, NB_OPTIONS> &declarations();

} // namespace moteur
