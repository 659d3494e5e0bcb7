// An opening book: start positions, one per line in the kit's notation, each
// played as a pair of games with the colours swapped.  A record names the
// book and the fingerprint of its positions, so that a resumed run, a slice
// or a merge of slices can tell it is the same book.
#pragma once

#include "tessor.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

struct Livre {
    std::string nom;        // as --livre gave it
    std::string empreinte;  // 16 hex digits, of its positions in order
    // Its positions; empty for a book known only from a record's header.
    std::vector<Position> departs;
};
using RefLivre = std::shared_ptr<const Livre>;

// The same book (by its positions), or both none.
bool memeLivre(const RefLivre &a, const RefLivre &b);

struct LectureLivre {
    RefLivre livre; // set when the text is a sound book
    int ligne = 0;  // otherwise, the line at fault (0: the whole text)
    std::string erreur;
};
// A book's text: one position per line in the kit's notation, `#` opening a
// comment (a whole line or the end of one), blank lines ignored.  Every
// position must have a legal move; the book must hold at least one.
LectureLivre lireLivre(const std::string &nom, std::string_view texte);

// FNV-1a of the positions' notations, one a line: what a record keeps.
std::string empreinteDesDeparts(const std::vector<Position> &departs);

// The order in which a match of seed `graine` takes the book's starts: a
// shuffle of its lines drawn from the seed, cycled when the games
// outnumber the starts.
std::vector<size_t> ordreDuLivre(uint32_t graine, size_t taille);

} // namespace moteur
