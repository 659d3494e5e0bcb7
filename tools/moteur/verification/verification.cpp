// moteur verifier: the two processes that play each position, and the
// table of the checks (Linux).
#include "verification/verification.h"

#include "partie/hasard.h"
#include "processus/systeme.h"
#include "verification/controles.h"
#include "dialogue.h"
#include "protocole.h"
#include "texte.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace moteur {
namespace {

// What the program started has this long to end after it.
constexpr double DELAI_RESTANTS = 0.5;
// A program this often out of time, or unable to start again, is waited for
// no longer: the positions left are not played.
constexpr int ATTENTES_MAX = 3;

struct Essais {
    const ReglageVerification &r;
    std::vector<Position> positions;
    std::vector<uint32_t> graines; // the players' seed for each position
    Essai a, b;
    Bilan bilan;
    std::vector<Controle *> lignes = {&bilan.salut,  &bilan.reponses, &bilan.temps,
                                      &bilan.indices, &bilan.graine,  &bilan.sortie,
                                      &bilan.processus, &bilan.vide};

    Essais(const ReglageVerification &reglage, Registre &registre)
        : r(reglage), positions(positionsAVerifier(r.positions, r.graine)),
          a(registre, r.programme, r.temps), b(registre, r.programme, r.temps)
    {
        Hasard tirage(r.graine);
        for (size_t i = 0; i < positions.size(); i++)
            graines.push_back(static_cast<uint32_t>(tirage.suivant()));
    }

    void afficherLeTableau() const
    {
        for (const Controle *c : lignes)
            afficherLigne(*c, positions, graines);
    }
};

// Both processes greet the engine, or the table says why not at once,
// rather than losing game after game.
bool saluer(Essais &e)
{
    std::string refus = e.a.demarrer();
    if (refus.empty())
        refus = e.b.demarrer();
    if (refus.empty()) {
        e.bilan.salut.detail =
            e.a.texte() ? hote::texte("il salue le moteur dans la version %d du protocole texte",
                                      dialogue::VERSION)
                        : hote::texte("il salue le moteur dans la version %u du protocole",
                                      protocole::VERSION);
        if (e.a.personne())
            e.bilan.salut.detail += " ; il annonce une personne, vérifié ici sans terminal";
        return true;
    }
    e.bilan.salut.echouer(-1);
    e.bilan.salut.detail = refus;
    for (Controle *c : e.lignes)
        c->verifie = c == &e.bilan.salut;
    e.afficherLeTableau();
    std::printf("\n« %s » n'est pas un programme joueur de ce kit.\n", e.r.programme.nom.c_str());
    return false;
}

// Each position in both processes, until too many turns found no answer.
void jouerLesPositions(Essais &e, std::array<int, 4> &fautesVides)
{
    Bilan &bilan = e.bilan;
    for (size_t i = 0; i < e.positions.size() && bilan.attentes < ATTENTES_MAX; i++) {
        int nbCoups = getCoupsLegaux(e.positions[i]).nb;
        int n = static_cast<int>(i);
        Tour ta = e.a.jouer(e.positions[i], e.graines[i]);
        noterTour(bilan, n, nbCoups, ta, e.r.strict, fautesVides);
        Tour tb = e.b.jouer(e.positions[i], e.graines[i]);
        noterTour(bilan, n, nbCoups, tb, e.r.strict, fautesVides);
        bilan.jouees++;
        if (nbCoups > 0 && ta.fin == Fin::Reponse && tb.fin == Fin::Reponse) {
            bilan.comparees++;
            if (ta.nbIndices != tb.nbIndices || (ta.nbIndices > 0 && ta.dernier != tb.dernier))
                bilan.graine.echouer(n);
        }
    }
}

// Both asked to leave: whether they did, and whether anything they started
// is left.
void finir(Essais &e, Registre &registre, const std::array<int, 4> &fautesVides)
{
    Tour finA, finB;
    bool partis = e.a.finir(finA);
    partis = e.b.finir(finB) && partis;
    int restants = e.a.restants() + e.b.restants() +
                   processusRestants(DELAI_RESTANTS, {e.a.pid(), e.b.pid()});
    e.a.tuer();
    e.b.tuer();
    registre.finirLesOrphelins();
    if (!finA.sortieValide || !finB.sortieValide)
        e.bilan.sortie.echouer(-1);
    redigerDetails(e.bilan, e.r.temps, e.r.strict, fautesVides, restants, partis);
}

// The table and its conclusion: the number of failed checks.
int conclure(const Essais &e)
{
    e.afficherLeTableau();
    if (e.bilan.jouees < e.r.positions)
        std::printf("\nArrêt après %d tours hors du temps ou sans redémarrage : %d positions "
                    "jouées sur %d.\n",
                    e.bilan.attentes, e.bilan.jouees, e.r.positions);
    int echecs = 0;
    for (const Controle *c : e.lignes)
        echecs += c->echecs > 0;
    if (echecs == 0)
        std::printf("\nTous les contrôles sont passés.\n");
    else
        std::printf("\n%s en échec.\n", compte(echecs, "contrôle", "contrôles").c_str());
    return echecs;
}

} // namespace

bool verifier(const ReglageVerification &r, Registre &registre)
{
    Essais e(r, registre);
    if (!e.a.pret() || !e.b.pret()) {
        std::fprintf(stderr, "moteur : impossible de garder la sortie du joueur : %s\n",
                     std::strerror(errno));
        return false;
    }
    std::printf("Vérification de « %s » : %d positions (graine %u), %s par coup, chaque position "
                "jouée dans deux processus\n\n",
                r.programme.nom.c_str(), r.positions, r.graine, texteLimite(r.temps).c_str());
    std::fflush(stdout);
    if (!saluer(e))
        return false;
    resterSurCeProcesseur();
    std::array<int, 4> fautesVides{};
    jouerLesPositions(e, fautesVides);
    finir(e, registre, fautesVides);
    return conclure(e) == 0;
}

} // namespace moteur
