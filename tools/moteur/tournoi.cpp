#include "tournoi.h"

#include "calendrier.h"
#include "classement.h"
#include "enregistrement.h"
#include "ordonnanceur.h"
#include "ouverture_longue.h"
#include "participant.h"
#include "signaux.h"
#include "systeme.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <sys/ioctl.h>
#include <unistd.h>

namespace moteur {
namespace {

constexpr int STATUT_ECHEC = 1;
constexpr int STATUT_USAGE = 2;
constexpr double TEMPS_PROGRAMME = 10.0;
// The status line on a terminal is drawn again this often at most.
constexpr double RAFRAICHISSEMENT = 0.1;

int refuserLigneDeCommande(const std::string &erreur)
{
    std::fprintf(stderr, "moteur : %s\nEssayez « moteur --help ».\n", erreur.c_str());
    return STATUT_USAGE;
}

// The whole file; false (errno set) if it cannot be read.
bool lireFichier(const std::string &chemin, std::string &texte)
{
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return false;
    std::stringstream s;
    s << f.rdbuf();
    texte = s.str();
    if (f.bad()) {
        errno = EIO;
        return false;
    }
    return true;
}

// "45 s", "3 min 07 s", "2 h 05 min".
std::string duree(double secondes)
{
    long s = std::lround(std::max(0.0, secondes));
    if (s < 60)
        return hote::texte("%ld s", s);
    if (s < 3600)
        return hote::texte("%ld min %02ld s", s / 60, s % 60);
    return hote::texte("%ld h %02ld min", s / 3600, (s % 3600) / 60);
}

std::string virgule(double x, int chiffres)
{
    std::string t = hote::texte("%.*f", chiffres, x);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

// ---- A tournament's record file, read back ---------------------------------

struct LectureTournoi {
    std::optional<ReglageTournoi> reglage; // none: no header (and no game)
    std::vector<Partie> parties;
    size_t longueurSaine = 0; // bytes up to the end of the last whole block
    bool coupee = false;      // a last block cut short was left out
    int ligneErreur = 0;      // the file is malformed there
    std::string erreur;
};

// The byte offset and line of the first line of the file's last block (a
// line opening with '[' at the start of the file or after a blank line).
std::pair<size_t, int> dernierBloc(const std::string &t)
{
    size_t debut = 0, position = 0;
    int ligne = 1, ligneDuDebut = 1;
    bool apresBlanc = true;
    while (position < t.size()) {
        size_t fin = t.find('\n', position);
        size_t longueur = (fin == std::string::npos ? t.size() : fin) - position;
        if (apresBlanc && longueur > 0 && t[position] == '[') {
            debut = position;
            ligneDuDebut = ligne;
        }
        apresBlanc = longueur == 0;
        if (fin == std::string::npos)
            break;
        position = fin + 1;
        ligne++;
    }
    return {debut, ligneDuDebut};
}

// Reads a tournament's record.  `tolererCoupure`: a last block cut short (the
// engine killed while writing it) is left out rather than refused.
LectureTournoi lireTournoi(const std::string &texte, bool tolererCoupure)
{
    LectureTournoi l;
    std::string t = texte;
    if (t.find_first_not_of("\r\n") == std::string::npos)
        return l; // empty: nothing played yet
    LectureEnregistrements e = lireEnregistrements(t);
    auto [debut, ligneDuDebut] = dernierBloc(t);
    // A whole block ends with a blank line; a game without moves with two
    // (its moves' line is empty): only a cut can end it sooner.
    bool entier = t.size() >= 2 && t.compare(t.size() - 2, 2, "\n\n") == 0;
    if (entier && e.ligneErreur == 0 && !e.parties.empty() && e.parties.back().coups.empty() &&
        (e.tournois.empty() || e.tournois.back().premierePartie < e.parties.size()))
        entier = t.size() >= 3 && t.compare(t.size() - 3, 3, "\n\n\n") == 0;
    if (tolererCoupure && (!entier || (e.ligneErreur != 0 && e.ligneErreur >= ligneDuDebut))) {
        t.resize(debut);
        l.coupee = true;
        if (t.find_first_not_of("\r\n") == std::string::npos) {
            l.longueurSaine = 0;
            return l;
        }
        e = lireEnregistrements(t);
    }
    if (e.ligneErreur != 0) {
        l.ligneErreur = e.ligneErreur;
        l.erreur = e.erreur;
        return l;
    }
    l.longueurSaine = t.size();
    if (e.matchs > 0 || e.tournois.empty() || e.tournois[0].premierePartie > 0) {
        l.ligneErreur = 1;
        l.erreur = "ce n'est pas l'enregistrement d'un tournoi (moteur tournoi --enregistrer)";
        return l;
    }
    for (const EnTeteLu &lu : e.tournois) {
        std::string erreur;
        std::optional<ReglageTournoi> r = lireEnTeteTournoi(lu.etiquettes, erreur);
        if (!r) {
            l.ligneErreur = lu.ligne;
            l.erreur = erreur;
            return l;
        }
        if (l.reglage && !(*l.reglage == *r)) {
            l.ligneErreur = lu.ligne;
            l.erreur = "cet en-tête est celui d'un autre tournoi que le premier du fichier";
            return l;
        }
        l.reglage = r;
    }
    l.parties = std::move(e.parties);
    return l;
}

// What differs between the schedule of a file and that of the command line.
std::string difference(const ReglageTournoi &fichier, const ReglageTournoi &ici)
{
    std::vector<std::string> d;
    if (fichier.joueurs != ici.joueurs)
        d.push_back("les joueurs ou leur ordre");
    if (fichier.graine != ici.graine)
        d.push_back(hote::texte("la graine (%u dans le fichier)", fichier.graine));
    if (fichier.parties != ici.parties)
        d.push_back(hote::texte("--parties (%d dans le fichier)", fichier.parties));
    if (fichier.ouverture != ici.ouverture)
        d.push_back(hote::texte("--ouverture (%d dans le fichier)", fichier.ouverture));
    if (fichier.defi != ici.defi)
        d.push_back("--defi");
    if (fichier.strict != ici.strict)
        d.push_back("--strict");
    if (!(fichier == ici) && d.empty())
        d.push_back(hote::texte("--temps (%g dans le fichier)", fichier.temps));
    std::string t;
    for (size_t k = 0; k < d.size(); k++)
        t += (k == 0 ? "" : k + 1 == d.size() ? " et " : ", ") + d[k];
    return t;
}

// ---- Progress --------------------------------------------------------------

class Progression {
public:
    Progression(int total, bool terminal, bool muette)
        : total_(total), terminal_(terminal), muette_(muette), debut_(maintenant()) {}

    // Under the caller's lock, by the worker that played the game.  In a
    // log, the line of a tenth is written here, as the game that reaches it
    // ends: the thread that draws the status line of a terminal is not woken
    // for each game (it took a processor from a running game each time).
    void partieFinie(std::string meneur)
    {
        faites_++;
        meneur_ = std::move(meneur);
        if (muette_ || terminal_ || total_ == 0)
            return;
        int dixieme = faites_ * 10 / total_;
        if (dixieme > dernierDixieme_) {
            dernierDixieme_ = dixieme;
            std::printf("%s\n", ligne(maintenant()).c_str());
            std::fflush(stdout);
        }
    }

    // Draws the status line of a terminal; `fin`: the last time.
    void afficher(bool fin)
    {
        if (muette_ || !terminal_ || total_ == 0)
            return;
        double t = maintenant();
        if (!fin && t - dernierAffichage_ < RAFRAICHISSEMENT)
            return;
        dernierAffichage_ = t;
        std::printf("\r%s\033[K%s", couper(ligne(t)).c_str(), fin ? "\n" : "");
        std::fflush(stdout);
    }

private:
    // Within the terminal's width: a line that wraps is no longer rewritten
    // in place.
    static std::string couper(const std::string &l)
    {
        winsize w = {};
        if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &w) != 0 || w.ws_col < 2)
            return l;
        size_t caracteres = 0, fin = 0;
        for (; fin < l.size(); fin++)
            if ((l[fin] & 0xC0) != 0x80 && ++caracteres == w.ws_col)
                break; // the last column stays free for the cursor
        return l.substr(0, fin);
    }

