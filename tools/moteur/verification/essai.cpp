#include "verification/essai.h"

#include "partie/programme.h"
#include "processus/orphelins.h"
#include "processus/systeme.h"
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
                               "version %d", s.version, dialogue::VERSION);
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

bool LecteurUtf8::lire(std::string_view morceau)
{
    bool valide = true;
    for (char signe : morceau) {
        auto c = static_cast<unsigned char>(signe);
        if (reste_ > 0) {
            if (c >= bas_ && c <= haut_) {
                reste_--;
                bas_ = 0x80;
                haut_ = 0xBF;
                continue;
            }
            valide = false; // a sequence cut short: the byte starts anew
            reste_ = 0;
            bas_ = 0x80;
            haut_ = 0xBF;
        }
        if (c < 0x80)
            continue;
        if (c >= 0xC2 && c <= 0xDF) {
            reste_ = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            reste_ = 2;
            bas_ = c == 0xE0 ? 0xA0 : 0x80; // no overlong form
            haut_ = c == 0xED ? 0x9F : 0xBF; // no surrogate
        } else if (c >= 0xF0 && c <= 0xF4) {
            reste_ = 3;
            bas_ = c == 0xF0 ? 0x90 : 0x80;
            haut_ = c == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
        } else {
            valide = false;
        }
    }
    return valide;
}

Essai::Essai(Registre &registre, DescriptionJoueur programme, Cadence cadence)
    : processus_(registre), programme_(std::move(programme)), cadence_(cadence)
{
    sortie_ = memfd_create("sortie-du-joueur", MFD_CLOEXEC);
    if (sortie_ >= 0)
        trace_ = hote::texte("/proc/%d/fd/%d", static_cast<int>(getpid()), sortie_);
}

Essai::~Essai()
{
    processus_.tuer();
    if (sortie_ >= 0)
        close(sortie_);
}

std::string Essai::demarrer()
{
    Lancement l;
    l.chemin = programme_.chemin;
    l.arguments = programme_.texte ? programme_.arguments
                                   : std::vector<std::string>{protocole::OPTION};
    l.fichierTrace = trace_;
    utf8_.reprendre();
    Salut s = programme_.texte ? dialogue_.accueillir(l) : accueillir(processus_, l);
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
    if (!processus_.lance() && !demarrer().empty()) {
        t.fin = Fin::Relance;
        lireSortie(t);
        return t;
    }
    if (programme_.texte) {
        jouerEnTexte(position, graine, t);
        lireSortie(t);
        return t;
    }
    protocole::Demande partie = demandePartie(graine, true);
    protocole::Demande tour = demandeTour(position);
    Etat e = processus_.envoyer(&partie, sizeof partie);
    double debut = maintenant();
    if (e == Etat::Ok)
        e = processus_.envoyer(&tour, sizeof tour);
    protocole::Reponse r = {};
    if (e == Etat::Ok)
        e = processus_.recevoir(&r, sizeof r, cadence_.secondes());
    t.secondes = maintenant() - debut;
    int signal = 0;
    if (e != Etat::Ok) {
        t.fin = finDeLaFaute(fauteDeProcessus(processus_, e, signal));
    } else if (r.magie != protocole::MAGIE || r.sorte != protocole::COUP || r.nbIndices < 0) {
        processus_.tuer();
        t.fin = Fin::Protocole;
    } else {
        t.nbIndices = r.nbIndices;
        t.dernier = r.valeur;
    }
    lireSortie(t);
    return t;
}

void Essai::jouerEnTexte(const Position &position, uint32_t graine, Tour &t)
{
    int signal = 0;
    Etat e = dialogue_.commencer(graine);
    ReponseTour r;
    if (e == Etat::Ok)
        r = dialogue_.demander(position, cadence_.secondes(), signal);
    else
        r.faute = fauteDeProcessus(processus_, e, signal);
    t.fin = r.faute ? finDeLaFaute(*r.faute) : Fin::Reponse;
    t.secondes = r.duree;
    t.nbIndices = r.nbIndices;
    t.dernier = r.index;
    t.rupture = dialogue_.rupture();
}

bool Essai::finir(Tour &t)
{
    if (!processus_.lance())
        return true;
    protocole::Demande d = demandeFin();
    if (programme_.texte)
        dialogue_.finir();
    else
        processus_.envoyer(&d, sizeof d);
    bool parti = processus_.attendre(DELAI_DEPART).has_value();
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
    if (!processus_.lance())
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
