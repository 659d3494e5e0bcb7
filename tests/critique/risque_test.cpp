// The risk rating and candidate helpers of the joueur_critique family, on
// small boards whose expected values follow from the rules by hand.
#include "strategies2.h"

#include "capture.h"
#include "plateau.h"
#include "positions.h"
#include "programme.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using essai::Colonnes;
using essai::plateau;

// Index of the move (o, d) in the legal list of the position, -1 if absent.
int indexDe(const ListeCoups &liste, int o, int d)
{
    for (int i = 0; i < liste.nb; i++)
        if (liste.coups[i].origine == o && liste.coups[i].destination == d)
            return i;
    return -1;
}

struct Tour {
    Position position;
    ListeCoups liste;
    int index;
};

// The position, its legal list and the index of (o, d) in it.
Tour tour(const Colonnes &colonnes, char trait, int o, int d)
{
    Tour t;
    t.position = plateau(colonnes, trait);
    t.liste = getCoupsLegaux(t.position);
    t.index = indexDe(t.liste, o, d);
    return t;
}

// ---- nbvoisin ---------------------------------------------------------------

TEST(Nbvoisin, CompteLesVoisinsNiVidesNiPleins)
{
    struct Cas {
        const char *nom;
        Colonnes colonnes;
        int cellule;
        int attendu;
    };
    const Cas cas[] = {
        {"tout vide", {}, 7, 0},
        {"voisins vides ou pleins", {{0, "1j"}, {1, "5j"}, {2, "5r"}}, 0, 0},
        {"hauteurs 1 et 4 comptent, 5 non", {{0, "1j"}, {1, "4r"}, {2, "5j"}, {4, "2j"}}, 0, 2},
        {"la case elle-même ne compte pas", {{0, "1j"}, {1, "1r"}}, 0, 1},
        {"une case vide a aussi ses voisins", {{1, "1j"}, {4, "5r"}, {8, "5j"}}, 5, 1},
        {"huit voisins vivants", {{2, "1j"}, {3, "2r"}, {4, "3j"}, {6, "4r"}, {8, "1j"},
                                  {12, "1r"}, {13, "1j"}, {14, "1r"}}, 7, 8},
        {"coin à trois voisins", {{18, "1r"}, {26, "1j"}, {27, "4j"}}, 19, 3},
    };
    for (const Cas &c : cas) {
        Position p = plateau(c.colonnes, 'j');
        EXPECT_EQ(nbvoisin(&p, static_cast<uint8_t>(c.cellule)), c.attendu) << c.nom;
    }
    Position initiale = essai::position(essai::NOTATION_INITIALE);
    for (int cellule = 0; cellule < NBCASES; cellule++)
        EXPECT_EQ(nbvoisin(&initiale, static_cast<uint8_t>(cellule)),
                  nbVoisins(static_cast<uint8_t>(cellule)))
            << cellule;
}

// ---- erreurcritique ----------------------------------------------------------

struct CasRisque {
    const char *nom;
    Colonnes colonnes;
    char trait;
    int o, d;
    int attendu;
};

