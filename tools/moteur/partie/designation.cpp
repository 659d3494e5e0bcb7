#include "partie/designation.h"

#include "partie/programme.h"
#include "partie/programme_texte.h"
#include "processus/systeme.h"
#include "dialogue.h"

namespace moteur {

std::string trouverLeJoueur(DescriptionJoueur &d, const std::string &designation)
{
    std::string_view commande = designation;
    d.texte = commande.starts_with(PREFIXE_TEXTE);
    std::string programme = designation;
    d.arguments.clear();
    if (d.texte) {
        commande.remove_prefix(std::string_view(PREFIXE_TEXTE).size());
        std::vector<std::string_view> mots = dialogue::mots(commande);
        if (mots.empty())
            return "« texte: » attend la commande d'un programme, par exemple "
                   "« texte:./mon_joueur.py »";
        programme = mots[0];
        d.arguments.assign(mots.begin() + 1, mots.end());
    }
    std::optional<std::string> chemin = trouverProgramme(programme);
    if (!chemin)
        return raisonIntrouvable(programme);
    d.chemin = *chemin;
    return "";
}

std::unique_ptr<ProgrammeLance> creerParticipant(const DescriptionJoueur &d, Registre &registre)
{
    if (d.texte)
        return std::make_unique<ProgrammeTexte>(d, registre);
    return std::make_unique<Programme>(d, registre);
}

Salut saluer(Registre &registre, const DescriptionJoueur &d)
{
    if (!d.texte)
        return saluer(registre, d.chemin);
    DescriptionJoueur sansTrace = d;
    sansTrace.fichierTrace.clear();
    sansTrace.personne = false;
    return ProgrammeTexte(sansTrace, registre).saluer(); // and ended with its process
}

} // namespace moteur
