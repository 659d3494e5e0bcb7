// joueur_fin2: every move that meets one of its rules is handed as soon as it
// is met, the rules ranked in three levels, then red plays a scripted move.
//
// How the player decides: scanning the list, it hands an own column onto a
// column not its own ("Coup fin") only while nothing better was handed; a
// single own piece onto a column not its own that is not a three ("Coup
// Tessor") while no five was handed; and every own column making a five
// ("Coup 1sur4": 1 on 4, 4 on 1, 2 on 3, 3 on 2, whatever the colour below).
// So the last five of the list wins, else the last single piece, else the
// last plain capture before them.  Playing red, it then looks at a few cells
// at both ends of the two middle rows; the last of its eight tests that
// holds names a scripted move, played when the list holds it.
#include "joueur.h"
#include "nb_coups.h"
#include "regles.h"

#include <cstdio>

namespace {

enum Niveau { NIVEAU_FIN = 0, NIVEAU_TESSOR = 1, NIVEAU_CINQ = 2 };

// An own column onto a column not its own.
bool coupFin(const Position &p, Coup coup)
{
    const Colonne o = p.cols[coup.origine];
    const Colonne d = p.cols[coup.destination];
    return o.couleur == p.trait && d.couleur != p.trait && o.nb + d.nb <= HAUTEUR_MAX;
}

struct Script {
    bool choisi;
    Coup coup;
};

void prevoir(Script &script, uint8_t origine, uint8_t destination, const char *ligne, int n)
{
    script.choisi = true;
    script.coup = {origine, destination};
    std::printf(ligne, n);
}

// Red's scripted end moves: every test runs, the last that holds names the
// move; each prints its line with the length of the list.
Script finScriptee(const Position &p, int n)
{
    Script script = {false, {0, 0}};
    if (p.trait != ROUGE)
        return script;
    const uint8_t t = p.trait;
    auto c = [&p](int x) { return p.cols[x].couleur; };
    if (c(26) == t && c(34) == JAUNE)
        prevoir(script, 26, 34, "%d 44\n", n);
    if (c(18) == t && c(26) == JAUNE)
        prevoir(script, 18, 26, "%d 43\n", n);
    if (c(19) != t && c(19) == JAUNE)
        prevoir(script, 18, 19, "%d 42\n", n);
    if (c(27) == t)
        prevoir(script, 27, 19, "%d 41 if\n", n);
    if (c(21) == t && c(30) == JAUNE)
        prevoir(script, 21, 30, "%d 34\n", n);
    if (c(28) == t && c(21) == JAUNE)
        prevoir(script, 20, 21, "%d 33 if\n", n);
    if (c(28) != t && p.cols[21].nb == 1)
        prevoir(script, 20, 28, "%d 32 \n", n);
    if (c(29) == t)
        prevoir(script, 29, 28, "%d 31 if\n", n);
    return script;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    const int n = bornerNbCoups(coups.nb);
    int niveau = NIVEAU_FIN;

    for (int i = 0; i < n; i++) {
        const Coup coup = coups.coups[i];
        if (niveau == NIVEAU_FIN && coupFin(position, coup)) {
            ecrireIndexCoup(i);
            std::printf("Coup fin %d\n", i);
        }
        if (niveau <= NIVEAU_TESSOR && petitePile(position, coup)) {
            ecrireIndexCoup(i);
            std::printf("Coup Tessor %d\n", i);
            niveau = NIVEAU_TESSOR;
        }
        for (int regle = 0; regle < NB_REGLES_CINQ; regle++)
            if (regleCinq(regle, position, coup)) {
                ecrireIndexCoup(i);
                std::printf("Coup 1sur4 %d\n", i);
                niveau = NIVEAU_CINQ;
            }
    }

    // The scripted move, handed last, is the one played.
    const Script script = finScriptee(position, n);
    if (script.choisi)
        for (int j = 0; j < n; j++)
            if (memeCoup(coups.coups[j], script.coup))
                ecrireIndexCoup(j);
}
