#include "partie/livre.h"

#include "partie/hasard.h"
#include "notation.h"
#include "texte.h"

#include <numeric>
#include <utility>

namespace moteur {
namespace {

constexpr uint64_t FNV_BASE = 0xcbf29ce484222325ull;
constexpr uint64_t FNV_PREMIER = 0x100000001b3ull;

std::string_view sansBlancs(std::string_view l)
{
    size_t debut = l.find_first_not_of(" \t\r");
    if (debut == std::string_view::npos)
        return {};
    size_t fin = l.find_last_not_of(" \t\r");
    return l.substr(debut, fin + 1 - debut);
}

} // namespace

bool memeLivre(const RefLivre &a, const RefLivre &b)
{
    if (!a || !b)
        return !a && !b;
    return a->empreinte == b->empreinte;
}

LectureLivre lireLivre(const std::string &nom, std::string_view texte)
{
    LectureLivre l;
    auto livre = std::make_shared<Livre>();
    livre->nom = nom;
    int numero = 0;
    for (size_t debut = 0; debut < texte.size();) {
        size_t fin = std::min(texte.find('\n', debut), texte.size());
        std::string_view ligne = texte.substr(debut, fin - debut);
        debut = fin + 1;
        numero++;
        ligne = sansBlancs(ligne.substr(0, ligne.find('#')));
        if (ligne.empty())
            continue;
        hote::LectureNotation n = hote::lireNotation(ligne);
        if (!n.position || getCoupsLegaux(*n.position).nb == 0) {
            l.ligne = numero;
            l.erreur = n.position ? "aucun coup possible depuis cette position" : n.erreur;
            return l;
        }
        livre->departs.push_back(*n.position);
    }
    if (livre->departs.empty()) {
        l.erreur = "aucune position";
        return l;
    }
    livre->empreinte = empreinteDesDeparts(livre->departs);
    l.livre = std::move(livre);
    return l;
}

std::string empreinteDesDeparts(const std::vector<Position> &departs)
{
    uint64_t h = FNV_BASE;
    for (const Position &p : departs)
        for (char c : hote::ecrireNotation(p) + "\n") {
            h ^= static_cast<unsigned char>(c);
            h *= FNV_PREMIER;
        }
    return hote::texte("%016llx", static_cast<unsigned long long>(h));
}

std::vector<size_t> ordreDuLivre(uint32_t graine, size_t taille)
{
    std::vector<size_t> ordre(taille);
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    Hasard h = hasardDe(graine, Flux::Livre);
    for (size_t i = taille; i > 1; i--) // Fisher-Yates
        std::swap(ordre[i - 1], ordre[static_cast<size_t>(h.tirer(static_cast<int>(i)))]);
    return ordre;
}

} // namespace moteur
