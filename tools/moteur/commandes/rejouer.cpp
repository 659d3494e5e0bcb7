// `moteur rejouer FICHIER`: the games of a record, every move checked.
#include "commandes/commun.h"

#include "sorties/affichage.h"
#include "sorties/enregistrement.h"
#include "processus/systeme.h"

#include <cstdlib>
#include <cstring>

namespace moteur {
namespace {

// One game, move after move, as it was played.
void rejouerLaPartie(Affichage &affichage, const Partie &p)
{
    affichage.debutPartie(p);
    Partie enCours = p;
    enCours.coups.clear();
    Position position = p.depart;
    for (const CoupJoue &c : p.coups) {
        enCours.coups.push_back(c);
        position = jouerCoup(position, c.coup.origine, c.coup.destination);
        affichage.apresCoup(enCours, position);
    }
    affichage.finPartie(p);
}

} // namespace

int commandeRejouer(const Options &o, Registre &)
{
    if (o.noms.size() != 1)
        return refuser(o.commande, "rejouer attend un seul fichier d'enregistrement");
    const std::string &fichier = o.noms[0];
    std::optional<LectureEnregistrements> lu = enregistrementsDe(fichier);
    if (!lu)
        return ECHEC;
    LectureEnregistrements &l = *lu;
    Affichage affichage(stdout, o.silencieux, couleursDuTerminal());
    for (const Partie &p : l.parties) {
        if (std::ferror(stdout) != 0)
            break; // nobody reads any more: main says whether it is a failure
        rejouerLaPartie(affichage, p);
    }
    std::printf("%zu partie%s rejouée%s, tous les coups sont légaux.\n", l.parties.size(),
                l.parties.size() > 1 ? "s" : "", l.parties.size() > 1 ? "s" : "");
    return SUCCES;
}

} // namespace moteur
