#!/bin/sh
# The same round robin played by two builds of the kit, BEFORE and AFTER
# (their bin folders, each with its own engine and players), to measure a
# change honestly on a shared machine: the two runs alternate, TOURS rounds
# (5 by default; each round starts with the other build), and the report
# gives the minimum, median and maximum of each build's time and of the
# ratio BEFORE / AFTER of the same round.  Both must rank the players alike
# and write the same records (dates aside), or the script says so.
#
#   [TOURS=N] [J=N] bench/bench_tournoi_comparer.sh BEFORE AFTER [PARTIES] [JOUEUR...]
#
# PARTIES games per pairing (10 by default) from openings of 4 random moves,
# J games at once (2 by default); without players, the kit's 24 automatic
# players.  For instance, the tree before a change built in /tmp/avant:
#   bench/bench_tournoi_comparer.sh /tmp/avant/build/bin build/bin
set -eu
[ $# -ge 2 ] || { echo "usage : $0 AVANT APRES [PARTIES] [JOUEUR...]" >&2; exit 2; }
avant=$1
apres=$2
parties=${3:-10}
tours=${TOURS:-5}
j=${J:-2}
[ $# -gt 3 ] && shift 3 || set --
. "$(dirname "$0")/automatiques.sh"
[ $# -gt 0 ] || set -- $AUTOMATIQUES
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
. "$(dirname "$0")/mesures.sh"
n=$#
echo "$n joueurs, $((n * (n - 1) / 2)) rencontres de $parties parties, --ouverture 4, -j $j, $tours tours"
echo "avant : $avant"
echo "après : $apres"

# jouer BIN NOM: one tournament of BIN, its ranking in NOM.txt and its records
# in NOM.pgn; prints the seconds it took.
jouer() {
    b=$1
    nom=$2
    shift 2
    rm -f "$dossier/$nom.pgn"
    debut=$(date +%s.%N)
    "$b/moteur" tournoi -q --graine 1 --parties "$parties" --ouverture 4 -j "$j" \
        --enregistrer "$dossier/$nom.pgn" "$@" > "$dossier/$nom.txt"
    fin=$(date +%s.%N)
    awk -v d="$debut" -v f="$fin" 'BEGIN { printf "%.3f", f - d }'
}
# parties NOM: NOM's records without their dates, game by game in the order
# of their numbers (concurrent games are written as they end).
parties() {
    awk '/^\[Date / { next } /^\[Partie "/ { n = $2; gsub(/[^0-9]/, "", n) } { print n + 0 "\t" $0 }' \
        "$dossier/$1.pgn" | sort -s -n -k 1,1
}
# pareils A B: whether two runs ranked alike and wrote the same records.
pareils() {
    parties "$1" > "$dossier/a"
    parties "$2" > "$dossier/b"
    cmp -s "$dossier/$1.txt" "$dossier/$2.txt" && cmp -s "$dossier/a" "$dossier/b"
}

tour=1
while [ "$tour" -le "$tours" ]; do
    if [ $((tour % 2)) -eq 1 ]; then
        sa=$(jouer "$avant" avant "$@")
        sb=$(jouer "$apres" apres "$@")
    else
        sb=$(jouer "$apres" apres "$@")
        sa=$(jouer "$avant" avant "$@")
    fi
    r=$(awk -v a="$sa" -v b="$sb" 'BEGIN { printf "%.3f", a / b }')
    echo "tour $tour : avant $(echo "$sa" | tr . ,) s, après $(echo "$sb" | tr . ,) s, rapport $(echo "$r" | tr . ,)"
    pareils avant apres || echo "ATTENTION : classements ou parties différents au tour $tour"
    echo "$sa $sb $r" >> "$dossier/mesures"
    tour=$((tour + 1))
done

echo "avant : $(cut -d ' ' -f 1 "$dossier/mesures" | etendue '%.2f s')"
echo "après : $(cut -d ' ' -f 2 "$dossier/mesures" | etendue '%.2f s')"
echo "rapport avant / après : $(cut -d ' ' -f 3 "$dossier/mesures" | etendue)"
