// joueur_coins and joueur_topo carry their own board tables, with the kit's
// content: the loader's report of what it binds shows that in their
// processes the rules library reads those copies, not the host library's.
#include "programme.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The module whose `table` the rules library is bound to in one turn.
std::string moduleDeLaTable(const std::string &joueur, const std::string &table)
{
    setenv("LD_DEBUG", "bindings", 1);
    essai::Tour t = essai::jouerUnTour(joueur, essai::NOTATION_INITIALE);
    unsetenv("LD_DEBUG");
    for (const std::string &l : essai::lignes(t.execution.erreurs)) {
        size_t vers = l.find(" to ");
        if (vers != std::string::npos && l.find("/libtessor.so") < vers &&
            l.find(" [0]: normal symbol `" + table + "'") != std::string::npos)
            return l.substr(vers + 4, l.find(" [0]: ", vers) - vers - 4);
    }
    return "";
}

TEST(TablesPropres, LesReglesLisentLesTablesDuProgrammeJoueur)
{
    for (const char *joueur : {"joueur_coins", "joueur_topo"})
        for (const char *table : {"topologie", "positionInitiale"})
            EXPECT_EQ(moduleDeLaTable(joueur, table), essai::programme(joueur)) << table;
    // Without tables of its own, a player's rules read the host library's.
    EXPECT_NE(moduleDeLaTable("joueur_essai", "topologie").find("/libjoueur.so"),
              std::string::npos);
}

} // namespace