const CasRisque CAS_RISQUE[] = {
    // A five made at once: theirs is critical, ours is safe whatever
    // surrounds the destination (here it is left with no live neighbour).
    {"cinq fait pour l'adversaire", {{0, "2r"}, {1, "3j"}}, 'j', 0, 1, 2},
    {"cinq fait pour soi, destination seule", {{0, "2r"}, {1, "3j"}}, 'j', 1, 0, 0},
    // A neighbour of the destination completes a five.
    {"cinq offert, nouvelle tête adverse", {{0, "1r"}, {1, "1j"}, {3, "3j"}}, 'j', 0, 1, 2},
    {"cinq offert, voisin adverse", {{0, "1j"}, {1, "1j"}, {3, "3r"}}, 'j', 0, 1, 2},
    {"cinq offert à soi seul", {{0, "1j"}, {1, "1j"}, {3, "3j"}, {4, "1j"}}, 'j', 0, 1, 0},
    // 2 + 1 + the origin's 2 would make five, but the origin leaves.
    {"l'origine ne complète pas sa propre pile", {{0, "2r"}, {1, "1j"}, {3, "1j"}, {4, "1j"}},
     'j', 0, 1, 0},
    // The origin is the destination's only live neighbour.
    {"destination figée sous l'adversaire", {{0, "1r"}, {1, "1j"}}, 'j', 0, 1, 2},
    {"destination figée sous soi", {{0, "1r"}, {1, "1j"}}, 'r', 0, 1, 0},
    {"voisins pleins ou vides seulement", {{0, "1r"}, {1, "1j"}, {3, "5j"}, {4, "5r"}}, 'j', 0,
     1, 2},
    // Two live neighbours: a neighbour whose only live neighbour is the
    // destination closes a pair with it.
    {"paire fermée par une case vide", {{0, "1j"}, {1, "1j"}, {3, "3j"}}, 'j', 0, 1, 1},
    {"paire fermée par un voisin adverse",
     {{0, "1j"}, {1, "1j"}, {2, "1r"}, {3, "5j"}, {4, "5j"}}, 'j', 1, 0, 1},
    {"paire fermée entre soi", {{0, "1j"}, {1, "1j"}, {2, "1j"}, {3, "5j"}, {4, "5j"}}, 'j', 1,
     0, 0},
    {"paire fermée, origine adverse", {{0, "1j"}, {1, "1r"}, {2, "1j"}, {3, "5j"}, {4, "5j"}},
     'j', 1, 0, 1},
    {"paire fermée par un voisin plein adverse",
     {{2, "1j"}, {7, "1j"}, {14, "1j"}, {4, "5r"}, {12, "5j"}}, 'j', 2, 7, 1},
    // 47 has two live neighbours, the red origin 46 and 45; 46 has only 47,
    // but the origin leaves and is not a neighbour to close a pair with.
    {"paire : l'origine ne compte pas", {{41, "1j"}, {45, "1j"}, {46, "1r"}, {47, "1j"}}, 'j',
     46, 47, 0},
    {"voisins pleins à soi", {{2, "1j"}, {7, "1j"}, {14, "1j"}, {4, "5j"}, {12, "5j"}}, 'j', 2,
     7, 0},
    {"rien à craindre", {{0, "1j"}, {1, "1j"}, {3, "1r"}, {4, "1j"}}, 'j', 0, 3, 0},
};

TEST(Erreurcritique, NoteChaqueCas)
{
    for (const CasRisque &c : CAS_RISQUE) {
        Tour t = tour(c.colonnes, c.trait, c.o, c.d);
        ASSERT_NE(t.index, -1) << c.nom;
        EXPECT_EQ(erreurcritique(&t.position, t.index, &t.liste), c.attendu) << c.nom;
    }
}

TEST(Erreurcritique, LesCouleursEchangeesDonnentLaMemeNote)
{
    for (const CasRisque &c : CAS_RISQUE) {
        Tour t = tour(c.colonnes, c.trait, c.o, c.d);
        t.position = essai::couleursEchangees(t.position);
        EXPECT_EQ(erreurcritique(&t.position, t.index, &t.liste), c.attendu) << c.nom;
    }
}

TEST(Erreurcritique, JugeLeCoupDeLIndexDonne)
{
    // (0, 1) is critical, (1, 0) is safe: the index picks the move.
    Tour t = tour({{0, "2r"}, {1, "3j"}}, 'j', 1, 0);
    ASSERT_EQ(t.liste.nb, 2);
    EXPECT_EQ(erreurcritique(&t.position, 0, &t.liste), 2);
    EXPECT_EQ(erreurcritique(&t.position, 1, &t.liste), 0);
}

TEST(Erreurcritique, NeChangeRienEtNAfficheRien)
{
    Tour t = tour({{0, "1j"}, {1, "1j"}, {3, "3j"}}, 'j', 0, 1);
    const Tour avant = t;
    essai::CaptureSortie capture;
    EXPECT_EQ(erreurcritique(&t.position, t.index, &t.liste), 1);
    EXPECT_EQ(capture.lire(), "");
    EXPECT_EQ(0, std::memcmp(&avant.position, &t.position, sizeof(Position)));
    EXPECT_EQ(0, std::memcmp(&avant.liste, &t.liste, sizeof(ListeCoups)));
}

