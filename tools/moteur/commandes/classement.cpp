// `moteur classement FICHIER...`: the standings of one tournament from its
// record files (its slices), each game once.
#include "commandes/commun.h"

#include "sorties/lecture_tournoi.h"
#include "sorties/textes.h"
#include "processus/systeme.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

namespace moteur {

int commandeClassement(const Options &o, Registre &)
{
    std::optional<ReglageTournoi> reglage;
    std::string premierFichier;
    std::map<int, std::string> provenance; // game number -> its file
    std::vector<Partie> parties;
    if (o.noms.empty())
        return refuser(o.commande,
                       "classement attend un ou plusieurs fichiers d'enregistrement de tournoi");
    for (const std::string &fichier : o.noms) {
        std::optional<std::string> texte = contenuDe(fichier);
        if (!texte)
            return ECHEC;
        LectureTournoi l = lireTournoi(*texte, Coupure::SiCoupee);
        if (l.coupee)
            std::fprintf(stderr, "%s:%d: attention, la dernière partie est coupée : elle est "
                                 "laissée de côté\n",
                         fichier.c_str(), l.ligneCoupee);
        if (l.ligneErreur == 0 && !l.reglage) {
            l.ligneErreur = 1;
            l.erreur = "fichier vide";
        }
        if (l.ligneErreur != 0) {
            std::fprintf(stderr, "%s:%d: %s\n", fichier.c_str(), l.ligneErreur, l.erreur.c_str());
            return ECHEC;
        }
        if (reglage && !(*reglage == *l.reglage)) {
            std::fprintf(stderr,
                         "moteur : « %s » et « %s » sont deux tournois différents (%s) : leurs "
                         "classements ne se réunissent pas\n",
                         premierFichier.c_str(), fichier.c_str(),
                         difference(*l.reglage, *reglage).c_str());
            return USAGE;
        }
        if (!reglage) {
            reglage = l.reglage;
            premierFichier = fichier;
        }
        Calendrier calendrier(*reglage);
        for (Partie &p : l.parties) {
            std::string ecart = calendrier.ecartAvec(p);
            if (!ecart.empty()) {
                std::fprintf(stderr, "moteur : « %s » : %s\n", fichier.c_str(), ecart.c_str());
                return ECHEC;
            }
            auto [deja, nouvelle] = provenance.emplace(p.numero, fichier);
            if (!nouvelle) {
                std::fprintf(stderr, "moteur : la partie %d figure dans « %s » et dans « %s »\n",
                             p.numero, deja->second.c_str(), fichier.c_str());
                return USAGE;
            }
            parties.push_back(std::move(p));
        }
    }
    std::sort(parties.begin(), parties.end(),
              [](const Partie &a, const Partie &b) { return a.numero < b.numero; });
    Calendrier calendrier(*reglage);
    return publierClassement(classer(calendrier, parties), o.resultats) ? SUCCES
                                                                         : ECHEC;
}

} // namespace moteur
