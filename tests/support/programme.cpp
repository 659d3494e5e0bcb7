#include "programme.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TESSOR_BIN_DIR
#error "TESSOR_BIN_DIR doit désigner build/bin"
#endif

namespace essai {

const char *const NOTATION_INITIALE = "1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/"
                                      "1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/1r1j1r1j1r1j/1j1r1j1r/1j1r j";

std::string programme(const std::string &nom)
{
    std::string kit = std::string(TESSOR_BIN_DIR) + "/" + nom;
    return access(kit.c_str(), F_OK) == 0 ? kit : std::string(TESSOR_ESSAIS_BIN_DIR) + "/" + nom;
}

namespace {
const bool joueursDEssaiTrouves = setenv("TESSOR_JOUEURS", TESSOR_ESSAIS_BIN_DIR, 1) == 0;
} // namespace

namespace {

// A temporary file, removed when done; the child reads or writes it, so no
// pipe can fill up and block either side.
struct Fichier {
    std::string chemin;
    int fd;
    Fichier()
    {
        char modele[] = "/tmp/tessor-essai-XXXXXX";
        fd = mkstemp(modele);
        chemin = modele;
    }
    ~Fichier()
    {
        close(fd);
        unlink(chemin.c_str());
    }
    std::string lire() const
    {
        std::ifstream f(chemin, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
};

int attendre(pid_t pid, int delai)
{
    int etat = 0;
    for (int attente = 0; attente < delai * 1000; attente++) {
        pid_t r = waitpid(pid, &etat, WNOHANG);
        if (r == pid)
            return WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
        usleep(1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &etat, 0);
    return 128 + SIGKILL;
}

// The engine's line saying that this machine refuses to sandbox its
// players: no part of what the tests compare, where it shows (one test
// looks for it on purpose).
std::string sansAvertissementDuBacASable(std::string erreurs)
{
    const std::string debut = "moteur : attention, ce système refuse d'isoler les joueurs";
    size_t i = erreurs.find(debut);
    if (i != std::string::npos)
        erreurs.erase(i, erreurs.find('\n', i) + 1 - i);
    return erreurs;
}

} // namespace

Execution executer(const std::string &chemin, const std::vector<std::string> &arguments,
                   const std::string &entree, int delai)
{
    Fichier in, out, err;
    if (write(in.fd, entree.data(), entree.size()) != static_cast<ssize_t>(entree.size()))
        std::abort();
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int lecture = open(in.chemin.c_str(), O_RDONLY);
        dup2(lecture, 0);
        dup2(out.fd, 1);
        dup2(err.fd, 2);
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>(chemin.c_str()));
        for (const std::string &a : arguments)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(chemin.c_str(), argv.data());
        _exit(127);
    }
    Execution e;
    e.statut = attendre(pid, delai);
    e.sortie = out.lire();
    e.erreurs = sansAvertissementDuBacASable(err.lire());
    return e;
}

std::vector<std::string> lignes(const std::string &texte)
{
    std::vector<std::string> resultat;
    std::istringstream flux(texte);
    for (std::string ligne; std::getline(flux, ligne);)
        resultat.push_back(ligne);
    return resultat;
}

std::string lireFichier(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> noms(const std::string &liste)
{
    std::vector<std::string> resultat;
    std::istringstream flux(liste);
    for (std::string nom; std::getline(flux, nom, ',');)
        resultat.push_back(nom);
    return resultat;
}

Tour jouerUnTour(const std::string &joueur, const std::string &notation,
                 std::optional<unsigned> graine, const std::string &entree)
{
    std::vector<std::string> args = {"--position", notation};
    if (graine) {
        args.push_back("--graine");
        args.push_back(std::to_string(*graine));
    }
    Tour t;
    t.execution = executer(programme(joueur), args, entree);
    for (const std::string &l : lignes(t.execution.erreurs)) {
        if (l.rfind("indices:", 0) == 0) {
            t.ligneIndicesLue = true;
            std::istringstream nombres(l.substr(8));
            for (int i; nombres >> i;)
                t.indices.push_back(i);
        } else if (l == "signal: SIGUSR1") {
            t.signaux++;
        }
    }
    return t;
}

} // namespace essai
