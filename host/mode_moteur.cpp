// Engine mode: the player program stays alive for a whole match and plays
// every turn the engine asks for (the records are in protocole.h).
//
// The player's standard input belongs to it (a person types there): this
// mode never reads it, and only looks at whether it has reached its end, so
// that the engine can tell a person who left from a missing answer.
#include "demandes.h"
#include "modes.h"
#include "protocole.h"

#include <cstdio>
#include <string>

namespace hote {

int modeMoteur(const char *programme, int argc, char **)
{
    if (argc != 2) {
        afficherUsage(programme, true);
        return STATUT_USAGE;
    }
    // The engine learns here whether a person needs the terminal and no time limit.
    uint32_t personne = &joueurPersonne != nullptr ? protocole::PERSONNE : 0;
    std::string erreur;
    int statut = servirMoteur(protocole::FD_DEMANDES, protocole::FD_REPONSES, personne, erreur);
    if (!erreur.empty())
        std::fprintf(stderr, "%s : demande du moteur refusée : %s\n", programme, erreur.c_str());
    return statut;
}

} // namespace hote
