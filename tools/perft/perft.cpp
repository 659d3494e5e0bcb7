// tessor_perft: prints the move-count signature of the rules and checks it
// against the table written in signature.h.
#include "compter.h"
#include "signature.h"

#include <cstdio>

int main()
{
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
