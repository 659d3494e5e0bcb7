#include "verification/controles.h"

#include "sorties/format.h"
#include "notation.h"
#include "texte.h"

#include <algorithm>
#include <cstdio>

namespace moteur {

std::string compte(int n, const char *singulier, const char *pluriel)
{
    return hote::texte("%d %s", n, n > 1 ? pluriel : singulier);
}

// The kinds of turns without an answer, those that happened.
static std::string sansReponse(int plantages, int arrets, int ruptures, int relances)
{
    std::string t;
    auto ajouter = [&](int n, const char *s, const char *p) {
        if (n > 0)
            t += (t.empty() ? "" : ", ") + compte(n, s, p);
    };
    ajouter(plantages, "plantage", "plantages");
    ajouter(arrets, "arrêt", "arrêts");
    ajouter(ruptures, "rupture du protocole", "ruptures du protocole");
    ajouter(relances, "redémarrage manqué", "redémarrages manqués");
    return t;
}

void noterTour(Bilan &b, int i, int nbCoups, const Tour &t, bool strict,
               std::array<int, 4> &fautesVides)
{
    b.volumes.push_back(t.octets);
    if (!t.sortieValide)
        b.sortie.echouer(i);
    if (t.fin == Fin::Temps || t.fin == Fin::Relance)
        b.attentes++;
    if (nbCoups == 0) {
        b.toursVides++;
        if (t.fin != Fin::Reponse)
            b.vide.echouer(i);
        if (t.fin != Fin::Reponse && t.fin != Fin::Temps)
            fautesVides[static_cast<int>(t.fin) - static_cast<int>(Fin::Plantage)]++;
        return;
    }
    b.tours++;
    switch (t.fin) {
    case Fin::Reponse: break;
    case Fin::Temps: // its time counts among the worst
        b.temps.echouer(i);
        b.durees.push_back(t.secondes);
        return;
    case Fin::Plantage: b.plantages++; b.reponses.echouer(i); return;
    case Fin::Arret: b.arrets++; b.reponses.echouer(i); return;
    case Fin::Protocole:
        b.ruptures++;
        b.reponses.echouer(i);
        if (b.rupture.empty())
            b.rupture = t.rupture;
        return;
    case Fin::Relance: b.relances++; b.reponses.echouer(i); return;
    }
    b.durees.push_back(t.secondes);
    if (t.nbIndices == 0) {
        b.sansIndice++;
        if (strict)
            b.indices.echouer(i);
    } else if (t.dernier < 0 || t.dernier >= nbCoups) {
        b.horsListe++;
        b.indices.echouer(i);
    } else {
        b.dansLaListe++;
    }
}

template <typename T>
T mediane(std::vector<T> v)
{
    if (v.empty())
        return T{};
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

static std::string texteDuree(double s)
{
    return s < 1 ? decimal(s * 1000, 2) + " ms" : decimal(s, 2) + " s";
}

std::string texteLimite(Cadence c) { return nombre(c.secondes()) + " s"; }

static std::string texteVolume(uint64_t o)
{
    if (o < 1024)
        return hote::texte("%u o", static_cast<unsigned>(o));
    if (o < 1024 * 1024)
        return decimal(static_cast<double>(o) / 1024, 1) + " Kio";
    return decimal(static_cast<double>(o) / (1024 * 1024), 1) + " Mio";
}

void afficherLigne(const Controle &c, const std::vector<Position> &positions,
                   const std::vector<uint32_t> &graines)
{
    const char *etat = !c.verifie ? "—" : c.echecs > 0 ? "ÉCHEC" : "ok";
    std::string ligne = "  " + aligner(c.nom, 11) + " " + aligner(etat, 6) + " " +
                        (c.verifie ? c.detail : std::string("non vérifié"));
    if (c.verifie && c.echecs > 0 && c.premiere >= 0) {
        auto i = static_cast<size_t>(c.premiere);
        ligne += hote::texte(" ; première position : --position \"%s\" --graine %u",
                             hote::ecrireNotation(positions[i]).c_str(), graines[i]);
    }
    std::printf("%s\n", ligne.c_str());
}

// The details of the turns: answers, time, indices, seed.
static void detaillerLesTours(Bilan &b, Cadence limite, bool strict)
{
    // A turn out of time had no answer: the line says so, and leaves the
    // failure to the line of the time.
    b.reponses.detail =
        b.reponses.echecs > 0
            ? hote::texte("%d tours sans réponse sur %d : ", b.reponses.echecs, b.tours) +
                  sansReponse(b.plantages, b.arrets, b.ruptures, b.relances)
        : b.temps.echecs > 0
            ? hote::texte("%d tours, une réponse à chacun de ceux finis dans le temps (%s)",
                          b.tours, compte(b.temps.echecs, "hors du temps", "hors du temps").c_str())
            : hote::texte("%d tours, une réponse à chacun", b.tours);
    if (!b.rupture.empty())
        b.reponses.detail += " ; la première : " + b.rupture;

    std::string durees = b.durees.empty()
                             ? std::string("aucun tour à temps")
                             : "pire " + texteDuree(*std::max_element(b.durees.begin(),
                                                                      b.durees.end())) +
                                   ", médiane " + texteDuree(mediane(b.durees));
    b.temps.detail = (b.temps.echecs > 0 ? hote::texte("%d tours hors du temps sur %d ; ",
                                                       b.temps.echecs, b.tours)
                                         : std::string()) +
                     durees + " (limite " + texteLimite(limite) + ")";

    b.indices.detail = hote::texte("%d tours : %d dans la liste, %d hors de la liste, %s%s",
                                   b.dansLaListe + b.horsListe + b.sansIndice, b.dansLaListe,
                                   b.horsListe,
                                   compte(b.sansIndice, "sans indice", "sans indice").c_str(),
                                   strict || b.sansIndice == 0 ? "" : " (admis sans --strict)");

    b.graine.detail = b.graine.echecs == 0
                          ? compte(b.comparees, "position jouée", "positions jouées") +
                                " dans deux processus, mêmes indices"
                          : hote::texte("%d positions sur %d donnent d'autres indices dans le "
                                        "second processus",
                                        b.graine.echecs, b.comparees);
}

// The details of the output, the processes and the empty list.
static void detaillerLaFin(Bilan &b, const std::array<int, 4> &fautesVides, int restants,
                           bool partis)
{
    std::string volume = b.volumes.empty()
                             ? std::string()
                             : " ; par tour : médiane " + texteVolume(mediane(b.volumes)) +
                                   ", au plus " +
                                   texteVolume(*std::max_element(b.volumes.begin(),
                                                                 b.volumes.end()));
    b.sortie.detail = (b.sortie.echecs == 0
                           ? std::string("UTF-8 valide")
                           : compte(b.sortie.echecs, "tour écrit", "tours écrivent") +
                                 " de l'UTF-8 invalide") +
                      volume;

    if (restants > 0 || !partis)
        b.processus.echouer(-1);
    b.processus.detail =
        restants == 0 && partis
            ? std::string("le programme part quand on le lui demande, et rien ne reste")
            : std::string(partis ? "" : "le programme ne part pas quand on le lui demande") +
                  (partis || restants == 0 ? "" : " ; ") +
                  (restants == 0 ? std::string()
                                 : compte(restants, "processus reste", "processus restent") +
                                       " en vie après lui");

    b.vide.detail = b.vide.echecs == 0
                        ? hote::texte("%d tours sans coup possible, une réponse à chacun",
                                      b.toursVides)
                        : hote::texte("%d tours sans coup possible, %d sans réponse à temps",
                                      b.toursVides, b.vide.echecs);
    std::string fautes = sansReponse(fautesVides[0], fautesVides[1], fautesVides[2], fautesVides[3]);
    if (!fautes.empty())
        b.vide.detail += " (" + fautes + ")";
}

void redigerDetails(Bilan &b, Cadence limite, bool strict, const std::array<int, 4> &fautesVides,
                    int restants, bool partis)
{
    detaillerLesTours(b, limite, strict);
    detaillerLaFin(b, fautesVides, restants, partis);
}

} // namespace moteur