// ---- candidate helpers -------------------------------------------------------

using Classement = int (*)(const Position *, const ListeCoups *, int, int *);

struct CasClassement {
    const char *nom;
    Classement aide;
    Colonnes colonnes;
    char trait;
    int o, d;
    int valeurAvant;
    bool accepte;
    int valeurApres; // running value after the call
};

const Colonnes ISOLES = {{0, "1r"}, {1, "1j"}};               // each alone with the other
const Colonnes CINQ = {{0, "2r"}, {1, "3j"}};                 // two columns that make a five
const Colonnes GROUPE = {{0, "1j"}, {1, "1j"}, {3, "3j"}, {4, "1j"}};
const Colonnes ROUGES = {{0, "1r"}, {1, "1r"}, {3, "1j"}, {4, "1j"}};
const Colonnes ROUGES_SEULS = {{0, "1r"}, {1, "1r"}};
const Colonnes OFFERT = {{0, "1j"}, {1, "1r"}, {3, "3r"}};    // (0, 1) offers a red five

const CasClassement CAS_CLASSEMENT[] = {
    // isolement: own origin, lone destination, safe, sum strictly below.
    {"isolement accepte", isolement, ISOLES, 'j', 1, 0, 5, true, 2},
    {"isolement : somme égale refusée", isolement, ISOLES, 'j', 1, 0, 2, false, 2},
    {"isolement : somme plus petite", isolement, ISOLES, 'j', 1, 0, 3, true, 2},
    {"isolement : origine adverse", isolement, ISOLES, 'j', 0, 1, 5, false, 5},
    {"isolement : destination entourée", isolement, GROUPE, 'j', 0, 1, 5, false, 5},
    {"isolement : un cinq n'est pas sous 5", isolement, CINQ, 'j', 1, 0, 5, false, 5},
    // isolementsuicide: the same without the risk test.
    {"suicide accepte", isolementsuicide, ISOLES, 'j', 1, 0, 6, true, 2},
    {"suicide : somme égale refusée", isolementsuicide, ISOLES, 'j', 1, 0, 2, false, 2},
    {"suicide : origine adverse", isolementsuicide, ISOLES, 'j', 0, 1, 6, false, 6},
    {"suicide : destination entourée", isolementsuicide, GROUPE, 'j', 0, 1, 6, false, 6},
    {"suicide : son propre cinq sous 6", isolementsuicide, CINQ, 'j', 1, 0, 6, true, 5},
    {"suicide : son propre cinq pas sous 5", isolementsuicide, CINQ, 'j', 1, 0, 5, false, 5},
    // empileradverse: opponent onto opponent, safe, fewer live neighbours.
    {"empilement accepte", empileradverse, ROUGES, 'j', 0, 1, 9, true, 3},
    {"empilement : compte égal refusé", empileradverse, ROUGES, 'j', 0, 1, 3, false, 3},
    {"empilement : compte plus petit", empileradverse, ROUGES, 'j', 0, 1, 4, true, 3},
    {"empilement : au départ 0, jamais", empileradverse, ROUGES, 'j', 0, 1, 0, false, 0},
    {"empilement : origine à soi", empileradverse, ROUGES, 'j', 3, 1, 9, false, 9},
    {"empilement : destination à soi", empileradverse, ROUGES, 'j', 0, 3, 9, false, 9},
    {"empilement : risqué", empileradverse, ROUGES_SEULS, 'j', 0, 1, 9, false, 9},
    // autoempileopti: safe, sum strictly above.
    {"plus haute accepte", autoempileopti, GROUPE, 'j', 0, 1, 0, true, 2},
    {"plus haute : somme égale refusée", autoempileopti, GROUPE, 'j', 0, 1, 2, false, 2},
    {"plus haute : somme plus grande", autoempileopti, GROUPE, 'j', 0, 1, 1, true, 2},
    {"plus haute : son propre cinq", autoempileopti, CINQ, 'j', 1, 0, 4, true, 5},
    {"plus haute : cinq de l'adversaire", autoempileopti, CINQ, 'j', 0, 1, 0, false, 0},
    {"plus haute : cinq offert", autoempileopti, OFFERT, 'j', 0, 1, 0, false, 0},
    {"plus haute : couleurs indifférentes", autoempileopti, ROUGES, 'j', 0, 1, 0, true, 2},
};

