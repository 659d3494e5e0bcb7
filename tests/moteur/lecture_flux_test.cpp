// Records read block by block: the same refusals at the same lines from a
// text and from a file, a last block cut short, blocks over the caps, and
// the readers under a memory limit.
#include "programme.h"

#include "sorties/lecture_flux.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using namespace moteur;
namespace fs = std::filesystem;

// A game worked out by hand, 11 lines with its blank ones: only cells 0
// (red) and 1 (yellow) hold a piece; yellow plays 0-1 and nothing is left.
std::string partie(int numero, const std::string &coups = "1. 0-1\n")
{
    return "[Partie \"" + std::to_string(numero) +
           "\"]\n[Jaune \"a\"]\n[Rouge \"b\"]\n[Graine \"5\"]\n"
           "[Depart \"1r1j/0.0.0.0./0.0.0.0.0.0./0.0.0.0.0.0.0.0./0.0.0.0.0.0.0.0./"
           "0.0.0.0.0.0.0.0./0.0.0.0.0.0./0.0.0.0./0.0. j\"]\n"
           "[Resultat \"0-1\"]\n[Fin \"plus aucun coup possible\"]\n"
           "[Score \"J: 0 (0 piles de 5) - R : 1 (0 piles de 5)\"]\n\n" +
           coups + "\n";
}

std::string parties(int n)
{
    std::string t;
    for (int k = 1; k <= n; k++)
        t += partie(k);
    return t;
}

class Flux : public testing::Test {
protected:
    void SetUp() override
    {
        char modele[] = "/tmp/tessor-flux-XXXXXX";
        close(mkstemp(modele));
        fichier = modele;
    }
    void TearDown() override { fs::remove(fichier); }
    // The record read from a file with `coupure`: the games handed over and
    // what the reading says.
    BilanDeLecture lire(const std::string &texte, Coupure coupure, std::vector<int> &numeros)
    {
        std::ofstream(fichier, std::ios::binary) << texte;
        int fd = open(fichier.c_str(), O_RDONLY);
        LectureEnFlux lecture(fd);
        BilanDeLecture b = lireEnFlux(lecture, coupure, [&](Partie &&p) { numeros.push_back(p.numero); });
        close(fd);
        return b;
    }
    std::string fichier;
};

TEST_F(Flux, UnRefusGardeSaLigneDuTexteCommeDuFichier)
{
    struct Cas {
        std::string texte;
        int parties, ligne; // games read before the fault, its line
        std::string erreur;
    };
    const std::string longue = "[Jaune \"" + std::string(3u << 20, 'a') + "\"]";
    std::string espaces = "1. 0-1\n";
    for (int k = 0; k < 6000; k++)
        espaces += " \n";
    const Cas cas[] = {
        {parties(2) + partie(3, "1. 0-2\n"), 2, 32, "coup illégal 0-2 (coup 1)"},
        {"\n\n" + partie(1) + "\n" + partie(2, "1. 0-2\n"), 1, 24, "coup illégal 0-2 (coup 1)"},
        // Past the first 64 KiB read from a file.
        {parties(299) + partie(300, "1. 0-x\n"), 299, 3299, "« 0-x » n'est pas un coup"},
        {partie(1) + partie(2).replace(partie(2).find("[Jaune \"a\"]"), 11, longue), 1, 13,
         "ligne trop longue"},
        {partie(1) + partie(2, espaces), 1, 12, "partie trop longue"},
    };
    for (const Cas &c : cas) {
        LectureEnregistrements t = lireEnregistrements(c.texte);
        EXPECT_EQ(t.parties.size(), static_cast<size_t>(c.parties)) << c.erreur;
        EXPECT_EQ(t.ligneErreur, c.ligne) << c.erreur;
        EXPECT_EQ(t.erreur, c.erreur);
        std::vector<int> numeros;
        BilanDeLecture f = lire(c.texte, Coupure::Refusee, numeros);
        EXPECT_EQ(numeros.size(), static_cast<size_t>(c.parties)) << c.erreur;
        EXPECT_EQ(f.ligneErreur, c.ligne) << c.erreur;
        EXPECT_EQ(f.erreur, c.erreur);
    }
}

