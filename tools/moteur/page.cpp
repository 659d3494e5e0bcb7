#include "page.h"

#include "calendrier.h"
#include "enregistrement.h"
#include "grille.h"
#include "notation.h"
#include "texte.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace moteur {
namespace ressources {
extern const char page_html[];
extern const char page_css[];
extern const char page_js[];
} // namespace ressources

namespace {

constexpr int STATUT_ECHEC = 1;
constexpr int STATUT_USAGE = 2;

// A JSON string that is also safe inside a <script> element: no `<`, so no
// `</script>`, and no raw control character.
std::string chaineJson(std::string_view t)
{
    std::string s = "\"";
    for (char c : t) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            s += std::string("\\") + c;
        else if (u < 0x20 || c == '<' || c == '>' || c == '&')
            s += hote::texte("\\u%04x", u);
        else
            s += c;
    }
    return s + "\"";
}

std::string texteHtml(std::string_view t)
{
    std::string s;
    for (char c : t) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        default: s += c;
        }
    }
    return s;
}

// The moves as the record writes them, without the pair numbers: "8-4 9-16* 4-3".
std::string texteCoups(const Partie &p)
{
    std::string t;
    for (const CoupJoue &c : p.coups) {
        if (!t.empty())
            t += ' ';
        t += hote::texte("%d-%d%s", c.coup.origine, c.coup.destination, c.impose ? "*" : "");
    }
    return t;
}

// What the page's script reads: the board's grid and every game, each as
// its start position and moves (the script replays them).
std::string donneesJson(const std::vector<Partie> &parties)
{
    std::string t = "{\"grille\":[";
    for (int l = 0; l < hote::TAILLE_GRILLE; l++) {
        t += l > 0 ? ",[" : "[";
        for (int c = 0; c < hote::TAILLE_GRILLE; c++)
            t += hote::texte(c > 0 ? ",%d" : "%d",
                             hote::grille[static_cast<size_t>(l)][static_cast<size_t>(c)]);
        t += "]";
    }
    t += "],\n\"parties\":[\n";
    for (size_t i = 0; i < parties.size(); i++) {
        const Partie &p = parties[i];
        t += hote::texte("%s{\"n\":%d,\"j\":", i > 0 ? ",\n" : "", p.numero) + chaineJson(p.jaune) +
             ",\"r\":" + chaineJson(p.rouge) + hote::texte(",\"g\":%u,\"d\":", p.graine) +
             chaineJson(hote::ecrireNotation(p.depart)) + ",\"res\":" +
             chaineJson(texteResultat(p.resultat)) + ",\"fin\":" + chaineJson(texteFin(p.fin)) +
             ",\"fautif\":" +
             chaineJson(p.fin.issue == Issue::PlusDeCoup ? "" : nomCouleur(p.fin.fautif)) +
             ",\"score\":" + chaineJson(texteScore(evaluerScore(p.finale))) +
             ",\"c\":" + chaineJson(texteCoups(p)) + "}";
    }
    return t + "\n]";
}

std::string nombreJson(double x) { return std::isfinite(x) ? hote::texte("%.6g", x) : "0"; }

