// Fuzz target: the host's engine-mode reader, on any bytes coming down the
// pipe.  The records are worked out here one by one to know what the reader
// must do: serve every turn up to FIN or the end of the pipe (status 0), or
// stop at the first record it cannot understand with a readable reason
// (status 1).  The player it serves is this file's choisirCoup, which checks
// that it only ever sees a board in range with that board's own move list.
#include "demandes.h"
#include "exiger.h"
#include "protocole.h"

#include "joueur.h"

#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int toursServis = 0;

bool dansLesBornes(const Position &p)
{
    if (p.trait != JAUNE && p.trait != ROUGE)
        return false;
    for (const Colonne &c : p.cols)
        if (c.nb > HAUTEUR_MAX || c.couleur > ROUGE || (c.nb == 0) != (c.couleur == VIDE))
            return false;
    return true;
}

struct Attendu {
    int statut = 0;
    int tours = 0;
};

Attendu attendu(const uint8_t *donnees, size_t taille)
{
    Attendu a;
    for (size_t k = 0; k < taille; k += sizeof(protocole::Demande)) {
        protocole::Demande d;
        if (taille - k < sizeof d) {
            a.statut = 1; // cut short
            return a;
        }
        std::memcpy(&d, donnees + k, sizeof d);
        bool comprise = d.magie == protocole::MAGIE &&
                        ((d.sorte == protocole::PARTIE &&
                          (d.reglages == 0 || d.reglages == protocole::VIDER_SORTIE ||
                           d.reglages == protocole::TAIRE_SORTIE)) ||
                         (d.sorte == protocole::TOUR && dansLesBornes(d.position)) ||
                         d.sorte == protocole::FIN);
        if (!comprise) {
            a.statut = 1;
            return a;
        }
        if (d.sorte == protocole::FIN)
            return a;
        a.tours += d.sorte == protocole::TOUR;
    }
    return a;
}

} // namespace

void choisirCoup(Position position, ListeCoups coups)
{
    EXIGER(dansLesBornes(position), "le joueur reçoit un plateau hors des bornes");
    ListeCoups liste = getCoupsLegaux(position);
    EXIGER(std::memcmp(&liste, &coups, sizeof coups) == 0, "le joueur reçoit une autre liste");
    toursServis++;
    if (coups.nb > 0)
        ecrireIndexCoup(position.cols[0].nb % coups.nb);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    // The pipe is a file in memory: no size limit, nothing to block on.
    static const int demandes = memfd_create("demandes", 0);
    static const int reponses = open("/dev/null", O_WRONLY);
    EXIGER(demandes >= 0 && reponses >= 0, "pas de descripteurs pour le lecteur");
    EXIGER(ftruncate(demandes, 0) == 0 && pwrite(demandes, donnees, taille, 0) ==
                                              static_cast<ssize_t>(taille),
           "les octets ne s'écrivent pas");
    lseek(demandes, 0, SEEK_SET);

    toursServis = 0;
    std::string erreur;
    int statut = hote::servirMoteur(demandes, reponses, 0, erreur);
    Attendu a = attendu(donnees, taille);
    EXIGER(statut == a.statut, "le lecteur finit avec un autre statut");
    EXIGER(toursServis == a.tours, "le lecteur sert un autre nombre de tours");
    EXIGER((statut != 0) == !erreur.empty(), "un refus sans raison, ou une raison sans refus");
    EXIGER(erreur.empty() || texteLisible(erreur), "une raison qui n'est pas du texte lisible");
    return 0;
}
