#include "sorties/lecture_tournoi.h"

#include "texte.h"

namespace moteur {
namespace {

// The byte offset and line of the first line of the file's last block (a
// line opening with '[' at the start of the file or after a blank line).
std::pair<size_t, int> dernierBloc(const std::string &t)
{
    size_t debut = 0, position = 0;
    int ligne = 1, ligneDuDebut = 1;
    bool apresBlanc = true;
    while (position < t.size()) {
        size_t fin = t.find('\n', position);
        size_t longueur = (fin == std::string::npos ? t.size() : fin) - position;
        if (apresBlanc && longueur > 0 && t[position] == '[') {
            debut = position;
            ligneDuDebut = ligne;
        }
        apresBlanc = longueur == 0;
        if (fin == std::string::npos)
            break;
        position = fin + 1;
        ligne++;
    }
    return {debut, ligneDuDebut};
}

// The record, without a last block cut short when that is tolerated: what
// lireEnregistrements reads of it, `l` telling what was left out.
LectureEnregistrements lireEnTolerant(const std::string &texte, bool tolererCoupure,
                                      LectureTournoi &l)
{
    std::string t = texte;
    LectureEnregistrements e = lireEnregistrements(t);
    auto [debut, ligneDuDebut] = dernierBloc(t);
    // A whole block ends with a blank line; a game without moves with two
    // (its moves' line is empty): only a cut can end it sooner.
    bool entier = t.size() >= 2 && t.compare(t.size() - 2, 2, "\n\n") == 0;
    size_t dernierEnTete = std::max(e.tournois.empty() ? 0 : e.tournois.back().premierePartie,
                                    e.matchs.empty() ? 0 : e.matchs.back().premierePartie);
    if (entier && e.ligneErreur == 0 && !e.parties.empty() && e.parties.back().coups.empty() &&
        dernierEnTete < e.parties.size())
        entier = t.size() >= 3 && t.compare(t.size() - 3, 3, "\n\n\n") == 0;
    if (tolererCoupure && (!entier || (e.ligneErreur != 0 && e.ligneErreur >= ligneDuDebut))) {
        t.resize(debut);
        l.coupee = true;
        if (t.find_first_not_of("\r\n") == std::string::npos)
            return {};
        e = lireEnregistrements(t);
    }
    l.longueurSaine = t.size();
    l.ligneErreur = e.ligneErreur;
    l.erreur = e.erreur;
    return e;
}

// The one schedule that every header of the file describes (as `lire`
// reads each), or why not.
template <typename Lire>
bool unSeulReglage(const std::vector<EnTeteLu> &enTetes, Lire lire, const char *quoi,
                   LectureTournoi &l)
{
    for (const EnTeteLu &lu : enTetes) {
        std::string erreur;
        std::optional<ReglageTournoi> r = lire(lu.etiquettes, erreur);
        if (r && l.reglage && !(*l.reglage == *r))
            erreur = hote::texte("cet en-tête est celui d'un autre %s que le premier du fichier",
                                 quoi);
        if (!r || !erreur.empty()) {
            l.ligneErreur = lu.ligne;
            l.erreur = erreur;
            return false;
        }
        l.reglage = r;
    }
    return true;
}

} // namespace

LectureTournoi lireTournoi(const std::string &texte, bool tolererCoupure)
{
    LectureTournoi l;
    if (texte.find_first_not_of("\r\n") == std::string::npos)
        return l; // empty: nothing played yet
    LectureEnregistrements e = lireEnTolerant(texte, tolererCoupure, l);
    if (l.ligneErreur != 0 || l.longueurSaine == 0)
        return l;
    if (!e.matchs.empty() || e.tournois.empty() || e.tournois[0].premierePartie > 0) {
        l.ligneErreur = 1;
        l.erreur = "ce n'est pas l'enregistrement d'un tournoi (moteur tournoi --enregistrer)";
        return l;
    }
    if (!unSeulReglage(e.tournois, reglageDuTournoi, "tournoi", l))
        return l;
    l.parties = std::move(e.parties);
    return l;
}

LectureTournoi lireMatch(const std::string &texte, bool tolererCoupure)
{
    LectureTournoi l;
    if (texte.find_first_not_of("\r\n") == std::string::npos)
        return l;
    LectureEnregistrements e = lireEnTolerant(texte, tolererCoupure, l);
    if (l.ligneErreur != 0 || l.longueurSaine == 0)
        return l;
    if (!e.tournois.empty() || e.matchs.empty() || e.matchs[0].premierePartie > 0) {
        l.ligneErreur = 1;
        l.erreur = "ce n'est pas l'enregistrement d'un match (moteur --enregistrer)";
        return l;
    }
    auto lire = [](const Etiquettes &etiquettes, std::string &erreur) {
        std::optional<EnTeteMatch> m = enTeteDuMatch(etiquettes, erreur);
        return m ? std::optional<ReglageTournoi>(calendrierDuMatch(*m)) : std::nullopt;
    };
    if (!unSeulReglage(e.matchs, lire, "match", l))
        return l;
    l.parties = std::move(e.parties);
    for (Partie &p : l.parties)
        p.rencontre = 1;
    return l;
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
