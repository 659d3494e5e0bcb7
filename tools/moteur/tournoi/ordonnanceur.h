// The scheduler of a tournament's concurrent games.
//
// N workers, each a thread of its own, play games at the same time.  A
// worker plays one game at a time with player processes of its own, which
// wait for its next pairings (vivier.h); the process layer waits for a
// player's answer with a deadline (its watcher, guetteur.h), so a blocking
// call per game is all a worker needs, and a thread per running game keeps
// every game's code the same as a match's.  Workers take game pairs (the
// two games of one start), first each a pairing of its own, whole; when none
// is left untouched, they join the pairing with the most pairs left, so that
// the last games of a tournament are shared too.
//
// Each worker stays on one processor (the k-th the engine may use, in turn),
// and so do the players it starts: the engine and a player take turns, and a
// turn crossing processors costs more than the turn itself.
#pragma once

#include "tournoi/calendrier.h"
#include "processus/orphelins.h"
#include "partie/designation.h"

#include <functional>
#include <vector>

namespace moteur {

struct TravailTournoi {
    const Calendrier *calendrier = nullptr;
    std::vector<DescriptionJoueur> joueurs; // in the schedule's order
    std::vector<int> aJouer;                // game numbers, ascending
    int concurrence = 1;
    bool strict = false;
    // Where each pairing's players write their output: one file per pairing
    // and player, DOSSIER/<pairing>-<name>.txt (empty: as `joueurs` say).
    std::string dossierTraces;
};

// The trace file of player `nom` in pairing `rencontre` (dossierTraces), and
// in a match of the `rencontre`-th player named: DOSSIER/N-NOM.txt.
std::string fichierDeTrace(const std::string &dossier, int rencontre, const std::string &nom);

// Plays the games; `partieFinie` is called for each game that ends (never for
// one dropped by a stop signal), one call at a time, from the worker that
// played it, and says whether to go on.  Returns once every worker is done:
// all games played, a stop signal, or `partieFinie` said no.
void jouerTournoi(const TravailTournoi &travail, Registre &registre,
                  const std::function<bool(const Partie &)> &partieFinie);

// The processors the engine may run on.
std::vector<int> processeursPermis();

} // namespace moteur