TEST(Candidats, ClassementsAvecValeurCourante)
{
    for (const CasClassement &c : CAS_CLASSEMENT) {
        Tour t = tour(c.colonnes, c.trait, c.o, c.d);
        ASSERT_NE(t.index, -1) << c.nom;
        int valeur = c.valeurAvant;
        int r = c.aide(&t.position, &t.liste, t.index, &valeur);
        EXPECT_EQ(r, c.accepte ? t.index : -1) << c.nom;
        EXPECT_EQ(valeur, c.valeurApres) << c.nom;
    }
}

TEST(Candidats, Empileradverse2PrendToutCoupSurUneColonneQuiNEstPasASoi)
{
    struct Cas {
        const char *nom;
        Colonnes colonnes;
        int o, d;
        bool accepte;
    };
    const Cas cas[] = {
        {"de soi sur l'adversaire", ROUGES, 3, 1, true},
        {"de l'adversaire sur l'adversaire", ROUGES, 0, 1, true},
        {"sur soi", ROUGES, 0, 3, false},
        {"cinq offert", OFFERT, 0, 1, false},
        {"cinq pour l'adversaire", CINQ, 0, 1, false},
        {"destination figée sous l'adversaire", ROUGES_SEULS, 0, 1, false},
    };
    for (const Cas &c : cas) {
        Tour t = tour(c.colonnes, 'j', c.o, c.d);
        ASSERT_NE(t.index, -1) << c.nom;
        EXPECT_EQ(empileradverse2(&t.position, &t.liste, t.index), c.accepte ? t.index : -1)
            << c.nom;
    }
}

TEST(Candidats, PriseDeCinq)
{
    struct Cas {
        const char *nom;
        Colonnes colonnes;
        char trait;
        int o, d;
        bool prise;
    };
    const Cas cas[] = {
        {"à soi sur l'adversaire", CINQ, 'j', 1, 0, true},
        {"de l'adversaire", CINQ, 'j', 0, 1, false},
        {"l'autre camp", CINQ, 'r', 0, 1, true},
        {"sur soi", {{0, "2j"}, {1, "3j"}}, 'j', 0, 1, false},
        {"quatre seulement", {{0, "1r"}, {1, "3j"}}, 'j', 1, 0, false},
    };
    for (const Cas &c : cas) {
        Tour t = tour(c.colonnes, c.trait, c.o, c.d);
        ASSERT_NE(t.index, -1) << c.nom;
        EXPECT_EQ(prisedecinq(&t.position, &t.liste, t.index) != 0, c.prise) << c.nom;
    }
}

// ---- over whole games ---------------------------------------------------------

TEST(Proprietes, SurDesPartiesAuHasard)
{
    for (unsigned graine = 1; graine <= 40; graine++) {
        for (Position p : essai::partieAuHasard(graine)) {
            ListeCoups l = getCoupsLegaux(p);
            int isole = 5, suicide = 5;
            for (int i = 0; i < l.nb; i++) {
                const Coup c = l.coups[i];
                // The origin is always a live neighbour of the destination.
                ASSERT_GE(nbvoisin(&p, c.destination), 1);
                const int note = erreurcritique(&p, i, &l);
                ASSERT_TRUE(note >= 0 && note <= 2);
                if (prisedecinq(&p, &l, i)) {
                    EXPECT_EQ(note, 0);
                }
                // With the same start value the two isolations agree: an own
                // origin alone next to the destination leaves no step of the
                // risk test to fail.
                EXPECT_EQ(isolement(&p, &l, i, &isole), isolementsuicide(&p, &l, i, &suicide));
                EXPECT_EQ(isole, suicide);
            }
        }
    }
}

} // namespace
