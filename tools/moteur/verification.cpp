// moteur verifier: the positions, the two processes that play each of them,
// the checks and their table (Linux).
#include "verification.h"

#include "hasard.h"
#include "notation.h"
#include "options.h"
#include "orphelins.h"
#include "processus.h"
#include "protocole.h"
#include "systeme.h"
#include "texte.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moteur {
namespace {

constexpr int STATUT_ECHEC = 1;
constexpr int STATUT_USAGE = 2;
constexpr int POSITIONS_PAR_DEFAUT = 500;
constexpr int POSITIONS_MAX = 100000;
constexpr double TEMPS_PAR_DEFAUT = 10.0; // as for a program in a match
// As in a match: a program greets the engine this fast, a process whose
// pipe closed is gone this fast, a program asked to leave leaves this fast.
constexpr double DELAI_BONJOUR = 10.0;
constexpr double DELAI_DISPARITION = 1.0;
constexpr double DELAI_DEPART = 1.0;
// What the program started has this long to end after it.
constexpr double DELAI_RESTANTS = 0.5;
constexpr int STATUT_EXEC_IMPOSSIBLE = 127;
// A program this often out of time, or unable to start again, is waited for
// no longer: the positions left are not played.
constexpr int ATTENTES_MAX = 3;
// The pieces of a board, as in every game.
constexpr int PIECES = NBCASES;

// ---- Command line -----------------------------------------------------------

struct Reglage {
    int positions = POSITIONS_PAR_DEFAUT;
    std::optional<uint32_t> graine;
    double temps = TEMPS_PAR_DEFAUT;
    bool strict = false;
    bool aide = false;
    std::string joueur;
};

// The options' values; an error text, empty when the command line is sound.
std::string lireReglage(const std::vector<std::string> &arguments, Reglage &r)
{
    std::vector<std::string> vues, noms;
    bool finDesOptions = false;
    for (size_t i = 0; i < arguments.size(); i++) {
        const std::string &a = arguments[i];
        if (finDesOptions || a.size() < 2 || a[0] != '-') {
            noms.push_back(a);
            continue;
        }
        if (a == "--") {
            finDesOptions = true;
            continue;
        }
        std::string nom = a == "-h" ? "--help" : a, valeur;
        bool collee = false;
        if (size_t egal = a.find('='); a.rfind("--", 0) == 0 && egal != std::string::npos) {
            nom = a.substr(0, egal);
            valeur = a.substr(egal + 1);
            collee = true;
        }
        bool avecValeur = nom == "--positions" || nom == "--graine" || nom == "--temps";
        if (!avecValeur && nom != "--strict" && nom != "--help")
            return "option inconnue « " + nom + " »";
        if (!avecValeur && collee)
            return "l'option " + nom + " ne prend pas de valeur";
        if (avecValeur && !collee) {
            if (i + 1 >= arguments.size())
                return "l'option " + nom + " attend une valeur";
            valeur = arguments[++i];
        }
        if (std::find(vues.begin(), vues.end(), nom) != vues.end())
            return "l'option " + nom + " est donnée deux fois";
        vues.push_back(nom);
        std::string recu = " (reçu « " + valeur + " »)";
        if (nom == "--positions") {
            std::optional<int> n = lireEntier<int>(valeur, 2, POSITIONS_MAX);
            if (!n)
                return hote::texte("--positions attend un entier de 2 à %d", POSITIONS_MAX) + recu;
            r.positions = *n;
        } else if (nom == "--graine") {
            r.graine = lireEntier<uint32_t>(valeur, 0, UINT32_MAX);
            if (!r.graine)
                return "--graine attend un entier de 0 à 4294967295" + recu;
        } else if (nom == "--temps") {
            std::optional<double> s = lireSecondes(valeur);
            if (!s)
                return "--temps attend un nombre de secondes positif, par exemple 0.5" + recu;
            r.temps = *s;
        } else if (nom == "--strict") {
            r.strict = true;
        } else {
            r.aide = true;
        }
    }
    if (r.aide)
        return {};
    if (noms.size() != 1)
        return hote::texte("verifier attend un programme joueur ; %zu donné%s", noms.size(),
                           noms.size() > 1 ? "s" : "");
    r.joueur = noms[0];
    return {};
}

const char *const AIDE =
    "usage : moteur verifier [--positions N] [--graine S] [--temps T] [--strict] JOUEUR\n"
    "\n"
    "Vérifie, avant un long tournoi, qu'un programme joueur tient le contrat du kit.\n"
    "Il joue par le mode moteur, comme dans un match, des positions tirées de la\n"
    "graine, chacune deux fois, dans deux processus. Une ligne par contrôle :\n"
    "  salut       le programme salue le moteur dans la version de ce kit\n"
    "  réponses    chaque tour reçoit une réponse, une seule (ni plantage, ni\n"
    "              arrêt, ni rupture du protocole)\n"
    "  temps       chaque tour finit dans le temps (pire et médiane)\n"
    "  indices     chaque indice remis est un indice de la liste (un tour sans\n"
    "              indice est compté, et n'échoue qu'avec --strict)\n"
    "  graine      la même graine donne les mêmes indices dans les deux processus\n"
    "  sortie      la sortie du programme est de l'UTF-8 valide (volume par tour)\n"
    "  processus   rien de ce qu'il a lancé ne reste à la fin\n"
    "  liste vide  il répond à une position sans coup possible\n"
    "Une ligne en échec donne la première position fautive, à essayer en mode\n"
    "un tour : JOUEUR --position NOTATION --graine G.\n"
    "\n"
    "Options :\n"
    "      --positions N  N positions (500 par défaut) : parties et plateaux au\n"
    "                     hasard, les deux couleurs au trait, une sans coup possible\n"
    "      --graine S     graine des positions (par défaut : l'horloge, affichée)\n"
    "      --temps T      secondes par coup (10 par défaut)\n"
    "      --strict       un tour sans indice remis est une faute\n"
    "  -h, --help         affiche cette aide\n"
    "\n"
    "Statut de sortie : 0 si tous les contrôles passent, 1 sinon, 2 si la ligne de\n"
    "commande est fausse.\n";

int refuser(const std::string &erreur)
{
    std::fprintf(stderr, "moteur verifier : %s\nEssayez « moteur verifier --help ».\n",
                 erreur.c_str());
    return STATUT_USAGE;
}

// ---- Positions -------------------------------------------------------------

uint8_t couleurAuHasard(Hasard &h) { return h.tirer(2) == 0 ? JAUNE : ROUGE; }

// A position of a game of random legal moves, after 1 to 46 of them.
Position positionDeJeu(Hasard &h)
{
    Position p = getPositionInitiale();
    for (int coups = 1 + h.tirer(NBCASES - 2); coups > 0; coups--) {
        ListeCoups l = getCoupsLegaux(p);
        Coup c = l.coups[h.tirer(l.nb)];
        Position suivante = jouerCoup(p, c.origine, c.destination);
        if (getCoupsLegaux(suivante).nb == 0)
            break;
        p = suivante;
    }
    return p;
}

// The 48 pieces on 10 to 48 columns of at most five, colours and trait drawn.
Position plateauAuHasard(Hasard &h)
{
    for (;;) {
        Position p = {};
        p.trait = couleurAuHasard(h);
        int colonnes = 10 + h.tirer(NBCASES - 10 + 1);
        int cases[NBCASES];
        for (int i = 0; i < NBCASES; i++)
            cases[i] = i;
        for (int k = 0; k < colonnes; k++) {
            std::swap(cases[k], cases[k + h.tirer(NBCASES - k)]);
            p.cols[cases[k]] = {1, couleurAuHasard(h)};
        }
        for (int reste = PIECES - colonnes; reste > 0;) {
            Colonne &c = p.cols[cases[h.tirer(colonnes)]];
            if (c.nb < HAUTEUR_MAX) {
                c.nb++;
                reste--;
            }
        }
        if (getCoupsLegaux(p).nb > 0)
            return p;
    }
}

// Every cell 3 to 5 high: no two columns can join.  The board is full, so
// that the line says whether the empty list breaks the program, not whether
// a late board does.
Position plateauSansCoup(Hasard &h)
{
    Position p = {};
    p.trait = couleurAuHasard(h);
    for (Colonne &c : p.cols)
        c = {static_cast<uint8_t>(3 + h.tirer(3)), couleurAuHasard(h)};
    return p;
}

// ---- One process of the program ----------------------------------------------

enum class Fin { Reponse, Temps, Plantage, Arret, Protocole, Relance };

// What one process made of one position.
struct Tour {
    Fin fin = Fin::Reponse;
    double secondes = 0;
    int nbIndices = 0;
    int dernier = -1;
    uint64_t octets = 0;      // written on its standard output and error
    bool sortieValide = true; // as UTF-8
};

// The program as a match runs it, its output in a file of memory that is
// read and emptied after every turn.
class Essai {
public:
    Essai(Registre &registre, std::string chemin, double delai)
        : processus_(registre), chemin_(std::move(chemin)), delai_(delai)
    {
        sortie_ = memfd_create("sortie-du-joueur", MFD_CLOEXEC);
        if (sortie_ >= 0)
            trace_ = hote::texte("/proc/%d/fd/%d", static_cast<int>(getpid()), sortie_);
    }
    ~Essai()
    {
        processus_.tuer();
        if (sortie_ >= 0)
            close(sortie_);
    }
    Essai(const Essai &) = delete;
    Essai &operator=(const Essai &) = delete;

