// What the readers of records share: the text cut into numbered lines, a
// refusal with its line, one tag read.  The game reader (enregistrement.cpp),
// the header readers (en_tetes.cpp) and the block reader (lecture_flux.cpp)
// use it.
#pragma once

#include "sorties/enregistrement.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

// Thrown when a descriptor gives more than the bytes allowed (the reader's
// user decides what to say).
struct EnregistrementTropGros {
    uint64_t limite;
};

struct Refus {
    int ligne;
    std::string raison;
};

// Lines without their newline, numbered from 1, from a text in memory or a
// descriptor read piece by piece.  Only the lines of the block under way are
// kept: the views it hands out stay valid up to the next nouveauBloc().  A
// line or a block over the caps below is refused by throwing a Refus, so
// that junk cannot grow memory; so is a descriptor that cannot be read.
class Lignes {
public:
    explicit Lignes(std::string_view texte) : reste_(texte) {}
    // `octetsMax`: beyond it, EnregistrementTropGros is thrown (0: no limit).
    explicit Lignes(int descripteur, uint64_t octetsMax = 0);
    bool fini();
    int numero() const { return numero_; }
    std::string_view suivante();
    // The lines read so far are no longer needed: the next opens a block.
    void nouveauBloc();
    // The last block of the whole input as dernierBloc() finds it (the text
    // is read to its end, nothing kept); `entier`: it ends with a blank line.
    DernierBloc dernierBloc();
    // Whether the whole input, once read, ends with `fin` (3 bytes at most).
    bool finitPar(std::string_view fin) const;
    uint64_t octetsLus() const { return vu_.position; }
    // The descriptor failed (the refusal said why): not a block cut short.
    bool illisible() const { return illisible_; }

private:
    // What the bytes seen so far tell of the last block: lines counted as
    // dernierBloc counts them (a line is blank when it has no byte at all).
    struct Vu {
        uint64_t position = 0, debutLigne = 0;
        size_t longueur = 0;
        char premier = 0;
        bool apresBlanc = true;
        int ligne = 1;
        DernierBloc bloc;
        char queue[3] = {};
        size_t nbQueue = 0;
    };
    void voir(const char *octets, size_t n);
    void finDeLigneVue();
    bool remplir();
    void garder(std::string_view ligne);

    std::string_view reste_;
    int descripteur_ = -1;
    std::vector<char> tampon_;
    size_t debut_ = 0, fin_ = 0;
    bool finDuFlux_ = false, illisible_ = false;
    uint64_t octetsMax_ = 0, octetsDuFlux_ = 0;
    std::deque<std::string> bloc_; // the block's lines, read from a descriptor
    int ligneDuBloc_ = 1, lignesDuBloc_ = 0;
    size_t octetsDuBloc_ = 0;
    int numero_ = 0;
    Vu vu_;
};

// `[Nom "valeur"]` with the expected name; the value, or why not.
std::optional<std::string_view> lireEtiquette(std::string_view l, std::string_view nom,
                                              std::string &raison);

// A match's header (`premiere` is its first line), or a tournament's, up to
// its blank line: added to `tetes` once found sound, the games from number
// `partiesLues` (counted from 0) following it.
std::optional<Refus> lireEnTeteDuMatch(Lignes &lignes, std::string_view premiere,
                                       size_t partiesLues, std::vector<EnTeteLu> &tetes);
std::optional<Refus> lireEnTeteDuTournoi(Lignes &lignes, std::string_view premiere,
                                         size_t partiesLues, std::vector<EnTeteLu> &tetes);

// One game from its first tag line, every move replayed; nothing when it is
// sound.
std::optional<Refus> lirePartie(Lignes &lignes, std::string_view premiere, Partie &p);

} // namespace moteur
