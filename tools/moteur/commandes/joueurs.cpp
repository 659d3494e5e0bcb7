// `moteur joueurs`: the player programs the engine finds by name, beside it
// and in TESSOR_JOUEURS, automatic and human apart; `moteur tournoi --tous`
// takes the automatic ones.
#include "commandes/commun.h"

#include "partie/programme.h"
#include "processus/systeme.h"

#include "texte.h"

#include <algorithm>

namespace moteur {
namespace {

struct Trouve {
    std::string nom, chemin;
};
struct JoueursTrouves {
    std::vector<Trouve> automatiques, humains;
    std::vector<Trouve> autreVersion; // players built with another kit's libjoueur
};

// Every player program found is started once and asked whether a person
// plays through it.
JoueursTrouves trouverLesJoueurs(Registre &registre)
{
    JoueursTrouves t;
    for (const auto &[nom, chemin] : programmesDesDossiers()) {
        Salut s = saluer(registre, chemin);
        if (!s.joueur())
            continue;
        std::vector<Trouve> &liste = !s.memeVersion() ? t.autreVersion
                                     : s.personne     ? t.humains
                                                      : t.automatiques;
        liste.push_back({nom, chemin});
    }
    return t;
}

std::string texteListe(const char *titre, const std::vector<Trouve> &liste)
{
    size_t largeur = 0;
    for (const Trouve &j : liste)
        largeur = std::max(largeur, j.nom.size());
    std::string t = hote::texte("%s (%zu) :\n", titre, liste.size());
    for (const Trouve &j : liste)
        t += hote::texte("  %-*s  %s\n", static_cast<int>(largeur), j.nom.c_str(),
                         j.chemin.c_str());
    return t;
}

} // namespace

std::vector<std::string> joueursAutomatiques(Registre &registre)
{
    std::vector<std::string> noms;
    for (const Trouve &j : trouverLesJoueurs(registre).automatiques)
        noms.push_back(j.nom);
    return noms;
}

int commandeJoueurs(const Options &o, Registre &registre)
{
    if (!o.noms.empty())
        return refuser(o.commande, "joueurs ne prend aucun nom");
    JoueursTrouves t = trouverLesJoueurs(registre);
    std::string texte = texteListe("Joueurs automatiques", t.automatiques) + "\n" +
                        texteListe("Joueurs humains", t.humains);
    if (!t.autreVersion.empty())
        texte += "\n" + texteListe("Programmes d'une autre version du protocole, à reconstruire",
                                   t.autreVersion);
    std::fputs(texte.c_str(), stdout);
    return SUCCES;
}

} // namespace moteur