    bool pret() const { return sortie_ >= 0; }
    bool personne() const { return personne_; }

    // Starts the program and reads its greeting: why it is no player of
    // this kit, or nothing.
    std::string demarrer()
    {
        Lancement l;
        l.chemin = chemin_;
        l.arguments = {protocole::OPTION};
        l.fichierTrace = trace_;
        utf8_.reprendre();
        if (processus_.lancer(l) != Etat::Ok)
            return "le programme ne peut pas être lancé";
        protocole::Reponse r = {};
        Etat e = processus_.recevoir(&r, sizeof r, DELAI_BONJOUR);
        std::string raison;
        if (e == Etat::Delai) {
            processus_.tuer();
            raison = hote::texte("aucun salut en %.0f s", DELAI_BONJOUR);
        } else if (e != Etat::Ok) {
            FinProcessus fin = processus_.attendreFin(DELAI_DISPARITION);
            if (!fin.signal && fin.code == STATUT_EXEC_IMPOSSIBLE)
                raison = "le programme ne peut pas être lancé";
            else
                raison = fin.signal ? hote::texte("il plante avant de saluer (signal %d)", fin.code)
                                    : hote::texte("il s'arrête sans saluer (statut %d)", fin.code);
        } else if (r.magie != protocole::MAGIE || r.sorte != protocole::BONJOUR) {
            processus_.tuer();
            raison = "il répond autre chose qu'un salut";
        } else if (r.valeur != static_cast<int32_t>(protocole::VERSION)) {
            processus_.tuer();
            raison = hote::texte("il parle la version %d du protocole des joueurs et ce moteur la "
                                 "version %u : reconstruisez-le avec la bibliothèque libjoueur "
                                 "de ce kit",
                                 r.valeur, protocole::VERSION);
        } else {
            personne_ = (r.drapeaux & protocole::PERSONNE) != 0;
            return {};
        }
        std::string debut = debutDeSortie();
        if (!debut.empty())
            raison += " ; sa sortie commence par « " + debut + " »";
        return raison;
    }

