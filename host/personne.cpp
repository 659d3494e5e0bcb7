// Linked into the programs through which a person plays (registered with
// PERSONNE): the host finds this definition and tells the engine, in its
// greeting, that the program needs the terminal and no time limit.  The
// program exports it because libjoueur refers to it.
extern "C" __attribute__((visibility("default"))) const int joueurPersonne = 1;