TEST_F(Flux, UnDernierBlocCoupeEstLaisseDeCoteSelonLeLecteur)
{
    struct Cas {
        std::string texte;
        Coupure coupure;
        std::vector<int> numeros; // the games handed over
        int ligneCoupee, ligneErreur;
    };
    const std::string deux = parties(2);
    const std::string cinqLignes = partie(2).substr(0, partie(2).find("[Resultat"));
    const Cas cas[] = {
        // Cut in its tags: the reader that tolerates it keeps the first game.
        {partie(1) + cinqLignes, Coupure::SiCoupee, {1}, 12, 0},
        {partie(1) + cinqLignes, Coupure::Refusee, {1}, 0, 17},
        {partie(1) + cinqLignes, Coupure::Reprise, {1}, 12, 0},
        // Whole but for its last blank line: sound, except to resume.
        {deux.substr(0, deux.size() - 1), Coupure::SiCoupee, {1, 2}, 0, 0},
        {deux.substr(0, deux.size() - 1), Coupure::Reprise, {1}, 12, 0},
        // Junk after the only game: refused as a whole unless resumed.
        {partie(1) + "xyz\n", Coupure::SiCoupee, {1}, 0, 12},
        {partie(1) + "xyz\n", Coupure::Reprise, {}, 1, 0},
        // A fault before the last game stands.
        {partie(1, "1. 0-2\n") + cinqLignes, Coupure::SiCoupee, {}, 0, 10},
    };
    for (const Cas &c : cas) {
        std::vector<int> numeros;
        BilanDeLecture b = lire(c.texte, c.coupure, numeros);
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.coupure) << " " << c.ligneErreur);
        EXPECT_EQ(numeros, c.numeros);
        EXPECT_EQ(b.coupee ? b.ligneCoupee : 0, c.ligneCoupee);
        EXPECT_EQ(b.ligneErreur, c.ligneErreur) << b.erreur;
        if (c.ligneCoupee > 0 && !c.numeros.empty()) {
            EXPECT_EQ(b.longueurSaine, partie(1).size());
        }
    }
}

TEST_F(Flux, UnePageDUnEnregistrementTropGrosEstRefusee)
{
    // 33 MiB: a file full of holes, then blank lines on standard input.
    fs::resize_file(fichier, 33u << 20);
    struct Cas {
        std::string fichier, entree, nom;
    };
    const Cas cas[] = {
        {fichier, "", "« " + fichier + " »"},
        {"-", std::string(33u << 20, '\n'), "l'entrée standard"},
    };
    for (const Cas &c : cas) {
        essai::Execution e = essai::executer(essai::programme("moteur"), {"page", c.fichier, "-o", "-"}, c.entree);
        EXPECT_EQ(e.statut, 1);
        EXPECT_EQ(e.sortie, "");
        EXPECT_EQ(e.erreurs.rfind("moteur : " + c.nom + " dépasse 32 Mo, ", 0), 0u) << e.erreurs;
    }
}

// rejouer and classement under a memory limit (set in the child by the
// shell): the result, or a French message and status 1, never a signal.
TEST_F(Flux, SousUneLimiteDeMemoireLeMoteurEchoueProprement)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer réserve un espace d'adresses immense";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer réserve un espace d'adresses immense";
#endif
#endif
    std::string bruit(4u << 20, '\0');
    for (size_t k = 0; k < bruit.size(); k++)
        bruit[k] = static_cast<char>((k * 2654435761u) >> 13);
    const std::string textes[] = {parties(3000), partie(1) + bruit, partie(1, std::string(8u << 20, ' '))};
    for (const std::string &texte : textes)
        for (const char *commande : {"rejouer -q", "classement"})
            for (const char *limite : {"12000", "24000", "200000"}) {
                std::ofstream(fichier, std::ios::binary | std::ios::trunc) << texte;
                essai::Execution e = essai::executer(
                    "/bin/sh", {"-c", std::string("ulimit -v ") + limite + " && exec \"$0\" " +
                                          commande + " \"$1\"",
                                essai::programme("moteur"), fichier});
                SCOPED_TRACE(std::string(commande) + " sous " + limite + " Kio : " + e.erreurs);
                EXPECT_TRUE(e.statut == 0 || e.statut == 1) << e.statut;
                EXPECT_TRUE(e.statut == 0 || e.erreurs.rfind("moteur : ", 0) == 0 ||
                            e.erreurs.rfind(fichier, 0) == 0);
            }
}

} // namespace
