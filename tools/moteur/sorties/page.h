// The replay page: one self-contained HTML file (its style, script and data
// inside, nothing fetched) that shows the games of a record in a browser:
// the list of games, the board after any move, the moves, the result.
#pragma once

#include "tournoi/classement.h"
#include "partie/partie.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace moteur {

// The files of the engine's pages (page/), built in as strings; the board's
// style and script (plateau_*) serve every page that draws one.
namespace ressources {
extern const char page_html[], page_css[], page_js[], plateau_css[], plateau_js[];
} // namespace ressources

// The text with `&<>"` written as HTML entities.
std::string texteHtml(std::string_view t);
// The board's grid as plateau.js reads it: rows of cell numbers, -1 off the board.
std::string grilleJson();
// The template with each `{{name}}` replaced, in one pass (a value is never
// read again for markers); an unknown name stays as it is.
std::string remplirModele(std::string_view modele,
                          const std::vector<std::pair<std::string_view, std::string_view>> &valeurs);

// The whole page for these games; `titre` heads it (the record's name).
// With the standings of a tournament (its games, in the order of their
// numbers), the page opens on them: the standings, the crosstable with a
// link to each game, and the ratings drawn with their intervals.
std::string textePage(const std::vector<Partie> &parties, const std::string &titre,
                      const Classement *classement = nullptr);

} // namespace moteur