    std::string ligne(double t) const
    {
        double ecoule = t - debut_;
        double vitesse = ecoule > 0 ? faites_ / ecoule : 0;
        std::string s = hote::texte("%d/%d parties (%d %%), %s par seconde, %s écoulées", faites_,
                                    total_, faites_ * 100 / total_, virgule(vitesse, 1).c_str(),
                                    duree(ecoule).c_str());
        if (faites_ > 0 && faites_ < total_ && vitesse > 0)
            s += ", reste " + duree((total_ - faites_) / vitesse);
        if (!meneur_.empty())
            s += ", en tête : " + meneur_;
        return s;
    }

    int total_, faites_ = 0;
    bool terminal_, muette_;
    double debut_, dernierAffichage_ = -1;
    int dernierDixieme_ = 0;
    std::string meneur_;
};

// The leader so far: the best score among players with games.
std::string texteMeneur(const ReglageTournoi &r, const std::vector<int> &demiPoints,
                        const std::vector<int> &parties)
{
    int meilleur = -1;
    for (size_t i = 0; i < parties.size(); i++) {
        if (parties[i] == 0)
            continue;
        // a/b > c/d, in integers.
        if (meilleur < 0 || static_cast<long>(demiPoints[i]) * parties[static_cast<size_t>(meilleur)] >
                                static_cast<long>(demiPoints[static_cast<size_t>(meilleur)]) * parties[i])
            meilleur = static_cast<int>(i);
    }
    if (meilleur < 0)
        return "";
    size_t m = static_cast<size_t>(meilleur);
    return hote::texte("%s (%s %%)", r.joueurs[m].c_str(),
                       virgule(50.0 * demiPoints[m] / parties[m], 1).c_str());
}

bool ecrireTout(std::FILE *f, const std::string &t)
{
    return std::fwrite(t.data(), 1, t.size(), f) == t.size() && std::fflush(f) == 0;
}

// The standings, on standard output and in the JSON file if asked.
bool publierClassement(const Classement &c, const std::string &resultats)
{
    std::fputs(texteClassement(c).c_str(), stdout);
    if (resultats.empty())
        return true;
    std::FILE *f = std::fopen(resultats.c_str(), "we");
    bool ecrit = f != nullptr && ecrireTout(f, jsonClassement(c));
    if (f != nullptr && std::fclose(f) != 0)
        ecrit = false;
    if (!ecrit)
        std::fprintf(stderr, "moteur : impossible d'écrire le classement dans « %s » : %s\n",
                     resultats.c_str(), std::strerror(errno));
    return ecrit;
}

// The players of a tournament: found, programs of the kit's protocol, and
// no person (a tournament plays many games at once, none at the terminal).
std::optional<std::string> preparerJoueurs(const Options &o, Registre &registre,
                                           std::vector<DescriptionJoueur> &joueurs)
{
    std::set<std::string> vus;
    for (const std::string &nom : o.noms) {
        if (!nomEnregistrable(nom) || nom.find(", ") != std::string::npos)
            return "nom de joueur invalide pour un tournoi « " + hote::lisible(nom) +
                   " » (ni guillemet, ni « , », ni fin de ligne)";
        if (!vus.insert(nom).second)
            return "le joueur « " + nom + " » est nommé deux fois";
        std::optional<std::string> chemin = trouverProgramme(nom);
        if (!chemin)
            return raisonIntrouvable(nom);
        DescriptionJoueur d;
        d.nom = nom;
        d.chemin = *chemin;
        d.delai = o.temps.value_or(TEMPS_PROGRAMME);
        joueurs.push_back(d);
    }
    for (const DescriptionJoueur &d : joueurs) {
        Salut salut = saluer(registre, d.chemin);
        if (!salut.joueur)
            return "« " + d.nom + " » n'est pas un joueur : " + salut.refus;
        if (salut.personne)
            return "« " + d.nom + " » fait jouer une personne : un tournoi ne se joue "
                   "qu'entre programmes";
    }
    return std::nullopt;
}

} // namespace

