#!/bin/sh
# One move's cost in a match, against its floors, printed by bench_plancher:
# two processes on one processor exchanging a position-sized request and a
# small answer over two pipes, first with nothing else, then with the rules'
# own share of a move (both sides list the moves, the engine plays one).
# The match is a long quiet one between two players that print nothing and
# answer at once (joueur_premier, a test program, when the tests are built
# beside BIN; else the two given), its record giving the number of moves.
# Each round measures the floors and the match, in turn first; the report
# gives the minimum, median and maximum over the rounds of the move's time
# and of its ratio to each floor (target: at most 1,3 times the first).
#
#   [TOURS=N] bench/bench_coup.sh [BIN] [PARTIES] [JAUNE ROUGE]
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-4000}
tours=${TOURS:-5}
essais=$(dirname "$bin")/tests/bin
if [ $# -ge 4 ]; then
    jaune=$3 rouge=$4
elif [ -x "$essais/joueur_premier" ]; then
    jaune=joueur_premier rouge=joueur_premier
    TESSOR_JOUEURS="$essais${TESSOR_JOUEURS:+:$TESSOR_JOUEURS}"
    export TESSOR_JOUEURS
else
    jaune=joueur_critique rouge=joueur_critique3
fi
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
. "$(dirname "$0")/mesures.sh"
allers=100000

plancher() {
    "$bin/bench_plancher" "$allers" > "$dossier/plancher"
    sed -n 's/^plancher : \([0-9.]*\) µs.*/\1/p' "$dossier/plancher" >> "$dossier/nu"
    sed -n 's/^plancher avec les règles : \([0-9.]*\) µs.*/\1/p' "$dossier/plancher" >> "$dossier/regles"
}
match() {
    rm -f "$dossier/parties.txt"
    "$bin/moteur" -q --parties "$parties" --ouverture 4 --graine "$tour" \
        --enregistrer "$dossier/parties.txt" "$jaune" "$rouge"
}
# Moves are the words "origin-destination" of the lines that are no tag.
coups() {
    awk '!/^\[/ { for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+-[0-9]+\*?$/) n++ } END { print n }' \
        "$dossier/parties.txt"
}

tour=1
while [ "$tour" -le "$tours" ]; do
    if [ $((tour % 2)) -eq 1 ]; then
        plancher
        m=$(secondes match)
    else
        m=$(secondes match)
        plancher
    fi
    n=$(coups)
    echo "$m" | awk -v n="$n" '{ printf "%.4f %.4f\n", $1 * 1e6 / n, $2 * 1e6 / n }' >> "$dossier/coup"
    tour=$((tour + 1))
done
paste -d ' ' "$dossier/coup" "$dossier/nu" "$dossier/regles" > "$dossier/tours"
echo "un coup de $jaune contre $rouge ($parties parties, $(coups) coups, $tours tours) :"
echo "  écoulé : $(cut -d ' ' -f 1 "$dossier/tours" | etendue) µs ;" \
    "processeur : $(cut -d ' ' -f 2 "$dossier/tours" | etendue) µs"
echo "  plancher : $(cut -d ' ' -f 3 "$dossier/tours" | etendue) µs ;" \
    "avec les règles : $(cut -d ' ' -f 4 "$dossier/tours" | etendue) µs"
echo "  coup / plancher : $(awk '{ print $1 / $3 }' "$dossier/tours" | etendue) (cible : au plus 1,3)"
echo "  coup / plancher avec les règles : $(awk '{ print $1 / $4 }' "$dossier/tours" | etendue)"
