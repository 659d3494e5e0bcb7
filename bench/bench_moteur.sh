#!/bin/sh
# Games per second of the engine over a long quiet match between two fast
# automatic players: the processes are started once and kept, every turn is
# one binary record each way on a pipe.
#
#   bench/bench_moteur.sh [BIN] [PARTIES] [JAUNE ROUGE]
#
# BIN is the folder of the built programs (build-essais/bin, the test build, by default, else build/bin).
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-5000}
jaune=${3:-joueur_critique}
rouge=${4:-joueur_critique3}

debut=$(date +%s.%N)
"$bin/moteur" -q --parties "$parties" --ouverture 4 --graine 1 "$jaune" "$rouge" \
    | sed -n "/^Bilan/,\$p" > /tmp/bench_moteur.$$
fin=$(date +%s.%N)

cat /tmp/bench_moteur.$$
rm -f /tmp/bench_moteur.$$
awk -v n="$parties" -v d="$debut" -v f="$fin" -v j="$jaune" -v r="$rouge" 'BEGIN {
    s = f - d
    printf "%s contre %s : %d parties en %.2f s, %.0f parties par seconde\n", j, r, n, s, n / s
}'
