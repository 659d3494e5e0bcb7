// `moteur livre`: a book of balanced start positions, on standard output.
//
// Each candidate is the position after --coups random legal moves (drawn as
// --ouverture draws them, from seeds of the book's own seed), kept when the
// search of joueur_fort, as one of its turns, values it within --ecart of
// level for the side to move, and when the book does not hold it yet.  Each
// line gives the position, then its judgement as a comment.
//
// Level means close to 0, on both sides: after 4 random moves the search
// values most starts between +20 and +100 for the side to move, and from
// those joueur_fort playing itself wins about two games in three with the
// side to move; from the 300 starts within 20 of 0 of the shipped book, 57 %.
#include "commandes/commun.h"

#include "partie/hasard.h"
#include "partie/match.h"
#include "processus/systeme.h"
#include "recherche.h"

#include "notation.h"
#include "texte.h"

#include <set>

namespace moteur {
namespace {

// The search of one turn of joueur_fort, as it plays: its value of a start
// is what the player itself will see there.
constexpr long BUDGET_DU_JUGE = fort::BUDGET_NOEUDS;
// Candidates tried per start asked, before giving up: about one in a
// hundred is level within 20 after 4 random moves.
constexpr int ESSAIS_PAR_DEPART = 1000;

struct Jugement {
    int valeur = 0;     // for the side to move
    int profondeur = 0; // of the search
    bool resolue = false;
};

Jugement juger(const Position &p)
{
    fort::Reponse r = fort::chercher(p, getCoupsLegaux(p), BUDGET_DU_JUGE);
    return {r.valeur, r.profondeur, r.resolue};
}

std::string ligneDuLivre(const Position &p, const Jugement &j)
{
    return hote::texte("%s  # %s au trait, valeur %+d (profondeur %d)\n",
                       hote::ecrireNotation(p).c_str(), p.trait == ROUGE ? "rouge" : "jaune",
                       j.valeur, j.profondeur);
}

std::string enTeteDuLivre(const Options &o, uint32_t graine)
{
    return hote::texte(
        "# Livre de départs équilibrés du Tessor : %d positions, chacune après %d coups\n"
        "# tirés au hasard, gardée quand la recherche de joueur_fort (%ld nœuds) la juge\n"
        "# à %d près de l'égalité pour le camp au trait. Une position par ligne, en\n"
        "# notation du kit ; chaque paire de parties en part, une fois de chaque couleur.\n"
        "# Fait par : moteur livre --coups %d --nombre %d --ecart %d --graine %u\n",
        o.nombre, o.coups, BUDGET_DU_JUGE, o.ecart, o.coups, o.nombre, o.ecart, graine);
}

} // namespace

int commandeLivre(const Options &o, Registre &)
{
    if (!o.noms.empty())
        return refuser(o.commande, "livre ne prend aucun nom : son livre va sur la sortie "
                                   "standard (moteur livre ... > livre.txt)");
    uint32_t graine = o.graine ? *o.graine : graineDeLHorloge();
    Hasard graines = hasardDe(graine, Flux::Livre);
    std::set<std::string> vus;
    std::string livre = enTeteDuLivre(o, graine);
    int gardees = 0;
    long essais = 0, essaisMax = static_cast<long>(o.nombre) * ESSAIS_PAR_DEPART;
    for (; gardees < o.nombre && essais < essaisMax; essais++) {
        Position p = ouverture(static_cast<uint32_t>(graines.suivant() >> 32), o.coups);
        if (getCoupsLegaux(p).nb == 0 || !vus.insert(hote::ecrireNotation(p)).second)
            continue;
        Jugement j = juger(p);
        if (j.resolue || j.valeur < -o.ecart || j.valeur > o.ecart)
            continue;
        livre += ligneDuLivre(p, j);
        gardees++;
    }
    if (gardees < o.nombre) {
        const char *s = gardees > 1 ? "s" : "";
        std::fprintf(stderr,
                     "moteur : seulement %d départ%s équilibré%s sur %ld essais : essayez moins "
                     "de coups, un --ecart plus large ou un --nombre plus petit\n",
                     gardees, s, s, essais);
        return ECHEC;
    }
    std::fputs(livre.c_str(), stdout);
    return std::fflush(stdout) == 0 ? SUCCES : ECHEC; // main says why not
}

} // namespace moteur
