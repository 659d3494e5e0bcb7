// The process layer: the only part of the engine that talks to the system
// about processes, pipes, signals and terminals.  No call throws; each says
// whether it went through, failed, or ran out of time.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace moteur {

enum class Etat { Ok, Erreur, Delai };

// How a child process ended.
struct FinProcessus {
    bool signal = false; // killed by a signal (a crash, or our own kill)
    int code = 0;        // the exit status, or the signal number
};

struct Lancement {
    std::string chemin;
    std::vector<std::string> arguments;
    bool terminal = false;    // keep our standard input, output and error (a person)
    std::string fichierTrace; // otherwise stdout and stderr go here; empty: /dev/null
};

// A player process with two pipes on the descriptors of protocole.h.
class Processus {
public:
    Processus() = default;
    ~Processus();
    Processus(const Processus &) = delete;
    Processus &operator=(const Processus &) = delete;

    Etat lancer(const Lancement &lancement);
    bool lance() const { return pid_ > 0; }
    int pid() const { return pid_; }

    // Writes the whole record at once; Erreur if the process no longer reads.
    Etat envoyer(const void *donnees, size_t taille);
    // Reads exactly `taille` bytes; a negative delay waits without limit.
    // Erreur at the end of the pipe (the process closed it or died).
    Etat recevoir(void *donnees, size_t taille, double delaiSecondes);

    bool vivant();
    // Closes the pipes and waits up to `delaiSecondes` for the process to
    // leave on its own, then kills it.  Always reaps it.
    FinProcessus terminer(double delaiSecondes);
    // Kills the process at once and reaps it.
    FinProcessus tuer();
    // How it ended, if it ends within `delaiSecondes` (it is reaped then);
    // nothing if it still runs.
    std::optional<FinProcessus> attendre(double delaiSecondes);
    // How it ended, if it has ended within `delaiSecondes`; kills it otherwise.
    FinProcessus attendreFin(double delaiSecondes);

private:
    void fermerTubes();
    int pid_ = -1;
    int cible_ = -1; // what kill ends: -pid_, its group, for a program
    int versLui_ = -1;
    int deLui_ = -1;
    std::optional<FinProcessus> fin_;
};

// The full path of a player program: beside the engine first, then as a path.
std::optional<std::string> trouverProgramme(const std::string &nom);

// Standard input, output or error closed when the engine starts: /dev/null
// takes its place, so that no pipe of a player ever gets its number (the
// player's own standard descriptors would cover it).
void ouvrirLesDescripteursStandard();

// SIGUSR1: caught from the start so that it never kills the engine; the last
// one received from the process given to ecouterSignalDe is kept with its
// time, any other is ignored.  Also prepares the signals the process layer
// itself relies on (SIGPIPE, SIGALRM), and makes SIGINT, SIGTERM and SIGHUP
// end the running players before the engine.  The engine also becomes the
// reaper of every process its players leave behind (SIGCHLD).
void ecouterSIGUSR1();
// Ends and reaps the processes that a player left behind and that have come
// to the engine since the last call (cheap when there are none).  A player
// that is ended takes them with it at once.
void ramasserLesOrphelins();
// Whose SIGUSR1 counts from now on: the player whose turn it is (0: nobody).
void ecouterSignalDe(int pid);
// The time (on `maintenant`'s clock) of the last SIGUSR1 sent by `pid` at or
// after `depuis`, if any.
std::optional<double> signalRecu(int pid, double depuis);

// A match is a relay: at any moment only one of the engine and its players
// works, the others wait for its record.  Keeping them all on the processor
// the engine runs on spares a wake-up across processors at every turn, which
// costs more than the turn itself.  Children started afterwards inherit it.
void resterSurCeProcesseur();

double maintenant(); // seconds on a monotonic clock
int pidMoteur();
bool sortieEstUnTerminal();

} // namespace moteur
