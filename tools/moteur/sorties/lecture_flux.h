// A record read block by block, from a text or a descriptor: a header (its
// tags up to a blank line) or a game (tags, blank line, moves, blank line;
// a game without moves ends with two blank lines).  Each game is handed over
// as soon as it is checked, so that memory holds one block (plus the
// headers) whatever the size of the record.
#pragma once

#include "sorties/enregistrement.h"
#include "sorties/lignes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace moteur {

// What a reader does with a last block that is not sound: refuses it; leaves
// it out when the text ends inside it (an engine killed or a disk full
// while writing it); or, to resume the record, leaves it out as soon as it
// is faulty, since an engine killed just after a blank line leaves a block
// that looks whole.
enum class Coupure { Refusee, SiCoupee, Reprise };

class LectureEnFlux {
public:
    explicit LectureEnFlux(std::string_view texte) : lignes_(texte) {}
    // `octetsMax`: beyond it, EnregistrementTropGros (0: no limit).
    explicit LectureEnFlux(int descripteur, uint64_t octetsMax = 0)
        : lignes_(descripteur, octetsMax) {}
    // The next game, every move checked; false at the end of the record or
    // at its first fault.
    bool suivante(Partie &p);
    int ligneErreur() const { return ligneErreur_; }
    const std::string &erreur() const { return erreur_; }
    const std::vector<EnTeteLu> &matchs() const { return matchs_; }
    const std::vector<EnTeteLu> &tournois() const { return tournois_; }
    // The first line of the block read last (sound or faulty); 0 before any.
    int ligneDuBloc() const { return ligneDuBloc_; }
    // Once suivante() said false: the last block of the whole input (read
    // to its end), and the bytes read.
    DernierBloc dernierBloc();
    uint64_t octetsLus() const { return lignes_.octetsLus(); }
    bool illisible() const { return lignes_.illisible(); }

private:
    std::optional<Refus> lireUnBloc(std::string_view premiere, Partie &p, bool &partie);

    Lignes lignes_;
    std::vector<EnTeteLu> matchs_, tournois_;
    size_t parties_ = 0;
    int ligneErreur_ = 0;
    std::string erreur_;
    int ligneDuBloc_ = 0;
    bool termine_ = false;
    bool derniereSansCoup_ = false; // the last sound block is a game without moves
};

// A whole record read: its headers, how many games were handed over, and
// what became of its last block.
struct BilanDeLecture {
    std::vector<EnTeteLu> matchs, tournois;
    size_t parties = 0;
    bool vide = false;   // no game, no header and no fault (a cut block left out)
    bool coupee = false; // a last block was left out
    int ligneCoupee = 0; // where it started
    uint64_t longueurSaine = 0; // bytes up to the end of the last block kept
    int ligneErreur = 0;        // 0: sound
    std::string erreur;
};

// Reads the record to its end and hands each game kept to `recevoir`, the
// last sound one once the record is read (it may be the block left out).
BilanDeLecture lireEnFlux(LectureEnFlux &lecture, Coupure coupure,
                          const std::function<void(Partie &&)> &recevoir);

} // namespace moteur
