// What every subcommand shares: its exit statuses, how it refuses a command
// line, its help, and the steps each of them writes the same way.
#pragma once

#include "commandes/options.h"
#include "partie/livre.h"
#include "partie/partie.h"
#include "processus/orphelins.h"
#include "sorties/enregistrement.h"

#include <cstdint>
#include <cstdio>
#include <functional>
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

// A page holds every game of its record in memory, and a browser must open
// it: larger records are refused.
constexpr uint64_t PAGE_OCTETS_MAX = uint64_t{32} << 20;

// A record file opened for reading (`-`: standard input, left open by
// fermerALire); -1, with the reason said, when it cannot be read (a folder,
// a device that may never end).
int ouvrirALire(const std::string &fichier);
// A file opened for reading, devices too, silent: -1 with `erreur` set to
// an errno value.
int ouvrirEnLecture(const std::string &fichier, int &erreur);
void fermerALire(int descripteur);
// Closes a descriptor of ouvrirALire when it goes, however it goes.
struct FermerEnPartant {
    int descripteur;
    ~FermerEnPartant() { fermerALire(descripteur); }
};
// How a record file is read: its headers kept in `tetes` when given;
// beyond `octetsMax` bytes (0: no limit), EnregistrementTropGros is thrown;
// a last block cut short said or not (a file read a second time).
struct Parcours {
    LectureEnregistrements *tetes = nullptr;
    uint64_t octetsMax = 0;
    bool avertir = true;
};
// Reads a record file block by block, handing each game to `recevoir` as
// soon as it is checked (a last block cut short is left out): false, with
// the file, the line and the reason said, when it cannot be read or is not
// sound.
bool parcourirEnregistrement(const std::string &fichier,
                             const std::function<void(Partie &&)> &recevoir, Parcours parcours = {});
// The games of a record file, every move checked, all kept; nothing, with
// the file, the line and the reason said, when it cannot be read or is not
// sound.
std::optional<LectureEnregistrements> enregistrementsDe(const std::string &fichier,
                                                        uint64_t octetsMax = 0);

// The file name of a player given by its path.
std::string nomDeBase(const std::string &nom);

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
// Without --reprendre, a record that already holds games of this run (or
// another run) is not written again: a second copy of its games would make
// it unreadable.  Another slice's games may share the file.  The exit
// status when it is refused.
std::optional<int> refuserUneSecondeCopie(const Options &o, const Calendrier &calendrier,
                                          Etendue e);

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
int commandeLivre(const Options &o, Registre &registre);
int commandeJoueurs(const Options &o, Registre &registre);
// The automatic players `moteur joueurs` lists, by name.
std::vector<std::string> joueursAutomatiques(Registre &registre);

} // namespace moteur
