// What every subcommand shares: its exit statuses, how it refuses a command
// line, its help, and the steps each of them writes the same way.
#pragma once

#include "commandes/options.h"
#include "partie/livre.h"
#include "partie/partie.h"
#include "processus/orphelins.h"

#include <cstdio>
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

// The file name of a player given by its path.
std::string nomDeBase(const std::string &nom);
// The whole text, flushed; false when it did not all reach the file.
bool ecrireTout(std::FILE *f, const std::string &t);
// A record opened for appending (not inherited by players); nothing, with
// the message said, when it cannot be.
std::FILE *ouvrirEnregistrement(const std::string &chemin);

// The folder of the programs' output, when asked for: whether it is there
// (otherwise the reason is said).
bool creerLeDossierDesTraces(const std::string &dossier);

// The book of --livre, read and checked; none without the option.  An
// error text in `refus` when it cannot be read or is no book.
RefLivre chargerLivre(const Options &o, std::string &refus);

// The games to play: the whole schedule, or slice K of M.
struct Etendue {
    int premiere = 0, derniere = 0;
};
class Calendrier;
// What the record of --enregistrer already holds, when resuming a match or
// a tournament (as `o.commande` says): its games, once found to be those of
// `calendrier` within `e`; a last block cut short is cut off the file.  The
// exit status when it cannot be resumed.
std::optional<int> lireLaReprise(const Options &o, const Calendrier &calendrier, Etendue e,
                                 std::vector<Partie> &anciennes);

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
int commandeLivre(const Options &o, Registre &registre);
int commandeJoueurs(const Options &o, Registre &registre);
// The automatic players `moteur joueurs` lists, by name.
std::vector<std::string> joueursAutomatiques(Registre &registre);

} // namespace moteur
