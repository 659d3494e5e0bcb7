#include "partie/programme_texte.h"

#include "partie/programme.h"
#include "processus/systeme.h"
#include "dialogue.h"
#include "texte.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace moteur {
namespace {

// What a message quotes of a line received.
constexpr size_t CITATION_MAX = 80;

std::string citer(const std::string &ligne) { return hote::lisible(ligne.substr(0, CITATION_MAX)); }

} // namespace

Etat DialogueTexte::envoyer(const std::string &ligne)
{
    return processus_.envoyer(ligne.data(), ligne.size());
}

Etat DialogueTexte::lireLigne(std::string &ligne, bool &complete, double delai)
{
    double limite = maintenant() + delai;
    complete = true;
    for (;;) {
        size_t fin = tampon_.find('\n');
        if (fin != std::string::npos) {
            ligne = tampon_.substr(0, fin);
            tampon_.erase(0, fin + 1);
            return Etat::Ok;
        }
        if (tampon_.size() > dialogue::LONGUEUR_MAX) {
            complete = false;
            return Etat::Ok;
        }
        char morceau[4096];
        size_t lus = 0;
        double reste = delai < 0 ? -1 : std::max(0.0, limite - maintenant());
        Etat e = processus_.recevoirUnPeu(morceau, sizeof morceau, lus, reste);
        if (e != Etat::Ok)
            return e;
        tampon_.append(morceau, lus);
    }
}

Salut DialogueTexte::accueillir(Lancement l)
{
    Salut s;
    s.texte = true;
    l.texte = true;
    tampon_.clear();
    if (processus_.lancer(l) != Etat::Ok) {
        s.echec = EchecSalut::Lancement;
        s.cause = processus_.causeDuRefus();
        return s;
    }
    std::string ligne;
    bool complete = true;
    Etat e = envoyer(dialogue::ligneAccueil());
    if (e == Etat::Ok)
        e = lireLigne(ligne, complete, DELAI_BONJOUR);
    std::optional<dialogue::Bonjour> b;
    if (e == Etat::Ok && complete)
        b = dialogue::lireBonjour(ligne);
    if (e == Etat::Delai) {
        s.echec = EchecSalut::Delai;
    } else if (e != Etat::Ok) {
        classerLaFin(processus_, s);
    } else if (!b) {
        s.echec = EchecSalut::PasUnSalut;
        s.recu = citer(complete ? ligne : tampon_);
    }
    s.version = b ? b->version : 0;
    s.personne = s.memeVersion() && b->personne;
    if (!s.memeVersion())
        processus_.tuer();
    return s;
}

Etat DialogueTexte::commencer(uint32_t graine)
{
    return envoyer(dialogue::lignePartie(graine, pidMoteur()));
}

ReponseTour DialogueTexte::demander(const Position &position, double delai, int &signal,
                                    const std::optional<Pendule> &pendule, double restant)
{
    ReponseTour t;
    rupture_.clear();
    ListeCoups coups = getCoupsLegaux(position);
    double debut = maintenant();
    std::string ligne;
    bool complete = true;
    std::string lignes = dialogue::ligneTour(position, coups);
    if (pendule && restant >= 0)
        lignes = dialogue::lignePendule(std::llround(restant * 1000),
                                        std::llround(pendule->increment * 1000)) +
                 lignes;
    Etat e = envoyer(lignes);
    if (e == Etat::Ok)
        e = lireLigne(ligne, complete, delai);
    t.duree = maintenant() - debut;
    if (e != Etat::Ok) {
        t.faute = fauteDeProcessus(processus_, e, signal);
        return t;
    }
    std::optional<dialogue::Reponse> r;
    if (complete)
        r = dialogue::lireReponse(ligne, coups);
    if (!r) {
        rupture_ = complete ? "« " + citer(ligne) + " » reçu au lieu de " +
                                  dialogue::REPONSES_ATTENDUES
                            : hote::texte("une ligne de plus de %zu caractères reçue, « %s… »",
                                          dialogue::LONGUEUR_MAX, citer(tampon_).c_str());
        processus_.tuer();
        t.faute = Issue::Protocole;
        return t;
    }
    t.indexRemis = r->coupDonne;
    t.nbIndices = r->coupDonne ? 1 : 0;
    t.index = r->index;
    t.entreeFinie = r->abandon;
    return t;
}

void DialogueTexte::annoncer(Resultat resultat, const FinPartie &fin)
{
    envoyer(dialogue::ligneResultat(texteResultat(resultat), texteFin(fin)));
}

void DialogueTexte::finir() { envoyer(dialogue::ligneFin()); }

std::string ProgrammeTexte::autreVersion(int version) const
{
    return hote::texte("parle la version %d du protocole texte et ce moteur la version %d", version,
                       dialogue::VERSION);
}

std::optional<Issue> ProgrammeTexte::annoncerPartie(uint32_t graine)
{
    Etat e = dialogue_.commencer(graine);
    if (e != Etat::Ok)
        return fauteDeProcessus(processus_, e, signalDuPlantage_);
    return std::nullopt;
}

bool ProgrammeTexte::partir(double delai)
{
    if (!processus_.lance())
        return true;
    dialogue_.finir();
    std::optional<FinProcessus> fin = processus_.attendre(delai);
    restants_ = fin ? fin->restants : 0;
    return fin.has_value();
}

ReponseTour ProgrammeTexte::jouer(const Position &position, double restant)
{
    Cadence c = cadence();
    ReponseTour t = dialogue_.demander(position, c.delai(restant), signalDuPlantage_,
                                       c.pendule(), restant);
    // The record says "protocol"; what was received is for the user.
    if (direLesRuptures_ && !dialogue_.rupture().empty())
        std::fprintf(stderr, "moteur : « %s » ne respecte pas le protocole texte : %s\n",
                     d_.nom.c_str(), dialogue_.rupture().c_str());
    return t;
}

void ProgrammeTexte::annoncerResultat(Resultat resultat, const FinPartie &fin)
{
    if (processus_.lance())
        dialogue_.annoncer(resultat, fin);
}

void ProgrammeTexte::finir()
{
    if (!processus_.lance())
        return;
    dialogue_.finir();
    processus_.terminer(DELAI_DEPART);
}

} // namespace moteur
