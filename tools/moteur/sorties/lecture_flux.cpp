#include "sorties/lecture_flux.h"

#include "texte.h"

#include <optional>

namespace moteur {

// One block from its first line: a game read into `p` (`partie` then says
// so), or a header kept; nothing when it is sound.
std::optional<Refus> LectureEnFlux::lireUnBloc(std::string_view premiere, Partie &p, bool &partie)
{
    partie = false;
    derniereSansCoup_ = false;
    if (premiere.substr(0, 8) == "[Match \"")
        return lireEnTeteDuMatch(lignes_, premiere, parties_, matchs_);
    if (premiere.substr(0, 10) == "[Tournoi \"")
        return lireEnTeteDuTournoi(lignes_, premiere, parties_, tournois_);
    p = Partie{};
    std::optional<Refus> refus = lirePartie(lignes_, premiere, p);
    if (!refus) {
        partie = true;
        parties_++;
        derniereSansCoup_ = p.coups.empty();
    }
    return refus;
}

bool LectureEnFlux::suivante(Partie &p)
{
    try {
        while (!termine_ && !lignes_.fini()) {
            lignes_.nouveauBloc(); // the previous block's lines are let go
            std::string_view l = lignes_.suivante();
            if (l.empty())
                continue; // blank lines between blocks
            ligneDuBloc_ = lignes_.numero();
            bool partie = false;
            if (std::optional<Refus> refus = lireUnBloc(l, p, partie))
                throw *refus;
            if (partie)
                return true;
        }
    } catch (const Refus &refus) {
        ligneErreur_ = refus.ligne;
        erreur_ = hote::lisible(refus.raison); // the file's bytes, readable
    }
    termine_ = true;
    return false;
}

DernierBloc LectureEnFlux::dernierBloc()
{
    DernierBloc b = lignes_.dernierBloc();
    // A game without moves ends with two blank lines: one alone may be an
    // engine stopped between them.
    if (b.entier && ligneErreur_ == 0 && derniereSansCoup_)
        b.entier = lignes_.finitPar("\n\n\n");
    return b;
}

namespace {

// Whether the last block is left out, as `coupure` says; `b` is the last
// block, `fautif` whether the fault lies in it.
bool laisserDeCote(Coupure coupure, const DernierBloc &b, bool fautif)
{
    switch (coupure) {
    case Coupure::Reprise: return !b.entier || fautif;
    case Coupure::SiCoupee: return !b.entier && fautif && b.debut > 0;
    case Coupure::Refusee: break;
    }
    return false;
}

// Leaves out the blocks from line `ligne` on: the headers among them, and
// the game held back when it is one.
void couper(BilanDeLecture &bilan, const DernierBloc &b, std::optional<Partie> &enAttente,
            int ligneEnAttente)
{
    for (std::vector<EnTeteLu> *tetes : {&bilan.matchs, &bilan.tournois})
        while (!tetes->empty() && tetes->back().ligne >= b.ligne)
            tetes->pop_back();
    if (enAttente && ligneEnAttente >= b.ligne)
        enAttente.reset();
    bilan.coupee = true;
    bilan.ligneCoupee = b.ligne;
    bilan.longueurSaine = b.debut;
    bilan.ligneErreur = 0;
    bilan.erreur.clear();
}

} // namespace

BilanDeLecture lireEnFlux(LectureEnFlux &lecture, Coupure coupure,
                          const std::function<void(Partie &&)> &recevoir)
{
    BilanDeLecture bilan;
    // The last sound game is held back: it may be the block left out.
    std::optional<Partie> enAttente;
    int ligneEnAttente = 0;
    Partie p;
    while (lecture.suivante(p)) {
        if (enAttente) {
            recevoir(std::move(*enAttente));
            bilan.parties++;
        }
        enAttente = std::move(p);
        ligneEnAttente = lecture.ligneDuBloc();
    }
    bilan.matchs = lecture.matchs();
    bilan.tournois = lecture.tournois();
    bilan.ligneErreur = lecture.ligneErreur();
    bilan.erreur = lecture.erreur();
    bool erreur = bilan.ligneErreur != 0;
    if (coupure != Coupure::Refusee && lecture.ligneDuBloc() > 0 && !lecture.illisible()) {
        DernierBloc b = lecture.dernierBloc();
        bilan.longueurSaine = lecture.octetsLus();
        // A fault in a block before the last one stands, whatever follows.
        bool avant = erreur && lecture.ligneDuBloc() < b.ligne;
        if (!avant && laisserDeCote(coupure, b, erreur && bilan.ligneErreur >= b.ligne))
            couper(bilan, b, enAttente, ligneEnAttente);
    }
    if (enAttente) {
        recevoir(std::move(*enAttente));
        bilan.parties++;
    }
    bilan.vide = bilan.ligneErreur == 0 && bilan.parties == 0 && bilan.matchs.empty() &&
                 bilan.tournois.empty();
    if (bilan.vide)
        bilan.longueurSaine = 0;
    return bilan;
}

LectureEnregistrements lireEnregistrements(std::string_view texte)
{
    LectureEnregistrements resultat;
    LectureEnFlux lecture(texte);
    Partie p;
    while (lecture.suivante(p))
        resultat.parties.push_back(std::move(p));
    resultat.matchs = lecture.matchs();
    resultat.tournois = lecture.tournois();
    resultat.ligneErreur = lecture.ligneErreur();
    resultat.erreur = lecture.erreur();
    // A match stopped before its first game ended leaves its tags alone.
    if (resultat.ligneErreur == 0 && resultat.parties.empty() && resultat.matchs.empty() &&
        resultat.tournois.empty()) {
        resultat.ligneErreur = 1;
        resultat.erreur = "aucune partie enregistrée";
    }
    return resultat;
}

} // namespace moteur
