// The page opened in the person's browser, when there is a display.
#pragma once

#include <string>

namespace moteur {

// Hands the address to xdg-open when a display is there (DISPLAY or
// WAYLAND_DISPLAY set): whether it was handed.  The browser it starts is
// not the engine's: neither its sweeps of orphans nor its stop end it.
bool ouvrirDansLeNavigateur(const std::string &adresse);

} // namespace moteur
