// System helpers of the engine (Linux).
#include "processus/systeme.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <elf.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <set>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace moteur {
namespace {

// A file that can be executed: a folder has the same permission bit.
bool executable(const std::string &chemin)
{
    struct stat s;
    return access(chemin.c_str(), X_OK) == 0 && stat(chemin.c_str(), &s) == 0 &&
           S_ISREG(s.st_mode);
}

} // namespace

double maintenant()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

int pidMoteur() { return static_cast<int>(getpid()); }

namespace {

// The decimal number at `t`, and where it ends.
int lireNombre(const char *&t)
{
    int n = 0;
    for (; *t >= '0' && *t <= '9'; t++)
        n = n * 10 + (*t - '0');
    return n;
}

} // namespace

bool lireFiliation(int pid, int &numero, int &parent)
{
    // "/proc/<pid>/stat", built without the library's formatting.
    char chemin[32] = "/proc/self/stat", chiffres[12];
    if (pid > 0) {
        int n = 0;
        for (int reste = pid; reste > 0 && n < 11; reste /= 10)
            chiffres[n++] = static_cast<char>('0' + reste % 10);
        char *c = chemin + 6;
        while (n > 0)
            *c++ = chiffres[--n];
        const char fin[] = "/stat";
        for (size_t i = 0; i < sizeof fin; i++)
            c[i] = fin[i];
    }
    int fd = open(chemin, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char texte[512];
    ssize_t lu = read(fd, texte, sizeof texte - 1);
    close(fd);
    if (lu <= 0)
        return false;
    texte[lu] = '\0';
    // "pid (name) S ppid ...": the name may hold blanks and parentheses,
    // so the state follows the last ')'.
    const char *t = texte, *finDuNom = nullptr;
    numero = lireNombre(t);
    for (const char *c = texte; *c != '\0'; c++)
        if (*c == ')')
            finDuNom = c;
    if (finDuNom == nullptr || finDuNom[1] != ' ' || finDuNom[2] == '\0' || finDuNom[3] != ' ')
        return false;
    t = finDuNom + 4;
    parent = lireNombre(t);
    return numero > 0;
}

bool sortieEstUnTerminal() { return isatty(STDOUT_FILENO) == 1; }

size_t largeurDuTerminal()
{
    winsize w = {};
    return ioctl(STDOUT_FILENO, TIOCGWINSZ, &w) == 0 ? w.ws_col : 0;
}

uint32_t graineDeLHorloge()
{
    auto t = std::chrono::system_clock::now().time_since_epoch();
    auto n = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(t).count());
    return static_cast<uint32_t>(n ^ (n >> 32) ^ static_cast<uint64_t>(pidMoteur()));
}

std::string dateUTC()
{
    std::time_t t = std::time(nullptr);
    std::tm tm = {};
    gmtime_r(&t, &tm);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return date;
}

std::optional<std::string> lireFichier(const std::string &chemin, int &erreur)
{
    std::ifstream f;
    bool entree = chemin == "-";
    if (!entree)
        f.open(chemin, std::ios::binary);
    erreur = entree || f ? 0 : errno;
    // A folder opens, then reads as an empty file.
    std::error_code e;
    if (erreur == 0 && !entree && std::filesystem::is_directory(chemin, e))
        erreur = EISDIR;
    if (erreur != 0)
        return std::nullopt;
    std::stringstream contenu;
    contenu << (entree ? std::cin.rdbuf() : f.rdbuf());
    if (f.bad()) {
        erreur = EIO;
        return std::nullopt;
    }
    return contenu.str();
}

std::string dossierDuMoteur()
{
    char moi[4096];
    ssize_t n = readlink("/proc/self/exe", moi, sizeof moi - 1);
    if (n <= 0)
        return "";
    std::string chemin(moi, static_cast<size_t>(n));
    return chemin.substr(0, chemin.rfind('/'));
}

namespace {

// The folders where players are looked for by name, each ending in '/':
// the engine's own, then those the user lists in TESSOR_JOUEURS (':').
std::vector<std::string> dossiersDesJoueurs()
{
    std::vector<std::string> dossiers;
    if (std::string dossier = dossierDuMoteur(); !dossier.empty())
        dossiers.push_back(dossier + "/");
    const char *variable = std::getenv("TESSOR_JOUEURS");
    std::string liste = variable != nullptr ? variable : "";
    for (size_t debut = 0; debut <= liste.size();) {
        size_t fin = std::min(liste.find(':', debut), liste.size());
        if (fin > debut)
            dossiers.push_back(liste.substr(debut, fin - debut) + "/");
        debut = fin + 1;
    }
    return dossiers;
}

// Where a player of that name is looked for, in order.
std::vector<std::string> cheminsPossibles(const std::string &nom)
{
    std::vector<std::string> chemins;
    if (nom.empty())
        return chemins;
    if (nom.find('/') == std::string::npos)
        for (const std::string &dossier : dossiersDesJoueurs())
            chemins.push_back(dossier + nom);
    chemins.push_back(nom.find('/') == std::string::npos ? "./" + nom : nom);
    return chemins;
}

} // namespace

std::optional<std::string> trouverProgramme(const std::string &nom)
{
    for (const std::string &chemin : cheminsPossibles(nom))
        if (executable(chemin))
            return chemin;
    return std::nullopt;
}