// The standings as the page's script draws them: players by rank, and for
// each two of them their points and the games (indices in `parties`).
std::string tournoiJson(const Classement &c, const std::vector<Partie> &parties)
{
    Calendrier calendrier(c.reglage);
    size_t n = c.lignes.size();
    std::vector<size_t> rang(c.reglage.joueurs.size());
    for (size_t k = 0; k < n; k++)
        rang[static_cast<size_t>(c.lignes[k].joueur)] = k;
    std::vector<std::vector<std::string>> jeux(n, std::vector<std::string>(n));
    for (size_t k = 0; k < parties.size(); k++) {
        PartiePrevue prevue = calendrier.partie(parties[k].numero);
        size_t a = rang[static_cast<size_t>(prevue.jaune)], b = rang[static_cast<size_t>(prevue.rouge)];
        for (std::string *liste : {&jeux[a][b], &jeux[b][a]})
            *liste += (liste->empty() ? "" : ",") + std::to_string(k);
    }
    std::string texte = texteClassement(c);
    std::string t = "{\"titre\":" + chaineJson(texte.substr(0, texte.find('\n'))) +
                    ",\"texte\":" + chaineJson(texte) + ",\n\"joueurs\":[";
    for (size_t k = 0; k < n; k++) {
        const LigneClassement &l = c.lignes[k];
        bool joue = l.parties > 0;
        t += hote::texte("%s{\"nom\":", k > 0 ? "," : "") +
             chaineJson(c.reglage.joueurs[static_cast<size_t>(l.joueur)]) +
             hote::texte(",\"parties\":%d,\"gagnees\":%d,\"nulles\":%d,\"perdues\":%d,"
                         "\"points\":%g,\"fautes\":%d,\"imposes\":%d,\"elo\":",
                         l.parties, l.victoires, l.nulles, l.defaites, l.demiPoints / 2.0,
                         l.fautes, l.coupsImposes) +
             nombreJson(l.cote.elo) + ",\"erreur\":" + nombreJson(l.cote.erreur) +
             ",\"borne\":" + chaineJson(!joue || !l.cote.borne ? "" : l.demiPoints > 0 ? "≥" : "≤") +
             ",\"aucunePartie\":" + (joue ? "false" : "true") + "}";
    }
    t += "],\n\"croisee\":[";
    for (size_t a = 0; a < n; a++) {
        t += a > 0 ? ",[" : "[";
        size_t i = static_cast<size_t>(c.lignes[a].joueur);
        for (size_t b = 0; b < n; b++) {
            size_t j = static_cast<size_t>(c.lignes[b].joueur);
            t += b > 0 ? "," : "";
            t += i == j || c.parties[i][j] == 0
                     ? std::string("null")
                     : hote::texte("{\"points\":%g,\"parties\":[", c.demiPoints[i][j] / 2.0) +
                           jeux[a][b] + "]}";
        }
        t += "]";
    }
    return t + "]}";
}

// The template with each `{{name}}` replaced, in one pass (a value is never
// read again for markers).
std::string remplir(std::string_view modele,
                    const std::vector<std::pair<std::string_view, std::string_view>> &valeurs)
{
    std::string t;
    size_t i = 0;
    for (;;) {
        size_t debut = modele.find("{{", i);
        size_t fin = debut == std::string_view::npos ? debut : modele.find("}}", debut + 2);
        if (fin == std::string_view::npos)
            break;
        std::string_view nom = modele.substr(debut + 2, fin - debut - 2);
        const std::string_view *valeur = nullptr;
        for (const auto &[n, v] : valeurs)
            if (n == nom)
                valeur = &v;
        if (valeur == nullptr) {
            t += modele.substr(i, debut + 2 - i);
            i = debut + 2;
            continue;
        }
        t += modele.substr(i, debut - i);
        t += *valeur;
        i = fin + 2;
    }
    return t += modele.substr(i);
}

int refuser(const std::string &erreur)
{
    std::fprintf(stderr, "moteur : %s\nEssayez « moteur page --help ».\n", erreur.c_str());
    return STATUT_USAGE;
}

const char *const AIDE =
    "usage : moteur page FICHIER [-o SORTIE.html]\n"
    "\n"
    "Écrit une page HTML autonome (sans réseau) qui montre les parties de\n"
    "l'enregistrement FICHIER : liste des parties, plateau après chaque coup,\n"
    "coups, score et résultat. Par défaut la page va à côté de FICHIER, avec\n"
    "l'extension .html ; « -o - » l'écrit sur la sortie standard.\n"
    "L'adresse #partie=3&coup=12 ouvre la 3e partie du fichier après son 12e coup.\n"
    "\n"
    "Options :\n"
    "  -o, --sortie SORTIE.html  fichier de la page\n"
    "  -h, --help                affiche cette aide\n";