    // One position, as a game of one turn: the seed, then the turn.
    Tour jouer(const Position &position, uint32_t graine)
    {
        Tour t;
        if (!processus_.lance() && !demarrer().empty()) {
            t.fin = Fin::Relance;
            lireSortie(t);
            return t;
        }
        // An answer no request asked for: one turn had two.
        if (processus_.reponseEnAttente()) {
            processus_.tuer();
            t.fin = Fin::Protocole;
            lireSortie(t);
            return t;
        }
        protocole::Demande partie = {};
        partie.magie = protocole::MAGIE;
        partie.sorte = protocole::PARTIE;
        partie.graine = graine;
        partie.reglages = protocole::VIDER_SORTIE;
        protocole::Demande tour = {};
        tour.magie = protocole::MAGIE;
        tour.sorte = protocole::TOUR;
        tour.position = position;
        Etat e = processus_.envoyer(&partie, sizeof partie);
        double debut = maintenant();
        if (e == Etat::Ok)
            e = processus_.envoyer(&tour, sizeof tour);
        protocole::Reponse r = {};
        if (e == Etat::Ok)
            e = processus_.recevoir(&r, sizeof r, delai_);
        t.secondes = maintenant() - debut;
        if (e != Etat::Ok) {
            t.fin = faute(e);
        } else if (r.magie != protocole::MAGIE || r.sorte != protocole::COUP || r.nbIndices < 0 ||
                   processus_.reponseEnAttente()) {
            // A second answer is already there when the program writes its
            // two at once (the engine and the program share a processor).
            processus_.tuer();
            t.fin = Fin::Protocole;
        } else {
            t.nbIndices = r.nbIndices;
            t.dernier = r.valeur;
        }
        lireSortie(t);
        return t;
    }

