// The seed tool, run as a program.
#include "programme.h"

#include <gtest/gtest.h>

namespace {

essai::Execution alea(const std::vector<std::string> &args)
{
    return essai::executer(essai::programme("alea"), args);
}

TEST(Alea, SansArgumentAfficheLUsage)
{
    essai::Execution e = alea({});
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.sortie, "");
    EXPECT_EQ(e.erreurs, "alea <strGraine> [<strEnsemble>]\n");
}

TEST(Alea, AbcAvecLEnsembleParDefaut)
{
    essai::Execution e = alea({"abc"});
    EXPECT_EQ(e.statut, 0);
    EXPECT_EQ(e.sortie, "dDt"); // 97, 98, 99 mod 19 = 2, 3, 4
    EXPECT_EQ(e.erreurs, "Graine : abc (3 car.)\n"
                         "Ensemble : uUdDtTqQcC123456789 (19 car.)\n"
                         "graine[0]=97, graine[0]%19 = 2\n"
                         "graine[1]=98, graine[1]%19 = 3\n"
                         "graine[2]=99, graine[2]%19 = 4\n");
}

TEST(Alea, GraineVide)
{
    essai::Execution e = alea({""});
    EXPECT_EQ(e.statut, 0);
    EXPECT_EQ(e.sortie, "");
    EXPECT_EQ(e.erreurs, "Graine :  (0 car.)\nEnsemble : uUdDtTqQcC123456789 (19 car.)\n");
}

TEST(Alea, EnsembleDUnCaractereEtTroisArguments)
{
    EXPECT_EQ(alea({"xyz!", "#"}).sortie, "####");
    essai::Execution trois = alea({"abc", "#", "autre"});
    EXPECT_EQ(trois.sortie, "dDt");
    EXPECT_NE(trois.erreurs.find("Ensemble : uUdDtTqQcC123456789 (19 car.)\n"), std::string::npos);
}

TEST(Alea, OctetNegatifCompteDepuisLaFinDeLEnsemble)
{
    // "é" is 0xC3 0xA9: v = -61 and -87; -61 % 10 = -1, -87 % 10 = -7.
    essai::Execution e = alea({"é", "0123456789"});
    EXPECT_EQ(e.statut, 0);
    EXPECT_EQ(e.sortie, "93");
    EXPECT_NE(e.erreurs.find("graine[0]=-61, graine[0]%10 = -1\n"), std::string::npos);
    EXPECT_NE(e.erreurs.find("graine[1]=-87, graine[1]%10 = -7\n"), std::string::npos);
    // -60 % 10 = 0 (\xC4): the first character.
    EXPECT_EQ(alea({"\xC4", "0123456789"}).sortie, "0");
}

TEST(Alea, EnsembleVideRefuse)
{
    essai::Execution e = alea({"abc", ""});
    EXPECT_EQ(e.statut, 1);
    EXPECT_EQ(e.sortie, "");
    EXPECT_EQ(e.erreurs,
              "alea : l'ensemble de caractères est vide, aucun caractère ne peut être tiré\n");
}

} // namespace
