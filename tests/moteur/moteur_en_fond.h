// The engine run as a real program from the tests of matches and
// tournaments: a fresh folder, runs in the foreground or in the background,
// the game blocks of a record.
#pragma once

#include "programme.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace moteur {

namespace fs = std::filesystem;

inline std::string lire(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The record's game blocks, by game number.
inline std::map<int, std::string> blocs(const std::string &t)
{
    std::map<int, std::string> b;
    for (size_t debut = t.find("[Partie \""); debut != std::string::npos;) {
        size_t fin = t.find("\n\n[", debut);
        std::string bloc = t.substr(debut, fin == std::string::npos ? fin : fin + 2 - debut);
        b[std::stoi(bloc.substr(9))] = bloc;
        debut = fin == std::string::npos ? fin : t.find("[Partie \"", fin);
    }
    return b;
}

class MoteurEnFond : public testing::Test {
protected:
    void SetUp() override
    {
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        char modele[] = "/tmp/tessor-moteur-XXXXXX";
        dossier = mkdtemp(modele);
    }
    void TearDown() override { fs::remove_all(dossier); }

    essai::Execution moteur(std::vector<std::string> a, const std::string &entree = "")
    {
        return essai::executer(essai::programme("moteur"), a, entree);
    }

    // Starts the engine in the background, its output in `sortie`.
    pid_t lancer(const std::vector<std::string> &a, const fs::path &sortie)
    {
        std::fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            dup2(open(sortie.c_str(), O_WRONLY | O_CREAT, 0644), 1);
            std::string m = essai::programme("moteur");
            std::vector<char *> argv = {m.data()};
            for (const std::string &x : a)
                argv.push_back(const_cast<char *>(x.c_str()));
            argv.push_back(nullptr);
            execv(m.c_str(), argv.data());
            _exit(127);
        }
        return pid;
    }

    static bool aucunProcessusRestant()
    {
        for (int i = 0; i < 200; i++) {
            pid_t r;
            while ((r = waitpid(-1, nullptr, WNOHANG)) > 0) {
            }
            if (r < 0 && errno == ECHILD)
                return true;
            usleep(10000);
        }
        return false;
    }

    fs::path dossier;
};

} // namespace moteur
