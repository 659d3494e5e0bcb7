#!/bin/sh
# One move's cost in a match, against its floor: bench_plancher (two
# processes on one processor exchanging a position-sized record and a small
# answer over two pipes) and a long quiet match between two fast players,
# whose record gives the number of moves.  Three rounds, one after the other,
# so that both see the same machine; the medians are compared, in elapsed
# time and in processor time (user and system, of all the processes: on a
# busy machine the elapsed time also holds the other programs' turns).
#
#   bench/bench_coup.sh [BIN] [PARTIES] [JAUNE ROUGE]
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-2000}
jaune=${3:-joueur_critique}
rouge=${4:-joueur_critique3}
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
allers=50000

# Processor time of the children of this shell so far, in seconds (`times`
# runs in this shell, not in a subshell that has no children of its own).
processeur() {
    times > "$dossier/times"
    awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$dossier/times"
}
# $1 $2: start and end times; $3: count; prints microseconds per unit.
parUnite() { awk -v d="$1" -v f="$2" -v n="$3" 'BEGIN { printf "%.2f\n", (f - d) * 1e6 / n }'; }

for tour in 1 2 3; do
    processeur > "$dossier/c0"
    "$bin/bench_plancher" "$allers" > "$dossier/sortie"
    processeur > "$dossier/c1"
    c0=$(cat "$dossier/c0") c1=$(cat "$dossier/c1")
    sed 's/.*: \([0-9.]*\) µs.*/\1/' "$dossier/sortie" >> "$dossier/plancher"
    # bench_plancher makes 5 series of round trips.
    parUnite "$c0" "$c1" $((5 * allers)) >> "$dossier/plancher_processeur"

    rm -f "$dossier/parties.txt"
    debut=$(date +%s.%N)
    processeur > "$dossier/c0"
    "$bin/moteur" -q --parties "$parties" --ouverture 4 --graine "$tour" \
        --enregistrer "$dossier/parties.txt" "$jaune" "$rouge" > /dev/null
    processeur > "$dossier/c1"
    c0=$(cat "$dossier/c0") c1=$(cat "$dossier/c1")
    fin=$(date +%s.%N)
    # Moves are the words "origin-destination" of the lines that are no tag.
    coups=$(grep -v '^\[' "$dossier/parties.txt" | tr ' ' '\n' | grep -c '^[0-9]*-[0-9]*\*\{0,1\}$')
    parUnite "$debut" "$fin" "$coups" >> "$dossier/coup"
    parUnite "$c0" "$c1" "$coups" >> "$dossier/coup_processeur"
    echo "$coups" > "$dossier/coups"
done

mediane() { sort -n "$1" | sed -n 2p; }
p=$(mediane "$dossier/plancher")
pp=$(mediane "$dossier/plancher_processeur")
c=$(mediane "$dossier/coup")
cp=$(mediane "$dossier/coup_processeur")
echo "plancher (bench_plancher) : $p µs par aller-retour écoulées, $pp µs de processeur (médianes de 3)"
awk -v p="$p" -v pp="$pp" -v c="$c" -v cp="$cp" -v j="$jaune" -v r="$rouge" -v n="$parties" \
    -v coups="$(cat "$dossier/coups")" 'BEGIN {
    printf "un coup de %s contre %s (%d parties, %d coups) : %.2f µs écoulées, %.2f fois le plancher ; %.2f µs de processeur, %.2f fois le plancher\n",
        j, r, n, coups, c, c / p, cp, cp / pp
}'
