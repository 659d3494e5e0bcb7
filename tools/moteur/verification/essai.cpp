#include "verification/essai.h"

#include "partie/designation.h"
#include "partie/programme_texte.h"
#include "processus/orphelins.h"
#include "processus/systeme.h"
#include "sorties/format.h"
#include "dialogue.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {


Fin finDeLaFaute(Issue faute)
{
    switch (faute) {
    case Issue::Temps: return Fin::Temps;
    case Issue::Plantage: return Fin::Plantage;
    case Issue::Arret: return Fin::Arret;
    default: return Fin::Protocole;
    }
}

// Why a program is no player of this kit, in the checker's words.
std::string raisonDuRefus(const Salut &s)
{
    switch (s.echec) {
    case EchecSalut::Aucun:
        if (s.texte)
            return hote::texte("il parle la version %d du protocole texte et ce moteur la "
                               "version %d",
                               s.version, dialogue::VERSION);
        return hote::texte("il parle la version %d du protocole des joueurs et ce moteur la "
                           "version %u : reconstruisez-le avec la bibliothèque libjoueur "
                           "de ce kit",
                           s.version, protocole::VERSION);
    case EchecSalut::Lancement: return "le programme ne peut pas être lancé";
    case EchecSalut::Delai: return hote::texte("aucun salut en %.0f s", DELAI_BONJOUR);
    case EchecSalut::Plantage: return hote::texte("il plante avant de saluer (signal %d)", s.code);
    case EchecSalut::Arret: return hote::texte("il s'arrête sans saluer (statut %d)", s.code);
    case EchecSalut::PasUnSalut:
        return std::string("il répond autre chose qu'un salut") +
               (s.recu.empty() ? "" : " : « " + s.recu + " »");
    case EchecSalut::Fermeture: break;
    }
    return s.refus();
}

} // namespace

Essai::Essai(Registre &registre, DescriptionJoueur programme, Cadence cadence)
{
    sortie_ = memfd_create("sortie-du-joueur", MFD_CLOEXEC);
    programme.temps = cadence;
    programme.personne = false;
    if (sortie_ >= 0)
        programme.fichierTrace = hote::texte("/proc/%d/fd/%d", static_cast<int>(getpid()), sortie_);
    programme_ = creerParticipant(programme, registre);
    // The table says what broke the text protocol; the engine's standard
    // error stays quiet.
    if (auto *texte = dynamic_cast<ProgrammeTexte *>(programme_.get()))
        texte->direLesRuptures(false);
}

Essai::~Essai()
{
    programme_->tuer();
    if (sortie_ >= 0)
        close(sortie_);
}

std::string Essai::demarrer()
{
    utf8_.reprendre();
    Salut s = programme_->lancer();
    if (s.memeVersion()) {
        personne_ = s.personne;
        return {};
    }
    std::string raison = raisonDuRefus(s);
    std::string debut = debutDeSortie();
    if (!debut.empty())
        raison += " ; sa sortie commence par « " + debut + " »";
    return raison;
}

Tour Essai::jouer(const Position &position, uint32_t graine)
{
    Tour t;
    // Started again only after a fault, as in a match; a program that left
    // on its own is told the next game all the same, and fails it.
    if (!programme_->enMarche() && !demarrer().empty()) {
        t.fin = Fin::Relance;
        lireSortie(t);
        return t;
    }
    // An answer no request asked for: one turn had two.  It may also be
    // there already with the answer, when the program wrote both at once.
    std::optional<Issue> faute;
    if (programme_->reponseEnAttente())
        faute = Issue::Protocole;
    if (!faute)
        faute = programme_->annoncerPartie(graine);
    ReponseTour r;
    if (!faute) {
        r = programme_->jouer(position, -1);
        faute = r.faute;
    }
    if (!faute && programme_->reponseEnAttente())
        faute = Issue::Protocole;
    if (faute == Issue::Protocole)
        programme_->tuer();
    t.secondes = r.duree;
    if (faute) {
        t.fin = finDeLaFaute(*faute);
        t.rupture = programme_->rupture();
    } else {
        t.nbIndices = r.nbIndices;
        t.dernier = r.index;
    }
    lireSortie(t);
    return t;
}

bool Essai::finir(Tour &t)
{
    bool parti = programme_->partir(DELAI_DEPART);
    lireSortie(t);
    if (parti && !utf8_.complet())
        t.sortieValide = false;
    return parti;
}

void Essai::lireSortie(Tour &t)
{
    char tampon[1 << 16];
    off_t lu = 0;
    for (;;) {
        ssize_t n = pread(sortie_, tampon, sizeof tampon, lu);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        lu += n;
        t.octets += static_cast<uint64_t>(n);
        if (!utf8_.lire(std::string_view(tampon, static_cast<size_t>(n))))
            t.sortieValide = false;
    }
    if (ftruncate(sortie_, 0) != 0)
        t.sortieValide = false;
    if (!programme_->enMarche())
        utf8_.reprendre();
}


std::string Essai::debutDeSortie()
{
    char tampon[121];
    ssize_t n = pread(sortie_, tampon, sizeof tampon - 1, 0);
    if (ftruncate(sortie_, 0) != 0 || n <= 0)
        return {};
    std::string ligne(tampon, static_cast<size_t>(n));
    ligne = ligne.substr(0, ligne.find('\n'));
    LecteurUtf8 u;
    bool lisible = u.lire(ligne) && u.complet();
    for (char c : ligne)
        lisible = lisible && (static_cast<unsigned char>(c) >= 0x20 || c == '\t');
    return lisible ? ligne : std::string();
}

int processusRestants(double delai, const std::vector<int> &programmes)
{
    double limite = maintenant() + delai;
    for (;;) {
        int vivants = 0;
        for (int pid : lireEnfants()) {
            int etat;
            if (std::find(programmes.begin(), programmes.end(), pid) == programmes.end())
                vivants += waitpid(pid, &etat, WNOHANG) == 0;
        }
        if (vivants == 0 || maintenant() >= limite)
            return vivants;
        usleep(10000);
    }
}

} // namespace moteur
