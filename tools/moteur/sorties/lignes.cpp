#include "sorties/lignes.h"

#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace moteur {
namespace {

// A game holds fewer than a hundred moves, a header a dozen tags: blocks far
// larger are junk, refused before they fill memory.
constexpr size_t LIGNE_OCTETS_MAX = 2u << 20;
constexpr size_t BLOC_OCTETS_MAX = 8u << 20;
constexpr int BLOC_LIGNES_MAX = 5000;
constexpr size_t MORCEAU = 1u << 16; // bytes read at a time

} // namespace

Lignes::Lignes(int descripteur, uint64_t octetsMax)
    : descripteur_(descripteur), tampon_(MORCEAU), octetsMax_(octetsMax)
{
}

// Every byte consumed passes here once: the last block start and the last
// bytes are followed as dernierBloc follows them on a whole text.
void Lignes::voir(const char *octets, size_t n)
{
    for (size_t k = n >= 3 ? n - 3 : 0; k < n; k++) {
        if (vu_.nbQueue == sizeof vu_.queue) {
            std::memmove(vu_.queue, vu_.queue + 1, sizeof vu_.queue - 1);
            vu_.nbQueue--;
        }
        vu_.queue[vu_.nbQueue++] = octets[k];
    }
    while (n > 0) {
        const char *nl = static_cast<const char *>(std::memchr(octets, '\n', n));
        size_t k = nl == nullptr ? n : static_cast<size_t>(nl - octets);
        if (vu_.longueur == 0 && k > 0)
            vu_.premier = octets[0];
        vu_.longueur += k;
        vu_.position += k;
        if (nl == nullptr)
            return;
        vu_.position++;
        finDeLigneVue();
        octets += k + 1;
        n -= k + 1;
    }
}

void Lignes::finDeLigneVue()
{
    if (vu_.apresBlanc && vu_.longueur > 0 && vu_.premier == '[') {
        vu_.bloc.debut = static_cast<size_t>(vu_.debutLigne);
        vu_.bloc.ligne = vu_.ligne;
    }
    vu_.apresBlanc = vu_.longueur == 0;
    vu_.longueur = 0;
    vu_.debutLigne = vu_.position;
    vu_.ligne++;
}

// More bytes from the descriptor: false at its end.
bool Lignes::remplir()
{
    if (debut_ < fin_)
        return true;
    if (finDuFlux_)
        return false;
    ssize_t n;
    do
        n = read(descripteur_, tampon_.data(), tampon_.size());
    while (n < 0 && errno == EINTR);
    illisible_ = n < 0;
    if (n < 0)
        throw Refus{numero_ + 1, hote::texte("lecture impossible : %s", std::strerror(errno))};
    debut_ = 0;
    fin_ = static_cast<size_t>(n);
    octetsDuFlux_ += fin_;
    if (octetsMax_ > 0 && octetsDuFlux_ > octetsMax_)
        throw EnregistrementTropGros{octetsMax_};
    finDuFlux_ = n == 0;
    return n > 0;
}

bool Lignes::fini()
{
    return descripteur_ < 0 ? reste_.empty() : !remplir();
}

void Lignes::nouveauBloc()
{
    bloc_.clear();
    ligneDuBloc_ = numero_ + 1;
    lignesDuBloc_ = 0;
    octetsDuBloc_ = 0;
}

// A line read counts in its block, within the caps.
void Lignes::garder(std::string_view ligne)
{
    if (ligne.size() > LIGNE_OCTETS_MAX)
        throw Refus{numero_ + 1, "ligne trop longue"};
    octetsDuBloc_ += ligne.size();
    if (++lignesDuBloc_ > BLOC_LIGNES_MAX || octetsDuBloc_ > BLOC_OCTETS_MAX)
        throw Refus{ligneDuBloc_, "partie trop longue"};
}

std::string_view Lignes::suivante()
{
    std::string_view l;
    if (descripteur_ < 0) {
        size_t fin = reste_.find('\n');
        l = reste_.substr(0, fin);
        garder(l);
        size_t pris = fin == std::string_view::npos ? reste_.size() : fin + 1;
        voir(reste_.data(), pris);
        reste_.remove_prefix(pris);
    } else {
        std::string &ligne = bloc_.emplace_back();
        while (remplir()) {
            const char *debut = tampon_.data() + debut_;
            const char *nl = static_cast<const char *>(std::memchr(debut, '\n', fin_ - debut_));
            size_t k = nl == nullptr ? fin_ - debut_ : static_cast<size_t>(nl - debut);
            if (ligne.size() + k > LIGNE_OCTETS_MAX)
                throw Refus{numero_ + 1, "ligne trop longue"};
            ligne.append(debut, k);
            size_t pris = k + (nl == nullptr ? 0 : 1);
            voir(debut, pris);
            debut_ += pris;
            if (nl != nullptr)
                break;
        }
        garder(ligne);
        l = ligne;
    }
    numero_++;
    if (!l.empty() && l.back() == '\r') // a file that went through another system
        l.remove_suffix(1);
    return l;
}

DernierBloc Lignes::dernierBloc()
{
    if (descripteur_ < 0) {
        voir(reste_.data(), reste_.size());
        reste_ = {};
    }
    while (descripteur_ >= 0 && remplir()) {
        voir(tampon_.data() + debut_, fin_ - debut_);
        debut_ = fin_;
    }
    if (vu_.longueur > 0) // a last line without its newline
        finDeLigneVue();
    DernierBloc b = vu_.bloc;
    b.entier = finitPar("\n\n");
    return b;
}

bool Lignes::finitPar(std::string_view fin) const
{
    return vu_.nbQueue >= fin.size() &&
           std::string_view(vu_.queue + vu_.nbQueue - fin.size(), fin.size()) == fin;
}

} // namespace moteur
