// `moteur navigateur PROGRAMME` in `moteur-navigateur`: a person plays
// against a program in the browser.  The page's server answers in the main
// thread, the games go on in a thread of their own, and a watcher ends both
// when the page is closed or the engine is stopped.
#include "commandes/commun.h"

#include "navigateur/ouverture.h"
#include "navigateur/serveur.h"
#include "navigateur/session.h"
#include "partie/programme.h"
#include "processus/signaux.h"
#include "processus/systeme.h"
#include "sorties/enregistrement.h"
#include "sorties/format.h"

#include "texte.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace moteur {
namespace {

// How often the watcher looks for a stop or a closed page.
constexpr std::chrono::milliseconds VEILLE(50);

// The program as named and found, with its time; an error text when it
// cannot be played.
std::string decrireLeProgramme(const Options &o, DescriptionJoueur &d)
{
    if (o.noms.size() != 1)
        return "navigateur attend un seul programme, par exemple : moteur navigateur joueur_critique";
    d.nom = o.noms[0];
    if (!nomEnregistrable(d.nom))
        return "nom de joueur invalide « " + d.nom + " »";
    std::optional<std::string> chemin = trouverProgramme(d.nom);
    if (!chemin)
        return raisonIntrouvable(d.nom);
    d.chemin = *chemin;
    d.temps = o.temps;
    return "";
}

// Whether the program greets the engine as an automatic player: the person
// is at the page, not at a terminal.
std::string saluerLeProgramme(Programme &programme)
{
    Salut salut = programme.saluer();
    const std::string &nom = programme.description().nom;
    if (!salut.joueur())
        return salut.refusDe(nom);
    if (salut.personne)
        return "« " + nom + " » fait jouer une personne au terminal ; dans le navigateur, "
               "c'est vous qui jouez : nommez un programme automatique";
    return "";
}

// The games until the page is closed or the engine stopped: the server in
// this thread, the games in another, a watcher to end both.
void servir(Session &session, Serveur &serveur)
{
    gererLArret(true); // Ctrl-C: the games played are kept, then the end
    std::thread parties([&] { session.jouer(); });
    std::atomic<bool> serveurArrete{false};
    std::thread veilleur([&] {
        // Until the server has stopped: a stop asked before it listens is
        // asked again.
        while (!serveurArrete.load()) {
            if (arretEnCours() || session.fermee() || session.pageFermee(maintenant())) {
                session.fermer();
                serveur.arreter();
            }
            std::this_thread::sleep_for(VEILLE);
        }
    });
    serveur.servir();
    serveurArrete.store(true);
    veilleur.join();
    session.fermer();
    parties.join();
}

std::string texteBilanSession(const Decompte &d, const std::string &programme, uint32_t graine)
{
    int n = d.victoires + d.defaites + d.nulles;
    auto pluriel = [](int k) { return k > 1 ? "s" : ""; };
    return hote::texte("Bilan : %d partie%s contre %s, graine %u%s ; vous : %d gagnée%s, "
                       "%d perdue%s, %d nulle%s\n",
                       n, pluriel(n), programme.c_str(), graine,
                       arretEnCours() ? " (session interrompue)" : "", d.victoires,
                       pluriel(d.victoires), d.defaites, pluriel(d.defaites), d.nulles,
                       pluriel(d.nulles));
}

} // namespace

int commandeNavigateur(const Options &o, Registre &registre)
{
    DescriptionJoueur d;
    if (std::string refus = decrireLeProgramme(o, d); !refus.empty())
        return refuser(o.commande, refus);
    std::FILE *enregistrement = nullptr;
    if (!o.enregistrer.empty() && (enregistrement = ouvrirEnregistrement(o.enregistrer)) == nullptr)
        return ECHEC;
    Programme programme(d, registre);
    if (std::string refus = saluerLeProgramme(programme); !refus.empty()) {
        if (enregistrement != nullptr)
            std::fclose(enregistrement);
        return refuser(o.commande, refus);
    }

    std::string refusDuLivre;
    RefLivre livre = chargerLivre(o, refusDuLivre);
    if (!refusDuLivre.empty())
        return refuser(o.commande, refusDuLivre);
    ReglageNavigateur reglage;
    reglage.livre = std::move(livre);
    reglage.graine = o.graine ? *o.graine : graineDeLHorloge();
    reglage.strict = o.strict;
    reglage.temps = o.temps.value_or(Cadence());
    reglage.enregistrement = o.enregistrer;
    Session session(reglage, programme, enregistrement);
    Serveur serveur(session, "Tessor : vous contre " + d.nom);
    std::string erreur;
    if (!serveur.ecouter(o.port, erreur)) {
        std::fprintf(stderr, "moteur : impossible d'écouter sur 127.0.0.1 : %s\n", erreur.c_str());
        return ECHEC;
    }
    std::printf("Vous contre %s dans le navigateur, graine %u ; ouvrez cette adresse "
                "(Ctrl-C pour finir) :\n%s\n",
                d.nom.c_str(), reglage.graine, serveur.adresse().c_str());
    std::fflush(stdout);
    ouvrirDansLeNavigateur(serveur.adresse());

    servir(session, serveur);
    programme.finir();
    std::printf("%s", texteBilanSession(session.bilan(), d.nom, reglage.graine).c_str());
    bool ecrit = session.enregistrementsEcrits();
    if (enregistrement != nullptr && std::fclose(enregistrement) != 0)
        ecrit = false;
    if (!ecrit)
        std::fprintf(stderr, "moteur : l'écriture dans « %s » a échoué\n", o.enregistrer.c_str());
    std::fflush(stdout);
    finirSiArrete(); // stopped by a signal: the engine ends by it
    return ecrit ? SUCCES : ECHEC;
}

} // namespace moteur
