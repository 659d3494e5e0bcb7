// Resuming a match or a tournament: what its record already holds.
#include "commandes/commun.h"

#include "processus/systeme.h"
#include "sorties/lecture_tournoi.h"
#include "texte.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <unistd.h>

namespace moteur {
namespace {

// Why a game of the record does not belong to this run; empty when it does.
std::string ecartDUnePartie(const Options &o, const Calendrier &calendrier, Etendue e,
                            const Partie &p, std::set<int> &numeros)
{
    std::string ecart = calendrier.ecartAvec(p);
    if (ecart.empty() && (p.numero < e.premiere || p.numero > e.derniere))
        ecart = hote::texte("la partie %d n'est pas de la tranche %d/%d", p.numero,
                            o.tranche->first, o.tranche->second);
    if (ecart.empty() && !numeros.insert(p.numero).second)
        ecart = hote::texte("la partie %d y figure deux fois", p.numero);
    return ecart;
}

// The record of this run read for resuming it: a last block that is not
// sound is left out.
LectureTournoi lireLeRecord(const Options &o, const std::string &texte)
{
    return o.commande == Commande::Match ? lireMatch(texte, Coupure::Reprise)
                                         : lireTournoi(texte, Coupure::Reprise);
}

} // namespace

std::optional<int> lireLaReprise(const Options &o, const Calendrier &calendrier, Etendue e,
                                 std::vector<Partie> &anciennes)
{
    int erreur = 0;
    std::optional<std::string> texte = lireFichier(o.enregistrer, erreur);
    if (!texte && erreur != ENOENT) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", o.enregistrer.c_str(),
                     std::strerror(erreur));
        return ECHEC;
    }
    bool match = o.commande == Commande::Match;
    const char *quoi = match ? "match" : "tournoi";
    LectureTournoi l = lireLeRecord(o, texte.value_or(""));
    if (l.ligneErreur != 0) {
        std::fprintf(stderr, "%s:%d: %s\n", o.enregistrer.c_str(), l.ligneErreur, l.erreur.c_str());
        return ECHEC;
    }
    if (l.reglage && !(*l.reglage == calendrier.reglage())) {
        std::fprintf(stderr,
                     "moteur : « %s » est l'enregistrement d'un autre %s (%s) : "
                     "reprenez-le avec les mêmes joueurs, graine et options\n",
                     o.enregistrer.c_str(), quoi,
                     difference(*l.reglage, calendrier.reglage()).c_str());
        return USAGE;
    }
    std::set<int> numeros;
    for (const Partie &p : l.parties)
        if (std::string ecart = ecartDUnePartie(o, calendrier, e, p, numeros); !ecart.empty()) {
            std::fprintf(stderr, "moteur : « %s » n'est pas de ce %s : %s\n",
                         o.enregistrer.c_str(), quoi, ecart.c_str());
            return USAGE;
        }
    if (l.coupee) {
        if (truncate(o.enregistrer.c_str(), static_cast<off_t>(l.longueurSaine)) != 0) {
            std::fprintf(stderr, "moteur : impossible de couper « %s » : %s\n",
                         o.enregistrer.c_str(), std::strerror(errno));
            return ECHEC;
        }
        std::fprintf(stderr, "moteur : « %s » : la dernière partie, coupée, est retirée\n",
                     o.enregistrer.c_str());
    }
    anciennes = std::move(l.parties);
    return std::nullopt;
}

std::optional<int> refuserUneSecondeCopie(const Options &o, const Calendrier &calendrier,
                                          Etendue e)
{
    int erreur = 0;
    std::optional<std::string> texte = lireFichier(o.enregistrer, erreur);
    if (!texte || texte->find_first_not_of("\r\n") == std::string::npos)
        return std::nullopt;
    const char *quoi = o.commande == Commande::Match ? "match" : "tournoi";
    LectureTournoi l = lireLeRecord(o, *texte);
    std::string raison = l.ligneErreur != 0 ? l.erreur
                         : l.reglage && !(*l.reglage == calendrier.reglage())
                             ? hote::texte("il contient un autre %s (", quoi) +
                                   difference(*l.reglage, calendrier.reglage()) +
                                   ") : écrivez dans un autre fichier"
                             : "";
    for (const Partie &p : l.parties)
        if (raison.empty() && p.numero >= e.premiere && p.numero <= e.derniere)
            raison = hote::texte("il contient déjà la partie %d de ce %s : reprenez-le "
                                 "avec --reprendre, ou écrivez dans un autre fichier",
                                 p.numero, quoi);
    if (raison.empty())
        return std::nullopt;
    std::fprintf(stderr, "moteur : « %s » : %s\n", o.enregistrer.c_str(), raison.c_str());
    return USAGE;
}

} // namespace moteur
