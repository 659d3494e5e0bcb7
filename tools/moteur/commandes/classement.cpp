// `moteur classement FICHIER...`: the standings of one tournament from its
// record files (its slices), each game once.  Files are read block by block
// and each game counted as it comes: memory holds the standings, not the
// games.
#include "commandes/commun.h"

#include "sorties/lecture_tournoi.h"
#include "sorties/textes.h"
#include "tournoi/classement.h"
#include "texte.h"
#include "processus/systeme.h"

#include <cstring>
#include <memory>

namespace moteur {
namespace {

// The standings under way: the tournament of the first file, and which
// file each game number came from (1 + its index; 0: none yet).
struct Cumul {
    std::optional<ReglageTournoi> reglage;
    std::string premierFichier;
    std::unique_ptr<Calendrier> calendrier;
    std::unique_ptr<Classeur> classeur;
    std::vector<int> provenance;
    const std::vector<std::string> *fichiers = nullptr;

    void commencer(const ReglageTournoi &r)
    {
        calendrier = std::make_unique<Calendrier>(r);
        classeur = std::make_unique<Classeur>(*calendrier);
        provenance.assign(static_cast<size_t>(calendrier->nbParties()) + 1, 0);
    }
};

// The first fault among a file's games, said once the file is read whole:
// a fault of its format, or another tournament, comes first.
struct Ecart {
    std::string message;
    int statut = SUCCES;
};

// One game of file `k`, counted unless it is not the schedule's or is
// there twice (then `ecart` says why).
void compterLaPartie(const Partie &p, const LectureEnFlux &lecture, size_t k, Cumul &cumul,
                     std::optional<Calendrier> &sien, Ecart &ecart)
{
    const std::vector<EnTeteLu> &tetes = lecture.tournois();
    if (!ecart.message.empty() || tetes.empty() || tetes[0].premierePartie > 0 ||
        !lecture.matchs().empty())
        return; // not a tournament's record: refused once read
    const std::string &fichier = (*cumul.fichiers)[k];
    if (!sien)
        sien.emplace(tetes[0].reglage);
    if (std::string e = sien->ecartAvec(p); !e.empty()) {
        ecart = {"moteur : « " + fichier + " » : " + e, ECHEC};
        return;
    }
    if (!cumul.classeur)
        cumul.commencer(tetes[0].reglage);
    if (!(cumul.calendrier->reglage() == sien->reglage()))
        return; // another tournament: refused once read
    int &origine = cumul.provenance[static_cast<size_t>(p.numero)];
    if (origine != 0) {
        ecart = {hote::texte("moteur : la partie %d figure dans « %s » et dans « %s »", p.numero,
                             (*cumul.fichiers)[static_cast<size_t>(origine - 1)].c_str(),
                             fichier.c_str()),
                 USAGE};
        return;
    }
    origine = static_cast<int>(k) + 1;
    cumul.classeur->ajouter(p);
}

// File `k` read into the standings: the exit status when it cannot be.
std::optional<int> lireUneTranche(size_t k, Cumul &cumul)
{
    const std::string &fichier = (*cumul.fichiers)[k];
    int fd = ouvrirALire(fichier);
    if (fd < 0)
        return ECHEC;
    FermerEnPartant fermer{fd};
    LectureEnFlux lecture(fd);
    std::optional<Calendrier> sien; // the schedule of this file's first header
    Ecart ecart;
    LectureTournoi l = lireTournoi(lecture, Coupure::SiCoupee, [&](Partie &&p) {
        compterLaPartie(p, lecture, k, cumul, sien, ecart);
    });
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
    if (cumul.reglage && !(*cumul.reglage == *l.reglage)) {
        std::fprintf(stderr,
                     "moteur : « %s » et « %s » sont deux tournois différents (%s) : leurs "
                     "classements ne se réunissent pas\n",
                     cumul.premierFichier.c_str(), fichier.c_str(),
                     difference(*l.reglage, *cumul.reglage).c_str());
        return USAGE;
    }
    if (!cumul.reglage) {
        cumul.reglage = l.reglage;
        cumul.premierFichier = fichier;
    }
    if (!ecart.message.empty()) {
        std::fprintf(stderr, "%s\n", ecart.message.c_str());
        return ecart.statut;
    }
    return std::nullopt;
}

} // namespace

int commandeClassement(const Options &o, Registre &)
{
    if (o.noms.empty())
        return refuser(o.commande,
                       "classement attend un ou plusieurs fichiers d'enregistrement de tournoi");
    Cumul cumul;
    cumul.fichiers = &o.noms;
    for (size_t k = 0; k < o.noms.size(); k++)
        if (std::optional<int> statut = lireUneTranche(k, cumul))
            return *statut;
    if (!cumul.classeur)
        cumul.commencer(*cumul.reglage);
    return publierClassement(cumul.classeur->classement(), o.resultats) ? SUCCES : ECHEC;
}

} // namespace moteur
