#include "sorties/lecture_tournoi.h"

#include "texte.h"

namespace moteur {

LectureTournoi lireTournoi(const std::string &texte, Coupure coupure)
{
    LectureTournoi l;
    std::string t = texte;
    if (t.find_first_not_of("\r\n") == std::string::npos)
        return l; // empty: nothing played yet
    LectureEnregistrements e = lireEnregistrements(t);
    DernierBloc b = dernierBloc(t, e);
    bool fautif = e.ligneErreur != 0 && e.ligneErreur >= b.ligne;
    if ((coupure == Coupure::Reprise && (!b.entier || fautif)) ||
        (coupure == Coupure::SiCoupee && !b.entier && fautif && b.debut > 0)) {
        t.resize(b.debut);
        l.coupee = true;
        l.ligneCoupee = b.ligne;
        if (t.find_first_not_of("\r\n") == std::string::npos) {
            l.longueurSaine = 0;
            return l;
        }
        e = lireEnregistrements(t);
    }
    if (e.ligneErreur != 0) {
        l.ligneErreur = e.ligneErreur;
        l.erreur = e.erreur;
        return l;
    }
    l.longueurSaine = t.size();
    if (e.matchs > 0 || e.tournois.empty() || e.tournois[0].premierePartie > 0) {
        l.ligneErreur = 1;
        l.erreur = "ce n'est pas l'enregistrement d'un tournoi (moteur tournoi --enregistrer)";
        return l;
    }
    l.reglage = tournoiDesEnTetes(e.tournois, l.ligneErreur, l.erreur);
    if (l.ligneErreur != 0)
        return l;
    l.parties = std::move(e.parties);
    return l;
}

std::optional<ReglageTournoi> tournoiDesEnTetes(const std::vector<EnTeteLu> &tetes, int &ligne,
                                               std::string &erreur)
{
    for (const EnTeteLu &lu : tetes)
        if (!(lu.reglage == tetes[0].reglage)) {
            ligne = lu.ligne;
            erreur = "cet en-tête est celui d'un autre tournoi que le premier du fichier";
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
