// A player's process: launched with two pipes on the descriptors of
// protocole.h, spoken to with whole records, waited for with a deadline,
// ended with whatever it started.  No call throws; each says whether it went
// through, failed, or ran out of time.
#pragma once

#include "processus/guetteur.h"
#include "processus/orphelins.h"

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
    // Bytes at most in fichierTrace (0: no limit).  The program's writes past
    // it fail (the limit holds for every file it writes), and once it has
    // ended, a last line of the engine says where the file was cut.
    long tailleTrace = 0;
};

// The line that ends a trace file cut at `taille` bytes.
std::string ligneDeCoupure(long taille);

class Processus {
public:
    explicit Processus(Registre &registre) : registre_(registre) {}
    ~Processus();
    Processus(const Processus &) = delete;
    Processus &operator=(const Processus &) = delete;

    // The thread that launches must outlive the process: the process is
    // killed when that thread ends (a safeguard should the engine die).
    Etat lancer(const Lancement &lancement);
    bool lance() const { return place_ != nullptr; }
    int pid() const { return pid_; }

    // Writes the whole record at once; Erreur if the process no longer reads.
    Etat envoyer(const void *donnees, size_t taille);
    // Reads exactly `taille` bytes; a negative delay waits without limit.
    // Erreur at the end of the pipe (the process closed it or died); Delai
    // if the record is not all there at the deadline (guetteur.h; the
    // process runs on).
    Etat recevoir(void *donnees, size_t taille, double delaiSecondes);
    // The time (on maintenant()'s clock) of the last SIGUSR1 it sent, if it
    // came at or after `depuis`.
    std::optional<double> signalDepuis(double depuis) const;

    bool vivant();
    // Closes the pipes and waits up to `delaiSecondes` for the process to
    // leave on its own, then kills it.  Always reaps it.
    FinProcessus terminer(double delaiSecondes);
    // Kills the process and its group at once, reaps it, and sweeps the
    // orphans it leaves.
    FinProcessus tuer();
    // How it ended, if it ends within `delaiSecondes` (it is reaped then);
    // nothing if it still runs.
    std::optional<FinProcessus> attendre(double delaiSecondes);
    // How it ended, if it has ended within `delaiSecondes`; kills it otherwise.
    FinProcessus attendreFin(double delaiSecondes);

private:
    void fermerTubes();
    void noterLaCoupure() const;
    Registre &registre_;
    Place *place_ = nullptr; // while launched
    int pid_ = -1;
    int cible_ = -1; // what kill ends: -pid_, its group, for a program
    int versLui_ = -1;
    int deLui_ = -1;
    Echeance echeance_; // the deadline of a wait for its answer
    std::optional<FinProcessus> fin_;
    std::string fichierTrace_;
    long tailleTrace_ = 0;
};

} // namespace moteur
