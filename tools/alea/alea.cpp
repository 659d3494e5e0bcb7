// alea: maps a seed string onto a string of the same length over an
// alphabet, one output character per seed byte; the trace goes to stderr.
#include <cstdio>
#include <cstring>

namespace {

const char ALPHABET_PAR_DEFAUT[] = "uUdDtTqQcC123456789";

// Seed bytes are signed: r takes the sign of v, and a negative remainder
// counts back from the end of the alphabet.
char caractere(const char *alphabet, int m, int r) { return alphabet[r < 0 ? r + m : r]; }

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs("alea <strGraine> [<strEnsemble>]\n", stderr);
        return 1;
    }
    const char *graine = argv[1];
    const char *alphabet = argc == 3 ? argv[2] : ALPHABET_PAR_DEFAUT;
    int n = static_cast<int>(std::strlen(graine));
    int m = static_cast<int>(std::strlen(alphabet));
    if (m == 0) {
        std::fputs("alea : l'ensemble de caractères est vide, aucun caractère ne peut être tiré\n",
                   stderr);
        return 1;
    }

    std::fprintf(stderr, "Graine : %s (%d car.)\n", graine, n);
    std::fprintf(stderr, "Ensemble : %s (%d car.)\n", alphabet, m);
    for (int i = 0; i < n; i++) {
        int v = static_cast<signed char>(graine[i]);
        int r = v % m;
        std::fprintf(stderr, "graine[%d]=%d, graine[%d]%%%d = %d\n", i, v, i, m, r);
        std::putchar(caractere(alphabet, m, r));
    }
    return 0;
}
