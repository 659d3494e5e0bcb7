#include "partie/issue.h"

#include "texte.h"

#include <array>
#include <csignal>
#include <cstring>
#include <utility>

namespace moteur {
namespace {

constexpr std::array<std::pair<Issue, const char *>, 10> TEXTES = {{
    {Issue::PlusDeCoup, "plus aucun coup possible"},
    {Issue::Plantage, "le programme a planté"},
    {Issue::Arret, "le programme s'est arrêté"},
    {Issue::Temps, "temps dépassé"},
    {Issue::Protocole, "protocole non respecté"},
    {Issue::Lancement, "le programme n'a pas pu démarrer"},
    {Issue::AucunIndex, "aucun coup remis (--strict)"},
    {Issue::HorsListe, "coup hors de la liste (--strict)"},
    {Issue::Abandon, "la personne a quitté la partie"},
    {Issue::Pendule, "temps de la partie écoulé"},
}};

} // namespace

const char *texteIssue(Issue issue)
{
    for (const auto &[i, t] : TEXTES)
        if (i == issue)
            return t;
    return "?";
}

const char *nomCouleur(uint8_t couleur) { return couleur == ROUGE ? "rouge" : "jaune"; }

std::string nomDuSignal(int numero)
{
    const char *abrege = numero > 0 && numero < NSIG ? sigabbrev_np(numero) : nullptr;
    return abrege != nullptr ? std::string("SIG") + abrege : hote::texte("signal %d", numero);
}

std::string texteFin(const FinPartie &fin)
{
    if (fin.issue == Issue::PlusDeCoup)
        return texteIssue(fin.issue);
    std::string t = std::string(nomCouleur(fin.fautif)) + " : " + texteIssue(fin.issue);
    if (fin.issue == Issue::Plantage && fin.signal > 0)
        t += " (" + nomDuSignal(fin.signal) + ")";
    return t;
}

std::optional<FinPartie> lireFin(std::string_view texte)
{
    if (texte == texteIssue(Issue::PlusDeCoup))
        return FinPartie{Issue::PlusDeCoup, VIDE};
    for (uint8_t couleur : {JAUNE, ROUGE}) {
        std::string prefixe = std::string(nomCouleur(couleur)) + " : ";
        if (texte.substr(0, prefixe.size()) != prefixe)
            continue;
        std::string_view reste = texte.substr(prefixe.size());
        for (const auto &[i, t] : TEXTES)
            if (i != Issue::PlusDeCoup && reste == t)
                return FinPartie{i, couleur};
        // A crash names its signal (records written before it did not).
        for (int numero = 1; numero < NSIG; numero++)
            if (reste == texteFin({Issue::Plantage, couleur, numero}).substr(prefixe.size()))
                return FinPartie{Issue::Plantage, couleur, numero};
    }
    return std::nullopt;
}

Resultat resultatAuScore(Score s)
{
    if (s.nbJ != s.nbR)
        return s.nbJ > s.nbR ? Resultat::Jaune : Resultat::Rouge;
    if (s.nbJ5 != s.nbR5)
        return s.nbJ5 > s.nbR5 ? Resultat::Jaune : Resultat::Rouge;
    return Resultat::Nulle;
}

Resultat resultatDeLaPartie(const FinPartie &fin, const Position &finale)
{
    if (fin.issue == Issue::PlusDeCoup)
        return resultatAuScore(evaluerScore(finale));
    return fin.fautif == JAUNE ? Resultat::Rouge : Resultat::Jaune;
}

const char *texteResultat(Resultat r)
{
    switch (r) {
    case Resultat::Jaune: return "1-0";
    case Resultat::Rouge: return "0-1";
    default: return "1/2-1/2";
    }
}

std::optional<Resultat> lireResultat(std::string_view texte)
{
    for (Resultat r : {Resultat::Jaune, Resultat::Rouge, Resultat::Nulle})
        if (texte == texteResultat(r))
            return r;
    return std::nullopt;
}

std::string texteScore(Score s)
{
    return hote::texte("J: %d (%d piles de 5) - R : %d (%d piles de 5)", s.nbJ, s.nbJ5, s.nbR,
                       s.nbR5);
}

std::string scoreLisible(Score s)
{
    auto piles = [](int n) { return hote::texte("%d pile%s de 5", n, n > 1 ? "s" : ""); };
    return hote::texte("J : %d (%s) - R : %d (%s)", s.nbJ, piles(s.nbJ5).c_str(), s.nbR,
                       piles(s.nbR5).c_str());
}

} // namespace moteur
