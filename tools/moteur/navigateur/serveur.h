// The page's server: HTTP on the loopback address only, every request
// checked (the secret at the start of its path, the server's own Host and
// Origin) before it reaches the session.
#pragma once

#include "navigateur/session.h"

#include <memory>
#include <string>

namespace moteur {

class Serveur {
public:
    // `titre`: the page's, e.g. "Tessor : vous contre joueur_critique".
    Serveur(Session &session, std::string titre);
    ~Serveur();
    Serveur(const Serveur &) = delete;
    Serveur &operator=(const Serveur &) = delete;

    // Listens on 127.0.0.1, on `port` or (0) one the system picks: false
    // when it cannot, `erreur` saying why.
    bool ecouter(int port, std::string &erreur);
    // The page's address with its secret: "http://127.0.0.1:P/SECRET/".
    std::string adresse() const;
    // Answers requests until `arreter` (from another thread).
    void servir();
    void arreter();

private:
    struct Interne;
    std::unique_ptr<Interne> i_;
};

} // namespace moteur
