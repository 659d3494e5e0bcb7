#include "commandes/commun.h"

#include "processus/systeme.h"
#include "sorties/textes.h"
#include "texte.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace moteur {

int refuser(Commande c, const std::string &erreur)
{
    if (c == Commande::Verifier)
        std::fprintf(stderr, "moteur verifier : %s\nEssayez « moteur verifier --help ».\n",
                     erreur.c_str());
    else
        std::fprintf(stderr, "moteur : %s\nEssayez « moteur %s--help ».\n", erreur.c_str(),
                     c == Commande::Page ? "page " : c == Commande::Livre ? "livre " : "");
    return USAGE;
}

std::string nomDeBase(const std::string &nom)
{
    size_t slash = nom.rfind('/');
    return slash == std::string::npos ? nom : nom.substr(slash + 1);
}

bool ecrireTout(std::FILE *f, const std::string &t)
{
    return std::fwrite(t.data(), 1, t.size(), f) == t.size() && std::fflush(f) == 0;
}

std::FILE *ouvrirEnregistrement(const std::string &chemin)
{
    std::FILE *f = std::fopen(chemin.c_str(), "ae");
    if (f == nullptr)
        std::fprintf(stderr, "moteur : impossible d'écrire dans « %s » : %s\n", chemin.c_str(),
                     std::strerror(errno));
    return f;
}

bool publierClassement(const Classement &c, const std::string &resultats)
{
    std::fputs(texteClassement(c).c_str(), stdout);
    if (resultats.empty())
        return true;
    std::FILE *f = std::fopen(resultats.c_str(), "we");
    bool ecrit = f != nullptr && ecrireTout(f, jsonClassement(c));
    if (f != nullptr && std::fclose(f) != 0)
        ecrit = false;
    if (!ecrit)
        std::fprintf(stderr, "moteur : impossible d'écrire le classement dans « %s » : %s\n",
                     resultats.c_str(), std::strerror(errno));
    return ecrit;
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
