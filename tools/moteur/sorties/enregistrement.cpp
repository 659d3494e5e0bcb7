#include "sorties/enregistrement.h"
#include "sorties/lignes.h"

#include "sorties/format.h"
#include "tournoi/calendrier.h"

#include "notation.h"
#include "texte.h"

#include <array>
#include <climits>
#include <cstring>
#include <optional>
#include <string>

namespace moteur {

// `[Nom "valeur"]` with the expected name; the value, or why not.
std::optional<std::string_view> lireEtiquette(std::string_view l, std::string_view nom,
                                              std::string &raison)
{
    std::string debut = "[" + std::string(nom) + " \"";
    if (l.substr(0, debut.size()) != debut || l.size() < debut.size() + 2 ||
        l.substr(l.size() - 2) != "\"]") {
        raison = hote::texte("étiquette attendue : [%s \"...\"]", std::string(nom).c_str());
        return std::nullopt;
    }
    std::string_view valeur = l.substr(debut.size(), l.size() - debut.size() - 2);
    if (valeur.find('"') != std::string_view::npos) {
        raison = "guillemet en trop dans la valeur de l'étiquette";
        return std::nullopt;
    }
    if (!texteSain(valeur)) {
        raison = "la valeur de l'étiquette n'est pas du texte (UTF-8 invalide ou caractère nul)";
        return std::nullopt;
    }
    return valeur;
}

namespace {

constexpr size_t LARGEUR_LIGNE = 79;

constexpr std::array<const char *, 8> ETIQUETTES = {
    "Partie", "Jaune", "Rouge", "Graine", "Depart", "Resultat", "Fin", "Score",
};

std::optional<CoupJoue> lireCoup(std::string_view mot)
{
    CoupJoue c{};
    if (!mot.empty() && mot.back() == '*') {
        c.impose = true;
        mot.remove_suffix(1);
    }
    size_t tiret = mot.find('-');
    if (tiret == std::string_view::npos)
        return std::nullopt;
    std::optional<unsigned> o = lireEntier<unsigned>(mot.substr(0, tiret), 0, UINT_MAX);
    std::optional<unsigned> d = lireEntier<unsigned>(mot.substr(tiret + 1), 0, UINT_MAX);
    if (!o || !d || *o >= NBCASES || *d >= NBCASES)
        return std::nullopt;
    c.coup = {static_cast<uint8_t>(*o), static_cast<uint8_t>(*d)};
    return c;
}

bool coupLegal(const Position &p, Coup c)
{
    ListeCoups liste = getCoupsLegaux(p);
    for (int k = 0; k < liste.nb; k++)
        if (liste.coups[k].origine == c.origine && liste.coups[k].destination == c.destination)
            return true;
    return false;
}

// A game's tags, in their order: their values and their lines.
struct EtiquettesDePartie {
    std::array<std::string_view, ETIQUETTES.size()> valeurs;
    std::array<int, ETIQUETTES.size()> numeros{};
};
enum { PARTIE, JAUNE_, ROUGE_, GRAINE, DEPART, RESULTAT, FIN, SCORE };

std::optional<Refus> lireLesEtiquettes(Lignes &lignes, std::string_view premiere, EtiquettesDePartie &e)
{
    auto &valeurs = e.valeurs;
    auto &numeros = e.numeros;
    for (size_t i = 0; i < ETIQUETTES.size(); i++) {
        if (i > 0 && lignes.fini())
            return Refus{lignes.numero() + 1, "fin du fichier au milieu des étiquettes"};
        std::string_view l = i == 0 ? premiere : lignes.suivante();
        std::string raison;
        std::optional<std::string_view> v = lireEtiquette(l, ETIQUETTES[i], raison);
        if (!v)
            return Refus{lignes.numero(), raison};
        valeurs[i] = *v;
        numeros[i] = lignes.numero();
    }
    return std::nullopt;
}

// What the tags say of the game, but its moves and its end.
std::optional<Refus> interpreter(const EtiquettesDePartie &e, Partie &p)
{
    const auto &valeurs = e.valeurs;
    const auto &numeros = e.numeros;
    std::optional<int> numero = lireEntier<int>(valeurs[PARTIE], 0, INT_MAX);
    if (!numero || *numero < 1)
        return Refus{numeros[PARTIE], "numéro de partie invalide"};
    p.numero = *numero;
    if (valeurs[JAUNE_].empty() || valeurs[ROUGE_].empty())
        return Refus{numeros[valeurs[JAUNE_].empty() ? JAUNE_ : ROUGE_], "nom de joueur vide"};
    p.jaune = valeurs[JAUNE_];
    p.rouge = valeurs[ROUGE_];
    std::optional<uint32_t> graine = lireEntier<uint32_t>(valeurs[GRAINE], 0, UINT32_MAX);
    if (!graine)
        return Refus{numeros[GRAINE], "graine invalide (attendu un entier de 0 à 4294967295)"};
    p.graine = *graine;
    hote::LectureNotation depart = hote::lireNotation(valeurs[DEPART]);
    if (!depart.position)
        return Refus{numeros[DEPART], depart.erreur};
    p.depart = *depart.position;
    if (!lireResultat(valeurs[RESULTAT]))
        return Refus{numeros[RESULTAT], "résultat invalide (attendu 1-0, 0-1 ou 1/2-1/2)"};
    std::optional<FinPartie> fin = lireFin(valeurs[FIN]);
    if (!fin)
        return Refus{numeros[FIN], hote::texte("fin de partie inconnue « %s »",
                                               std::string(valeurs[FIN]).c_str())};
    p.fin = *fin;

    return std::nullopt;
}

// The tag `nom` when the line `apres` holds it: its value, and the next
// line read into `apres`; nothing when the line is another.
std::optional<std::string_view> etiquetteFacultative(Lignes &lignes,
                                                     std::optional<std::string_view> &apres,
                                                     const std::string &nom, std::string &raison)
{
    std::string debut = "[" + nom + " \"";
    if (!apres || apres->substr(0, debut.size()) != debut)
        return std::nullopt;
    std::optional<std::string_view> v = lireEtiquette(*apres, nom, raison);
    apres.reset();
    if (v && !lignes.fini())
        apres = lignes.suivante();
    return v ? v : std::string_view(); // a value the caller finds invalid
}

// After its score, a game played with a clock names it, and a tournament's
// game its pairing; then a blank line.
std::optional<Refus> lireLaRencontre(Lignes &lignes, Partie &p)
{
    std::optional<std::string_view> apres;
    if (!lignes.fini())
        apres = lignes.suivante();
    std::string raison;
    int ligne = lignes.numero();
    if (std::optional<std::string_view> v = etiquetteFacultative(lignes, apres, "Pendule", raison)) {
        if (!raison.empty() || !Cadence::lirePendule(std::string(*v)))
            return Refus{ligne, raison.empty() ? "pendule invalide (attendu BASE+INCREMENT)" : raison};
        p.pendule = *v;
    }
    ligne = lignes.numero();
    if (std::optional<std::string_view> v = etiquetteFacultative(lignes, apres, "Rencontre", raison)) {
        std::optional<int> rencontre = lireEntier<int>(*v, 0, INT_MAX);
        if (!raison.empty() || !rencontre || *rencontre < 1)
            return Refus{ligne, raison.empty() ? "numéro de rencontre invalide" : raison};
        p.rencontre = *rencontre;
    }
    if (!apres || !apres->empty())
        return Refus{lignes.numero(), "ligne vide attendue après les étiquettes"};
    return std::nullopt;
}

// The moves, replayed as they are read: the final position, or why not.
std::optional<Refus> lireLesCoups(Lignes &lignes, Partie &p, Position &position)
{
    // Each pair opens with its number.
    position = p.depart;
    size_t attendu = 0;     // index of the next move
    int ligneDuNumero = 0;  // where the number of the pair in progress was read (0: not yet)
    while (!lignes.fini()) {
        std::string_view l = lignes.suivante();
        if (l.empty())
            break;
        size_t debut = 0;
        while (debut < l.size()) {
            size_t blanc = l.find(' ', debut);
            if (blanc == std::string_view::npos)
                blanc = l.size();
            std::string_view mot = l.substr(debut, blanc - debut);
            debut = blanc + 1;
            if (mot.empty())
                continue;
            if (mot.back() == '.') {
                std::optional<size_t> n = lireEntier<size_t>(mot.substr(0, mot.size() - 1), 0, SIZE_MAX);
                if (attendu % 2 != 0 || ligneDuNumero != 0 || !n || *n != attendu / 2 + 1)
                    return Refus{lignes.numero(),
                                 attendu % 2 != 0 || ligneDuNumero != 0
                                     ? hote::texte("numéro de coup « %s » inattendu (attendu "
                                                   "un coup)",
                                                   std::string(mot).c_str())
                                     : hote::texte("numéro de coup « %s » inattendu (attendu "
                                                   "%zu.)",
                                                   std::string(mot).c_str(), attendu / 2 + 1)};
                ligneDuNumero = lignes.numero();
                continue;
            }
            if (attendu % 2 == 0 && ligneDuNumero == 0)
                return Refus{lignes.numero(),
                             hote::texte("numéro de coup attendu avant « %s » (%zu.)",
                                         std::string(mot).c_str(), attendu / 2 + 1)};
            std::optional<CoupJoue> c = lireCoup(mot);
            if (!c)
                return Refus{lignes.numero(), hote::texte("« %s » n'est pas un coup",
                                                          std::string(mot).c_str())};
            if (!coupLegal(position, c->coup))
                return Refus{lignes.numero(),
                             hote::texte("coup illégal %d-%d (coup %zu)", c->coup.origine,
                                         c->coup.destination, attendu + 1)};
            c->couleur = position.trait == ROUGE ? ROUGE : JAUNE;
            p.coups.push_back(*c);
            position = jouerCoup(position, c->coup.origine, c->coup.destination);
            attendu++;
            if (attendu % 2 == 0)
                ligneDuNumero = 0;
        }
    }
    if (attendu % 2 == 0 && ligneDuNumero != 0)
        return Refus{ligneDuNumero,
                     hote::texte("le numéro %zu. n'est suivi d'aucun coup", attendu / 2 + 1)};

    return std::nullopt;
}

// The result, the end and the score must be those of the final position.
std::optional<Refus> verifierLaFin(const EtiquettesDePartie &e, Partie &p, Position position)
{
    const auto &valeurs = e.valeurs;
    const auto &numeros = e.numeros;
    Resultat resultat = *lireResultat(valeurs[RESULTAT]);
    p.finale = position;
    int restants = getCoupsLegaux(position).nb;
    if (p.fin.issue == Issue::PlusDeCoup && restants > 0)
        return Refus{numeros[FIN], hote::texte("la partie n'est pas finie : %d coup%s possible%s",
                                               restants, restants > 1 ? "s" : "",
                                               restants > 1 ? "s" : "")};
    // A fault happens on a turn, and there is no turn without a move; only
    // a program that failed to start may lose at a start with none.
    if (p.fin.issue != Issue::PlusDeCoup && restants == 0 && !p.coups.empty())
        return Refus{numeros[FIN], "la partie est finie : plus aucun coup possible"};
    p.resultat = resultatDeLaPartie(p.fin, position);
    if (resultat != p.resultat)
        return Refus{numeros[RESULTAT], hote::texte("le résultat devrait être %s",
                                                    texteResultat(p.resultat))};
    std::string score = texteScore(evaluerScore(position));
    if (valeurs[SCORE] != score)
        return Refus{numeros[SCORE], "le score de la position finale est « " + score + " »"};
    return std::nullopt;
}

} // namespace

std::optional<Refus> lirePartie(Lignes &lignes, std::string_view premiere, Partie &p)
{
    EtiquettesDePartie e;
    Position position;
    std::optional<Refus> refus = lireLesEtiquettes(lignes, premiere, e);
    if (!refus)
        refus = interpreter(e, p);
    if (!refus)
        refus = lireLaRencontre(lignes, p);
    if (!refus)
        refus = lireLesCoups(lignes, p, position);
    return refus ? refus : verifierLaFin(e, p, position);
}

bool nomEnregistrable(std::string_view nom)
{
    if (nom.empty())
        return false;
    for (char c : nom)
        if (c == '"' || c == '\n' || c == '\r')
            return false;
    return true;
}

std::string ecrireEnregistrement(const Partie &p)
{
    std::string t;
    t += hote::texte("[Partie \"%d\"]\n", p.numero);
    t += "[Jaune \"" + p.jaune + "\"]\n";
    t += "[Rouge \"" + p.rouge + "\"]\n";
    t += hote::texte("[Graine \"%u\"]\n", p.graine);
    t += "[Depart \"" + hote::ecrireNotation(p.depart) + "\"]\n";
    t += hote::texte("[Resultat \"%s\"]\n", texteResultat(p.resultat));
    t += "[Fin \"" + texteFin(p.fin) + "\"]\n";
    t += "[Score \"" + texteScore(evaluerScore(p.finale)) + "\"]\n";
    if (!p.pendule.empty())
        t += "[Pendule \"" + p.pendule + "\"]\n";
    if (p.rencontre > 0)
        t += hote::texte("[Rencontre \"%d\"]\n", p.rencontre);
    t += "\n";

    // Written by hand rather than through printf, whose formatting was most
    // of a record's cost: one in twenty of the engine's instructions in a
    // match of two players that answer at once.
    size_t debutLigne = t.size();
    std::string mot;
    for (size_t i = 0; i < p.coups.size(); i++) {
        mot.clear();
        if (i % 2 == 0)
            mot.append(std::to_string(i / 2 + 1)).append(". ");
        mot.append(std::to_string(p.coups[i].coup.origine)).push_back('-');
        mot.append(std::to_string(p.coups[i].coup.destination));
        if (p.coups[i].impose)
            mot.push_back('*');
        // A move stays on the line of its number.
        size_t largeur = t.size() - debutLigne;
        if (largeur > 0 && largeur + 1 + mot.size() > LARGEUR_LIGNE) {
            t.push_back('\n');
            debutLigne = t.size();
        } else if (largeur > 0) {
            t.push_back(' ');
        }
        t += mot;
    }
    if (t.size() > debutLigne)
        t.push_back('\n');
    t.push_back('\n');
    return t;
}

} // namespace moteur
