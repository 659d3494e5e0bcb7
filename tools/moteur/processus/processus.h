// A player's process: launched with two pipes on the descriptors of
// protocole.h, in its sandbox (isolation.h), spoken to with whole records,
// waited for with a deadline, ended with whatever it started.  No call
// throws; each says whether it went through, failed, or ran out of time.
//
// In the sandbox, the engine's child is the box's keeper, which reports how
// the program ended; the process id, the waits and the kills are the
// keeper's, and ending it ends the box.
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
    int restants = 0;    // in the sandbox, its processes still running when it ended
};

struct Lancement {
    std::string chemin;
    std::vector<std::string> arguments;
    bool terminal = false;    // keep our standard input, output and error (a person)
    std::string fichierTrace; // otherwise stdout and stderr go here; empty: /dev/null
    // The pipes on standard input and output (the text protocol) rather than
    // descriptors 3 and 4; standard error alone then goes to the trace.
    bool texte = false;
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
    // Why the last launch failed when the engine could not prepare it (its
    // trace file cannot be opened); empty otherwise.
    const std::string &causeDuRefus() const { return cause_; }
    bool lance() const { return place_ != nullptr; }
    int pid() const { return pid_; }

    // Writes the whole record at once; Erreur if the process no longer reads.
    Etat envoyer(const void *donnees, size_t taille);
    // Reads exactly `taille` bytes; a negative delay waits without limit.
    // Erreur at the end of the pipe (the process closed it or died, even if
    // what it started keeps the pipe open); Delai if the record is not all
    // there at the deadline (guetteur.h; the process runs on).
    Etat recevoir(void *donnees, size_t taille, double delaiSecondes);
    // The same for whatever the pipe holds: at least one byte, at most
    // `taille`, their number in `lus`.
    Etat recevoirUnPeu(void *donnees, size_t taille, size_t &lus, double delaiSecondes);
    // Whether bytes wait in its pipe that no request asked for yet.
    bool reponseEnAttente() const;

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
    // Stops the program and whatever it started (true), or lets them go on
    // (false): a program that waits for its next pairing takes no processor
    // from the games under way.  Ending it resumes it first.
    void suspendre(bool oui);

private:
    void fermerTubes();
    ssize_t lire(void *donnees, size_t taille);
    bool lireLeRapport(); // in the sandbox: sets fin_ once the keeper has reported
    void noterLaCoupure() const;
    Registre &registre_;
    Place *place_ = nullptr; // while launched
    int pid_ = -1;
    int cible_ = -1; // what kill ends: -pid_, its group, for a program
    int versLui_ = -1;
    int deLui_ = -1;
    int rapport_ = -1; // in the sandbox: the keeper's report (RapportDuGardien)
    int finFd_ = -1;   // outside it: readable once the process has ended
    bool rapportRecu_ = false;
    bool suspendu_ = false;
    Echeance echeance_; // the deadline of a wait for its answer
    std::optional<FinProcessus> fin_;
    std::string cause_;
    std::string fichierTrace_;
    long tailleTrace_ = 0;
};

} // namespace moteur
