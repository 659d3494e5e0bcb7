// `moteur verifier JOUEUR`: whether a player program keeps the contract of
// the kit (verification/ plays and checks it).
#include "commandes/commun.h"

#include "partie/designation.h"
#include "processus/systeme.h"
#include "texte.h"
#include "verification/verification.h"

namespace moteur {

int commandeVerifier(const Options &o, Registre &registre)
{
    if (o.noms.size() != 1)
        return refuser(o.commande, hote::texte("verifier attend un programme joueur ; %zu donné%s",
                                               o.noms.size(), o.noms.size() > 1 ? "s" : ""));
    ReglageVerification r;
    r.programme.nom = o.noms[0];
    if (std::string raison = trouverLeJoueur(r.programme, o.noms[0]); !raison.empty())
        return refuser(o.commande, raison);
    r.positions = o.positions;
    r.graine = o.graine ? *o.graine : graineDeLHorloge();
    r.temps = o.temps.value_or(Cadence());
    r.strict = o.strict;
    return verifier(r, registre) ? SUCCES : ECHEC;
}

} // namespace moteur
