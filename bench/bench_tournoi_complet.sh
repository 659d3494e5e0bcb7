#!/bin/sh
# The round robin of the 24 automatic players at PARTIES games per pairing
# (100 by default: 27 600 games) from openings of 4 random moves, as a user
# plays it (-j 2, nobody keeping the players' output), against the same
# tournament with one game at a time and every player's output kept
# (--traces into a temporary folder, deleted at the end): the time of each
# and their ratio, a figure to follow from one version of the kit to the
# next.  Both must rank the players alike.  It takes long (minutes per
# round): TOURS rounds (1 by default), each in the other order, and with
# several the minimum, median and maximum of each figure.
#
#   [TOURS=N] bench/bench_tournoi_complet.sh [BIN] [PARTIES]
set -eu
bin=${1:-build/bin}
parties=${2:-100}
tours=${TOURS:-1}
. "$(dirname "$0")/automatiques.sh"
set -- $AUTOMATIQUES
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
echo "$# joueurs, $(($# * ($# - 1) / 2 * parties)) parties ($parties par rencontre)," \
    "--ouverture 4, $tours tour(s)"

options="-q --graine 1 --parties $parties --ouverture 4"
rapide() { "$bin/moteur" tournoi $options -j 2 $AUTOMATIQUES; }
trace() {
    rm -rf "$dossier/traces"
    mkdir "$dossier/traces"
    "$bin/moteur" tournoi $options -j 1 --traces "$dossier/traces" $AUTOMATIQUES
}
. "$(dirname "$0")/mesures.sh"

tour=1
while [ "$tour" -le "$tours" ]; do
    if [ $((tour % 2)) -eq 1 ]; then
        s2=$(chrono "$dossier/classement2.txt" rapide)
        s1=$(chrono "$dossier/classement1.txt" trace)
    else
        s1=$(chrono "$dossier/classement1.txt" trace)
        s2=$(chrono "$dossier/classement2.txt" rapide)
    fi
    cmp -s "$dossier/classement1.txt" "$dossier/classement2.txt" ||
        echo "ATTENTION : les classements des deux tournois diffèrent"
    echo "$s2 $s1" >> "$dossier/mesures"
    echo "tour $tour : -j 2 $s2 s ; -j 1 avec les traces $s1 s ;" \
        "rapport $(awk -v a="$s1" -v b="$s2" 'BEGIN { printf "%.2f", a / b }')" | tr . ,
    tour=$((tour + 1))
done
if [ "$tours" -gt 1 ]; then
    echo "-j 2 : $(awk '{ print $1 }' "$dossier/mesures" | etendue) s"
    echo "-j 1 avec les traces : $(awk '{ print $2 }' "$dossier/mesures" | etendue) s"
    echo "rapport : $(awk '{ print $2 / $1 }' "$dossier/mesures" | etendue)"
fi
