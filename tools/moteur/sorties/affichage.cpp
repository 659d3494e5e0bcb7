#include "sorties/affichage.h"

#include "processus/systeme.h"
#include "sorties/format.h"
#include "grille.h"
#include "texte.h"

#include <cstdlib>

#include <string_view>

namespace moteur {
namespace {

const char *const JAUNE_TERMINAL = "\033[1;33m";
const char *const ROUGE_TERMINAL = "\033[1;31m";
const char *const JAUNE_CINQ_TERMINAL = "\033[1;7;33m"; // reversed
const char *const ROUGE_CINQ_TERMINAL = "\033[1;7;31m";
const char *const NORMAL_TERMINAL = "\033[0m";

std::string pluriel(int n, const char *mot)
{
    return hote::texte("%d %s%s", n, mot, n > 1 ? "s" : "");
}

std::string nomDuCote(const Partie &p, uint8_t couleur)
{
    return hote::texte("%s (%s)", (couleur == JAUNE ? p.jaune : p.rouge).c_str(),
                       nomCouleur(couleur));
}

std::string ligneDecompte(const std::string &nom, const Decompte &t)
{
    return hote::texte("  %s : %s, %s, %s, %s point%s, %s imposé%s, %s\n", nom.c_str(),
                       pluriel(t.victoires, "victoire").c_str(),
                       pluriel(t.defaites, "défaite").c_str(), pluriel(t.nulles, "nulle").c_str(),
                       points(t.demiPoints()).c_str(), t.demiPoints() >= 4 ? "s" : "",
                       pluriel(t.coupsImposes, "coup").c_str(), t.coupsImposes > 1 ? "s" : "",
                       pluriel(t.fautes, "faute").c_str());
}

} // namespace

bool couleursVoulues(bool terminal, const char *term, const char *noColor)
{
    bool muet = term == nullptr || std::string_view(term) == "dumb";
    return terminal && !muet && (noColor == nullptr || *noColor == '\0');
}

bool couleursDuTerminal()
{
    return couleursVoulues(sortieEstUnTerminal(), std::getenv("TERM"), std::getenv("NO_COLOR"));
}

namespace {

// One cell, seven characters wide: "[12:3j]" for a cell of the last move,
// " 12:3j " otherwise.
std::string texteCase(int c, const Colonne &col, bool couleurs, bool marquee)
{
    std::string t = hote::texte("%c%2d:", marquee ? '[' : ' ', c);
    bool cinq = col.nb == HAUTEUR_MAX;
    char lettre = col.couleur == JAUNE ? (cinq ? 'J' : 'j') : (cinq ? 'R' : 'r');
    if (col.nb == 0)
        t += " .";
    else if (couleurs)
        t += hote::texte("%s%d%c%s",
                         col.couleur == JAUNE ? (cinq ? JAUNE_CINQ_TERMINAL : JAUNE_TERMINAL)
                                              : (cinq ? ROUGE_CINQ_TERMINAL : ROUGE_TERMINAL),
                         col.nb, lettre, NORMAL_TERMINAL);
    else
        t += hote::texte("%d%c", col.nb, lettre);
    return t + (marquee ? "]" : " ");
}

} // namespace

std::string texteGrille(const Position &position, bool couleurs, std::optional<Coup> dernier)
{
    std::string texte;
    for (const auto &ligne : hote::grille) {
        std::string l;
        for (int8_t c : ligne) {
            if (c == hote::HORS) {
                l += "       ";
                continue;
            }
            bool marquee = dernier && (dernier->origine == c || dernier->destination == c);
            l += texteCase(c, position.cols[c], couleurs, marquee);
        }
        while (!l.empty() && l.back() == ' ')
            l.pop_back();
        texte += l + "\n";
    }
    return texte;
}

std::string texteResultatPartie(const Partie &p)
{
    std::string qui = p.resultat == Resultat::Nulle ? "partie nulle"
                      : nomDuCote(p, p.resultat == Resultat::Jaune ? JAUNE : ROUGE) + " gagne";
    return hote::texte("%s, %s (%s)", texteResultat(p.resultat), qui.c_str(),
                       texteFin(p.fin).c_str());
}

void Affichage::debutPartie(const Partie &p)
{
    if (silencieux_)
        return;
    std::fprintf(sortie_, "Partie %d : %s contre %s, graine %u\n", p.numero,
                 nomDuCote(p, JAUNE).c_str(), nomDuCote(p, ROUGE).c_str(), p.graine);
    std::fprintf(sortie_, "%s\n", texteGrille(p.depart, couleurs_).c_str());
    // A person's dialogue comes from another process on the same terminal.
    std::fflush(sortie_);
}

void Affichage::apresCoup(const Partie &p, const Position &position)
{
    if (silencieux_)
        return;
    const CoupJoue &c = p.coups.back();
    std::string ligne = hote::texte("Coup %zu : %s joue %d-%d", p.coups.size(),
                                    nomDuCote(p, c.couleur).c_str(), c.coup.origine,
                                    c.coup.destination);
    if (c.impose)
        ligne += " (coup imposé par le moteur)";
    if (c.reflexion)
        ligne += ", réflexion " + decimal(*c.reflexion, 1) + " s";
    std::fprintf(sortie_, "%s\n%s\n", ligne.c_str(),
                 texteGrille(position, couleurs_, c.coup).c_str());
    std::fflush(sortie_);
}

void Affichage::tourDUnePersonne(const Partie &p, const Position &position)
{
    if (!silencieux_)
        return; // the board was drawn after the last move
    uint8_t couleur = position.trait == ROUGE ? ROUGE : JAUNE;
    std::string ligne =
        hote::texte("Partie %d : à %s de jouer", p.numero, nomDuCote(p, couleur).c_str());
    std::optional<Coup> dernier;
    if (!p.coups.empty()) {
        dernier = p.coups.back().coup;
        ligne += hote::texte(" (dernier coup %d-%d)", dernier->origine, dernier->destination);
    }
    std::fprintf(sortie_, "%s\n%s\n", ligne.c_str(),
                 texteGrille(position, couleurs_, dernier).c_str());
    std::fflush(sortie_);
}

void Affichage::indiceRefuse(const Partie &, const ListeCoups &coups, const ReponseTour &r)
{
    std::string raison = r.indexRemis ? hote::texte("Indice %d hors de la liste", r.index)
                                      : std::string("Aucun coup remis");
    std::fprintf(sortie_, "%s : choisissez un indice de 0 à %d\n", raison.c_str(), coups.nb - 1);
    std::fflush(sortie_);
}

void Affichage::finPartie(const Partie &p)
{
    // The person's last prompt is still waiting for its answer on the line.
    if (p.fin.issue == Issue::Abandon)
        std::fputc('\n', sortie_);
    if (silencieux_) {
        std::fprintf(sortie_, "Partie %d : %s - %s : %s\n", p.numero, p.jaune.c_str(),
                     p.rouge.c_str(), texteResultatPartie(p).c_str());
    } else {
        std::fprintf(sortie_, "%s\nRésultat : %s\n\n", scoreLisible(evaluerScore(p.finale)).c_str(),
                     texteResultatPartie(p).c_str());
    }
    std::fflush(sortie_);
}

void Affichage::montrer(const Partie &p)
{
    debutPartie(p);
    Partie enCours = p;
    enCours.coups.clear();
    Position position = p.depart;
    for (const CoupJoue &c : p.coups) {
        enCours.coups.push_back(c);
        position = jouerCoup(position, c.coup.origine, c.coup.destination);
        apresCoup(enCours, position);
    }
    finPartie(p);
}

std::string texteBilan(const BilanMatch &bilan, const std::string &premier,
                       const std::string &second, uint32_t graine)
{
    std::string t = hote::texte("Bilan : %s, graine %u%s\n",
                                pluriel(bilan.partiesJouees, "partie").c_str(), graine,
                                bilan.interrompu ? " (match interrompu)" : "");
    bool memeNom = premier == second;
    t += ligneDecompte(memeNom ? premier + " (jaune en partie 1)" : premier, bilan.premier);
    t += ligneDecompte(memeNom ? second + " (rouge en partie 1)" : second, bilan.second);
    return t;
}

} // namespace moteur
