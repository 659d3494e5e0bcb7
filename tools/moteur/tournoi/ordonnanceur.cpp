// The scheduler of a tournament's concurrent games (Linux threads).
#include "tournoi/ordonnanceur.h"

#include "tournoi/vivier.h"

#include "processus/signaux.h"
#include "processus/systeme.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <sched.h>
#include <thread>

namespace moteur {
namespace {

// The two games of one start (or one, the other being already played).
struct Unite {
    int rencontre = 0;
    std::vector<int> parties;
};

class Repartition {
public:
    Repartition(const TravailTournoi &t, const std::function<bool(const Partie &)> &partieFinie)
        : travail_(t), partieFinie_(partieFinie),
          restantes_(static_cast<size_t>(t.calendrier->nbRencontres()) + 1),
          occupants_(restantes_.size(), 0)
    {
        for (int numero : t.aJouer) {
            PartiePrevue p = t.calendrier->partie(numero);
            std::deque<Unite> &file = restantes_[static_cast<size_t>(p.rencontre)];
            int paire = (p.rang + 1) / 2;
            if (file.empty() || paireDe(file.back()) != paire)
                file.push_back({p.rencontre, {}});
            file.back().parties.push_back(numero);
        }
    }

    // The next pair for a worker now on `rencontre` (0: none yet).
    std::optional<Unite> prendre(int rencontre)
    {
        std::lock_guard<std::mutex> verrou(verrou_);
        if (arret_ || arretEnCours())
            return std::nullopt;
        size_t courante = static_cast<size_t>(rencontre);
        if (courante == 0 || restantes_[courante].empty()) {
            if (courante != 0)
                occupants_[courante]--;
            courante = choisirRencontre();
            if (courante == 0)
                return std::nullopt;
            occupants_[courante]++;
        }
        Unite u = restantes_[courante].front();
        restantes_[courante].pop_front();
        return u;
    }

    // One game ended: told, one at a time.  False: stop.
    bool rendre(const Partie &p)
    {
        std::lock_guard<std::mutex> verrou(verrou_);
        if (!arret_ && !partieFinie_(p))
            arret_ = true;
        return !arret_;
    }

private:
    int paireDe(const Unite &u) const { return (travail_.calendrier->partie(u.parties[0]).rang + 1) / 2; }

    // A pairing nobody plays yet, first in the schedule; otherwise the one
    // with the most pairs left.  0 when nothing is left.
    size_t choisirRencontre() const
    {
        size_t meilleure = 0;
        for (size_t r = 1; r < restantes_.size(); r++) {
            if (restantes_[r].empty())
                continue;
            if (occupants_[r] == 0)
                return r;
            if (meilleure == 0 || restantes_[r].size() > restantes_[meilleure].size())
                meilleure = r;
        }
        return meilleure;
    }

    const TravailTournoi &travail_;
    const std::function<bool(const Partie &)> &partieFinie_;
    std::mutex verrou_;
    std::vector<std::deque<Unite>> restantes_; // by pairing
    std::vector<int> occupants_;               // workers on each pairing
    bool arret_ = false;
};

void resterSur(int processeur)
{
    if (processeur < 0 || processeur >= CPU_SETSIZE)
        return;
    cpu_set_t un;
    CPU_ZERO(&un);
    CPU_SET(processeur, &un);
    sched_setaffinity(0, sizeof un, &un); // this thread, and what it starts
    relaisSansPreemption(true);
}

// One worker: the games it takes, pairing after pairing, until none is left
// or the run stops.
void travailler(const TravailTournoi &t, Repartition &repartition, Registre &registre,
                int processeur)
{
    resterSur(processeur);
    SuiviPartie muet;
    Vivier joueurs(t, registre);
    int rencontre = 0;
    while (std::optional<Unite> u = repartition.prendre(rencontre)) {
        if (u->rencontre != rencontre)
            joueurs.prendre(rencontre = u->rencontre);
        for (int numero : u->parties) {
            PartiePrevue prevue = t.calendrier->partie(numero);
            ReglagePartie reglage;
            reglage.numero = numero;
            reglage.graine = prevue.graine;
            reglage.depart = prevue.depart;
            reglage.strict = t.strict;
            bool premierEnJaune = prevue.jaune == t.calendrier->rencontre(rencontre).premier;
            Partie p = jouerPartie(reglage, premierEnJaune ? joueurs.premier() : joueurs.second(),
                                   premierEnJaune ? joueurs.second() : joueurs.premier(), muet);
            p.rencontre = rencontre;
            if (p.interrompue || !repartition.rendre(p))
                return;
        }
    }
}

} // namespace

std::string fichierDeTrace(const std::string &dossier, int rencontre, const std::string &nom)
{
    return dossier + "/" + std::to_string(rencontre) + "-" + nom.substr(nom.rfind('/') + 1) +
           ".txt";
}

std::vector<int> processeursPermis()
{
    std::vector<int> liste;
    cpu_set_t permis;
    CPU_ZERO(&permis);
    if (sched_getaffinity(0, sizeof permis, &permis) == 0)
        for (int c = 0; c < CPU_SETSIZE; c++)
            if (CPU_ISSET(c, &permis))
                liste.push_back(c);
    return liste;
}

void jouerTournoi(const TravailTournoi &travail, Registre &registre,
                  const std::function<bool(const Partie &)> &partieFinie)
{
    Repartition repartition(travail, partieFinie);
    std::vector<int> processeurs = processeursPermis();
    int n = std::max(1, travail.concurrence);
    std::vector<std::thread> ouvriers;
    ouvriers.reserve(static_cast<size_t>(n));
    for (int k = 0; k < n; k++) {
        int processeur =
            processeurs.empty() ? -1 : processeurs[static_cast<size_t>(k) % processeurs.size()];
        try {
            ouvriers.emplace_back(travailler, std::cref(travail), std::ref(repartition),
                                  std::ref(registre), processeur);
        } catch (const std::exception &) {
            // The system refuses one more thread (its limits, its memory):
            // the workers started play it all; none at all is a failure.
            if (ouvriers.empty())
                throw;
            break;
        }
    }
    for (std::thread &o : ouvriers)
        o.join();
}

} // namespace moteur
