// Reading and writing the position notation used on command lines and in
// game records.
#include "notation.h"

#include "grille.h"
#include "texte.h"

#include <vector>

namespace hote {
namespace {

std::vector<std::string_view> decouper(std::string_view texte, char separateur)
{
    std::vector<std::string_view> morceaux;
    size_t debut = 0;
    for (;;) {
        size_t fin = texte.find(separateur, debut);
        morceaux.push_back(texte.substr(debut, fin - debut));
        if (fin == std::string_view::npos)
            return morceaux;
        debut = fin + 1;
    }
}

std::vector<std::string_view> champs(std::string_view texte)
{
    std::vector<std::string_view> resultat;
    for (std::string_view m : decouper(texte, ' '))
        if (!m.empty())
            resultat.push_back(m);
    return resultat;
}

char lettreCouleur(uint8_t couleur)
{
    switch (couleur) {
    case JAUNE: return 'j';
    case ROUGE: return 'r';
    default: return '.';
    }
}

// Reads one cell's two characters; returns an error text, empty when sound.
std::string lireCase(char h, char c, int numero, Colonne &colonne)
{
    if (h < '0' || h > '0' + HAUTEUR_MAX)
        return texte("case %d : hauteur « %c » (attendu un chiffre de 0 à 5)", numero, h);
    colonne.nb = static_cast<uint8_t>(h - '0');
    switch (c) {
    case 'j': colonne.couleur = JAUNE; break;
    case 'r': colonne.couleur = ROUGE; break;
    case '.': colonne.couleur = VIDE; break;
    default: return texte("case %d : couleur « %c » (attendu j, r ou .)", numero, c);
    }
    if (colonne.nb == 0 && colonne.couleur != VIDE)
        return texte("case %d : une case de hauteur 0 n'a pas de couleur (attendu « 0. »)",
                     numero);
    if (colonne.nb != 0 && colonne.couleur == VIDE)
        return texte("case %d : une colonne de hauteur %c doit être j ou r", numero, h);
    return {};
}

// The text read goes into the reason as a person can read it.
LectureNotation refus(const std::string &raison)
{
    return {std::nullopt, "notation invalide : " + lisible(raison)};
}

} // namespace

LectureNotation lireNotation(std::string_view notation)
{
    std::vector<std::string_view> ch = champs(notation);
    if (ch.size() != 2)
        return refus(texte("2 champs attendus (les lignes, puis le trait), %zu trouvé%s", ch.size(),
                           ch.size() > 1 ? "s" : ""));
    std::vector<std::string_view> lignes = decouper(ch[0], '/');
    if (lignes.size() != TAILLE_GRILLE)
        return refus(texte("%d lignes attendues, séparées par « / », %zu trouvée%s", TAILLE_GRILLE,
                           lignes.size(), lignes.size() > 1 ? "s" : ""));

    Position p = {};
    int numero = 0;
    for (int l = 0; l < TAILLE_GRILLE; l++) {
        std::string_view ligne = lignes[static_cast<size_t>(l)];
        int attendu = casesDeLaLigne(l);
        if (ligne.size() != static_cast<size_t>(2 * attendu))
            return refus(texte("la ligne %d doit décrire %d cases (%d caractères), elle en a %zu",
                               l, attendu, 2 * attendu, ligne.size()));
        for (size_t k = 0; k < ligne.size(); k += 2, numero++) {
            std::string erreur = lireCase(ligne[k], ligne[k + 1], numero, p.cols[numero]);
            if (!erreur.empty())
                return refus(erreur);
        }
    }

    if (ch[1] == "j")
        p.trait = JAUNE;
    else if (ch[1] == "r")
        p.trait = ROUGE;
    else
        return refus(texte("trait « %s » (attendu j ou r)", std::string(ch[1]).c_str()));
    return {p, {}};
}

std::string ecrireNotation(const Position &position)
{
    std::string texte;
    int numero = 0;
    for (int l = 0; l < TAILLE_GRILLE; l++) {
        if (l > 0)
            texte += '/';
        for (int k = 0; k < casesDeLaLigne(l); k++, numero++) {
            const Colonne &c = position.cols[numero];
            texte += static_cast<char>('0' + c.nb);
            texte += lettreCouleur(c.couleur);
        }
    }
    texte += ' ';
    texte += position.trait == ROUGE ? 'r' : 'j';
    return texte;
}

} // namespace hote
