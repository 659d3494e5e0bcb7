#include "sorties/lecture_tournoi.h"

#include "texte.h"

namespace moteur {
namespace {

// A match's record or a tournament's, which holds no header of the other
// kind, read with its one schedule; its games handed over as read.
LectureTournoi lireUnSeulReglage(LectureEnFlux &lecture, Coupure coupure, bool match,
                                 const std::function<void(Partie &&)> &recevoir)
{
    BilanDeLecture e = lireEnFlux(lecture, coupure, [&](Partie &&p) {
        if (match)
            p.rencontre = 1;
        recevoir(std::move(p));
    });
    LectureTournoi l;
    l.coupee = e.coupee;
    l.ligneCoupee = e.ligneCoupee;
    l.longueurSaine = e.longueurSaine;
    l.ligneErreur = e.ligneErreur;
    l.erreur = e.erreur;
    if (l.ligneErreur != 0 || e.vide)
        return l; // empty: nothing played yet
    const std::vector<EnTeteLu> &tetes = match ? e.matchs : e.tournois;
    const std::vector<EnTeteLu> &autres = match ? e.tournois : e.matchs;
    if (!autres.empty() || tetes.empty() || tetes[0].premierePartie > 0) {
        l.ligneErreur = 1;
        l.erreur = match ? "ce n'est pas l'enregistrement d'un match (moteur --enregistrer)"
                         : "ce n'est pas l'enregistrement d'un tournoi (moteur tournoi --enregistrer)";
        return l;
    }
    l.reglage = reglageDesEnTetes(tetes, match ? "match" : "tournoi", l.ligneErreur, l.erreur);
    return l;
}

// The same from a text, every game kept once the record is found sound.
LectureTournoi lireLeTexte(const std::string &texte, Coupure coupure, bool match)
{
    LectureEnFlux lecture(texte);
    std::vector<Partie> parties;
    LectureTournoi l = lireUnSeulReglage(lecture, coupure, match,
                                         [&](Partie &&p) { parties.push_back(std::move(p)); });
    if (l.ligneErreur == 0 && l.reglage)
        l.parties = std::move(parties);
    return l;
}

} // namespace

LectureTournoi lireTournoi(const std::string &texte, Coupure coupure)
{
    return lireLeTexte(texte, coupure, false);
}

LectureTournoi lireMatch(const std::string &texte, Coupure coupure)
{
    return lireLeTexte(texte, coupure, true);
}

LectureTournoi lireTournoi(LectureEnFlux &lecture, Coupure coupure,
                           const std::function<void(Partie &&)> &recevoir)
{
    return lireUnSeulReglage(lecture, coupure, false, recevoir);
}

LectureTournoi lireMatch(LectureEnFlux &lecture, Coupure coupure,
                         const std::function<void(Partie &&)> &recevoir)
{
    return lireUnSeulReglage(lecture, coupure, true, recevoir);
}

std::optional<ReglageTournoi> reglageDesEnTetes(const std::vector<EnTeteLu> &tetes,
                                                const char *quoi, int &ligne, std::string &erreur)
{
    for (const EnTeteLu &lu : tetes)
        if (!(lu.reglage == tetes[0].reglage)) {
            ligne = lu.ligne;
            erreur = hote::texte("cet en-tête est celui d'un autre %s que le premier du fichier",
                                 quoi);
            return std::nullopt;
        }
    if (tetes.empty())
        return std::nullopt;
    return tetes[0].reglage;
}

// What differs between the schedule of a file and that of the command line.
std::string difference(const ReglageTournoi &fichier, const ReglageTournoi &ici)
{
    std::vector<std::string> d;
    if (fichier.joueurs != ici.joueurs)
        d.push_back("les joueurs ou leur ordre");
    if (fichier.graine != ici.graine)
        d.push_back(hote::texte("la graine (%u dans le fichier)", fichier.graine));
    if (fichier.parties != ici.parties)
        d.push_back(hote::texte("--parties (%d dans le fichier)", fichier.parties));
    if (fichier.ouverture != ici.ouverture)
        d.push_back(hote::texte("--ouverture (%d dans le fichier)", fichier.ouverture));
    if (!memeLivre(fichier.livre, ici.livre))
        d.push_back(fichier.livre ? "--livre (" + fichier.livre->nom + ", empreinte " +
                                        fichier.livre->empreinte + " dans le fichier)"
                                  : std::string("--livre (aucun dans le fichier)"));
    if (fichier.temps.textePendule() != ici.temps.textePendule())
        d.push_back("--cadence (" +
                    (fichier.temps.pendule() ? fichier.temps.textePendule() : std::string("aucune")) +
                    " dans le fichier)");
    if (fichier.defi != ici.defi)
        d.push_back("--defi");
    if (fichier.strict != ici.strict)
        d.push_back("--strict");
    if (!(fichier == ici) && d.empty())
        d.push_back("--temps (" + fichier.temps.texte() + " dans le fichier)");
    std::string t;
    for (size_t k = 0; k < d.size(); k++)
        t += (k == 0 ? "" : k + 1 == d.size() ? " et " : ", ") + d[k];
    return t;
}

} // namespace moteur
