// Fuzz target: the position notation reader, on any text.  A notation is
// either refused with a readable reason, or read into a board whose fields
// are in range and written back as the same text (its fields separated by
// one blank).
#include "exiger.h"
#include "notation.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    std::string_view texte(reinterpret_cast<const char *>(donnees), taille);
    hote::LectureNotation l = hote::lireNotation(texte);
    if (!l.position) {
        EXIGER(!l.erreur.empty(), "une notation refusée sans raison");
        EXIGER(texteLisible(l.erreur), "une raison qui n'est pas du texte lisible");
        return 0;
    }
    EXIGER(l.erreur.empty(), "une notation lue avec une erreur");
    const Position &p = *l.position;
    EXIGER(p.trait == JAUNE || p.trait == ROUGE, "un trait hors des bornes");
    for (const Colonne &c : p.cols)
        EXIGER(c.nb <= HAUTEUR_MAX && c.couleur <= ROUGE && (c.nb == 0) == (c.couleur == VIDE),
               "une colonne hors des bornes");

    std::string champs;
    for (size_t debut = 0; debut < texte.size();) {
        size_t fin = std::min(texte.find(' ', debut), texte.size());
        if (fin > debut)
            champs += (champs.empty() ? "" : " ") + std::string(texte.substr(debut, fin - debut));
        debut = fin + 1;
    }
    std::string ecrite = hote::ecrireNotation(p);
    EXIGER(ecrite == champs, "la notation écrite n'est pas celle qui a été lue");
    hote::LectureNotation relue = hote::lireNotation(ecrite);
    EXIGER(relue.position && std::memcmp(&*relue.position, &p, sizeof p) == 0,
           "la notation écrite ne se relit pas à l'identique");
    return 0;
}
