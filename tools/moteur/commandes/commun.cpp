#include "commandes/commun.h"

#include "processus/fichiers.h"
#include "processus/systeme.h"
#include "sorties/lecture_flux.h"
#include "sorties/textes.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

namespace moteur {

int refuser(Commande c, const std::string &erreur)
{
    if (c == Commande::Verifier)
        std::fprintf(stderr, "moteur verifier : %s\nEssayez « moteur verifier --help ».\n",
                     erreur.c_str());
    else
        std::fprintf(stderr, "moteur : %s\nEssayez « moteur %s--help ».\n", erreur.c_str(),
                     c == Commande::Page         ? "page "
                     : c == Commande::Navigateur ? "navigateur "
                     : c == Commande::Livre      ? "livre "
                                                 : "");
    return USAGE;
}

int ouvrirEnLecture(const std::string &fichier, int &erreur)
{
    int fd = fichier == "-" ? STDIN_FILENO : open(fichier.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat s;
    erreur = fd < 0 ? errno : fstat(fd, &s) != 0 ? errno : S_ISDIR(s.st_mode) ? EISDIR : 0;
    if (erreur == 0)
        return fd;
    fermerALire(fd);
    return -1;
}

int ouvrirALire(const std::string &fichier)
{
    int erreur = 0;
    int fd = ouvrirEnLecture(fichier, erreur);
    struct stat s;
    // A device may never end (/dev/urandom): not read at all.
    if (fd >= 0 && fichier != "-" && fstat(fd, &s) == 0 && (S_ISCHR(s.st_mode) || S_ISBLK(s.st_mode))) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : ce n'est pas un fichier\n",
                     fichier.c_str());
        fermerALire(fd);
        return -1;
    }
    if (fd < 0)
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", fichier.c_str(),
                     std::strerror(erreur));
    return fd;
}

void fermerALire(int descripteur)
{
    if (descripteur > STDIN_FILENO)
        close(descripteur);
}

bool parcourirEnregistrement(const std::string &fichier,
                             const std::function<void(Partie &&)> &recevoir, Parcours parcours)
{
    int fd = ouvrirALire(fichier);
    if (fd < 0)
        return false;
    FermerEnPartant fermer{fd};
    LectureEnFlux lecture(fd, parcours.octetsMax);
    BilanDeLecture l = lireEnFlux(lecture, Coupure::SiCoupee, recevoir);
    // A last block cut short (an engine killed, a disk full) is what it is:
    // said, and the whole games before it read.
    if (l.coupee && parcours.avertir)
        std::fprintf(stderr, "%s:%d: attention, la dernière partie est coupée : elle est laissée de côté\n",
                     fichier.c_str(), l.ligneCoupee);
    if (l.vide) {
        l.ligneErreur = 1;
        l.erreur = "aucune partie enregistrée";
    }
    if (l.ligneErreur != 0) {
        std::fprintf(stderr, "%s:%d: %s\n", fichier.c_str(), l.ligneErreur, l.erreur.c_str());
        return false;
    }
    if (parcours.tetes != nullptr) {
        parcours.tetes->matchs = std::move(l.matchs);
        parcours.tetes->tournois = std::move(l.tournois);
    }
    return true;
}

std::optional<LectureEnregistrements> enregistrementsDe(const std::string &fichier,
                                                        uint64_t octetsMax)
{
    LectureEnregistrements l;
    if (!parcourirEnregistrement(
            fichier, [&](Partie &&p) { l.parties.push_back(std::move(p)); }, {&l, octetsMax}))
        return std::nullopt;
    return l;
}

std::string nomDeBase(const std::string &nom)
{
    size_t slash = nom.rfind('/');
    return slash == std::string::npos ? nom : nom.substr(slash + 1);
}

std::vector<JoueurNomme> nommerLesJoueurs(const std::vector<std::string> &arguments)
{
    std::vector<JoueurNomme> joueurs;
    for (const std::string &a : arguments) {
        size_t egal = a.find('=');
        bool nomme = egal != std::string::npos && egal > 0 && egal + 1 < a.size() &&
                     a.find('/') > egal;
        joueurs.push_back(nomme ? JoueurNomme{a.substr(0, egal), a.substr(egal + 1)}
                                : JoueurNomme{a, a});
    }
    for (JoueurNomme &j : joueurs) {
        std::string court = nomDeBase(j.nom);
        bool unique = std::count_if(joueurs.begin(), joueurs.end(), [&](const JoueurNomme &k) {
                          return k.nom == court || nomDeBase(k.nom) == court;
                      }) == 1;
        if (court != j.nom && !court.empty() && unique)
            j.nom = court;
    }
    return joueurs;
}

std::FILE *ouvrirEnregistrement(const std::string &chemin)
{
    std::string erreur;
    std::FILE *f = ouvrirPourAjouter(chemin, erreur);
    if (f == nullptr)
        std::fprintf(stderr, "moteur : impossible d'écrire dans « %s » : %s\n", chemin.c_str(),
                     erreur.c_str());
    return f;
}
std::string fermerEnregistrement(std::FILE *f, const std::string &chemin, std::string erreur)
{
    if (f != nullptr && std::fclose(f) != 0 && erreur.empty())
        erreur = std::strerror(errno);
    if (!erreur.empty())
        std::fprintf(stderr, "moteur : l'écriture dans « %s » a échoué : %s\n", chemin.c_str(),
                     erreur.c_str());
    return erreur;
}

bool publierClassement(const Classement &c, const std::string &resultats)
{
    std::fputs(texteClassement(c, largeurDuTerminal()).c_str(), stdout);
    if (resultats.empty())
        return true;
    std::string erreur = ecrireFichierEntier(resultats, jsonClassement(c));
    if (!erreur.empty())
        std::fprintf(stderr, "moteur : impossible d'écrire le classement dans « %s » : %s\n",
                     resultats.c_str(), erreur.c_str());
    return erreur.empty();
}

bool creerLeDossierDesTraces(const std::string &dossier)
{
    std::error_code e;
    if (!dossier.empty())
        std::filesystem::create_directories(dossier, e);
    if (e)
        std::fprintf(stderr, "moteur : impossible de créer le dossier « %s » : %s\n",
                     dossier.c_str(), e.message().c_str());
    return !e;
}

RefLivre chargerLivre(const Options &o, std::string &refus)
{
    if (o.livre.empty())
        return nullptr;
    if (o.ouverture > 0) {
        refus = "--livre et --ouverture ne vont pas ensemble : chaque paire part d'une "
                "position du livre, ou de coups tirés au hasard";
        return nullptr;
    }
    int erreur = 0;
    std::optional<std::string> texte = lireFichier(o.livre, erreur);
    if (!texte) {
        refus = "--livre : impossible de lire « " + o.livre + " » : " + std::strerror(erreur);
        return nullptr;
    }
    LectureLivre l = lireLivre(o.livre, *texte);
    if (!l.livre)
        refus = l.ligne > 0 ? hote::texte("--livre : « %s », ligne %d : %s", o.livre.c_str(),
                                          l.ligne, l.erreur.c_str())
                            : "--livre : « " + o.livre + " » : " + l.erreur;
    return l.livre;
}

} // namespace moteur
