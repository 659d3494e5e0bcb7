// `moteur rejouer FICHIER...`: the games of records, every move checked.
#include "commandes/commun.h"

#include "sorties/affichage.h"
#include "sorties/enregistrement.h"
#include "processus/systeme.h"

#include <cstdlib>
#include <cstring>

namespace moteur {
namespace {

// The games of one file, every move checked; nothing when the file cannot
// be read or is malformed (the reason said).
std::optional<std::vector<Partie>> lireLeFichier(const std::string &fichier)
{
    int erreur = 0;
    std::optional<std::string> contenu = lireFichier(fichier, erreur);
    if (!contenu) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", fichier.c_str(),
                     std::strerror(erreur));
        return std::nullopt;
    }
    LectureEnregistrements l = lireEnregistrements(*contenu);
    if (l.ligneErreur != 0) {
        std::fprintf(stderr, "%s:%d: %s\n", fichier.c_str(), l.ligneErreur, l.erreur.c_str());
        return std::nullopt;
    }
    return std::move(l.parties);
}

} // namespace

int commandeRejouer(const Options &o, Registre &)
{
    if (o.noms.empty())
        return refuser(o.commande, "rejouer attend un ou plusieurs fichiers d'enregistrement");
    // Every file checked before the first game is shown.
    std::vector<Partie> parties;
    for (const std::string &fichier : o.noms) {
        std::optional<std::vector<Partie>> lues = lireLeFichier(fichier);
        if (!lues)
            return ECHEC;
        parties.insert(parties.end(), lues->begin(), lues->end());
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
