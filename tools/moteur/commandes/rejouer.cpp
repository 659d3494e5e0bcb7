// `moteur rejouer FICHIER...`: the games of records, every move checked.
#include "commandes/commun.h"

#include "sorties/affichage.h"
#include "sorties/enregistrement.h"

#include <sys/stat.h>

namespace moteur {
namespace {

// Whether a file can be read a second time as it was the first: standard
// input, a pipe or a terminal cannot.
bool relisible(const std::string &fichier)
{
    struct stat s;
    return fichier != "-" && stat(fichier.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

} // namespace

int commandeRejouer(const Options &o, Registre &)
{
    if (o.noms.empty())
        return refuser(o.commande, "rejouer attend un ou plusieurs fichiers d'enregistrement");
    // Every file checked before the first game is shown: a file is read
    // twice, block by block, to keep memory to one game; what cannot be
    // read twice is shown as it is read.
    for (const std::string &fichier : o.noms)
        if (relisible(fichier) && !parcourirEnregistrement(fichier, [](Partie &&) {}))
            return ECHEC;
    Affichage affichage(stdout, o.silencieux, couleursDuTerminal());
    size_t parties = 0;
    auto montrer = [&](Partie &&p) {
        parties++;
        if (std::ferror(stdout) == 0) // nobody reads any more: main says whether it is a failure
            affichage.montrer(p);
    };
    for (const std::string &fichier : o.noms)
        if (!parcourirEnregistrement(fichier, montrer, {nullptr, 0, !relisible(fichier)}))
            return ECHEC;
    std::printf("%zu partie%s rejouée%s, tous les coups sont légaux.\n", parties,
                parties > 1 ? "s" : "", parties > 1 ? "s" : "");
    return SUCCES;
}

} // namespace moteur
