#include "navigateur/session.h"

#include "navigateur/participants.h"
#include "processus/systeme.h"
#include "sorties/enregistrement.h"
#include "sorties/format.h"

#include "notation.h"
#include "texte.h"

#include <chrono>

namespace moteur {
namespace {

// A page that said it was leaving and asks again within this many seconds
// was reloaded, not closed.
constexpr double RETOUR_APRES_DEPART = 3.0;
// A page with no request waiting for this long was closed without a word
// (a live page always has one waiting).
constexpr double SILENCE_MAX = 120.0;

std::optional<uint8_t> lireCouleur(std::string_view t)
{
    if (t == "jaune")
        return JAUNE;
    if (t == "rouge")
        return ROUGE;
    return std::nullopt;
}

// "12-13": two cell numbers; nothing for anything else.
std::optional<Coup> lireCoup(std::string_view t)
{
    size_t tiret = t.find('-');
    if (tiret == std::string_view::npos)
        return std::nullopt;
    auto o = lireEntier<int>(t.substr(0, tiret), 0, NBCASES - 1);
    auto d = lireEntier<int>(t.substr(tiret + 1), 0, NBCASES - 1);
    if (!o || !d)
        return std::nullopt;
    return Coup{static_cast<uint8_t>(*o), static_cast<uint8_t>(*d)};
}

bool dansLaListe(const ListeCoups &l, Coup c)
{
    for (int k = 0; k < l.nb; k++)
        if (l.coups[k].origine == c.origine && l.coups[k].destination == c.destination)
            return true;
    return false;
}

} // namespace

Session::Session(const ReglageNavigateur &reglage, Participant &programme, std::FILE *enregistrement)
    : reglage_(reglage), programme_(programme), enregistrement_(enregistrement)
{
    partie_.depart = positionInitiale;
    partie_.numero = 0;
    position_ = positionInitiale;
}

void Session::jouer()
{
    PersonneAuNavigateur personne(*this);
    ProgrammeMesure programme(programme_, *this);
    for (int numero = 1;; numero++) {
        std::optional<uint8_t> couleur = attendreUneDemande();
        if (!couleur)
            return;
        // Each game is the one game of a match with its own seed, as a
        // terminal game with that seed would be.
        SuiteDesParties suite(reglage_.graine + static_cast<uint32_t>(numero - 1), 0,
                              reglage_.livre);
        SuiteDesParties::Prevue prevue = suite.suivante();
        ReglagePartie r{numero, prevue.graine, prevue.depart, reglage_.strict};
        bool jaune = *couleur == JAUNE;
        Partie p = jouerPartie(r, jaune ? static_cast<Participant &>(personne) : programme,
                               jaune ? static_cast<Participant &>(programme) : personne, *this);
        if (p.interrompue) { // a stop signal: the game is dropped
            fermer();
            return;
        }
    }
}

std::optional<uint8_t> Session::attendreUneDemande()
{
    std::unique_lock<std::mutex> l(verrou_);
    change_.wait(l, [&] { return demande_.has_value() || phase_ == Phase::Fermee; });
    if (phase_ == Phase::Fermee)
        return std::nullopt;
    uint8_t couleur = *demande_;
    demande_.reset();
    return couleur;
}

void Session::changer()
{
    version_++;
    change_.notify_all();
}

void Session::fermer()
{
    std::lock_guard<std::mutex> l(verrou_);
    phase_ = Phase::Fermee;
    changer();
}

bool Session::fermee() const
{
    std::lock_guard<std::mutex> l(verrou_);
    return phase_ == Phase::Fermee;
}

// ---- The game loop's news ------------------------------------------------

void Session::debutPartie(const Partie &p)
{
    std::lock_guard<std::mutex> l(verrou_);
    partie_ = p;
    partieFinie_ = false;
    position_ = p.depart;
    durees_.clear();
    if (phase_ != Phase::Fermee)
        phase_ = Phase::Programme;
    changer();
}

void Session::noterDuree(double secondes)
{
    std::lock_guard<std::mutex> l(verrou_);
    derniereDuree_ = secondes;
}

void Session::apresCoup(const Partie &p, const Position &position)
{
    std::lock_guard<std::mutex> l(verrou_);
    partie_.coups = p.coups;
    position_ = position;
    bool parLeProgramme = p.coups.back().couleur != couleurPersonne_;
    durees_.push_back(parLeProgramme ? derniereDuree_ : std::nullopt);
    derniereDuree_.reset();
    // The person's turn or the game's end follows at once and says it.
    if (position.trait != couleurPersonne_ && phase_ != Phase::Fermee) {
        phase_ = Phase::Programme;
        changer();
    }
}

void Session::tourDUnePersonne(const Partie &, const Position &position)
{
    std::lock_guard<std::mutex> l(verrou_);
    position_ = position;
    legaux_ = getCoupsLegaux(position);
    coupRecu_.reset();
    if (phase_ != Phase::Fermee)
        phase_ = Phase::Personne;
    changer();
}

void Session::finPartie(const Partie &p)
{
    enregistrer(p); // before the page learns the game is over and may read it
    std::lock_guard<std::mutex> l(verrou_);
    partie_ = p;
    partieFinie_ = true;
    finies_.push_back(p);
    couleursFinies_.push_back(couleurPersonne_);
    if (phase_ != Phase::Fermee)
        phase_ = Phase::Choix;
    changer();
}

void Session::enregistrer(const Partie &p)
{
    if (enregistrement_ == nullptr)
        return;
    EnTeteMatch m = {p.jaune, p.rouge, reglage_.graine + static_cast<uint32_t>(p.numero - 1), 1, 0,
                     reglage_.temps, reglage_.strict, dateUTC(), reglage_.livre};
    std::string t = ecrireEnTeteMatch(m) + ecrireEnregistrement(p);
    bool ecrit = std::fwrite(t.data(), 1, t.size(), enregistrement_) == t.size() &&
                 std::fflush(enregistrement_) == 0;
    std::lock_guard<std::mutex> l(verrou_);
    ecritureRatee_ = ecritureRatee_ || !ecrit;
}

std::optional<Coup> Session::attendreLeCoup(const Position &)
{
    std::unique_lock<std::mutex> l(verrou_);
    change_.wait(l, [&] { return coupRecu_.has_value() || phase_ == Phase::Fermee; });
    if (!coupRecu_)
        return std::nullopt;
    Coup c = *coupRecu_;
    coupRecu_.reset();
    return c;
}

// ---- The page's requests -------------------------------------------------

void Session::noterVisite()
{
    derniereVisite_ = maintenant();
    depart_.reset();
}

std::string Session::etat(long depuis, double delai)
{
    std::unique_lock<std::mutex> l(verrou_);
    noterVisite();
    attentes_++;
    change_.wait_for(l, std::chrono::duration<double>(delai),
                     [&] { return version_ != depuis || phase_ == Phase::Fermee; });
    attentes_--;
    return etatJson();
}

Reponse Session::jouerCoup(std::string_view corps)
{
    std::optional<Coup> coup = lireCoup(corps);
    if (!coup)
        return {400, "coup illisible : origine-destination attendu, par exemple 12-13"};
    std::lock_guard<std::mutex> l(verrou_);
    noterVisite();
    if (phase_ == Phase::Fermee)
        return {410, "la session est terminée"};
    if (phase_ != Phase::Personne || coupRecu_)
        return {409, "ce n'est pas votre tour"};
    if (!dansLaListe(legaux_, *coup))
        return {422, hote::texte("coup interdit par les règles : %d-%d", coup->origine,
                                 coup->destination)};
    coupRecu_ = coup;
    phase_ = Phase::Programme;
    change_.notify_all(); // the person's turn ends; the move, once played, makes a new version
    return {};
}

Reponse Session::commencer(std::string_view corps)
{
    std::optional<uint8_t> couleur = lireCouleur(corps);
    if (!couleur)
        return {400, "couleur attendue : jaune ou rouge"};
    std::lock_guard<std::mutex> l(verrou_);
    noterVisite();
    if (phase_ == Phase::Fermee)
        return {410, "la session est terminée"};
    if (phase_ != Phase::Choix || demande_)
        return {409, "une partie est déjà en cours"};
    demande_ = couleur;
    couleurPersonne_ = *couleur;
    change_.notify_all(); // the game thread; the game's start makes the new version
    return {};
}

void Session::noterDepart()
{
    std::lock_guard<std::mutex> l(verrou_);
    depart_ = maintenant();
}

bool Session::pageFermee(double t) const
{
    std::lock_guard<std::mutex> l(verrou_);
    if (depart_ && t - *depart_ > RETOUR_APRES_DEPART)
        return true;
    return derniereVisite_ && attentes_ == 0 && t - *derniereVisite_ > SILENCE_MAX;
}

std::vector<Partie> Session::partiesFinies() const
{
    std::lock_guard<std::mutex> l(verrou_);
    return finies_;
}

Decompte Session::bilan() const
{
    std::lock_guard<std::mutex> l(verrou_);
    Decompte d;
    for (size_t k = 0; k < finies_.size(); k++)
        compter(d, finies_[k], couleursFinies_[k]);
    return d;
}

bool Session::enregistrementsEcrits() const
{
    std::lock_guard<std::mutex> l(verrou_);
    return !ecritureRatee_;
}

// ---- The game as JSON ----------------------------------------------------

std::string Session::finJson() const
{
    if (!partieFinie_)
        return "null";
    const FinPartie &f = partie_.fin;
    return "{\"resultat\":" + chaineJson(texteResultat(partie_.resultat)) +
           ",\"texte\":" + chaineJson(texteFin(f)) +
           ",\"fautif\":" + chaineJson(f.issue == Issue::PlusDeCoup ? "" : nomCouleur(f.fautif)) +
           ",\"score\":" + chaineJson(texteScore(evaluerScore(partie_.finale))) +
           hote::texte(",\"rang\":%zu}", finies_.size());
}

std::string Session::etatJson() const
{
    static const char *const PHASES[] = {"choix", "personne", "programme", "fermee"};
    std::string t = hote::texte("{\"version\":%ld,\"phase\":\"%s\",\"numero\":%d,\"couleur\":\"%s\"",
                                version_, PHASES[static_cast<int>(phase_)], partie_.numero,
                                nomCouleur(couleurPersonne_));
    t += ",\"programme\":" + chaineJson(programme_.description().nom) +
         ",\"enregistrement\":" + chaineJson(reglage_.enregistrement) +
         ",\"depart\":" + chaineJson(hote::ecrireNotation(partie_.depart)) + ",\"coups\":[";
    for (size_t k = 0; k < partie_.coups.size(); k++) {
        const CoupJoue &c = partie_.coups[k];
        std::optional<double> duree = k < durees_.size() ? durees_[k] : std::nullopt;
        t += hote::texte("%s{\"o\":%d,\"d\":%d,\"impose\":%s,\"duree\":", k > 0 ? "," : "",
                         c.coup.origine, c.coup.destination, c.impose ? "true" : "false") +
             (duree ? nombreJson(*duree) : "null") + "}";
    }
    t += "],\"legaux\":[";
    for (int k = 0; phase_ == Phase::Personne && k < legaux_.nb; k++)
        t += hote::texte("%s[%d,%d]", k > 0 ? "," : "", legaux_.coups[k].origine,
                         legaux_.coups[k].destination);
    return t + "],\"fin\":" + finJson() + "}";
}

} // namespace moteur