    // Asks the program to leave, as at the end of a match: whether it left
    // in time.  What it wrote meanwhile goes into `t`.
    bool finir(Tour &t)
    {
        if (!processus_.lance())
            return true;
        protocole::Demande d = {};
        d.magie = protocole::MAGIE;
        d.sorte = protocole::FIN;
        processus_.envoyer(&d, sizeof d);
        std::optional<FinProcessus> fin = processus_.attendre(DELAI_DEPART);
        bool parti = fin.has_value();
        restants_ = fin ? fin->restants : 0;
        lireSortie(t);
        if (parti && !utf8_.complet())
            t.sortieValide = false;
        return parti;
    }

    void tuer() { processus_.tuer(); }
    int pid() const { return processus_.pid(); }
    // In its sandbox, what it started and left running when it left (the
    // box ends it; outside, processusRestants finds it).
    int restants() const { return restants_; }

private:
    Fin faute(Etat e)
    {
        if (e == Etat::Delai) {
            processus_.tuer();
            return Fin::Temps;
        }
        std::optional<FinProcessus> fin = processus_.attendre(DELAI_DISPARITION);
        processus_.tuer();
        if (!fin)
            return Fin::Protocole; // it closed its pipe but kept running
        return fin->signal ? Fin::Plantage : Fin::Arret;
    }

    // What the program wrote since the last call; the file is emptied.  The
    // output of a process cut short may end inside a sequence.
    void lireSortie(Tour &t)
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

    // The first line the program wrote, when it is short readable text.
    std::string debutDeSortie()
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