namespace {

constexpr size_t SECTION_MAX = 1 << 20; // bytes of a dynamic section or its strings

// A section of an ELF file, read whole when it is of a sane size.
std::string lireSection(int fd, const Elf64_Shdr &s)
{
    if (s.sh_size == 0 || s.sh_size > SECTION_MAX)
        return {};
    std::string t(s.sh_size, '\0');
    ssize_t lu = pread(fd, t.data(), t.size(), static_cast<off_t>(s.sh_offset));
    return lu == static_cast<ssize_t>(t.size()) ? t : std::string();
}

// The libraries an ELF program of 64 bits needs (its DT_NEEDED entries).
std::vector<std::string> bibliothequesRequises(int fd)
{
    std::vector<std::string> noms;
    Elf64_Ehdr e;
    if (pread(fd, &e, sizeof e, 0) != sizeof e || std::memcmp(e.e_ident, ELFMAG, SELFMAG) != 0 ||
        e.e_ident[EI_CLASS] != ELFCLASS64 || e.e_shentsize != sizeof(Elf64_Shdr) ||
        e.e_shnum == 0)
        return noms;
    std::vector<Elf64_Shdr> sections(e.e_shnum);
    size_t taille = sections.size() * sizeof(Elf64_Shdr);
    if (pread(fd, sections.data(), taille, static_cast<off_t>(e.e_shoff)) !=
        static_cast<ssize_t>(taille))
        return noms;
    for (const Elf64_Shdr &s : sections) {
        if (s.sh_type != SHT_DYNAMIC || s.sh_link >= sections.size())
            continue;
        std::string dynamique = lireSection(fd, s), chaines = lireSection(fd, sections[s.sh_link]);
        for (size_t k = 0; k + sizeof(Elf64_Dyn) <= dynamique.size(); k += sizeof(Elf64_Dyn)) {
            Elf64_Dyn d;
            std::memcpy(&d, dynamique.data() + k, sizeof d);
            if (d.d_tag == DT_NEEDED && d.d_un.d_val < chaines.size())
                noms.emplace_back(chaines.c_str() + d.d_un.d_val);
        }
    }
    return noms;
}

} // namespace

bool programmeDeJoueur(const std::string &chemin)
{
    int fd = open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::vector<std::string> requises = bibliothequesRequises(fd);
    close(fd);
    for (const std::string &b : requises)
        if (b.rfind("libjoueur.so", 0) == 0)
            return true;
    return false;
}

std::vector<std::pair<std::string, std::string>> programmesDesDossiers()
{
    std::vector<std::pair<std::string, std::string>> trouves;
    std::set<std::string> noms;
    for (const std::string &dossier : dossiersDesJoueurs()) {
        std::vector<std::string> ici;
        std::error_code e;
        for (const auto &f : std::filesystem::directory_iterator(dossier, e))
            ici.push_back(f.path().filename().string());
        std::sort(ici.begin(), ici.end());
        for (const std::string &nom : ici)
            if (executable(dossier + nom) && programmeDeJoueur(dossier + nom) &&
                noms.insert(nom).second)
                trouves.emplace_back(nom, dossier + nom);
    }
    return trouves;
}

std::string raisonIntrouvable(const std::string &nom)
{
    for (const std::string &chemin : cheminsPossibles(nom)) {
        struct stat s;
        if (stat(chemin.c_str(), &s) != 0)
            continue;
        if (S_ISDIR(s.st_mode))
            return "« " + nom + " » est un dossier, pas un programme joueur";
        return "« " + nom + " » n'est pas exécutable (chmod +x " + chemin + ")";
    }
    return "programme joueur introuvable « " + nom + " »";
}

void ouvrirLesDescripteursStandard()
{
    // open gives the lowest free descriptor: each closed one in turn.
    for (int fd = 0; fd <= 2; fd++)
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0)
            return;
}

void resterSurCeProcesseur()
{
    int processeur = sched_getcpu();
    if (processeur < 0 || processeur >= CPU_SETSIZE)
        return;
    cpu_set_t un;
    CPU_ZERO(&un);
    CPU_SET(processeur, &un);
    sched_setaffinity(0, sizeof un, &un);
    relaisSansPreemption(true);
}

void relaisSansPreemption(bool oui)
{
    sched_param p = {};
    sched_setscheduler(0, oui ? SCHED_BATCH : SCHED_OTHER, &p);
}

int descripteurDeProcessus(int pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

// One call where the kernel has it: a thousand closes cost a millisecond, at
// each launch.
void fermerAPartirDe(int premier)
{
#ifdef SYS_close_range
    if (syscall(SYS_close_range, premier, ~0u, 0) == 0)
        return;
#endif
    for (int fd = premier; fd < 1024; fd++)
        close(fd);
}

bool attendreDeQuoiLire(int fd, double delaiSecondes)
{
    double limite = maintenant() + delaiSecondes;
    for (;;) {
        double reste = std::max(0.0, limite - maintenant());
        pollfd p = {fd, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(std::ceil(reste * 1000)));
        if (r > 0)
            return true;
        if (r == 0 || errno != EINTR) // the deadline, or no such descriptor
            return false;
    }
}

bool attendreLaFinDe(int pid, double delaiSecondes)
{
    int fd = descripteurDeProcessus(pid);
    double limite = maintenant() + delaiSecondes;
    bool fini = false;
    for (;;) {
        siginfo_t info = {};
        // An error: not (or no longer) our child, nothing to wait for.
        if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
            info.si_pid == pid) {
            fini = true;
            break;
        }
        double reste = limite - maintenant();
        if (reste <= 0)
            break;
        // Without a process descriptor, look again in a millisecond.
        pollfd p = {fd, POLLIN, 0};
        poll(&p, fd >= 0 ? 1 : 0, fd >= 0 ? static_cast<int>(std::ceil(reste * 1000)) : 1);
    }
    if (fd >= 0)
        close(fd);
    return fini;
}

} // namespace moteur
