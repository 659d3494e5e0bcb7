// What every subcommand shares: its exit statuses, how it refuses a command
// line, its help, and the steps each of them writes the same way.
#pragma once

#include "commandes/options.h"
#include "processus/orphelins.h"

#include <cstdio>
#include <string>

namespace moteur {

// Exit statuses: all went well, something failed (a file, an output, a
// malformed record), the command line is wrong.
enum Statut : int { SUCCES = 0, ECHEC = 1, USAGE = 2 };

// Says why on the standard error, with where to find help: USAGE.
int refuser(Commande c, const std::string &erreur);
// The text of `moteur --help`, `moteur verifier --help`, `moteur page --help`.
std::string texteAide(Commande c);

// The file name of a player given by its path.
std::string nomDeBase(const std::string &nom);
// The whole text, flushed; false when it did not all reach the file.
bool ecrireTout(std::FILE *f, const std::string &t);
// A record opened for appending (not inherited by players); nothing, with
// the message said, when it cannot be.
std::FILE *ouvrirEnregistrement(const std::string &chemin);

struct Classement;
// The standings, on standard output and in the JSON file `resultats` if
// given: whether both were written.
bool publierClassement(const Classement &c, const std::string &resultats);

// One subcommand: what it does with its options, and its exit status.
int commandeMatch(const Options &o, Registre &registre);
int commandeRejouer(const Options &o, Registre &registre);
int commandeVerifier(const Options &o, Registre &registre);
int commandePage(const Options &o, Registre &registre);
int commandeTournoi(const Options &o, Registre &registre);
int commandeClassement(const Options &o, Registre &registre);
// In `moteur`, hands over to `moteur-navigateur`, which holds the HTTP
// server and plays (relais_navigateur.cpp, navigateur.cpp).
int commandeNavigateur(const Options &o, Registre &registre);

} // namespace moteur
