// Replays one fuzz target over its corpus, without libFuzzer: every input
// that ever crashed the target stays in the corpus, and CTest runs it again
// in every build.  Arguments: files or folders of inputs.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille);

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> entrees;
    for (int i = 1; i < argc; i++) {
        std::error_code e;
        if (fs::is_directory(argv[i], e)) {
            for (const fs::directory_entry &f : fs::directory_iterator(argv[i]))
                if (f.is_regular_file())
                    entrees.push_back(f.path());
        } else {
            entrees.push_back(argv[i]);
        }
    }
    std::sort(entrees.begin(), entrees.end());
    for (const fs::path &chemin : entrees) {
        std::ifstream f(chemin, std::ios::binary);
        if (!f) {
            std::fprintf(stderr, "rejeu : impossible de lire « %s »\n", chemin.c_str());
            return 1;
        }
        std::vector<char> octets((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        // Where it stops, if it stops: the last name printed.
        std::fprintf(stderr, "%s\n", chemin.filename().c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(octets.data()), octets.size());
    }
    std::fprintf(stderr, "%zu entrées rejouées\n", entrees.size());
    return entrees.empty() ? 1 : 0;
}
