// `moteur rejouer FICHIER...`: the games of records, every move checked.
#include "commandes/commun.h"

#include "sorties/affichage.h"
#include "sorties/enregistrement.h"

namespace moteur {

int commandeRejouer(const Options &o, Registre &)
{
    if (o.noms.empty())
        return refuser(o.commande, "rejouer attend un ou plusieurs fichiers d'enregistrement");
    // Every file checked before the first game is shown.
    std::vector<Partie> parties;
    for (const std::string &fichier : o.noms) {
        std::optional<LectureEnregistrements> lu = enregistrementsDe(fichier);
        if (!lu)
            return ECHEC;
        parties.insert(parties.end(), lu->parties.begin(), lu->parties.end());
    }
    Affichage affichage(stdout, o.silencieux, couleursDuTerminal());
    for (const Partie &p : parties) {
        if (std::ferror(stdout) != 0)
            break; // nobody reads any more: main says whether it is a failure
        affichage.montrer(p);
    }
    std::printf("%zu partie%s rejouée%s, tous les coups sont légaux.\n", parties.size(),
                parties.size() > 1 ? "s" : "", parties.size() > 1 ? "s" : "");
    return SUCCES;
}

} // namespace moteur
