# What the benchmark scripts measure with, read with `.` after they set
# `dossier` (a temporary folder of theirs).  A shared machine's load moves:
# the scripts run the commands they compare in alternating rounds and report
# the minimum, median and maximum over the rounds, never one run.

# processeur FICHIER: the user and system seconds of this shell's children
# so far, as `times` wrote them into FICHIER.
processeur() {
    awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); printf "%.6f", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$1"
}

# secondes COMMANDE...: runs it, its output dropped; prints the elapsed
# seconds it took, then the processor seconds (`times` runs in this shell,
# not in a subshell that has no children of its own).
secondes() {
    times > "$dossier/avant.$$"
    debut=$(date +%s.%N)
    "$@" > /dev/null
    fin=$(date +%s.%N)
    times > "$dossier/apres.$$"
    awk -v d="$debut" -v f="$fin" -v a="$(processeur "$dossier/avant.$$")" \
        -v b="$(processeur "$dossier/apres.$$")" 'BEGIN { printf "%.6f %.6f", f - d, b - a }'
}

# chrono SORTIE COMMANDE...: runs the command, its output into SORTIE;
# prints the seconds it took.
chrono() {
    sortie=$1
    shift
    debut=$(date +%s.%N)
    "$@" > "$sortie"
    fin=$(date +%s.%N)
    awk -v d="$debut" -v f="$fin" 'BEGIN { printf "%.3f", f - d }'
}

# etendue [FORMAT]: the minimum, median and maximum of the numbers read, one
# a line, each in FORMAT (%.2f by default), with a decimal comma.
etendue() {
    sort -g | awk -v f="${1:-%.2f}" '{ v[NR] = $1 }
        END { printf "min " f ", médiane " f ", max " f, v[1], v[int((NR + 1) / 2)], v[NR] }' | tr . ,
}
