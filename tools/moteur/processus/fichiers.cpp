#include "processus/fichiers.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moteur {
namespace {

// Writes all of `texte` on `fd`: 0, or the errno that stopped it.
int toutEcrire(int fd, const std::string &texte)
{
    size_t ecrit = 0;
    while (ecrit < texte.size()) {
        ssize_t n = write(fd, texte.data() + ecrit, texte.size() - ecrit);
        if (n > 0)
            ecrit += static_cast<size_t>(n);
        else if (n == 0 || errno != EINTR)
            return n == 0 ? ENOSPC : errno;
    }
    return 0;
}

// In place: the file's other names see the new text.
int reecrire(const std::string &cible, const std::string &texte)
{
    int fd = open(cible.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int erreur = toutEcrire(fd, texte);
    if (close(fd) != 0 && erreur == 0)
        erreur = errno;
    return erreur;
}

// Beside, then renamed over it, with the mode and owner of what was there
// (`avant`, or a new file's).
int remplacer(const std::string &cible, const std::string &texte, const struct stat *avant)
{
    std::filesystem::path p(cible);
    std::string modele =
        ((p.parent_path().empty() ? std::filesystem::path(".") : p.parent_path()) / ".moteur-XXXXXX")
            .string();
    int fd = mkostemp(modele.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int erreur = toutEcrire(fd, texte);
    mode_t masque = umask(0);
    umask(masque);
    if (erreur == 0 && fchmod(fd, avant != nullptr ? avant->st_mode & 07777 : 0666 & ~masque) != 0)
        erreur = errno;
    if (erreur == 0 && avant != nullptr && (avant->st_uid != geteuid() || avant->st_gid != getegid()))
        (void)!fchown(fd, avant->st_uid, avant->st_gid); // as far as we may
    if (close(fd) != 0 && erreur == 0)
        erreur = errno;
    if (erreur == 0 && std::rename(modele.c_str(), cible.c_str()) != 0)
        erreur = errno;
    if (erreur != 0)
        std::remove(modele.c_str());
    return erreur;
}

// What a chain of symbolic links leads to, even a name that does not exist
// yet.
std::string auBoutDesLiens(const std::string &chemin)
{
    std::filesystem::path p(chemin);
    std::error_code e;
    for (int n = 0; n < 40 && std::filesystem::is_symlink(p, e); n++) {
        std::filesystem::path cible = std::filesystem::read_symlink(p, e);
        p = cible.is_absolute() ? cible : p.parent_path() / cible;
    }
    return p.string();
}

} // namespace

std::string ecrireFichierEntier(const std::string &chemin, const std::string &texte)
{
    std::string cible = auBoutDesLiens(chemin);
    struct stat s;
    bool existe = stat(cible.c_str(), &s) == 0;
    if (existe && !S_ISREG(s.st_mode))
        return "ce n'est pas un fichier ordinaire";
    int erreur = existe && s.st_nlink > 1 ? reecrire(cible, texte)
                                          : remplacer(cible, texte, existe ? &s : nullptr);
    return erreur == 0 ? "" : std::strerror(erreur);
}

std::FILE *ouvrirPourAjouter(const std::string &chemin, std::string &erreur)
{
    // Not blocked by a FIFO nobody reads: its opening fails at once.
    int fd = open(chemin.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        erreur = errno == ENXIO ? "personne ne lit ce tube" : std::strerror(errno);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat s;
    if (fstat(fd, &s) == 0 && S_ISREG(s.st_mode) && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        erreur = errno == EWOULDBLOCK ? "un autre moteur y écrit déjà" : std::strerror(errno);
        close(fd);
        return nullptr;
    }
    std::FILE *f = fdopen(fd, "a");
    if (f == nullptr) {
        erreur = std::strerror(errno);
        close(fd);
        return nullptr;
    }
    // Unbuffered: a block that failed leaves nothing behind to be written
    // later, once the record has been cut back.
    std::setvbuf(f, nullptr, _IONBF, 0);
    return f;
}

bool ajouter(std::FILE *f, const std::string &texte, std::string &erreur)
{
    struct stat s;
    bool ordinaire = fstat(fileno(f), &s) == 0 && S_ISREG(s.st_mode);
    off_t avant = ordinaire ? s.st_size : 0;
    if (std::fwrite(texte.data(), 1, texte.size(), f) == texte.size() && std::fflush(f) == 0)
        return true;
    erreur = std::strerror(errno != 0 ? errno : EIO);
    std::clearerr(f);
    if (ordinaire && ftruncate(fileno(f), avant) != 0)
        erreur += " (et la fin coupée n'a pas pu être retirée)";
    return false;
}

} // namespace moteur
