#include "commandes/commun.h"

#include "sorties/textes.h"

#include <cerrno>
#include <cstring>

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
                                                 : "");
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


} // namespace moteur
