// Many machines, really: a tournament's slices sent through GNU parallel to
// a real sshd on 127.0.0.1 (a key made for the test), their records brought
// back with --return, and their merged standings those of one run.
#include "moteur_en_fond.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

namespace moteur {
namespace {

const char *const SSHD = "/usr/sbin/sshd";

// A port nobody listens on now.
int portLibre()
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t l = sizeof a;
    int port = bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
                       getsockname(s, reinterpret_cast<sockaddr *>(&a), &l) == 0
                   ? ntohs(a.sin_port)
                   : 0;
    close(s);
    return port;
}

class Ssh : public MoteurEnFond {
protected:
    void TearDown() override
    {
        if (sshd_ > 0) {
            kill(sshd_, SIGTERM);
            waitpid(sshd_, nullptr, 0);
        }
        MoteurEnFond::TearDown();
    }

    // sshd started on 127.0.0.1 with keys of the test's own; why it cannot
    // be, or nothing.
    std::string demarrer()
    {
        fs::path d = dossier / "ssh";
        fs::create_directories(d);
        for (const char *cle : {"hote", "cle"})
            if (essai::executer("/usr/bin/ssh-keygen", {"-q", "-t", "ed25519", "-N", "", "-f",
                                                         (d / cle).string()}).statut != 0)
                return "ssh-keygen a échoué";
        fs::copy_file(d / "cle.pub", d / "autorisees");
        port_ = portLibre();
        std::ofstream(d / "config") << "Port " << port_ << "\nListenAddress 127.0.0.1\nHostKey "
                                    << (d / "hote").string() << "\nAuthorizedKeysFile "
                                    << (d / "autorisees").string()
                                    << "\nPasswordAuthentication no\nStrictModes no\nUsePAM no\n"
                                       "PidFile none\n";
        // As the ssh service does when it starts: its privilege separation folder.
        if (geteuid() == 0)
            mkdir("/run/sshd", 0755);
        std::fflush(nullptr);
        sshd_ = fork();
        if (sshd_ == 0) {
            dup2(open((d / "journal").c_str(), O_WRONLY | O_CREAT, 0644), 2);
            execl(SSHD, SSHD, "-D", "-e", "-f", (d / "config").c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100; i++) {
            if (executer("true").statut == 0)
                return "";
            usleep(50000);
        }
        return "sshd ne répond pas : " + lire(d / "journal");
    }

    std::string commandeSsh()
    {
        return "ssh -p " + std::to_string(port_) + " -i " + (dossier / "ssh" / "cle").string() +
               " -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -o BatchMode=yes"
               " -o LogLevel=ERROR";
    }
    essai::Execution executer(const std::string &distante)
    {
        return essai::executer("/bin/sh", {"-c", commandeSsh() + " 127.0.0.1 '" + distante + "'"});
    }

    pid_t sshd_ = -1;
    int port_ = 0;
};

TEST_F(Ssh, DeuxTranchesParSshReviennentEtDonnentLeClassementDUnSeulTournoi)
{
    for (const char *outil : {SSHD, "/usr/bin/ssh-keygen", "/usr/bin/ssh", "/usr/bin/rsync"})
        if (access(outil, X_OK) != 0)
            GTEST_SKIP() << outil << " manque (paquets Debian openssh-server, openssh-client, "
                                     "rsync) : essai des tranches par ssh sauté";
    if (std::system("parallel --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel manque (paquet Debian parallel) : essai par ssh sauté";
    if (std::string raison = demarrer(); !raison.empty())
        GTEST_SKIP() << "sshd ne démarre pas ici, essai par ssh sauté : " << raison;

    std::string livre = std::string(ESSAIS_MOTEUR_DIR) + "/../../livres/equilibre.txt";
    std::vector<std::string> tournoi = {"tournoi", "-q", "-j", "1", "--graine", "7", "--parties",
                                        "4", "--livre", livre, "joueur_poids", "joueur_critique",
                                        "joueur_bref"};
    std::string distante = essai::programme("moteur");
    for (const std::string &a : tournoi)
        distante += " " + a;
    distante += " --tranche {}/2 --enregistrer tranche{}.txt";
    std::string commande = "cd " + dossier.string() + " && parallel --will-cite --ssh '" +
                           commandeSsh() + "' -S 1/127.0.0.1 --workdir ... --return tranche{}.txt"
                           " --cleanup \"" + distante + "\" ::: 1 2 > /dev/null";
    ASSERT_EQ(std::system(commande.c_str()), 0) << commande;
    essai::Execution reunies =
        moteur({"classement", (dossier / "tranche1.txt").string(), (dossier / "tranche2.txt").string()});
    EXPECT_EQ(reunies.statut, 0) << reunies.erreurs;
    EXPECT_EQ(reunies.sortie, moteur(tournoi).sortie);
    EXPECT_NE(reunies.sortie.find("Classement après 12 parties sur 12 (graine 7, 4 parties par "
                                  "rencontre, livre " + livre + ")"),
              std::string::npos)
        << reunies.sortie;
}

} // namespace
} // namespace moteur
