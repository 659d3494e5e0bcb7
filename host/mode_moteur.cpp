// Engine mode: the player program stays alive for a whole match and plays
// every turn the engine asks for (the records are in protocole.h).
//
// The player's standard input belongs to it (a person types there): this
// mode never reads it, and only looks at whether it has reached its end, so
// that the engine can tell a person who left from a missing answer.
#include "modes.h"
#include "protocole.h"
#include "tour.h"
#include "tubes.h"

#include "joueur.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Defined only in the programs through which a person plays (personne.cpp,
// linked by the PERSONNE registration); elsewhere its address is null.
extern "C" __attribute__((weak, visibility("default"))) const int joueurPersonne;

namespace hote {
namespace {

bool repondre(uint32_t sorte, int32_t nbIndices, int32_t valeur, uint32_t drapeaux)
{
    protocole::Reponse r = {protocole::MAGIE, sorte, nbIndices, valeur, drapeaux};
    return tubes::ecrireTout(protocole::FD_REPONSES, &r, sizeof r);
}

} // namespace

int modeMoteur(const char *programme, int argc, char **)
{
    if (argc != 2) {
        afficherUsage(programme, true);
        return STATUT_USAGE;
    }
    // The engine learns here whether a person needs the terminal and no time limit.
    uint32_t personne = &joueurPersonne != nullptr ? protocole::PERSONNE : 0;
    if (!repondre(protocole::BONJOUR, 0, static_cast<int32_t>(protocole::VERSION), personne))
        return EXIT_FAILURE;

    bool viderSortie = false;
    for (;;) {
        protocole::Demande d;
        if (!tubes::lireTout(protocole::FD_DEMANDES, &d, sizeof d))
            return EXIT_SUCCESS; // the engine is gone: nothing left to play
        if (d.magie != protocole::MAGIE)
            return EXIT_FAILURE;
        switch (d.sorte) {
        case protocole::PARTIE:
            pidMoteur = d.pidMoteur;
            viderSortie = (d.reglages & protocole::VIDER_SORTIE) != 0;
            std::srand(d.graine);
            break;
        case protocole::TOUR: {
            std::vector<int> indices = jouerTour(d.position);
            // A person's own dialogue must reach the terminal before the
            // engine draws the next board.
            if (viderSortie)
                std::fflush(stdout);
            int32_t dernier = indices.empty() ? -1 : indices.back();
            if (!repondre(protocole::COUP, static_cast<int32_t>(indices.size()), dernier,
                          std::feof(stdin) != 0 ? protocole::ENTREE_FINIE : 0))
                return EXIT_FAILURE;
            break;
        }
        case protocole::FIN:
            return EXIT_SUCCESS;
        default:
            return EXIT_FAILURE;
        }
    }
}

} // namespace hote
