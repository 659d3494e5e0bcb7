// Test-only program built with the first version of the host: it greets the
// engine in that version's words, then waits for the end of its pipe.
#include "protocole.h"

#include <unistd.h>

int main()
{
    protocole::Reponse r = {protocole::MAGIE, protocole::BONJOUR, 0, 1, 0};
    if (write(protocole::FD_REPONSES, &r, sizeof r) != static_cast<ssize_t>(sizeof r))
        return 1;
    char c;
    while (read(protocole::FD_DEMANDES, &c, 1) > 0) {
    }
    return 0;
}