int commandeTournoi(const Options &o, Registre &registre)
{
    AvisOuverture avis = jugerOuverture(o.ouverture);
    if (!avis.refus.empty())
        return refuserLigneDeCommande(avis.refus);
    std::vector<DescriptionJoueur> joueurs;
    if (std::optional<std::string> refus = preparerJoueurs(o, registre, joueurs))
        return refuserLigneDeCommande(*refus);
    if (!avis.avertissement.empty())
        std::fprintf(stderr, "moteur : attention, %s\n", avis.avertissement.c_str());

    ReglageTournoi r;
    r.joueurs = o.noms;
    r.defi = o.defi;
    r.parties = o.parties;
    r.ouverture = o.ouverture;
    r.graine = o.graine ? *o.graine : graineDeLHorloge();
    r.temps = o.temps.value_or(TEMPS_PROGRAMME);
    r.strict = o.strict;
    Calendrier calendrier(r);
    auto [premiere, derniere] =
        o.tranche ? calendrier.tranche(o.tranche->first, o.tranche->second)
                  : std::make_pair(1, calendrier.nbParties());

    // What the record already holds, when resuming.
    std::vector<Partie> anciennes;
    if (o.reprendre) {
        std::string texte;
        if (!lireFichier(o.enregistrer, texte) && errno != ENOENT) {
            std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n",
                         o.enregistrer.c_str(), std::strerror(errno));
            return STATUT_ECHEC;
        }
        LectureTournoi l = lireTournoi(texte, true);
        if (l.ligneErreur != 0) {
            std::fprintf(stderr, "%s:%d: %s\n", o.enregistrer.c_str(), l.ligneErreur,
                         l.erreur.c_str());
            return STATUT_ECHEC;
        }
        if (l.reglage && !(*l.reglage == r)) {
            std::fprintf(stderr,
                         "moteur : « %s » est l'enregistrement d'un autre tournoi (%s) : "
                         "reprenez-le avec les mêmes joueurs, graine et options\n",
                         o.enregistrer.c_str(), difference(*l.reglage, r).c_str());
            return STATUT_USAGE;
        }
        std::set<int> numeros;
        for (const Partie &p : l.parties) {
            std::string ecart = calendrier.ecartAvec(p);
            if (ecart.empty() && (p.numero < premiere || p.numero > derniere))
                ecart = hote::texte("la partie %d n'est pas de la tranche %d/%d", p.numero,
                                    o.tranche->first, o.tranche->second);
            if (ecart.empty() && !numeros.insert(p.numero).second)
                ecart = hote::texte("la partie %d y figure deux fois", p.numero);
            if (!ecart.empty()) {
                std::fprintf(stderr, "moteur : « %s » n'est pas de ce tournoi : %s\n",
                             o.enregistrer.c_str(), ecart.c_str());
                return STATUT_USAGE;
            }
        }
        if (l.coupee) {
            if (truncate(o.enregistrer.c_str(), static_cast<off_t>(l.longueurSaine)) != 0) {
                std::fprintf(stderr, "moteur : impossible de couper « %s » : %s\n",
                             o.enregistrer.c_str(), std::strerror(errno));
                return STATUT_ECHEC;
            }
            std::fprintf(stderr, "moteur : « %s » : la dernière partie, coupée, est retirée\n",
                         o.enregistrer.c_str());
        }
        anciennes = std::move(l.parties);
    }
    std::set<int> dejaJouees;
    for (const Partie &p : anciennes)
        dejaJouees.insert(p.numero);

    TravailTournoi travail;
    travail.calendrier = &calendrier;
    travail.joueurs = joueurs;
    travail.strict = r.strict;
    travail.concurrence =
        o.concurrence.value_or(std::max<int>(1, static_cast<int>(processeursPermis().size())));
    for (int n = premiere; n <= derniere; n++)
        if (dejaJouees.count(n) == 0)
            travail.aJouer.push_back(n);

    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty()) {
        enregistrement = std::fopen(o.enregistrer.c_str(), "ae"); // not inherited by players
        if (enregistrement == nullptr || !ecrireTout(enregistrement, ecrireEnTeteTournoi(r, dateUTC()))) {
            std::fprintf(stderr, "moteur : impossible d'écrire dans « %s » : %s\n",
                         o.enregistrer.c_str(), std::strerror(errno));
            if (enregistrement != nullptr)
                std::fclose(enregistrement);
            return STATUT_ECHEC;
        }
    }

    if (!o.silencieux) {
        std::printf("Tournoi : %zu joueurs, %d rencontre%s de %d parties, graine %u, "
                    "%d partie%s à la fois\n",
                    r.joueurs.size(), calendrier.nbRencontres(),
                    calendrier.nbRencontres() > 1 ? "s" : "", r.parties, r.graine,
                    travail.concurrence, travail.concurrence > 1 ? "s" : "");
        if (o.tranche)
            std::printf("Tranche %d/%d : parties %d à %d\n", o.tranche->first, o.tranche->second,
                        premiere, derniere);
        if (!anciennes.empty())
            std::printf("Reprise : %zu parties déjà jouées, %zu à jouer\n", anciennes.size(),
                        travail.aJouer.size());
        std::fflush(stdout);
    }

    // Every game of this run, as it ends; the display follows from here.
    std::mutex verrou;
    std::condition_variable changement;
    std::vector<Partie> parties = anciennes;
    std::vector<int> demiPoints(r.joueurs.size(), 0), joues(r.joueurs.size(), 0);
    auto compterPartie = [&](const Partie &p) {
        PartiePrevue prevue = calendrier.partie(p.numero);
        for (uint8_t couleur : {JAUNE, ROUGE}) {
            Tally t;
            compter(t, p, couleur);
            size_t i = static_cast<size_t>(couleur == JAUNE ? prevue.jaune : prevue.rouge);
            demiPoints[i] += 2 * t.victoires + t.nulles;
            joues[i]++;
        }
    };
    for (const Partie &p : anciennes)
        compterPartie(p);
    Progression progression(static_cast<int>(travail.aJouer.size()), sortieEstUnTerminal(),
                            o.silencieux);
    bool ecritureRatee = false, fini = false;

    gererLArret(true); // Ctrl-C: the standings of the games played, then the end
    std::thread ordonnanceur([&] {
        jouerTournoi(travail, registre, [&](const Partie &p) {
            std::lock_guard<std::mutex> v(verrou);
            if (enregistrement != nullptr && !ecrireTout(enregistrement, ecrireEnregistrement(p)))
                ecritureRatee = true;
            parties.push_back(p);
            compterPartie(p);
            progression.partieFinie(texteMeneur(r, demiPoints, joues));
            return !ecritureRatee;
        });
        std::lock_guard<std::mutex> v(verrou);
        fini = true;
        changement.notify_one();
    });
    {
        std::unique_lock<std::mutex> v(verrou);
        while (!fini) {
            changement.wait_for(v, std::chrono::milliseconds(100));
            progression.afficher(false);
        }
        progression.afficher(true);
    }
    ordonnanceur.join();

    if (arretEnCours() && !o.silencieux)
        std::printf("\nTournoi interrompu : les parties en cours sont abandonnées.\n");
    if (!o.silencieux)
        std::printf("\n");
    std::sort(parties.begin(), parties.end(),
              [](const Partie &a, const Partie &b) { return a.numero < b.numero; });
    bool publie = publierClassement(classer(calendrier, parties), o.resultats);
    if (enregistrement != nullptr && std::fclose(enregistrement) != 0)
        ecritureRatee = true;
    if (ecritureRatee)
        std::fprintf(stderr, "moteur : l'écriture dans « %s » a échoué\n", o.enregistrer.c_str());
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return ecritureRatee || !publie ? STATUT_ECHEC : EXIT_SUCCESS;
}

