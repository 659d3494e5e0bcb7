// How far a tournament has come, as it plays: a status line redrawn on a
// terminal, a line per tenth of the games in a log.
#pragma once

#include "processus/systeme.h"
#include "sorties/format.h"
#include "tournoi/calendrier.h"

#include "texte.h"

#include <cstdio>
#include <unistd.h>

#include <string>
#include <vector>

namespace moteur {

// The status line on a terminal is drawn again this often at most.
constexpr double RAFRAICHISSEMENT = 0.1;

class Progression {
public:
    Progression(int total, bool terminal, bool muette)
        : total_(total), terminal_(terminal), muette_(muette), debut_(maintenant()) {}

    // Under the caller's lock, by the worker that played the game.  In a
    // log, the line of a tenth is written here, as the game that reaches it
    // ends: the thread that draws the status line of a terminal is not woken
    // for each game (it took a processor from a running game each time).
    void partieFinie(std::string meneur)
    {
        faites_++;
        meneur_ = std::move(meneur);
        if (muette_ || terminal_ || total_ == 0)
            return;
        int dixieme = faites_ * 10 / total_;
        if (dixieme > dernierDixieme_) {
            dernierDixieme_ = dixieme;
            std::printf("%s\n", ligne(maintenant()).c_str());
            std::fflush(stdout);
        }
    }

    // Draws the status line of a terminal; `fin`: the last time.
    void afficher(bool fin)
    {
        if (muette_ || !terminal_ || total_ == 0)
            return;
        double t = maintenant();
        if (!fin && t - dernierAffichage_ < RAFRAICHISSEMENT)
            return;
        dernierAffichage_ = t;
        std::printf("\r%s\033[K%s", couper(ligne(t)).c_str(), fin ? "\n" : "");
        std::fflush(stdout);
    }

private:
    // Within the terminal's width: a line that wraps is no longer rewritten
    // in place.  The last column stays free for the cursor.
    static std::string couper(const std::string &l)
    {
        size_t colonnes = largeurDuTerminal();
        return colonnes < 2 ? l : std::string(debutDeLargeur(l, colonnes - 1));
    }

    std::string ligne(double t) const
    {
        double ecoule = t - debut_;
        double vitesse = ecoule > 0 ? faites_ / ecoule : 0;
        std::string s = hote::texte("%d/%d parties (%d %%), %s par seconde, %s écoulées", faites_,
                                    total_, faites_ * 100 / total_, decimal(vitesse, 1).c_str(),
                                    duree(ecoule).c_str());
        if (faites_ > 0 && faites_ < total_ && vitesse > 0)
            s += ", reste " + duree((total_ - faites_) / vitesse);
        if (!meneur_.empty())
            s += ", en tête : " + meneur_;
        return s;
    }

    int total_, faites_ = 0;
    bool terminal_, muette_;
    double debut_, dernierAffichage_ = -1;
    int dernierDixieme_ = 0;
    std::string meneur_;
};

// The leader so far: the best score among players with games.
std::string texteMeneur(const ReglageTournoi &r, const std::vector<int> &demiPoints,
                        const std::vector<int> &parties);

} // namespace moteur