    Processus processus_;
    std::string chemin_;
    double delai_;
    int sortie_ = -1;
    std::string trace_;
    LecteurUtf8 utf8_;
    bool personne_ = false;
    int restants_ = 0;
};

// Once the programs were asked to leave: how many other children of ours
// still run after `delai` seconds (those that end meanwhile are reaped).  A
// program that did not leave is no leftover of itself, and its process
// layer reaps it.
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

// ---- Checks --------------------------------------------------------------

struct Controle {
    explicit Controle(const char *n) : nom(n) {}
    const char *nom;
    bool verifie = true;
    int echecs = 0;
    int premiere = -1; // the first position that fails it
    std::string detail;
    void echouer(int position)
    {
        if (echecs++ == 0)
            premiere = position;
    }
};

struct Bilan {
    Controle salut{"salut"}, reponses{"réponses"}, temps{"temps"}, indices{"indices"},
        graine{"graine"}, sortie{"sortie"}, processus{"processus"}, vide{"liste vide"};
    int tours = 0, plantages = 0, arrets = 0, ruptures = 0, relances = 0;
    int attentes = 0; // turns out of time, or that found the program unable to start again
    std::vector<double> durees;
    int dansLaListe = 0, horsListe = 0, sansIndice = 0;
    int comparees = 0;
    std::vector<uint64_t> volumes;
    int toursVides = 0;
    int jouees = 0;
};

std::string compte(int n, const char *singulier, const char *pluriel)
{
    return hote::texte("%d %s", n, n > 1 ? pluriel : singulier);
}

// The kinds of turns without an answer, those that happened.
std::string sansReponse(int plantages, int arrets, int ruptures, int relances)
{
    std::string t;
    auto ajouter = [&](int n, const char *s, const char *p) {
        if (n > 0)
            t += (t.empty() ? "" : ", ") + compte(n, s, p);
    };
    ajouter(plantages, "plantage", "plantages");
    ajouter(arrets, "arrêt", "arrêts");
    ajouter(ruptures, "rupture du protocole", "ruptures du protocole");
    ajouter(relances, "redémarrage manqué", "redémarrages manqués");
    return t;
}

void noterTour(Bilan &b, int i, int nbCoups, const Tour &t, bool strict,
               std::array<int, 4> &fautesVides)
{
    b.volumes.push_back(t.octets);
    if (!t.sortieValide)
        b.sortie.echouer(i);
    if (t.fin == Fin::Temps || t.fin == Fin::Relance)
        b.attentes++;
    if (nbCoups == 0) {
        b.toursVides++;
        if (t.fin != Fin::Reponse)
            b.vide.echouer(i);
        if (t.fin != Fin::Reponse && t.fin != Fin::Temps)
            fautesVides[static_cast<int>(t.fin) - static_cast<int>(Fin::Plantage)]++;
        return;
    }
    b.tours++;
    switch (t.fin) {
    case Fin::Reponse: break;
    case Fin::Temps: b.temps.echouer(i); return;
    case Fin::Plantage: b.plantages++; b.reponses.echouer(i); return;
    case Fin::Arret: b.arrets++; b.reponses.echouer(i); return;
    case Fin::Protocole: b.ruptures++; b.reponses.echouer(i); return;
    case Fin::Relance: b.relances++; b.reponses.echouer(i); return;
    }
    b.durees.push_back(t.secondes);
    if (t.nbIndices == 0) {
        b.sansIndice++;
        if (strict)
            b.indices.echouer(i);
    } else if (t.dernier < 0 || t.dernier >= nbCoups) {
        b.horsListe++;
        b.indices.echouer(i);
    } else {
        b.dansLaListe++;
    }
}

template <typename T>
T mediane(std::vector<T> v)
{
    if (v.empty())
        return T{};
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

std::string texteDuree(double s)
{
    return s < 1 ? hote::texte("%.2f ms", s * 1000) : hote::texte("%.2f s", s);
}

std::string texteLimite(double s) { return hote::texte("%g s", s); }

std::string texteVolume(uint64_t o)
{
    if (o < 1024)
        return hote::texte("%u o", static_cast<unsigned>(o));
    if (o < 1024 * 1024)
        return hote::texte("%.1f Kio", static_cast<double>(o) / 1024);
    return hote::texte("%.1f Mio", static_cast<double>(o) / (1024 * 1024));
}

// Pads to `largeur` characters (not bytes: the names hold accents).
std::string colonne(const std::string &t, size_t largeur)
{
    size_t caracteres = 0;
    for (char c : t)
        caracteres += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return t + std::string(largeur > caracteres ? largeur - caracteres : 0, ' ');
}

void afficherLigne(const Controle &c, const std::vector<Position> &positions,
                   const std::vector<uint32_t> &graines)
{
    const char *etat = !c.verifie ? "—" : c.echecs > 0 ? "ÉCHEC" : "ok";
    std::string ligne = "  " + colonne(c.nom, 11) + " " + colonne(etat, 6) + " " +
                        (c.verifie ? c.detail : std::string("non vérifié"));
    if (c.verifie && c.echecs > 0 && c.premiere >= 0) {
        auto i = static_cast<size_t>(c.premiere);
        ligne += hote::texte(" ; première position : --position \"%s\" --graine %u",
                             hote::ecrireNotation(positions[i]).c_str(), graines[i]);
    }
    std::printf("%s\n", ligne.c_str());
}

void redigerDetails(Bilan &b, double limite, bool strict, const std::array<int, 4> &fautesVides,
                    int restants, bool partis)
{
    b.reponses.detail = b.reponses.echecs == 0
                            ? hote::texte("%d tours, une réponse à chacun", b.tours)
                            : hote::texte("%d tours sans réponse sur %d : ", b.reponses.echecs,
                                          b.tours) +
                                  sansReponse(b.plantages, b.arrets, b.ruptures, b.relances);

    std::string durees = b.durees.empty()
                             ? std::string("aucun tour à temps")
                             : "pire " + texteDuree(*std::max_element(b.durees.begin(),
                                                                      b.durees.end())) +
                                   ", médiane " + texteDuree(mediane(b.durees));
    b.temps.detail = (b.temps.echecs > 0 ? hote::texte("%d tours hors du temps sur %d ; ",
                                                       b.temps.echecs, b.tours)
                                         : std::string()) +
                     durees + " (limite " + texteLimite(limite) + ")";

    b.indices.detail = hote::texte("%d tours : %d dans la liste, %d hors de la liste, %s%s",
                                   b.dansLaListe + b.horsListe + b.sansIndice, b.dansLaListe,
                                   b.horsListe,
                                   compte(b.sansIndice, "sans indice", "sans indice").c_str(),
                                   strict || b.sansIndice == 0 ? "" : " (admis sans --strict)");

    b.graine.detail = b.graine.echecs == 0
                          ? compte(b.comparees, "position jouée", "positions jouées") +
                                " dans deux processus, mêmes indices"
                          : hote::texte("%d positions sur %d donnent d'autres indices dans le "
                                        "second processus",
                                        b.graine.echecs, b.comparees);

    std::string volume = b.volumes.empty()
                             ? std::string()
                             : " ; par tour : médiane " + texteVolume(mediane(b.volumes)) +
                                   ", au plus " +
                                   texteVolume(*std::max_element(b.volumes.begin(),
                                                                 b.volumes.end()));
    b.sortie.detail = (b.sortie.echecs == 0
                           ? std::string("UTF-8 valide")
                           : compte(b.sortie.echecs, "tour écrit", "tours écrivent") +
                                 " de l'UTF-8 invalide") +
                      volume;

    if (restants > 0 || !partis)
        b.processus.echouer(-1);
    b.processus.detail =
        restants == 0 && partis
            ? std::string("le programme part quand on le lui demande, et rien ne reste")
            : std::string(partis ? "" : "le programme ne part pas quand on le lui demande") +
                  (partis || restants == 0 ? "" : " ; ") +
                  (restants == 0 ? std::string()
                                 : compte(restants, "processus reste", "processus restent") +
                                       " en vie après lui");

    b.vide.detail = b.vide.echecs == 0
                        ? hote::texte("%d tours sans coup possible, une réponse à chacun",
                                      b.toursVides)
                        : hote::texte("%d tours sans coup possible, %d sans réponse à temps",
                                      b.toursVides, b.vide.echecs);
    std::string fautes = sansReponse(fautesVides[0], fautesVides[1], fautesVides[2], fautesVides[3]);
    if (!fautes.empty())
        b.vide.detail += " (" + fautes + ")";
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

std::vector<Position> positionsAVerifier(int nombre, uint32_t graine)
{
    Hasard h(static_cast<uint64_t>(graine) * 0x9E3779B97F4A7C15ull + 0x7665726966ull);
    std::vector<Position> positions = {getPositionInitiale(), plateauSansCoup(h)};
    while (static_cast<int>(positions.size()) < nombre)
        positions.push_back(positions.size() % 2 == 0 ? positionDeJeu(h) : plateauAuHasard(h));
    positions.resize(static_cast<size_t>(std::max(nombre, 0)));
    return positions;
}

int verifier(const std::vector<std::string> &arguments, Registre &registre)
{
    Reglage r;
    if (std::string erreur = lireReglage(arguments, r); !erreur.empty())
        return refuser(erreur);
    if (r.aide) {
        std::fputs(AIDE, stdout);
        return 0;
    }
    std::optional<std::string> chemin = trouverProgramme(r.joueur);
    if (!chemin)
        return refuser("programme joueur introuvable « " + r.joueur + " »");
    uint32_t graine = r.graine ? *r.graine : graineDeLHorloge();
    std::vector<Position> positions = positionsAVerifier(r.positions, graine);
    std::vector<uint32_t> graines;
    Hasard tirage(graine);
    for (size_t i = 0; i < positions.size(); i++)
        graines.push_back(static_cast<uint32_t>(tirage.suivant()));

    Essai a(registre, *chemin, r.temps), b(registre, *chemin, r.temps);
    if (!a.pret() || !b.pret()) {
        std::fprintf(stderr, "moteur : impossible de garder la sortie du joueur : %s\n",
                     std::strerror(errno));
        return STATUT_ECHEC;
    }
    std::printf("Vérification de « %s » : %d positions (graine %u), %s par coup, chaque position "
                "jouée dans deux processus\n\n",
                r.joueur.c_str(), r.positions, graine, texteLimite(r.temps).c_str());
    std::fflush(stdout);

    Bilan bilan;
    std::vector<Controle *> lignes = {&bilan.salut,  &bilan.reponses, &bilan.temps,
                                      &bilan.indices, &bilan.graine,  &bilan.sortie,
                                      &bilan.processus, &bilan.vide};
    std::string refus = a.demarrer();
    if (refus.empty())
        refus = b.demarrer();
    if (!refus.empty()) {
        // Told at once, rather than losing game after game.
        bilan.salut.echouer(-1);
        bilan.salut.detail = refus;
        for (Controle *c : lignes)
            c->verifie = c == &bilan.salut;
        for (Controle *c : lignes)
            afficherLigne(*c, positions, graines);
        std::printf("\n« %s » n'est pas un programme joueur de ce kit.\n", r.joueur.c_str());
        return STATUT_ECHEC;
    }
    bilan.salut.detail = hote::texte("il salue le moteur dans la version %u du protocole",
                                     protocole::VERSION);
    if (a.personne())
        bilan.salut.detail += " ; il annonce une personne, vérifié ici sans terminal";

    resterSurCeProcesseur();
    std::array<int, 4> fautesVides{};
    for (size_t i = 0; i < positions.size() && bilan.attentes < ATTENTES_MAX; i++) {
        int nbCoups = getCoupsLegaux(positions[i]).nb;
        int n = static_cast<int>(i);
        Tour ta = a.jouer(positions[i], graines[i]);
        noterTour(bilan, n, nbCoups, ta, r.strict, fautesVides);
        Tour tb = b.jouer(positions[i], graines[i]);
        noterTour(bilan, n, nbCoups, tb, r.strict, fautesVides);
        bilan.jouees++;
        if (nbCoups > 0 && ta.fin == Fin::Reponse && tb.fin == Fin::Reponse) {
            bilan.comparees++;
            if (ta.nbIndices != tb.nbIndices || (ta.nbIndices > 0 && ta.dernier != tb.dernier))
                bilan.graine.echouer(n);
        }
    }
    Tour finA, finB;
    bool partis = a.finir(finA);
    partis = b.finir(finB) && partis;
    int restants =
        a.restants() + b.restants() + processusRestants(DELAI_RESTANTS, {a.pid(), b.pid()});
    a.tuer();
    b.tuer();
    registre.finirLesOrphelins();
    if (!finA.sortieValide || !finB.sortieValide)
        bilan.sortie.echouer(-1);

    redigerDetails(bilan, r.temps, r.strict, fautesVides, restants, partis);
    for (Controle *c : lignes)
        afficherLigne(*c, positions, graines);
    if (bilan.jouees < r.positions)
        std::printf("\nArrêt après %d tours hors du temps ou sans redémarrage : %d positions "
                    "jouées sur %d.\n",
                    bilan.attentes, bilan.jouees, r.positions);
    int echecs = 0;
    for (Controle *c : lignes)
        echecs += c->echecs > 0;
    if (echecs == 0)
        std::printf("\nTous les contrôles sont passés.\n");
    else
        std::printf("\n%s en échec.\n", compte(echecs, "contrôle", "contrôles").c_str());
    // A table that never reached its reader is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "moteur : l'écriture sur la sortie standard a échoué\n");
        return STATUT_ECHEC;
    }
    return echecs == 0 ? 0 : STATUT_ECHEC;
}

} // namespace moteur
