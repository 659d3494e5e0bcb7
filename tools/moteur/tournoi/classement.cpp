#include "tournoi/classement.h"

#include <algorithm>

namespace moteur {

Classement classer(const Calendrier &calendrier, const std::vector<Partie> &parties)
{
    Classement c;
    c.reglage = calendrier.reglage();
    c.partiesPrevues = calendrier.nbParties();
    size_t n = c.reglage.joueurs.size();
    c.demiPoints.assign(n, std::vector<int>(n, 0));
    c.parties.assign(n, std::vector<int>(n, 0));
    c.victoires.assign(n, std::vector<int>(n, 0));
    c.paires.assign(static_cast<size_t>(calendrier.nbRencontres()), Paires{});
    std::vector<LigneClassement> l(n);
    for (size_t i = 0; i < n; i++)
        l[i].joueur = static_cast<int>(i);
    // Half-points of each pairing's first player, by game, to pair them.
    std::vector<int> demis(static_cast<size_t>(calendrier.nbParties()) + 1, -1);
    for (const Partie &p : parties) {
        PartiePrevue prevue = calendrier.partie(p.numero);
        c.partiesJouees++;
        for (uint8_t couleur : {JAUNE, ROUGE}) {
            size_t i = static_cast<size_t>(couleur == JAUNE ? prevue.jaune : prevue.rouge);
            size_t j = static_cast<size_t>(couleur == JAUNE ? prevue.rouge : prevue.jaune);
            Decompte t;
            compter(t, p, couleur);
            int demi = t.demiPoints();
            l[i].parties++;
            l[i].victoires += t.victoires;
            l[i].nulles += t.nulles;
            l[i].defaites += t.defaites;
            l[i].demiPoints += demi;
            l[i].fautes += t.fautes;
            l[i].coupsImposes += t.coupsImposes;
            c.demiPoints[i][j] += demi;
            c.parties[i][j]++;
            c.victoires[i][j] += t.victoires;
            if (static_cast<int>(i) == calendrier.rencontre(prevue.rencontre).premier)
                demis[static_cast<size_t>(p.numero)] = demi;
        }
    }
    for (int numero = 2; numero <= calendrier.nbParties(); numero += 2)
        if (demis[numero - 1] >= 0 && demis[numero] >= 0)
            c.paires[static_cast<size_t>((numero - 1) / c.reglage.parties)]
                    [static_cast<size_t>(demis[numero - 1] + demis[numero])]++;

    std::vector<std::vector<double>> pts(n, std::vector<double>(n, 0));
    for (size_t i = 0; i < n; i++)
        for (size_t j = 0; j < n; j++)
            pts[i][j] = c.demiPoints[i][j] / 2.0;
    std::vector<Cote> cotes = cotesParVraisemblance(pts, c.parties);
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

} // namespace moteur
