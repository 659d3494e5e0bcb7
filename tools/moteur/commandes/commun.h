// What every subcommand shares: its exit statuses, how it refuses a command
// line, its help, and the steps each of them writes the same way.
#pragma once

#include "commandes/options.h"
#include "processus/orphelins.h"
#include "sorties/enregistrement.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace moteur {

// Exit statuses: all went well, something failed (a file, an output, a
// malformed record), the command line is wrong.
enum Statut : int { SUCCES = 0, ECHEC = 1, USAGE = 2 };

// Says why on the standard error, with where to find help: USAGE.
int refuser(Commande c, const std::string &erreur);
// The text of `moteur --help`, `moteur verifier --help`, `moteur page --help`.
std::string texteAide(Commande c);

// The whole of a file (`-`: standard input); nothing, with the reason said,
// when it cannot be read.
std::optional<std::string> contenuDe(const std::string &fichier);
// The games of a record file, every move checked; nothing, with the file,
// the line and the reason said, when it cannot be read or is not sound.
std::optional<LectureEnregistrements> enregistrementsDe(const std::string &fichier);

// The file name of a player given by its path.
std::string nomDeBase(const std::string &nom);

// With --traces: where the output of the player named `rang`-th (from 0)
// goes, in `dossier`, which creerLeDossierDesTraces makes (saying why not).
std::string fichierDeTrace(const std::string &dossier, size_t rang, const std::string &nom);
bool creerLeDossierDesTraces(const std::string &dossier);

// A player as the command line gives it: the name shown and recorded, and
// the program (a name or a path).  `nom=programme` names it; a path alone
// is shown by its file name when no other player has that name.
struct JoueurNomme {
    std::string nom, programme;
};
std::vector<JoueurNomme> nommerLesJoueurs(const std::vector<std::string> &arguments);
// A record opened for appending, locked against another engine
// (processus/fichiers.h); nothing, with the message said, when it cannot be.
std::FILE *ouvrirEnregistrement(const std::string &chemin);

struct Classement;
// The standings, on standard output and in the JSON file `resultats` if
// given: whether both were written.
bool publierClassement(const Classement &c, const std::string &resultats);

// Closes the record (if any): `erreur`, the first failure of its writes,
// or the closing's; said with the file's name when there is one.
std::string fermerEnregistrement(std::FILE *f, const std::string &chemin, std::string erreur);

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
