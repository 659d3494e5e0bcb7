// Fuzz target: the record reader of `moteur rejouer`, on any text.  A record
// is either refused at a line of the text with a readable reason, or read
// into games (none only after a match's or a tournament's tags) that,
// written again, read back as the same games.
#include "sorties/enregistrement.h"
#include "exiger.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool memesParties(const moteur::Partie &a, const moteur::Partie &b)
{
    if (a.numero != b.numero || a.jaune != b.jaune || a.rouge != b.rouge || a.graine != b.graine ||
        std::memcmp(&a.depart, &b.depart, sizeof a.depart) != 0 ||
        std::memcmp(&a.finale, &b.finale, sizeof a.finale) != 0 || a.fin.issue != b.fin.issue ||
        a.fin.fautif != b.fin.fautif || a.resultat != b.resultat || a.coups.size() != b.coups.size())
        return false;
    for (size_t i = 0; i < a.coups.size(); i++)
        if (a.coups[i].coup.origine != b.coups[i].coup.origine ||
            a.coups[i].coup.destination != b.coups[i].coup.destination ||
            a.coups[i].couleur != b.coups[i].couleur || a.coups[i].impose != b.coups[i].impose)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    std::string_view texte(reinterpret_cast<const char *>(donnees), taille);
    moteur::LectureEnregistrements l = moteur::lireEnregistrements(texte);
    if (l.ligneErreur != 0) {
        long lignes = std::count(texte.begin(), texte.end(), '\n') + 1;
        EXIGER(l.ligneErreur >= 1 && l.ligneErreur <= lignes + 1, "un refus hors du texte");
        EXIGER(!l.erreur.empty(), "un refus sans raison");
        EXIGER(texteLisible(l.erreur), "une raison qui n'est pas du texte lisible");
        return 0;
    }
    // Only the tags of a match or a tournament stopped before its first game.
    EXIGER(!l.parties.empty() || !l.matchs.empty() || !l.tournois.empty(),
           "un enregistrement accepté sans partie ni en-tête");
    if (l.parties.empty())
        return 0;
    std::string reecrit;
    for (const moteur::Partie &p : l.parties)
        reecrit += moteur::ecrireEnregistrement(p);
    moteur::LectureEnregistrements relu = moteur::lireEnregistrements(reecrit);
    EXIGER(relu.ligneErreur == 0, "un enregistrement réécrit est refusé");
    EXIGER(relu.parties.size() == l.parties.size(), "un autre nombre de parties une fois réécrit");
    for (size_t i = 0; i < l.parties.size(); i++)
        EXIGER(memesParties(l.parties[i], relu.parties[i]), "une autre partie une fois réécrite");
    return 0;
}