std::string sortieParDefaut(const std::string &fichier)
{
    std::filesystem::path p(fichier);
    std::filesystem::path s = p;
    s.replace_extension(".html");
    if (s == p)
        s += ".html";
    return s.string();
}

std::optional<std::string> lireFichier(const std::string &fichier, int &erreur)
{
    std::error_code e;
    if (std::filesystem::is_directory(fichier, e)) {
        erreur = EISDIR;
        return std::nullopt;
    }
    std::ifstream f(fichier, std::ios::binary);
    if (!f) {
        erreur = errno;
        return std::nullopt;
    }
    std::stringstream contenu;
    contenu << f.rdbuf();
    return contenu.str();
}

// Written beside its place, then renamed over it: a reader never sees half a page.
bool ecrireFichier(const std::string &chemin, const std::string &texte, std::string &erreur)
{
    std::filesystem::path cible(chemin);
    std::filesystem::path dossier = cible.parent_path().empty() ? "." : cible.parent_path();
    std::string modele = (dossier / ".page-XXXXXX").string();
    int fd = mkstemp(modele.data());
    if (fd < 0) {
        erreur = std::strerror(errno);
        return false;
    }
    int errEcriture = 0;
    size_t ecrit = 0;
    while (ecrit < texte.size() && errEcriture == 0) {
        ssize_t n = write(fd, texte.data() + ecrit, texte.size() - ecrit);
        if (n > 0)
            ecrit += static_cast<size_t>(n);
        else if (n == 0 || errno != EINTR)
            errEcriture = n == 0 ? ENOSPC : errno;
    }
    if (close(fd) != 0 && errEcriture == 0)
        errEcriture = errno;
    if (errEcriture == 0) {
        mode_t masque = umask(0);
        umask(masque);
        chmod(modele.c_str(), 0666 & ~masque); // as an ordinary new file
        if (std::rename(modele.c_str(), chemin.c_str()) != 0)
            errEcriture = errno;
    }
    if (errEcriture != 0) {
        std::remove(modele.c_str());
        erreur = std::strerror(errEcriture);
        return false;
    }
    return true;
}

// A tournament's record (its header first, no match in it): its standings
// as `moteur classement` makes them, its games put in the order of their
// numbers.  Nothing for a record of matches, nor when `refus` says why the
// tournament's record is not sound.
std::optional<Classement> classementDuTournoi(LectureEnregistrements &l, const std::string &fichier,
                                              std::string &refus)
{
    if (l.tournois.empty() || l.matchs > 0 || l.tournois[0].premierePartie > 0)
        return std::nullopt;
    std::optional<ReglageTournoi> reglage;
    for (const EnTeteLu &lu : l.tournois) {
        std::string erreur;
        std::optional<ReglageTournoi> r = lireEnTeteTournoi(lu.etiquettes, erreur);
        if (r && reglage && !(*reglage == *r))
            erreur = "cet en-tête est celui d'un autre tournoi que le premier du fichier";
        if (!r || !erreur.empty()) {
            refus = hote::texte("%s:%d: %s", fichier.c_str(), lu.ligne, erreur.c_str());
            return std::nullopt;
        }
        reglage = reglage ? reglage : r;
    }
    Calendrier calendrier(*reglage);
    std::set<int> numeros;
    for (const Partie &p : l.parties) {
        std::string ecart = calendrier.ecartAvec(p);
        if (ecart.empty() && !numeros.insert(p.numero).second)
            ecart = hote::texte("la partie %d y figure deux fois", p.numero);
        if (!ecart.empty()) {
            refus = "moteur : « " + fichier + " » : " + ecart;
            return std::nullopt;
        }
    }
    std::stable_sort(l.parties.begin(), l.parties.end(),
                     [](const Partie &a, const Partie &b) { return a.numero < b.numero; });
    return classer(calendrier, l.parties);
}

bool sortieStandardEcrite()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return true;
    std::fprintf(stderr, "moteur : l'écriture sur la sortie standard a échoué\n");
    return false;
}

} // namespace

