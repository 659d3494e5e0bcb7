// Fuzz target: the rules operations on any board whose fields are in range
// (the first 97 bytes, each field taken modulo its range), then along the
// moves the next bytes choose.  What holds: the move list is the brute-force
// enumeration over the grid, in its order, with the entries past it zero;
// estValide and jouerCoup agree with it on every pair of neighbours, and
// refuse a cell onto itself or onto a far one; a move keeps
// the total height, empties exactly one cell and passes the trait; a move
// refused leaves the board as it was; the score counts the columns.
#include "exiger.h"
#include "grille.h"

#include "tessor.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// Neighbours from the grid alone: touching by a side or a corner.
bool voisines(int a, int b)
{
    static const auto table = [] {
        struct Table {
            bool v[NBCASES][NBCASES] = {};
        } t;
        for (int l = 0; l < hote::TAILLE_GRILLE; l++)
            for (int c = 0; c < hote::TAILLE_GRILLE; c++)
                for (int l2 = l - 1; l2 <= l + 1; l2++)
                    for (int c2 = c - 1; c2 <= c + 1; c2++) {
                        if (l2 < 0 || c2 < 0 || l2 >= hote::TAILLE_GRILLE ||
                            c2 >= hote::TAILLE_GRILLE || (l2 == l && c2 == c))
                            continue;
                        int x = hote::grille[static_cast<size_t>(l)][static_cast<size_t>(c)];
                        int y = hote::grille[static_cast<size_t>(l2)][static_cast<size_t>(c2)];
                        if (x != hote::HORS && y != hote::HORS)
                            t.v[x][y] = true;
                    }
        return t;
    }();
    return table.v[a][b];
}

int hauteurTotale(const Position &p)
{
    int n = 0;
    for (const Colonne &c : p.cols)
        n += c.nb;
    return n;
}

int nonVides(const Position &p)
{
    int n = 0;
    for (const Colonne &c : p.cols)
        n += c.nb != 0;
    return n;
}

bool dansLaListe(const ListeCoups &l, int o, int d)
{
    for (int k = 0; k < l.nb; k++)
        if (l.coups[k].origine == o && l.coups[k].destination == d)
            return true;
    return false;
}

void verifierListe(const Position &p, const ListeCoups &l)
{
    ListeCoups attendue = {};
    for (int o = 0; o < NBCASES; o++)
        for (int d = 0; d < NBCASES; d++)
            if (voisines(o, d) && p.cols[o].nb > 0 && p.cols[d].nb > 0 &&
                p.cols[o].nb + p.cols[d].nb <= HAUTEUR_MAX)
                attendue.coups[attendue.nb++] = {static_cast<uint8_t>(o), static_cast<uint8_t>(d)};
    EXIGER(std::memcmp(&attendue, &l, sizeof l) == 0, "la liste n'est pas l'énumération");
}

void verifierCoup(const Position &avant, int o, int d, bool legal)
{
    auto co = static_cast<uint8_t>(o), cd = static_cast<uint8_t>(d);
    EXIGER(estValide(avant, co, cd) == legal, "estValide contredit la liste");
    Position apres = jouerCoup(avant, co, cd);
    if (!legal) {
        EXIGER(std::memcmp(&apres, &avant, sizeof avant) == 0, "un coup refusé change le plateau");
        return;
    }
    EXIGER(hauteurTotale(apres) == hauteurTotale(avant), "un coup change la hauteur totale");
    EXIGER(nonVides(apres) == nonVides(avant) - 1, "un coup ne vide pas une seule case");
    EXIGER(apres.cols[o].nb == 0 && apres.cols[o].couleur == VIDE, "l'origine n'est pas vide");
    EXIGER(apres.cols[d].nb == avant.cols[o].nb + avant.cols[d].nb &&
               apres.cols[d].couleur == avant.cols[o].couleur,
           "la destination ne porte pas la colonne jouée");
    EXIGER(apres.trait == (avant.trait == JAUNE ? ROUGE : JAUNE), "le trait ne passe pas");
    for (int i = 0; i < NBCASES; i++)
        EXIGER(i == o || i == d ||
                   std::memcmp(&apres.cols[i], &avant.cols[i], sizeof(Colonne)) == 0,
               "un coup change une autre case");
}

void verifierScore(const Position &p)
{
    Score s = evaluerScore(p);
    int cinq = 0;
    for (const Colonne &c : p.cols)
        cinq += c.nb == HAUTEUR_MAX;
    EXIGER(s.nbJ + s.nbR == nonVides(p) && s.nbJ5 + s.nbR5 == cinq, "le score ne compte pas");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    // The rules print why a move is refused: thousands of lines per input.
    static std::FILE *nul = std::freopen("/dev/null", "w", stdout);
    EXIGER(nul != nullptr, "pas de /dev/null");
    uint8_t octets[sizeof(Position)] = {};
    if (taille > 0) // an empty input may come as a null pointer
        std::memcpy(octets, donnees, std::min(taille, sizeof octets));
    Position p;
    p.trait = octets[0] % 2 == 0 ? JAUNE : ROUGE;
    for (int i = 0; i < NBCASES; i++)
        p.cols[i] = {static_cast<uint8_t>(octets[1 + 2 * i] % (HAUTEUR_MAX + 1)),
                     static_cast<uint8_t>(octets[2 + 2 * i] % 3)};

    ListeCoups l = getCoupsLegaux(p);
    verifierListe(p, l);
    // Every pair of neighbours, every cell onto itself, and for each cell the
    // one across the board.
    for (int o = 0; o < NBCASES; o++)
        for (int d = 0; d < NBCASES; d++)
            if (voisines(o, d) || d == o || d == NBCASES - 1 - o)
                verifierCoup(p, o, d, dansLaListe(l, o, d));
    verifierScore(p);
    afficherPosition(p);
    afficherListeCoups(l);
    afficherScore(evaluerScore(p));

    // Then along the moves the rest of the input chooses.
    for (size_t k = sizeof octets; k < taille && l.nb > 0; k++) {
        Coup c = l.coups[donnees[k] % l.nb];
        verifierCoup(p, c.origine, c.destination, true);
        p = jouerCoup(p, c.origine, c.destination);
        l = getCoupsLegaux(p);
        verifierListe(p, l);
        verifierScore(p);
    }
    return 0;
}
