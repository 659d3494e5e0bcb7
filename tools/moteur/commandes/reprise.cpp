// Resuming a match or a tournament: what its record already holds.
#include "commandes/commun.h"

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

// The record of this run read for resuming it, block by block, each game
// handed to `recevoir`: a last block that is not sound is left out.  Nothing
// when the file cannot be opened (`erreur` says why).
std::optional<LectureTournoi> lireLeRecord(const Options &o,
                                           const std::function<void(Partie &&)> &recevoir,
                                           int &erreur)
{
    int fd = ouvrirEnLecture(o.enregistrer, erreur);
    if (fd < 0)
        return std::nullopt;
    FermerEnPartant fermer{fd};
    LectureEnFlux lecture(fd);
    return o.commande == Commande::Match ? lireMatch(lecture, Coupure::Reprise, recevoir)
                                         : lireTournoi(lecture, Coupure::Reprise, recevoir);
}

} // namespace

std::optional<int> lireLaReprise(const Options &o, const Calendrier &calendrier, Etendue e,
                                 std::vector<Partie> &anciennes)
{
    int erreur = 0;
    std::vector<Partie> parties; // the games played are needed: kept, read block by block
    std::optional<LectureTournoi> lu =
        lireLeRecord(o, [&](Partie &&p) { parties.push_back(std::move(p)); }, erreur);
    if (!lu && erreur != ENOENT) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", o.enregistrer.c_str(),
                     std::strerror(erreur));
        return ECHEC;
    }
    bool match = o.commande == Commande::Match;
    const char *quoi = match ? "match" : "tournoi";
    LectureTournoi l = lu.value_or(LectureTournoi{});
    if (l.ligneErreur == 0 && l.reglage)
        l.parties = std::move(parties);
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
    int deja = 0; // the first game of this slice the record holds
    std::optional<LectureTournoi> lu = lireLeRecord(
        o,
        [&](Partie &&p) {
            if (deja == 0 && p.numero >= e.premiere && p.numero <= e.derniere)
                deja = p.numero;
        },
        erreur);
    if (!lu)
        return std::nullopt;
    const char *quoi = o.commande == Commande::Match ? "match" : "tournoi";
    const LectureTournoi &l = *lu;
    std::string raison = l.ligneErreur != 0 ? l.erreur
                         : l.reglage && !(*l.reglage == calendrier.reglage())
                             ? hote::texte("il contient un autre %s (", quoi) +
                                   difference(*l.reglage, calendrier.reglage()) +
                                   ") : écrivez dans un autre fichier"
                             : "";
    if (raison.empty() && deja != 0)
        raison = hote::texte("il contient déjà la partie %d de ce %s : reprenez-le "
                             "avec --reprendre, ou écrivez dans un autre fichier",
                             deja, quoi);
    if (raison.empty())
        return std::nullopt;
    std::fprintf(stderr, "moteur : « %s » : %s\n", o.enregistrer.c_str(), raison.c_str());
    return USAGE;
}

} // namespace moteur
