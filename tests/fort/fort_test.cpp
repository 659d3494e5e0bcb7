// joueur_fort's search against an exhaustive solver written here: on small
// endgames its proven value is the game's, it finds forced wins, and it
// never hands an index outside the list nor a different move for the same
// position.
#include "positions.h"
#include "recherche.h"
#include "tessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// The result of a finished game for the side to move: more columns topped
// wins, then more columns of five.
int resultatFinal(const Position &p)
{
    Score s = evaluerScore(p);
    int j = s.nbJ != s.nbR ? (s.nbJ > s.nbR ? 1 : -1) : (s.nbJ5 > s.nbR5) - (s.nbJ5 < s.nbR5);
    return p.trait == JAUNE ? j : -j;
}

std::string cle(const Position &p) { return std::string(reinterpret_cast<const char *>(&p), sizeof p); }

// Every line of play, remembered by position: -1, 0 or 1 for the side to move.
int resoudre(const Position &p, std::unordered_map<std::string, int> &vues)
{
    auto [it, nouvelle] = vues.try_emplace(cle(p), 0);
    if (!nouvelle)
        return it->second;
    ListeCoups l = getCoupsLegaux(p);
    int meilleur = l.nb == 0 ? resultatFinal(p) : -1;
    for (int i = 0; i < l.nb && meilleur < 1; i++)
        meilleur = std::max(meilleur, -resoudre(jouerCoup(p, l.coups[i].origine, l.coups[i].destination), vues));
    vues[cle(p)] = meilleur;
    return meilleur;
}

// Whether the side to move can win with the game over by its n-th move.
bool gagneEn(const Position &p, int n)
{
    ListeCoups l = getCoupsLegaux(p);
    for (int i = 0; i < l.nb && n > 0; i++) {
        Position q = jouerCoup(p, l.coups[i].origine, l.coups[i].destination);
        ListeCoups r = getCoupsLegaux(q);
        bool gagne = r.nb == 0 ? resultatFinal(q) < 0 : n > 1;
        for (int k = 0; k < r.nb && gagne; k++)
            gagne = gagneEn(jouerCoup(q, r.coups[k].origine, r.coups[k].destination), n - 1);
        if (gagne)
            return true;
    }
    return false;
}

// Columns that some move can still join: the endgames solved here have few.
int colonnesEnJeu(const Position &p)
{
    ListeCoups l = getCoupsLegaux(p);
    bool enJeu[NBCASES] = {};
    for (int i = 0; i < l.nb; i++)
        enJeu[l.coups[i].origine] = enJeu[l.coups[i].destination] = true;
    return static_cast<int>(std::count(std::begin(enJeu), std::end(enJeu), true));
}

// The positions of seeded random games with at most `max` columns in play
// and a move to make.
std::vector<Position> finsDePartie(int parties, int max)
{
    std::vector<Position> fins;
    for (const Position &p : essai::positionsDeJeu(parties, 1, 7))
        if (int n = colonnesEnJeu(p); n > 0 && n <= max)
            fins.push_back(p);
    return fins;
}

Position apres(const Position &p, const ListeCoups &l, int index)
{
    return jouerCoup(p, l.coups[index].origine, l.coups[index].destination);
}

TEST(JoueurFort, SaValeurProuveeEstCelleDeLaPartie)
{
    int comparees = 0;
    for (const Position &p : finsDePartie(60, 12)) {
        std::unordered_map<std::string, int> vues;
        ListeCoups l = getCoupsLegaux(p);
        fort::Reponse r = fort::chercher(p, l);
        ASSERT_TRUE(r.resolue) << "12 colonnes en jeu au plus : la fin est calculée";
        int valeur = resoudre(p, vues);
        EXPECT_EQ(fort::resultatDeValeur(r.valeur), valeur);
        // The move chosen keeps that value.
        EXPECT_EQ(-resoudre(apres(p, l, r.index), vues), valeur);
        comparees++;
    }
    EXPECT_GT(comparees, 300);
}

TEST(JoueurFort, TrouveLesGainsForcesEnUnDeuxEtTroisCoups)
{
    const std::vector<Position> fins = finsDePartie(1500, 10);
    for (int n = 1; n <= 3; n++) {
        int trouves = 0;
        for (const Position &p : fins) {
            ListeCoups l = getCoupsLegaux(p);
            if (trouves == 15 || !gagneEn(p, n) || gagneEn(p, n - 1))
                continue;
            // Only positions where some move does not win.
            std::unordered_map<std::string, int> vues;
            int gagnants = 0;
            for (int i = 0; i < l.nb; i++)
                gagnants += resoudre(apres(p, l, i), vues) < 0;
            if (gagnants == l.nb)
                continue;
            fort::Reponse r = fort::chercher(p, l);
            EXPECT_EQ(resoudre(apres(p, l, r.index), vues), -1) << "gain en " << n;
            trouves++;
        }
        EXPECT_EQ(trouves, 15) << "gains en " << n << " coups trouvés dans les parties";
    }
}

TEST(JoueurFort, UnIndiceDeLaListeEtLeMemeCoupPourLaMemePosition)
{
    std::mt19937 alea(3);
    std::vector<Position> positions = essai::positionsDeJeu(6, 3, 11);
    for (size_t k = 0; k < positions.size(); k++) {
        const Position &p = positions[k];
        ListeCoups l = getCoupsLegaux(p);
        if (l.nb == 0) {
            EXPECT_EQ(fort::chercher(p, l).index, -1);
            continue;
        }
        // A shuffled part of the list, with a move repeated and one the
        // rules forbid: only a legal entry of it may come back.
        std::shuffle(l.coups, l.coups + l.nb, alea);
        l.nb = std::max(1, l.nb / 2);
        l.coups[l.nb] = l.coups[0];
        l.coups[l.nb + 1] = Coup{0, 0};
        l.nb += 2;
        fort::Reponse r = fort::chercher(p, l);
        ASSERT_GE(r.index, 0);
        ASSERT_LT(r.index, l.nb);
        EXPECT_TRUE(estValide(p, l.coups[r.index].origine, l.coups[r.index].destination));
        // Another position searched in between changes nothing.
        fort::chercher(positions[(k + 1) % positions.size()], getCoupsLegaux(positions[0]));
        EXPECT_EQ(fort::chercher(p, l).index, r.index);
    }
    // Counts outside the list's storage read nothing past it.
    ListeCoups l = getCoupsLegaux(positions[0]);
    for (int nb : {-5, 0, CAPACITE_COUPS + 1, 100000}) {
        l.nb = nb;
        int index = fort::chercher(positions[0], l).index;
        EXPECT_TRUE(nb <= 0 ? index == -1 : index >= 0 && index < CAPACITE_COUPS) << nb;
    }
}

} // namespace
