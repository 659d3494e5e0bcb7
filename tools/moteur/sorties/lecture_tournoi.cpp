#include "sorties/lecture_tournoi.h"

#include "texte.h"

namespace moteur {
namespace {

// The record without a last block that is not sound, when `coupure` leaves
// it out: what lireEnregistrements reads of it, `l` telling what was left out.
LectureEnregistrements lireEnTolerant(const std::string &texte, Coupure coupure, LectureTournoi &l)
{
    std::string t = texte;
    LectureEnregistrements e = lireEnregistrements(t);
    DernierBloc b = dernierBloc(t, e);
    bool fautif = e.ligneErreur != 0 && e.ligneErreur >= b.ligne;
    if ((coupure == Coupure::Reprise && (!b.entier || fautif)) ||
        (coupure == Coupure::SiCoupee && !b.entier && fautif && b.debut > 0)) {
        t.resize(b.debut);
        l.coupee = true;
        l.ligneCoupee = b.ligne;
        if (t.find_first_not_of("\r\n") == std::string::npos)
            return {};
        e = lireEnregistrements(t);
    }
    l.longueurSaine = t.size();
    l.ligneErreur = e.ligneErreur;
    l.erreur = e.erreur;
    return e;
}

// A match's record or a tournament's, which holds no header of the other
// kind, read with its one schedule.
LectureTournoi lireUnSeulReglage(const std::string &texte, Coupure coupure, bool match)
{
    LectureTournoi l;
    if (texte.find_first_not_of("\r\n") == std::string::npos)
        return l; // empty: nothing played yet
    LectureEnregistrements e = lireEnTolerant(texte, coupure, l);
    if (l.ligneErreur != 0 || l.longueurSaine == 0)
        return l;
    const std::vector<EnTeteLu> &tetes = match ? e.matchs : e.tournois;
    const std::vector<EnTeteLu> &autres = match ? e.tournois : e.matchs;
    if (!autres.empty() || tetes.empty() || tetes[0].premierePartie > 0) {
        l.ligneErreur = 1;
        l.erreur = match ? "ce n'est pas l'enregistrement d'un match (moteur --enregistrer)"
                         : "ce n'est pas l'enregistrement d'un tournoi (moteur tournoi --enregistrer)";
        return l;
    }
    l.reglage = reglageDesEnTetes(tetes, match ? "match" : "tournoi", l.ligneErreur, l.erreur);
    if (l.ligneErreur != 0)
        return l;
    l.parties = std::move(e.parties);
    if (match)
        for (Partie &p : l.parties)
            p.rencontre = 1;
    return l;
}

} // namespace

LectureTournoi lireTournoi(const std::string &texte, Coupure coupure)
{
    return lireUnSeulReglage(texte, coupure, false);
}

LectureTournoi lireMatch(const std::string &texte, Coupure coupure)
{
    return lireUnSeulReglage(texte, coupure, true);
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
