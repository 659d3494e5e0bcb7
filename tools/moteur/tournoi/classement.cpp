#include "tournoi/classement.h"

#include <algorithm>

namespace moteur {

Classeur::Classeur(const Calendrier &calendrier) : calendrier_(calendrier)
{
    c_.reglage = calendrier.reglage();
    c_.partiesPrevues = calendrier.nbParties();
    size_t n = c_.reglage.joueurs.size();
    c_.demiPoints.assign(n, std::vector<int>(n, 0));
    c_.parties.assign(n, std::vector<int>(n, 0));
    c_.victoires.assign(n, std::vector<int>(n, 0));
    c_.paires.assign(static_cast<size_t>(calendrier.nbRencontres()), Paires{});
    lignes_.resize(n);
    for (size_t i = 0; i < n; i++)
        lignes_[i].joueur = static_cast<int>(i);
    demis_.assign(static_cast<size_t>(calendrier.nbParties()) + 1, -1);
}

void Classeur::ajouter(const Partie &p)
{
    PartiePrevue prevue = calendrier_.partie(p.numero);
    c_.partiesJouees++;
    for (uint8_t couleur : {JAUNE, ROUGE}) {
        size_t i = static_cast<size_t>(couleur == JAUNE ? prevue.jaune : prevue.rouge);
        size_t j = static_cast<size_t>(couleur == JAUNE ? prevue.rouge : prevue.jaune);
        Decompte t;
        compter(t, p, couleur);
        int demi = t.demiPoints();
        LigneClassement &l = lignes_[i];
        l.parties++;
        l.victoires += t.victoires;
        l.nulles += t.nulles;
        l.defaites += t.defaites;
        l.demiPoints += demi;
        l.fautes += t.fautes;
        l.coupsImposes += t.coupsImposes;
        c_.demiPoints[i][j] += demi;
        c_.parties[i][j]++;
        c_.victoires[i][j] += t.victoires;
        if (static_cast<int>(i) == calendrier_.rencontre(prevue.rencontre).premier)
            demis_[static_cast<size_t>(p.numero)] = demi;
    }
}

Classement Classeur::classement() const
{
    Classement c = c_;
    // Half-points of each pairing's first player, by game, paired.
    for (int numero = 2; numero <= calendrier_.nbParties(); numero += 2)
        if (demis_[numero - 1] >= 0 && demis_[numero] >= 0)
            c.paires[static_cast<size_t>((numero - 1) / c.reglage.parties)]
                    [static_cast<size_t>(demis_[numero - 1] + demis_[numero])]++;
    size_t n = c.reglage.joueurs.size();
    std::vector<std::vector<double>> pts(n, std::vector<double>(n, 0));
    for (size_t i = 0; i < n; i++)
        for (size_t j = 0; j < n; j++)
            pts[i][j] = c.demiPoints[i][j] / 2.0;
    std::vector<Cote> cotes = cotesParVraisemblance(pts, c.parties);
    std::vector<LigneClassement> l = lignes_;
    for (size_t i = 0; i < n; i++)
        l[i].cote = cotes[i];
    // Points, then rating, then the order of the command line.
    std::stable_sort(l.begin(), l.end(), [](const LigneClassement &a, const LigneClassement &b) {
        if (a.demiPoints != b.demiPoints)
            return a.demiPoints > b.demiPoints;
        return a.cote.elo > b.cote.elo;
    });
    c.lignes = l;
    return c;
}

Classement classer(const Calendrier &calendrier, const std::vector<Partie> &parties)
{
    Classeur classeur(calendrier);
    for (const Partie &p : parties)
        classeur.ajouter(p);
    return classeur.classement();
}

} // namespace moteur
