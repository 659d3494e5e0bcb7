// A trace file cut at its limit (--taille-traces), and the engine's line
// that says so at its end.
#include "processus/processus.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace moteur {

std::string ligneDeCoupure(long taille)
{
    return "[moteur : trace coupée ici, à " + std::to_string(taille) +
           " octets (--taille-traces)]\n";
}

// Once the program has ended: a trace file that reached its limit says so
// on its last line, once.
void Processus::noterLaCoupure() const
{
    struct stat s;
    if (fichierTrace_.empty() || tailleTrace_ <= 0 || stat(fichierTrace_.c_str(), &s) != 0 ||
        s.st_size < tailleTrace_)
        return;
    std::string ligne = ligneDeCoupure(tailleTrace_);
    std::FILE *f = std::fopen(fichierTrace_.c_str(), "a+e");
    if (f == nullptr)
        return;
    std::string fin(ligne.size() + 1, '\0');
    long taille = static_cast<long>(s.st_size);
    long debut = std::max(0L, taille - static_cast<long>(fin.size()));
    std::fseek(f, debut, SEEK_SET);
    fin.resize(std::fread(fin.data(), 1, fin.size(), f));
    bool notee = fin.size() >= ligne.size() && fin.compare(fin.size() - ligne.size(), ligne.size(), ligne) == 0;
    if (!notee)
        std::fputs(((fin.empty() || fin.back() == '\n' ? "" : "\n") + ligne).c_str(), f);
    std::fclose(f);
}

} // namespace moteur
