// Files the engine writes whole (a page, standings in JSON) and records it
// appends to: written so that nothing that was there is destroyed, and two
// engines never write one record at once.
#pragma once

#include <cstdio>
#include <string>

namespace moteur {

// `texte` becomes the whole content of `chemin`.  A new name or a regular
// file is written beside and renamed over it, keeping the file's mode and
// owner (a reader never sees half of it); a file with other names (hard
// links) is rewritten in place, so that they all see it; a symbolic link is
// followed to its target.  Anything else (a folder, a device, a FIFO) is
// refused.  An error text, empty when all was written.
std::string ecrireFichierEntier(const std::string &chemin, const std::string &texte);

// A record opened for appending, locked against any other engine, not
// inherited by players.  A FIFO nobody reads, a record locked by another
// engine, a file that cannot be opened: nothing, with `erreur` saying why.
std::FILE *ouvrirPourAjouter(const std::string &chemin, std::string &erreur);

// Appends `texte` whole and flushes it; on failure the record is cut back
// to where it was (no block cut short stays in it) and `erreur` says why.
bool ajouter(std::FILE *f, const std::string &texte, std::string &erreur);

} // namespace moteur
