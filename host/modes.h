// The ways a player program can be run by its host's main.
#pragma once

// Defined only in the programs through which a person plays (personne.cpp,
// linked by the PERSONNE registration); elsewhere its address is null.
extern "C" __attribute__((weak, visibility("default"))) const int joueurPersonne;

namespace hote {

// `PLAYER --position NOTATION [--graine N]`: plays one turn, then writes on
// standard error the indices handed and the SIGUSR1 signals received.
int modeTourUnique(const char *programme, int argc, char **argv);

// `PLAYER --moteur`: plays every turn the engine `moteur` asks for over the
// pipes of protocole.h, for a whole match.
int modeMoteur(const char *programme, int argc, char **argv);

// `PLAYER --texte`: the same over the text protocol (dialogue.h) on its
// standard input and output, its own output going to standard error.
int modeTexte(const char *programme, int argc, char **argv);

// Exit status for a command line that cannot be understood.
constexpr int STATUT_USAGE = 2;
void afficherUsage(const char *programme, bool erreur);

} // namespace hote
