#include "dialogue.h"

#include "notation.h"

#include <charconv>

namespace dialogue {
namespace {

std::string ligne(std::string texte) { return texte + "\n"; }

// "O-D" with both cells on the board.
std::optional<Coup> lireCoup(std::string_view mot)
{
    size_t tiret = mot.find('-');
    if (tiret == std::string_view::npos)
        return std::nullopt;
    std::optional<int64_t> o = lireEntier(mot.substr(0, tiret), 0, NBCASES - 1);
    std::optional<int64_t> d = lireEntier(mot.substr(tiret + 1), 0, NBCASES - 1);
    if (!o || !d)
        return std::nullopt;
    return Coup{static_cast<uint8_t>(*o), static_cast<uint8_t>(*d)};
}

// The index of `coup` in the list, -1 when it is not there.
int indexDans(const ListeCoups &coups, Coup coup)
{
    for (int i = 0; i < coups.nb; i++) {
        const Coup &c = coups.coups[i];
        if (c.origine == coup.origine && c.destination == coup.destination)
            return i;
    }
    return -1;
}

} // namespace

std::vector<std::string_view> mots(std::string_view ligne)
{
    if (!ligne.empty() && ligne.back() == '\r')
        ligne.remove_suffix(1);
    std::vector<std::string_view> resultat;
    size_t i = 0;
    while (i < ligne.size()) {
        size_t debut = ligne.find_first_not_of(" \t", i);
        if (debut == std::string_view::npos)
            break;
        size_t fin = std::min(ligne.find_first_of(" \t", debut), ligne.size());
        resultat.push_back(ligne.substr(debut, fin - debut));
        i = fin;
    }
    return resultat;
}

std::optional<int64_t> lireEntier(std::string_view mot, int64_t min, int64_t max)
{
    int64_t n = 0;
    auto [fin, erreur] = std::from_chars(mot.data(), mot.data() + mot.size(), n);
    bool entier = !mot.empty() && erreur == std::errc() && fin == mot.data() + mot.size();
    if (!entier || n < min || n > max)
        return std::nullopt;
    return n;
}

std::string ecrireCoup(Coup c)
{
    return std::to_string(c.origine) + "-" + std::to_string(c.destination);
}

std::string ligneAccueil()
{
    return ligne(std::string(mot::ACCUEIL) + " " + std::to_string(VERSION));
}

std::string lignePartie(uint32_t graine, int pidMoteur)
{
    return ligne(std::string(mot::PARTIE) + " " + std::to_string(graine) + " " +
                 std::to_string(pidMoteur));
}

std::string lignePendule(int64_t restantMs, int64_t incrementMs)
{
    return ligne(std::string(mot::PENDULE) + " " + std::to_string(restantMs) + " " +
                 std::to_string(incrementMs));
}

std::string ligneTour(const Position &position, const ListeCoups &coups)
{
    std::string t = std::string(mot::TOUR) + " " + hote::ecrireNotation(position);
    for (int i = 0; i < coups.nb; i++)
        t += " " + ecrireCoup(coups.coups[i]);
    return ligne(t);
}

std::string ligneResultat(std::string_view resultat, std::string_view fin)
{
    return ligne(std::string(mot::RESULTAT) + " " + std::string(resultat) + " " + std::string(fin));
}

std::string ligneFin() { return ligne(std::string(mot::FIN)); }

std::optional<Bonjour> lireBonjour(std::string_view texte)
{
    std::vector<std::string_view> m = mots(texte);
    if (m.size() < 2 || m[0] != mot::BONJOUR)
        return std::nullopt;
    std::optional<int64_t> version = lireEntier(m[1], 0, INT32_MAX);
    if (!version)
        return std::nullopt;
    Bonjour b;
    b.version = static_cast<int>(*version);
    if (b.version != VERSION)
        return b;
    if (m.size() < 3 || m.size() > 4 || (m.size() == 4 && m[3] != mot::PERSONNE))
        return std::nullopt;
    b.nom = m[2];
    b.personne = m.size() == 4;
    return b;
}

std::string ligneBonjour(std::string_view nom, bool personne)
{
    std::string t = std::string(mot::BONJOUR) + " " + std::to_string(VERSION) + " " + std::string(nom);
    return ligne(personne ? t + " " + std::string(mot::PERSONNE) : t);
}

std::optional<Reponse> lireReponse(std::string_view texte, const ListeCoups &coups)
{
    std::vector<std::string_view> m = mots(texte);
    if (m.size() == 1 && (m[0] == mot::PASSE || m[0] == mot::ABANDON))
        return Reponse{false, -1, m[0] == mot::ABANDON};
    if (m.size() != 2 || m[0] != mot::COUP)
        return std::nullopt;
    if (m[1].find('-', 1) != std::string_view::npos) {
        std::optional<Coup> c = lireCoup(m[1]);
        if (!c)
            return std::nullopt;
        return Reponse{true, indexDans(coups, *c), false};
    }
    std::optional<int64_t> index = lireEntier(m[1], INT32_MIN, INT32_MAX);
    if (!index)
        return std::nullopt;
    return Reponse{true, static_cast<int>(*index), false};
}

std::string ligneCoup(int index)
{
    return ligne(std::string(mot::COUP) + " " + std::to_string(index));
}
std::string lignePasse() { return ligne(std::string(mot::PASSE)); }
std::string ligneAbandon() { return ligne(std::string(mot::ABANDON)); }

} // namespace dialogue
