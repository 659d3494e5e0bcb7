#include "recherche.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace fort {
namespace {

constexpr int PROFONDEUR_MAX = NBCASES;    // a game has at most 47 moves
constexpr int COUPS_MAX = 292;             // ordered pairs of neighbours
constexpr int HAUTEURS = 7;                // 0 to 5, then 6 for anything taller
constexpr int TAILLE_TABLE = 1 << 16;      // entries of the transposition table
constexpr int SEUIL_RESOLUTION = 17;       // columns in play: the end is searched at once

using Cases = uint64_t;                    // a set of cells, bit i for cell i
constexpr Cases bit(int i) { return Cases{1} << i; }

// ---- Keys ------------------------------------------------------------------
//
// One random key per cell, height and top colour, drawn at compile time from
// a fixed sequence (no rand: the host's seed is left alone).  A position is
// keyed relative to the side to move: the key of a board with yellow to move
// is the key of the same board with the colours exchanged and red to move,
// so that both see one search.

struct Cles {
    uint64_t v[NBCASES][HAUTEURS][3];
};

constexpr uint64_t suivant(uint64_t &etat)
{
    etat += 0x9E3779B97F4A7C15ULL;
    uint64_t z = etat;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr Cles fabriquerCles()
{
    Cles c{};
    uint64_t etat = 0x7E5502;
    for (int i = 0; i < NBCASES; i++)
        for (int h = 1; h < HAUTEURS; h++)
            for (int k = JAUNE; k <= ROUGE; k++)
                c.v[i][h][k] = suivant(etat);
    return c;
}

constexpr Cles CLES = fabriquerCles();

constexpr uint8_t autre(uint8_t couleur) { return couleur == JAUNE ? ROUGE : JAUNE; }

inline uint64_t cleCase(int i, int h, uint8_t couleur)
{
    return CLES.v[i][h < HAUTEURS ? h : HAUTEURS - 1][couleur];
}

// ---- Board -----------------------------------------------------------------

// The neighbours of each cell as a set, read from `topologie` at the start
// of every turn.
Cases voisinage[NBCASES];

void preparerVoisinages()
{
    for (int i = 0; i < NBCASES; i++) {
        voisinage[i] = 0;
        const Voisins &v = topologie[i];
        for (int k = 0; k < v.nb && k < NBVOISINS_MAX; k++)
            if (v.cases[k] < NBCASES && v.cases[k] != i)
                voisinage[i] |= bit(v.cases[k]);
    }
}

struct Plateau {
    uint8_t h[NBCASES];
    uint8_t c[NBCASES];      // JAUNE, ROUGE, or VIDE on an empty cell
    uint8_t trait;
    Cases hauteur[HAUTEURS]; // [k]: the cells of height k (1 to 5; 6: taller)
    Cases couleur[3];        // [JAUNE], [ROUGE]: the cells each colour tops
    uint64_t cle[3];         // [JAUNE]: colours as they are; [ROUGE]: exchanged
};

// The cells of height 1 to k (k from 0 to 4).
inline Cases jusqua(const Plateau &p, int k)
{
    Cases s = 0;
    for (int j = 1; j <= k; j++)
        s |= p.hauteur[j];
    return s;
}

// sous[k]: the cells of height 1 to k, for k from 0 to 4 (a column of
// height h can join those of sous[5 - h]).
inline void remplirJusqua(const Plateau &p, Cases sous[5])
{
    sous[0] = 0;
    for (int k = 1; k < 5; k++)
        sous[k] = sous[k - 1] | p.hauteur[k];
}

struct Retour {
    uint8_t ho, co, hd, cd;
    uint64_t cleJ, cleR;
};

// The received position as the search sees it: a colour other than red on a
// non-empty cell is yellow, as in the score count; the trait likewise.
Plateau charger(const Position &position)
{
    Plateau p{};
    p.trait = position.trait == ROUGE ? ROUGE : JAUNE;
    for (int i = 0; i < NBCASES; i++) {
        int h = position.cols[i].nb;
        p.h[i] = static_cast<uint8_t>(h);
        p.c[i] = h == 0 ? VIDE : (position.cols[i].couleur == ROUGE ? ROUGE : JAUNE);
        if (h == 0)
            continue;
        p.hauteur[h < HAUTEURS ? h : HAUTEURS - 1] |= bit(i);
        p.couleur[p.c[i]] |= bit(i);
        p.cle[JAUNE] ^= cleCase(i, h, p.c[i]);
        p.cle[ROUGE] ^= cleCase(i, h, autre(p.c[i]));
    }
    return p;
}

inline bool legal(const Plateau &p, Coup coup)
{
    int o = coup.origine, d = coup.destination;
    return o < NBCASES && d < NBCASES && p.h[o] != 0 && p.h[d] != 0 && p.h[o] + p.h[d] <= 5 &&
           (voisinage[o] & bit(d));
}

inline Retour jouer(Plateau &p, Coup coup)
{
    int o = coup.origine, d = coup.destination;
    Retour r{p.h[o], p.c[o], p.h[d], p.c[d], p.cle[JAUNE], p.cle[ROUGE]};
    int h = r.ho + r.hd;
    p.cle[JAUNE] ^= cleCase(o, r.ho, r.co) ^ cleCase(d, r.hd, r.cd) ^ cleCase(d, h, r.co);
    p.cle[ROUGE] ^= cleCase(o, r.ho, autre(r.co)) ^ cleCase(d, r.hd, autre(r.cd)) ^
                    cleCase(d, h, autre(r.co));
    p.hauteur[r.ho] ^= bit(o);
    p.hauteur[r.hd] ^= bit(d);
    p.hauteur[h] |= bit(d);
    p.couleur[r.co] ^= bit(o);
    p.couleur[r.cd] ^= bit(d);
    p.couleur[r.co] |= bit(d);
    p.h[d] = static_cast<uint8_t>(h);
    p.c[d] = r.co;
    p.h[o] = 0;
    p.c[o] = VIDE;
    p.trait = autre(p.trait);
    return r;
}

inline void defaire(Plateau &p, Coup coup, const Retour &r)
{
    int o = coup.origine, d = coup.destination;
    p.hauteur[r.ho + r.hd] ^= bit(d);
    p.hauteur[r.hd] |= bit(d);
    p.hauteur[r.ho] |= bit(o);
    p.couleur[r.co] ^= bit(d);
    p.couleur[r.cd] |= bit(d);
    p.couleur[r.co] |= bit(o);
    p.h[o] = r.ho;
    p.c[o] = r.co;
    p.h[d] = r.hd;
    p.c[d] = r.cd;
    p.cle[JAUNE] = r.cleJ;
    p.cle[ROUGE] = r.cleR;
    p.trait = autre(p.trait);
}

// Calls f(o, d) for every legal move, by origin then destination (the
// rules' own order).
template <typename F> inline void pourChaqueCoup(const Plateau &p, F f)
{
    Cases sous[5];
    remplirJusqua(p, sous);
    for (Cases m = sous[4]; m; m &= m - 1) {
        int o = std::countr_zero(m);
        for (Cases t = voisinage[o] & sous[5 - p.h[o]]; t; t &= t - 1)
            f(o, std::countr_zero(t));
    }
}

// ---- Values ------------------------------------------------------------------


// The value of a finished game from its margins (side to move's columns
// minus the opponent's, the same for fives).
inline int valeurDe(int colonnes, int cinq)
{
    int resultat = colonnes != 0 ? (colonnes > 0 ? 1 : -1) : (cinq > 0) - (cinq < 0);
    return resultat * VICTOIRE;
}

int finale(const Plateau &p)
{
    const Cases moi = p.couleur[p.trait], lui = p.couleur[autre(p.trait)];
    int colonnes = std::popcount(moi) - std::popcount(lui);
    int cinq = std::popcount(moi & p.hauteur[5]) - std::popcount(lui & p.hauteur[5]);
    return valeurDe(colonnes, cinq);
}

// Learned weights (see the opening comment of joueur_fort.cpp).  A column
// falls in one class: 0 closed, 1 five, otherwise in play, by its height,
// its friendly and enemy partners (0, 1, 2 or more) and whether an enemy
// partner makes a five with it.
constexpr int NB_CLASSES = 2 + 4 * 3 * 3 * 2;
inline int classeVivante(int h, int ennemis, int amis, bool cinq)
{
    return 2 + (((h - 1) * 3 + ennemis) * 3 + amis) * 2 + (cinq ? 1 : 0);
}
inline bool seul(Cases m) { return m != 0 && (m & (m - 1)) == 0; }
// 0, 1, or 2 for two cells or more.
inline int jusquaDeux(Cases m) { return m == 0 ? 0 : ((m & (m - 1)) == 0 ? 1 : 2); }
enum { SANS_PRISE_MOI, SANS_PRISE_LUI, VIVANTES_IMPAIRES, PAIRE_MIENNE, PAIRE_MIXTE, PAIRE_SIENNE,
       NB_GLOBAUX };
struct Poids {
    int classe[2][NB_CLASSES];  // [0]: columns of the side to move, [1]: the opponent's
    int global[NB_GLOBAUX];
};
constexpr Poids POIDS = {
    {{
        217, 299, // closed, five
        0, 0, 149, 0, 94, 0, 104, 22, 142, 61, 125, 69, 89, 78, 115, 37, 125, 42, // height 1
        0, 0, 166, 0, 116, 0, 139, 37, 147, 30, 129, 40, 140, 23, 129, 18, 133, 37, // height 2
        0, 0, 193, 0, 154, 0, 156, 115, 185, 57, 173, 26, 121, 42, 152, 47, 174, 87, // height 3
        0, 0, 223, 0, 246, 0, 0, 74, 0, 93, 0, 69, 0, -25, 0, -48, 0, -7, // height 4
    },
    {
        -207, -289, // closed, five
        0, 0, -139, 0, -86, 0, -88, 62, -136, -17, -122, 5, -77, 4, -112, -7, -121, -2, // height 1
        0, 0, -164, 0, -118, 0, -89, 38, -146, -8, -126, -19, -138, 105, -122, 62, -122, 6, // height 2
        0, 0, -182, 0, -152, 0, -106, 38, -175, 20, -177, -14, -111, 29, -145, 31, -163, 9, // height 3
        0, 0, -211, 0, -241, 0, 0, 6, 0, -64, 0, -51, 0, 48, 0, 64, 0, 61, // height 4
    }},
    {6, -100, 14, -83, 17, 66},
};

// The heuristic value, or the exact one when no column is in play any more
// (the game is over), or when the closed columns alone decide it.
int heuristique(const Plateau &p, bool &finie)
{
    const uint8_t moi = p.trait;
    Cases sous[5];
    remplirJusqua(p, sous);
    int s = 0, vivantes = 0;
    int fermees[3] = {0, 0, 0}, nombre[3] = {0, 0, 0}, cinqs[3] = {0, 0, 0};
    Cases partenaires[3] = {0, 0, 0};
    Cases uniques = 0;  // columns with one partner
    for (Cases m = p.couleur[JAUNE] | p.couleur[ROUGE]; m; m &= m - 1) {
        int i = std::countr_zero(m);
        int h = p.h[i], c = p.c[i];
        int classe;
        nombre[c]++;
        if (h >= 5) {
            classe = 1;
            fermees[c]++;
            cinqs[c] += h == 5;
        } else {
            Cases compat = voisinage[i] & sous[5 - h];
            if (!compat) {
                classe = 0;
                fermees[c]++;
            } else {
                Cases amis = compat & p.couleur[c];
                Cases ennemis = compat ^ amis;
                if (seul(compat))
                    uniques |= bit(i);
                partenaires[c] |= compat;
                vivantes++;
                classe = classeVivante(h, jusquaDeux(ennemis), jusquaDeux(amis),
                                       (ennemis & p.hauteur[5 - h]) != 0);
            }
        }
        s += POIDS.classe[c == moi ? 0 : 1][classe];
    }
    finie = vivantes == 0;
    if (finie)
        return finale(p);
    const uint8_t lui = autre(moi);
    // Columns never grow in number, and closed ones are kept to the end.
    if (fermees[moi] > nombre[lui]) {
        finie = true;
        return VICTOIRE;
    }
    if (fermees[lui] > nombre[moi]) {
        finie = true;
        return -VICTOIRE;
    }
    if (partenaires[lui] == 0)
        s += POIDS.global[SANS_PRISE_MOI];
    if (partenaires[moi] == 0)
        s += POIDS.global[SANS_PRISE_LUI];
    if (vivantes & 1)
        s += POIDS.global[VIVANTES_IMPAIRES];
    // Pairs of columns joined to nothing else: one move each, whoever plays
    // it.  A pair of one colour keeps one column of that colour; a mixed pair
    // goes to the side that plays it first.
    int paires = 0, unies[3] = {0, 0, 0}, unies5[3] = {0, 0, 0}, mixtes = 0, mixtes5 = 0;
    for (Cases m = uniques; m; m &= m - 1) {
        int i = std::countr_zero(m);
        int j = std::countr_zero(voisinage[i] & sous[5 - p.h[i]]);
        if (j < i || !(uniques & bit(j)))
            continue;
        paires++;
        bool cinq = p.h[i] + p.h[j] == 5;
        if (p.c[i] == p.c[j]) {
            unies[p.c[i]]++;
            unies5[p.c[i]] += cinq;
            s += POIDS.global[p.c[i] == moi ? PAIRE_MIENNE : PAIRE_SIENNE];
        } else {
            mixtes++;
            mixtes5 += cinq;
            s += POIDS.global[PAIRE_MIXTE];
        }
    }
    if (2 * paires == vivantes) {
        // Only such pairs are left: each side takes a mixed pair in turn,
        // those making a five first; the game's end is known.
        finie = true;
        int colonnes = fermees[moi] + unies[moi] + (mixtes + 1) / 2 - fermees[lui] - unies[lui] -
                       mixtes / 2;
        int cinq = cinqs[moi] + unies5[moi] + (mixtes5 + 1) / 2 - cinqs[lui] - unies5[lui] -
                   mixtes5 / 2;
        return valeurDe(colonnes, cinq);
    }
    return s;
}

// ---- Search ------------------------------------------------------------------

enum : uint8_t { EXACTE = 0, BASSE = 1, HAUTE = 2, RESOLUE = 4 };

struct Entree {
    uint64_t cle;
    int32_t valeur;
    uint8_t profondeur;
    uint8_t drapeaux;   // bound, and RESOLUE when no heuristic value went into it
    Coup coup;
};
static_assert(sizeof(Entree) == 16);

// Fixed tables, cleared at the start of every turn: nothing of one turn
// reaches the next.
Entree table[TAILLE_TABLE];
Coup tueurs[PROFONDEUR_MAX + 1][2];
uint32_t historique[NBCASES][NBCASES];

struct Etat {
    Plateau p;
    long noeuds;
    long budget;
    bool arret;
    long heuristiques;  // heuristic values used so far: a subtree that adds none is exact
};
Etat e;

constexpr Coup AUCUN = {255, 255};
inline bool egaux(Coup a, Coup b) { return a.origine == b.origine && a.destination == b.destination; }

constexpr uint32_t RANG_TABLE = 1u << 31;
constexpr uint32_t RANG_TUEUR = 1u << 30;
constexpr uint32_t RANG_PRISE = 1u << 26;
constexpr uint32_t HISTORIQUE_MAX = (1u << 25) - 1;

// Static order: a move onto a column not of the mover takes a column from
// the opponent; carried by an own column, and more so making a five.
inline uint32_t rangStatique(const Plateau &p, int o, int d)
{
    if (p.c[d] == p.trait)
        return 0;
    uint32_t r = RANG_PRISE;
    if (p.c[o] == p.trait)
        r += p.h[o] + p.h[d] == 5 ? 2 * RANG_PRISE : RANG_PRISE;
    return r;
}

// A move and its rank in one word: the rank above, the move below, so that
// sorting the words sorts the moves, ties going the same way every time.
inline uint64_t classer(uint32_t rang, int o, int d)
{
    return static_cast<uint64_t>(rang) << 16 | static_cast<uint64_t>(o) << 8 |
           static_cast<uint64_t>(d);
}
inline Coup coupDe(uint64_t m)
{
    return Coup{static_cast<uint8_t>(m >> 8), static_cast<uint8_t>(m)};
}

// Every legal move with its rank: the table's move, the killers, then the
// static rank plus the history of cut-offs.
int genererClasses(const Plateau &p, uint64_t *coups, Coup coupTable, int ply)
{
    int n = 0;
    pourChaqueCoup(p, [&](int o, int d) {
        Coup c{static_cast<uint8_t>(o), static_cast<uint8_t>(d)};
        uint32_t rang;
        if (egaux(c, coupTable))
            rang = RANG_TABLE;
        else if (egaux(c, tueurs[ply][0]))
            rang = RANG_TUEUR + 1;
        else if (egaux(c, tueurs[ply][1]))
            rang = RANG_TUEUR;
        else
            rang = rangStatique(p, o, d) + historique[o][d];
        coups[n++] = classer(rang, o, d);
    });
    return n;
}

// The first moves are picked one by one (most nodes are cut off early);
// past them the rest is sorted at once.
constexpr int CHOIX_UN_A_UN = 4;
inline void mettreEnPlace(uint64_t *coups, int i, int n)
{
    if (i < CHOIX_UN_A_UN) {
        int m = i;
        for (int j = i + 1; j < n; j++)
            if (coups[j] > coups[m])
                m = j;
        std::swap(coups[i], coups[m]);
    } else if (i == CHOIX_UN_A_UN) {
        std::sort(coups + i, coups + n, [](uint64_t a, uint64_t b) { return a > b; });
    }
}

void retenirCoupure(Coup c, int prof, int ply)
{
    uint32_t &h = historique[c.origine][c.destination];
    uint32_t ajout = static_cast<uint32_t>(prof * prof);
    h = h + ajout > HISTORIQUE_MAX ? HISTORIQUE_MAX : h + ajout;
    if (!egaux(tueurs[ply][0], c)) {
        tueurs[ply][1] = tueurs[ply][0];
        tueurs[ply][0] = c;
    }
}

int feuille()
{
    bool finie;
    int v = heuristique(e.p, finie);
    if (!finie)
        e.heuristiques++;
    return v;
}

int negamax(int prof, int alpha, int beta, int ply)
{
    if (prof <= 0 || ply >= PROFONDEUR_MAX)
        return feuille();

    Plateau &p = e.p;
    uint64_t cle = p.cle[p.trait];
    Entree &t = table[cle & (TAILLE_TABLE - 1)];
    Coup coupTable = AUCUN;
    if (t.cle == cle) {
        bool resolue = t.drapeaux & RESOLUE;
        if (resolue || t.profondeur >= prof) {
            int borne = t.drapeaux & 3;
            if (borne == EXACTE || (borne == BASSE && t.valeur >= beta) ||
                (borne == HAUTE && t.valeur <= alpha)) {
                if (!resolue)
                    e.heuristiques++;
                return t.valeur;
            }
        }
        coupTable = t.coup;
    }

    // A position whose end is already known needs no move.
    bool finie;
    int statique = heuristique(p, finie);
    if (finie)
        return statique;

    uint64_t coups[COUPS_MAX];
    int n = genererClasses(p, coups, coupTable, ply);
    if (n == 0)
        return finale(p);

    const int alphaDepart = alpha;
    const long heuristiquesDepart = e.heuristiques;
    int meilleur = -INFINI;
    Coup meilleurCoup = AUCUN;
    for (int i = 0; i < n; i++) {
        mettreEnPlace(coups, i, n);
        Coup c = coupDe(coups[i]);
        if (++e.noeuds > e.budget) {
            e.arret = true;
            return 0;
        }
        Retour r = jouer(p, c);
        int v;
        if (i == 0) {
            v = -negamax(prof - 1, -beta, -alpha, ply + 1);
        } else {
            v = -negamax(prof - 1, -alpha - 1, -alpha, ply + 1);
            if (v > alpha && v < beta && !e.arret)
                v = -negamax(prof - 1, -beta, -alpha, ply + 1);
        }
        defaire(p, c, r);
        if (e.arret)
            return 0;
        if (v > meilleur) {
            meilleur = v;
            meilleurCoup = c;
            if (v > alpha) {
                alpha = v;
                if (v >= beta) {
                    retenirCoupure(c, prof, ply);
                    break;
                }
            }
        }
    }

    bool resolue = e.heuristiques == heuristiquesDepart;
    // A proven value is kept against an unproven one of the same position.
    if (t.cle != cle || resolue || !(t.drapeaux & RESOLUE)) {
        t.cle = cle;
        t.valeur = meilleur;
        t.profondeur = static_cast<uint8_t>(prof);
        t.drapeaux = static_cast<uint8_t>(
            (meilleur <= alphaDepart ? HAUTE : (meilleur >= beta ? BASSE : EXACTE)) |
            (resolue ? RESOLUE : 0));
        t.coup = meilleurCoup;
    }
    return meilleur;
}

// Searches the moves of the root, `racines` (indices of the list), deeper
// and deeper until the value is proven or the budget is spent.
void approfondir(const ListeCoups &coups, int *racines, int nr, Reponse &rep)
{
    for (int prof = 1; prof <= PROFONDEUR_MAX; prof++) {
        const long heuristiquesDepart = e.heuristiques;
        int alpha = -INFINI;
        int meilleur = -INFINI, rangMeilleur = -1;
        for (int k = 0; k < nr; k++) {
            Coup c = coups.coups[racines[k]];
            if (++e.noeuds > e.budget) {
                e.arret = true;
                break;
            }
            Retour r = jouer(e.p, c);
            int v;
            if (k == 0) {
                v = -negamax(prof - 1, -INFINI, INFINI, 1);
            } else {
                v = -negamax(prof - 1, -alpha - 1, -alpha, 1);
                if (v > alpha && !e.arret)
                    v = -negamax(prof - 1, -INFINI, -alpha, 1);
            }
            defaire(e.p, c, r);
            if (e.arret)
                break;
            if (v > meilleur) {
                meilleur = v;
                rangMeilleur = k;
                if (v > alpha)
                    alpha = v;
            }
        }
        if (rangMeilleur < 0)
            break;  // stopped before the first move was searched
        rep.index = racines[rangMeilleur];
        if (e.arret)
            break;  // the first move was searched in full; a later one beat it
        rep.valeur = meilleur;
        rep.profondeur = prof;
        rep.resolue = e.heuristiques == heuristiquesDepart;
        // The best move leads the next depth.
        int x = racines[rangMeilleur];
        for (int j = rangMeilleur; j > 0; j--)
            racines[j] = racines[j - 1];
        racines[0] = x;
        if (rep.resolue)
            break;
    }
}

// Whether the position after `c` (the opponent to move) is worth at least
// `seuil` to us, searched to the end of the game: a null window around the
// threshold.  The answer is meaningless once the budget is spent.
bool auMoins(Coup c, int seuil)
{
    if (++e.noeuds > e.budget) {
        e.arret = true;
        return false;
    }
    Retour r = jouer(e.p, c);
    int v = -negamax(PROFONDEUR_MAX, -seuil, -seuil + 1, 1);
    defaire(e.p, c, r);
    return v >= seuil;
}

// Of the moves `classe` (ranks into racines), the one that leaves the
// opponent the most replies after which we reach `seuil`: the most chances
// for a fallible opponent to go wrong.  Ties keep the earlier move.
int plusDeChances(const ListeCoups &coups, const int *racines, const int *classe, int nc,
                  int seuil)
{
    int choix = classe[0], meilleur = -1;
    for (int k = 0; k < nc && !e.arret; k++) {
        Coup c = coups.coups[racines[classe[k]]];
        Retour r = jouer(e.p, c);
        int chances = 0;
        bool complet = true;
        pourChaqueCoup(e.p, [&](int o, int d) {
            if (e.arret) {
                complet = false;
                return;
            }
            Coup reponse{static_cast<uint8_t>(o), static_cast<uint8_t>(d)};
            if (++e.noeuds > e.budget) {
                e.arret = true;
                complet = false;
                return;
            }
            Retour r2 = jouer(e.p, reponse);
            int v = negamax(PROFONDEUR_MAX, seuil - 1, seuil, 2);
            defaire(e.p, reponse, r2);
            chances += !e.arret && v >= seuil;
        });
        defaire(e.p, c, r);
        if (complet && chances > meilleur) {
            meilleur = chances;
            choix = classe[k];
        }
    }
    return choix;
}

// Solves the game from the root: a winning move if there is one, else a
// drawing one; among drawing moves, or when every move loses, the one that
// gives the opponent the most ways to go wrong.  False when the budget ran
// out first.
bool resoudre(const ListeCoups &coups, const int *racines, int nr, Reponse &rep)
{
    int nuls[CAPACITE_COUPS], tous[CAPACITE_COUPS];
    int nn = 0;
    for (int k = 0; k < nr; k++) {
        if (auMoins(coups.coups[racines[k]], 1)) {
            if (e.arret)
                return false;
            rep.index = racines[k];
            rep.valeur = VICTOIRE;
            return true;
        }
        if (e.arret)
            return false;
    }
    for (int k = 0; k < nr; k++) {
        bool nul = auMoins(coups.coups[racines[k]], 0);
        if (e.arret)
            return false;
        if (nul)
            nuls[nn++] = k;
        tous[k] = k;
    }
    rep.valeur = nn > 0 ? 0 : -VICTOIRE;
    const int *classe = nn > 0 ? nuls : tous;
    int nc = nn > 0 ? nn : nr;
    rep.index = racines[classe[0]];
    if (nc > 1)
        rep.index = racines[plusDeChances(coups, racines, classe, nc, nn > 0 ? 1 : 0)];
    return true;
}

int colonnesVivantes(const Plateau &p)
{
    int n = 0;
    for (Cases m = p.couleur[JAUNE] | p.couleur[ROUGE]; m; m &= m - 1) {
        int i = std::countr_zero(m);
        n += p.h[i] < 5 && (voisinage[i] & jusqua(p, 5 - p.h[i])) != 0;
    }
    return n;
}

} // namespace

Reponse chercher(const Position &position, const ListeCoups &coups, long budget)
{
    Reponse rep;
    const int n = coups.nb < 0 ? 0 : (coups.nb > CAPACITE_COUPS ? CAPACITE_COUPS : coups.nb);
    if (n == 0)
        return rep;

    preparerVoisinages();
    std::memset(table, 0, sizeof table);
    std::memset(tueurs, 0xff, sizeof tueurs);
    std::memset(historique, 0, sizeof historique);
    e.p = charger(position);
    e.noeuds = 0;
    e.arret = false;
    e.heuristiques = 0;

    // The moves of the list the rules allow, each once, ranked statically.
    int racines[CAPACITE_COUPS];
    int rangs[CAPACITE_COUPS];
    int nr = 0;
    for (int i = 0; i < n; i++) {
        Coup c = coups.coups[i];
        if (!legal(e.p, c))
            continue;
        bool deja = false;
        for (int k = 0; k < nr && !deja; k++)
            deja = egaux(coups.coups[racines[k]], c);
        if (deja)
            continue;
        racines[nr] = i;
        rangs[nr++] = static_cast<int>(rangStatique(e.p, c.origine, c.destination));
    }
    if (nr == 0) {
        rep.index = 0;  // nothing playable in the list: its first entry
        return rep;
    }
    // Stable ranking: the list's order breaks ties.
    for (int i = 1; i < nr; i++)
        for (int j = i; j > 0 && rangs[j] > rangs[j - 1]; j--) {
            std::swap(rangs[j], rangs[j - 1]);
            std::swap(racines[j], racines[j - 1]);
        }
    rep.index = racines[0];

    // Few columns in play: the end of the game is searched at once, with
    // part of the budget; what it proved stays in the table for the rest.
    if (colonnesVivantes(e.p) <= SEUIL_RESOLUTION) {
        e.budget = budget / 2;
        if (resoudre(coups, racines, nr, rep)) {
            rep.resolue = true;
            rep.profondeur = PROFONDEUR_MAX;
            rep.noeuds = e.noeuds;
            return rep;
        }
        e.arret = false;
    }
    e.budget = budget;
    approfondir(coups, racines, nr, rep);
    rep.noeuds = e.noeuds;
    return rep;
}

} // namespace fort