int commandeClassement(const Options &o)
{
    std::optional<ReglageTournoi> reglage;
    std::string premierFichier;
    std::map<int, std::string> provenance; // game number -> its file
    std::vector<Partie> parties;
    for (const std::string &fichier : o.noms) {
        std::string texte;
        if (!lireFichier(fichier, texte)) {
            std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", fichier.c_str(),
                         std::strerror(errno));
            return STATUT_ECHEC;
        }
        LectureTournoi l = lireTournoi(texte, false);
        if (l.ligneErreur == 0 && !l.reglage) {
            l.ligneErreur = 1;
            l.erreur = "fichier vide";
        }
        if (l.ligneErreur != 0) {
            std::fprintf(stderr, "%s:%d: %s\n", fichier.c_str(), l.ligneErreur, l.erreur.c_str());
            return STATUT_ECHEC;
        }
        if (reglage && !(*reglage == *l.reglage)) {
            std::fprintf(stderr,
                         "moteur : « %s » et « %s » sont deux tournois différents (%s) : leurs "
                         "classements ne se réunissent pas\n",
                         premierFichier.c_str(), fichier.c_str(),
                         difference(*l.reglage, *reglage).c_str());
            return STATUT_USAGE;
        }
        if (!reglage) {
            reglage = l.reglage;
            premierFichier = fichier;
        }
        Calendrier calendrier(*reglage);
        for (Partie &p : l.parties) {
            std::string ecart = calendrier.ecartAvec(p);
            if (!ecart.empty()) {
                std::fprintf(stderr, "moteur : « %s » : %s\n", fichier.c_str(), ecart.c_str());
                return STATUT_ECHEC;
            }
            auto [deja, nouvelle] = provenance.emplace(p.numero, fichier);
            if (!nouvelle) {
                std::fprintf(stderr, "moteur : la partie %d figure dans « %s » et dans « %s »\n",
                             p.numero, deja->second.c_str(), fichier.c_str());
                return STATUT_USAGE;
            }
            parties.push_back(std::move(p));
        }
    }
    std::sort(parties.begin(), parties.end(),
              [](const Partie &a, const Partie &b) { return a.numero < b.numero; });
    Calendrier calendrier(*reglage);
    return publierClassement(classer(calendrier, parties), o.resultats) ? EXIT_SUCCESS
                                                                         : STATUT_ECHEC;
}

} // namespace moteur
