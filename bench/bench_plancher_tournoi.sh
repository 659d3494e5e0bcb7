#!/bin/sh
# The round robin of the 24 automatic players against its floor: the same
# games played by plancher_tournoi, every player in one process called
# directly, its output silenced (target: the engine at most 2,0 times the
# floor).  Each round plays the engine then the floor with one game at a
# time (-j 1), then with two (-j 2: two workers of the engine, two processes
# of the floor), each round in the other order, so that the load of a shared
# machine weighs on both alike; the report gives the minimum, median and
# maximum of the ratios engine / floor of the same round, in elapsed time
# and in processor time (user and system, of the engine and its players).
# The records of both are compared game by game (dates and headers aside):
# the floor must play the engine's games, or its time means nothing.
#
#   [TOURS=N] bench/bench_plancher_tournoi.sh [BIN] [PARTIES]
#
# BIN is the folder of the built programs (build/bin by default), PARTIES
# the games per pairing (10 by default), from openings of 4 random moves.
set -eu
bin=${1:-build/bin}
parties=${2:-10}
tours=${TOURS:-5}
. "$(dirname "$0")/automatiques.sh"
set -- $AUTOMATIQUES
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
echo "$# joueurs, $(($# * ($# - 1) / 2)) rencontres de $parties parties, --ouverture 4, $tours tours"

. "$(dirname "$0")/mesures.sh"
moteur() {
    "$bin/moteur" tournoi -q --graine 1 --parties "$parties" --ouverture 4 -j "$1" \
        --enregistrer "$dossier/moteur.$1.pgn" $AUTOMATIQUES
}
plancher() {
    "$bin/plancher_tournoi" --graine 1 --parties "$parties" --ouverture 4 -j "$1" \
        --enregistrer "$dossier/plancher.$1.pgn" $AUTOMATIQUES
}
# parties FICHIER: its games without the header, game by game in the order
# of their numbers (concurrent games are written as they end).
parties() {
    awk '/^\[Partie "/ { n = $2; gsub(/[^0-9]/, "", n) } n { print n + 0 "\t" $0 }' "$1" |
        sort -s -n -k 1,1
}
# mesurer J: one round's engine and floor at -j J, in this round's order,
# as one line of the file mesures.J: elapsed and processor seconds of the
# engine, then of the floor.
mesurer() {
    rm -f "$dossier/moteur.$1.pgn" "$dossier/plancher.$1.pgn"
    if [ $((tour % 2)) -eq 1 ]; then
        m=$(secondes moteur "$1")
        p=$(secondes plancher "$1")
    else
        p=$(secondes plancher "$1")
        m=$(secondes moteur "$1")
    fi
    echo "$m $p" >> "$dossier/mesures.$1"
    parties "$dossier/moteur.$1.pgn" > "$dossier/m"
    parties "$dossier/plancher.$1.pgn" > "$dossier/p"
    if ! cmp -s "$dossier/m" "$dossier/p" || [ ! -s "$dossier/m" ]; then
        echo "le plancher ne joue pas les parties du moteur (-j $1) :" >&2
        diff "$dossier/m" "$dossier/p" | head -n 5 >&2
        exit 1
    fi
}

tour=1
while [ "$tour" -le "$tours" ]; do
    mesurer 1
    mesurer 2
    echo "tour $tour : $(tail -n 1 "$dossier/mesures.1" |
        awk '{ printf "-j 1 : moteur %.2f s, plancher %.2f s", $1, $3 }' | tr . ,) ;" \
        "$(tail -n 1 "$dossier/mesures.2" |
        awk '{ printf "-j 2 : moteur %.2f s, plancher %.2f s", $1, $3 }' | tr . ,)"
    tour=$((tour + 1))
done
echo "les parties du plancher sont celles du moteur ($(grep -c '^\[Partie' "$dossier/plancher.1.pgn") parties)"
for j in 1 2; do
    echo "-j $j, moteur / plancher : $(awk '{ print $1 / $3 }' "$dossier/mesures.$j" | etendue)" \
        "(cible : au plus 2,0) ; processeur : $(awk '{ print $2 / $4 }' "$dossier/mesures.$j" | etendue)"
done
