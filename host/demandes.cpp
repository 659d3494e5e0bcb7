// The engine mode's requests, read and checked before a player sees them:
// whatever the pipe holds, the player gets only positions whose fields are
// in range, and the engine a clear refusal.
#include "demandes.h"

#include "protocole.h"
#include "sortie.h"
#include "texte.h"
#include "tour.h"
#include "tubes.h"

#include "joueur.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace hote {
namespace {

bool repondre(int reponses, uint32_t sorte, int32_t nbIndices, int32_t valeur, uint32_t drapeaux)
{
    protocole::Reponse r = {protocole::MAGIE, sorte, nbIndices, valeur, drapeaux};
    return tubes::ecrireTout(reponses, &r, sizeof r);
}

enum class Lecture { Entiere, Fin, Coupee };

// One whole record; the end of the pipe before its first byte is the
// engine gone, within it a record cut short.
Lecture lireDemande(int demandes, protocole::Demande &d)
{
    auto *p = reinterpret_cast<unsigned char *>(&d);
    size_t lu = 0;
    while (lu < sizeof d) {
        ssize_t r = read(demandes, p + lu, sizeof d - lu);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return lu == 0 ? Lecture::Fin : Lecture::Coupee;
        lu += static_cast<size_t>(r);
    }
    return Lecture::Entiere;
}

// Why the position of a TOUR is no board, or nothing.
std::string positionInvalide(const Position &p)
{
    if (p.trait != JAUNE && p.trait != ROUGE)
        return texte("trait %u (attendu %d ou %d)", p.trait, JAUNE, ROUGE);
    for (int i = 0; i < NBCASES; i++) {
        const Colonne &c = p.cols[i];
        if (c.nb > HAUTEUR_MAX || c.couleur > ROUGE || (c.nb == 0) != (c.couleur == VIDE))
            return texte("case %d : hauteur %u, couleur %u", i, c.nb, c.couleur);
    }
    return {};
}

// Why the request cannot be served, or nothing.
std::string demandeInvalide(const protocole::Demande &d)
{
    if (d.magie != protocole::MAGIE)
        return texte("signature %08x au lieu de %08x", d.magie, protocole::MAGIE);
    switch (d.sorte) {
    case protocole::PARTIE:
        if ((d.reglages & ~(protocole::VIDER_SORTIE | protocole::TAIRE_SORTIE)) != 0)
            return texte("réglages %u inconnus", d.reglages);
        if ((d.reglages & protocole::VIDER_SORTIE) != 0 && (d.reglages & protocole::TAIRE_SORTIE) != 0)
            return texte("réglages %u contradictoires (sortie gardée et jetée)", d.reglages);
        return {};
    case protocole::TOUR: {
        std::string raison = positionInvalide(d.position);
        return raison.empty() ? raison : "position invalide, " + raison;
    }
    case protocole::FIN: return {};
    default: return texte("sorte de demande %u inconnue", d.sorte);
    }
}

// SIGUSR1 sent by the player's own process during the turn (as a person's
// program does once the person has chosen); a process it started does not
// count.
volatile sig_atomic_t signaleParLeJoueur = 0;

void noterSIGUSR1(int, siginfo_t *info, void *)
{
    if (info != nullptr && info->si_pid == getpid())
        signaleParLeJoueur = 1;
}

// The player's pidMoteur is this process: its signal comes here, and goes
// on to the engine with the answer (in a sandbox, the engine is out of its
// reach).
void tenirLieuDeMoteur()
{
    pidMoteur = static_cast<int32_t>(getpid());
    struct sigaction action = {};
    action.sa_sigaction = noterSIGUSR1;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
}

} // namespace

int servirMoteur(int demandes, int reponses, uint32_t drapeaux, std::string &erreur)
{
    if (!repondre(reponses, protocole::BONJOUR, 0, static_cast<int32_t>(protocole::VERSION),
                  drapeaux))
        return EXIT_FAILURE;

    tenirLieuDeMoteur();
    bool viderSortie = false;
    for (;;) {
        protocole::Demande d;
        Lecture l = lireDemande(demandes, d);
        if (l == Lecture::Fin)
            return EXIT_SUCCESS; // the engine is gone: nothing left to play
        erreur = l == Lecture::Coupee ? "demande tronquée" : demandeInvalide(d);
        if (!erreur.empty())
            return EXIT_FAILURE;
        switch (d.sorte) {
        case protocole::PARTIE:
            // Line by line from the first game on, before anything is
            // written: a trace file keeps a player's last line before a crash.
            if ((d.reglages & protocole::VIDER_SORTIE) != 0 && !viderSortie)
                std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
            viderSortie = (d.reglages & protocole::VIDER_SORTIE) != 0;
            taireLaSortie((d.reglages & protocole::TAIRE_SORTIE) != 0);
            std::srand(d.graine);
            break;
        case protocole::TOUR: {
            signaleParLeJoueur = 0;
            reglerPendule(d.restantMs, d.incrementMs);
            std::vector<int> indices = jouerTour(d.position);
            // A person's own dialogue must reach the terminal before the
            // engine draws the next board.
            if (viderSortie)
                std::fflush(stdout);
            int32_t dernier = indices.empty() ? -1 : indices.back();
            uint32_t coup = (std::feof(stdin) != 0 ? protocole::ENTREE_FINIE : 0) |
                            (signaleParLeJoueur != 0 ? protocole::SIGNALE : 0);
            if (!repondre(reponses, protocole::COUP, static_cast<int32_t>(indices.size()), dernier,
                          coup))
                return EXIT_FAILURE;
            break;
        }
        default: // FIN
            return EXIT_SUCCESS;
        }
    }
}

} // namespace hote
