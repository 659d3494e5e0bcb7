// tessor_perft: prints the move-count signature of the rules and checks it
// against the table written in signature.h.
#include "compter.h"
#include "signature.h"

#include <cstdio>
#include <cstring>

namespace {

const char *const AIDE =
    "usage : tessor_perft\n"
    "\n"
    "Compte les suites de coups de profondeur 1, 2 et 3 depuis la position\n"
    "initiale et les compare à la signature des règles (292, 81 488, 21 711 440).\n"
    "Statut de sortie : 0 si les trois comptes sont conformes, 1 sinon, 2 si la\n"
    "ligne de commande est fausse.\n";

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(AIDE, stdout);
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "tessor_perft : argument inattendu « %s »\nEssayez « tessor_perft "
                             "--help ».\n",
                     argv[1]);
        return 2;
    }
    int ecarts = 0;
    Position initiale = getPositionInitiale();
    for (size_t profondeur = 1; profondeur < SIGNATURE_COUPS.size(); profondeur++) {
        uint64_t n = compterSequences(initiale, static_cast<int>(profondeur));
        bool conforme = n == SIGNATURE_COUPS[profondeur];
        ecarts += !conforme;
        std::printf("profondeur %zu : %llu séquences%s\n", profondeur,
                    static_cast<unsigned long long>(n),
                    conforme ? "" : "  (différent de la signature attendue)");
    }
    return ecarts == 0 ? 0 : 1;
}
