#!/bin/sh
# A full tournament: every automatic player against every other, PARTIES
# games per pairing from openings of 4 random moves, 2 games at once, then
# the same with 1 game at a time; prints both times and games per second,
# and how much faster 2 at once goes.  Then the machine's own ceiling: the
# same -j 1 tournament played twice at once by two separate engines, each
# kept on a processor of its own, with nothing shared between them; on a
# virtual machine two busy processors may do less than twice the work of
# one, and -j 2 cannot beat that.
#
#   [TOURS=N] bench/bench_tournoi.sh [BIN] [PARTIES] [JOUEUR...]
#
# BIN is the folder of the built programs (build-essais/bin, the test build, by default, else build/bin); without
# players, the kit's 24 automatic players (the target bench_tournoi names
# every automatic player registered).  The load of a shared machine moves
# from one minute to the next, enough to swing one ratio from 1.4 to 2.2:
# the runs (-j 2, -j 1, the ceiling) follow each other TOURS times (3 by
# default, about 7 minutes here; TOURS=1 for a quick look), and the medians
# of the ratios close the report.
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-100}
tours=${TOURS:-3}
[ $# -gt 2 ] && shift 2 || set --
. "$(dirname "$0")/automatiques.sh"
[ $# -gt 0 ] || set -- $AUTOMATIQUES
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
. "$(dirname "$0")/mesures.sh"
n=$#
total=$((n * (n - 1) / 2 * parties))
echo "$n joueurs, $((n * (n - 1) / 2)) rencontres de $parties parties : $total parties, --ouverture 4"
plafond=non
if command -v taskset > /dev/null && [ "$(nproc)" -ge 2 ]; then plafond=oui; fi

options="-q --graine 1 --parties $parties --ouverture 4"
tournoi() { "$bin/moteur" tournoi $options "$@"; }
# The -j 1 tournament twice at once, each engine on a processor of its own.
deux_moteurs() {
    taskset -c 0 "$bin/moteur" tournoi $options -j 1 "$@" &
    taskset -c 1 "$bin/moteur" tournoi $options -j 1 "$@" &
    wait
}
vitesse() { awk -v s="$1" -v n="$2" 'BEGIN { printf "%.1f s, %.0f parties par seconde", s, n / s }'; }

tour=1
while [ "$tour" -le "$tours" ]; do
    [ "$tours" -gt 1 ] && echo "tour $tour sur $tours :"
    s2=$(chrono "$dossier/classement2.txt" tournoi -j 2 --enregistrer "$dossier/j2.$tour.txt" "$@")
    echo "-j 2 : $(vitesse "$s2" "$total")"
    s1=$(chrono "$dossier/classement1.txt" tournoi -j 1 --enregistrer "$dossier/j1.$tour.txt" "$@")
    echo "-j 1 : $(vitesse "$s1" "$total")"
    cmp -s "$dossier/classement1.txt" "$dossier/classement2.txt" ||
        echo "ATTENTION : les classements de -j 1 et -j 2 diffèrent"
    rapport=$(awk -v a="$s1" -v b="$s2" 'BEGIN { printf "%.2f", a / b }')
    echo "-j 2 va $rapport fois plus vite que -j 1"
    echo "$rapport" >> "$dossier/rapports"
    if [ "$plafond" = oui ]; then
        sp=$(chrono /dev/null deux_moteurs "$@")
        # The ceiling against -j 1, and the share of it that -j 2 reaches.
        read -r fois part <<FIN
$(awk -v s="$sp" -v s1="$s1" -v s2="$s2" 'BEGIN { printf "%.2f %.0f", 2 * s1 / s, 100 * s / (2 * s2) }')
FIN
        echo "plafond de la machine, le même tournoi -j 1 deux fois à la fois, chacun sur son processeur : $(vitesse "$sp" $((2 * total))), $fois fois -j 1 ; -j 2 en atteint $part %"
        echo "$fois $part" >> "$dossier/plafonds"
    fi
    tour=$((tour + 1))
done
if [ "$tours" -gt 1 ]; then
    # mediane COLONNE FICHIER: the median of one column of numbers.
    mediane() { sort -n -k "$1" "$2" | awk -v c="$1" '{ v[NR] = $c } END {
        printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
    printf 'médianes sur %d tours : -j 2 va %s fois plus vite que -j 1' "$tours" "$(mediane 1 "$dossier/rapports")"
    if [ "$plafond" = oui ]; then
        printf ' ; plafond %s fois -j 1 ; -j 2 en atteint %.0f %%' "$(mediane 1 "$dossier/plafonds")" \
            "$(mediane 2 "$dossier/plafonds")"
    fi
    printf '\n'
fi
head -8 "$dossier/classement2.txt"
