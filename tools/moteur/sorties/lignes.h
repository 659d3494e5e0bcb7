// What the readers of records share: the text cut into numbered lines, a
// refusal with its line, one tag read.  The game reader (enregistrement.cpp)
// and the header readers (en_tetes.cpp) both use it.
#pragma once

#include "sorties/enregistrement.h"

#include <optional>
#include <string>
#include <string_view>

namespace moteur {

// Lines without their newline, numbered from 1.
class Lignes {
public:
    explicit Lignes(std::string_view texte) : reste_(texte) {}
    bool fini() const { return reste_.empty(); }
    int numero() const { return numero_; }
    std::string_view suivante()
    {
        size_t fin = reste_.find('\n');
        std::string_view l = reste_.substr(0, fin);
        if (!l.empty() && l.back() == '\r') // a file that went through another system
            l.remove_suffix(1);
        reste_ = fin == std::string_view::npos ? std::string_view() : reste_.substr(fin + 1);
        numero_++;
        return l;
    }

private:
    std::string_view reste_;
    int numero_ = 0;
};

struct Refus {
    int ligne;
    std::string raison;
};

// `[Nom "valeur"]` with the expected name; the value, or why not.
std::optional<std::string_view> lireEtiquette(std::string_view l, std::string_view nom,
                                              std::string &raison);

// A match's header (`premiere` is its first line), or a tournament's, up to
// its blank line: kept in `lecture` once found sound.
std::optional<Refus> lireEnTeteDuMatch(Lignes &lignes, std::string_view premiere,
                                       LectureEnregistrements &lecture);
std::optional<Refus> lireEnTeteDuTournoi(Lignes &lignes, std::string_view premiere,
                                         LectureEnregistrements &lecture);

} // namespace moteur
