// `moteur page FICHIER [-o SORTIE.html]`: the replay page of a record,
// beside it by default, or on standard output.
#include "commandes/commun.h"

#include "processus/fichiers.h"
#include "processus/systeme.h"
#include "sorties/enregistrement.h"
#include "sorties/lecture_flux.h"
#include "sorties/lecture_tournoi.h"
#include "sorties/page.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace moteur {
namespace {

std::string sortieParDefaut(const std::string &fichier)
{
    std::filesystem::path p(fichier);
    std::filesystem::path s = p;
    s.replace_extension(".html");
    if (s == p)
        s += ".html";
    return s.string();
}

// A tournament's record (its header first, no match in it): its standings
// as `moteur classement` makes them, its games put in the order of their
// numbers.  Nothing for a record of matches, nor when `refus` says why the
// tournament's record is not sound.
std::optional<Classement> classementDuTournoi(LectureEnregistrements &l, const std::string &fichier,
                                              std::string &refus)
{
    if (l.tournois.empty() || !l.matchs.empty() || l.tournois[0].premierePartie > 0)
        return std::nullopt;
    int ligne = 0;
    std::string erreur;
    std::optional<ReglageTournoi> reglage = reglageDesEnTetes(l.tournois, "tournoi", ligne, erreur);
    if (!reglage) {
        refus = hote::texte("%s:%d: %s", fichier.c_str(), ligne, erreur.c_str());
        return std::nullopt;
    }
    Calendrier calendrier(*reglage);
    std::set<int> numeros;
    for (const Partie &p : l.parties) {
        std::string ecart = calendrier.ecartAvec(p);
        if (ecart.empty() && !numeros.insert(p.numero).second)
            ecart = hote::texte("la partie %d y figure deux fois", p.numero);
        if (!ecart.empty()) {
            refus = "moteur : « " + fichier + " » : " + ecart;
            return std::nullopt;
        }
    }
    std::stable_sort(l.parties.begin(), l.parties.end(),
                     [](const Partie &a, const Partie &b) { return a.numero < b.numero; });
    return classer(calendrier, l.parties);
}

// The record's games, all of them in memory for the page: a record over
// PAGE_OCTETS_MAX is refused, before it is read when its size is known.
std::optional<LectureEnregistrements> enregistrementsBornes(const std::string &fichier)
{
    struct stat s;
    bool tropGros = fichier != "-" && stat(fichier.c_str(), &s) == 0 && S_ISREG(s.st_mode) &&
                    static_cast<uint64_t>(s.st_size) > PAGE_OCTETS_MAX;
    try {
        if (!tropGros)
            return enregistrementsDe(fichier, PAGE_OCTETS_MAX);
    } catch (const EnregistrementTropGros &) {
    }
    std::string nom = fichier == "-" ? "l'entrée standard" : "« " + fichier + " »";
    std::fprintf(stderr,
                 "moteur : %s dépasse %llu Mo, le plus gros enregistrement qu'une page "
                 "montre : faites une page par tranche du tournoi (tournoi --tranche K/M "
                 "--enregistrer), ou d'un fichier qui ne garde que les parties voulues\n",
                 nom.c_str(), static_cast<unsigned long long>(PAGE_OCTETS_MAX >> 20));
    return std::nullopt;
}

} // namespace

int commandePage(const Options &o, Registre &)
{
    if (o.noms.empty() || o.noms[0].empty())
        return refuser(o.commande, o.noms.empty() ? "page attend un fichier d'enregistrement"
                                                  : "page attend un seul fichier d'enregistrement");
    if (o.noms.size() > 1)
        return refuser(o.commande, "page attend un seul fichier d'enregistrement");
    const std::string &fichier = o.noms[0];
    // A record read on standard input has no place to put its page beside.
    bool entree = fichier == "-";
    std::string sortie = o.sortie.value_or(entree ? "-" : sortieParDefaut(fichier));

    std::optional<LectureEnregistrements> lu = enregistrementsBornes(fichier);
    if (!lu)
        return ECHEC;
    LectureEnregistrements &l = *lu;
    std::error_code e;
    if (!entree && sortie != "-" && std::filesystem::equivalent(fichier, sortie, e)) {
        std::fprintf(stderr, "moteur : la page remplacerait l'enregistrement « %s »\n",
                     fichier.c_str());
        return ECHEC;
    }
    std::string refus;
    std::optional<Classement> classement = classementDuTournoi(l, fichier, refus);
    if (!refus.empty()) {
        std::fprintf(stderr, "%s\n", refus.c_str());
        return ECHEC;
    }
    std::string page =
        textePage(l.parties,
                  "Tessor : " + (entree ? std::string("entrée standard")
                                        : std::filesystem::path(fichier).filename().string()),
                  classement ? &*classement : nullptr);
    if (sortie == "-") {
        std::fwrite(page.data(), 1, page.size(), stdout);
        return SUCCES; // main says whether it reached its reader
    }
    if (std::string raison = ecrireFichierEntier(sortie, page); !raison.empty()) {
        std::fprintf(stderr, "moteur : impossible d'écrire « %s » : %s\n", sortie.c_str(),
                     raison.c_str());
        return ECHEC;
    }
    std::printf("%zu partie%s dans « %s »\n", l.parties.size(), l.parties.size() > 1 ? "s" : "",
                sortie.c_str());
    return SUCCES;
}

} // namespace moteur