std::string textePage(const std::vector<Partie> &parties, const std::string &titre,
                      const Classement *classement)
{
    std::string donnees = donneesJson(parties);
    if (classement != nullptr)
        donnees += ",\n\"tournoi\":" + tournoiJson(*classement, parties);
    donnees += "}";
    std::string titreHtml = texteHtml(titre);
    return remplir(ressources::page_html, {{"titre", titreHtml},
                                           {"style", ressources::page_css},
                                           {"script", ressources::page_js},
                                           {"donnees", donnees}});
}

int commandePage(const std::vector<std::string> &arguments)
{
    std::string fichier, sortie;
    bool sortieDonnee = false, finDesOptions = false;
    for (size_t i = 0; i < arguments.size(); i++) {
        const std::string &a = arguments[i];
        if (!finDesOptions && (a == "-h" || a == "--help")) {
            std::fputs(AIDE, stdout);
            return EXIT_SUCCESS;
        }
        if (!finDesOptions && a == "--") {
            finDesOptions = true;
        } else if (!finDesOptions && (a == "-o" || a == "--sortie" || a.rfind("--sortie=", 0) == 0)) {
            if (sortieDonnee)
                return refuser("l'option --sortie est donnée deux fois");
            if (a.rfind("--sortie=", 0) == 0)
                sortie = a.substr(9);
            else if (i + 1 < arguments.size())
                sortie = arguments[++i];
            else
                return refuser("l'option --sortie attend une valeur (SORTIE.html)");
            if (sortie.empty())
                return refuser("--sortie attend un nom de fichier");
            sortieDonnee = true;
        } else if (!finDesOptions && a.size() > 1 && a[0] == '-') {
            return refuser("option inconnue « " + a + " »");
        } else if (fichier.empty() && !a.empty()) {
            fichier = a;
        } else {
            return refuser("page attend un seul fichier d'enregistrement");
        }
    }
    if (fichier.empty())
        return refuser("page attend un fichier d'enregistrement");
    if (!sortieDonnee)
        sortie = sortieParDefaut(fichier);

    int erreur = 0;
    std::optional<std::string> contenu = lireFichier(fichier, erreur);
    if (!contenu) {
        std::fprintf(stderr, "moteur : impossible de lire « %s » : %s\n", fichier.c_str(),
                     std::strerror(erreur));
        return STATUT_ECHEC;
    }
    LectureEnregistrements l = lireEnregistrements(*contenu);
    if (l.ligneErreur != 0) {
        std::fprintf(stderr, "%s:%d: %s\n", fichier.c_str(), l.ligneErreur, l.erreur.c_str());
        return STATUT_ECHEC;
    }
    std::error_code e;
    if (sortie != "-" && std::filesystem::equivalent(fichier, sortie, e)) {
        std::fprintf(stderr, "moteur : la page remplacerait l'enregistrement « %s »\n",
                     fichier.c_str());
        return STATUT_ECHEC;
    }
    std::string refus;
    std::optional<Classement> classement = classementDuTournoi(l, fichier, refus);
    if (!refus.empty()) {
        std::fprintf(stderr, "%s\n", refus.c_str());
        return STATUT_ECHEC;
    }
    std::string page =
        textePage(l.parties, "Tessor : " + std::filesystem::path(fichier).filename().string(),
                  classement ? &*classement : nullptr);
    if (sortie == "-") {
        std::fwrite(page.data(), 1, page.size(), stdout);
        return sortieStandardEcrite() ? EXIT_SUCCESS : STATUT_ECHEC;
    }
    std::string raison;
    if (!ecrireFichier(sortie, page, raison)) {
        std::fprintf(stderr, "moteur : impossible d'écrire « %s » : %s\n", sortie.c_str(),
                     raison.c_str());
        return STATUT_ECHEC;
    }
    std::printf("%zu partie%s dans « %s »\n", l.parties.size(), l.parties.size() > 1 ? "s" : "",
                sortie.c_str());
    return sortieStandardEcrite() ? EXIT_SUCCESS : STATUT_ECHEC;
}

} // namespace moteur
