// Which kind of program a player's name designates, and the participant
// that speaks to it: `texte:COMMANDE [ARGUMENT...]` a program of any language
// over the text protocol, any other name a program of the kit.
#pragma once

#include "partie/programme.h"
#include "processus/orphelins.h"

#include <memory>
#include <string>

namespace moteur {

constexpr const char *PREFIXE_TEXTE = "texte:";

// Fills `d` with the program `designation` names (`texte:COMMANDE...` or a
// program of the kit), the protocol it speaks and its arguments; the
// reason, when none is found.
std::string trouverLeJoueur(DescriptionJoueur &d, const std::string &designation);

std::unique_ptr<ProgrammeLance> creerParticipant(const DescriptionJoueur &d, Registre &registre);

// The program started once as a player, asked and ended (before a
// tournament): whether it is one, and whether a person plays through it.
Salut saluer(Registre &registre, const DescriptionJoueur &d);

} // namespace moteur
