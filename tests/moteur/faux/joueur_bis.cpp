// Test-only program speaking the engine protocol itself: it greets the
// engine, then answers twice every turn that has a move (the first move
// both times, in one write, so that the second is there as soon as the
// first is read, however slowly the program runs), once a turn without one.
#include "protocole.h"
#include "tubes.h"

int main()
{
    protocole::Reponse salut = {protocole::MAGIE, protocole::BONJOUR, 0,
                                static_cast<int32_t>(protocole::VERSION), 0};
    if (!tubes::ecrireTout(protocole::FD_REPONSES, &salut, sizeof salut))
        return 1;
    protocole::Demande d;
    while (tubes::lireTout(protocole::FD_DEMANDES, &d, sizeof d) && d.sorte != protocole::FIN) {
        if (d.sorte != protocole::TOUR)
            continue;
        const protocole::Reponse coup = {protocole::MAGIE, protocole::COUP, 1, 0, 0};
        const protocole::Reponse deux[2] = {coup, coup};
        size_t fois = getCoupsLegaux(d.position).nb > 0 ? 2 : 1;
        if (!tubes::ecrireTout(protocole::FD_REPONSES, deux, fois * sizeof coup))
            return 1;
    }
    return 0;
}
