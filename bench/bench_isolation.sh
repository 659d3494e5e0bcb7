#!/bin/sh
# What the players' sandbox costs: the engine as it runs by default
# (--isolation auto) against the same engine without the sandbox
# (--isolation aucune).  Each round measures both, one after the other and
# in turn first, so that the load of a shared machine weighs on both alike;
# the figures are the minimum, median and maximum over the rounds of:
# - a start: LANCEMENTS engine runs of one game between two programs started
#   for it (the engine's probe of the system included), per program started;
# - a move: one match of COUPS_PARTIES games between the same two programs,
#   started once, per move played;
# - a tournament of the 24 automatic players, PARTIES games per pairing from
#   openings of 4 random moves, 2 at once: its time with the sandbox over
#   its time without (target: at most 1,10).
# A start and a move are given in elapsed time, then in processor time
# (user and system, of the engine and its players): the elapsed time holds
# the waits for the kernel and for a busy machine, the processor time is
# steadier (counted in hundredths of a second: hence 200 engine runs).
#
#   [TOURS=N] [LANCEMENTS=N] [COUPS_PARTIES=N] bench/bench_isolation.sh [BIN] [PARTIES]
#
# BIN is the folder of the built programs (build/bin by default).  With 100
# games per pairing (the default, as bench_tournoi.sh) a pairing's two
# starts weigh little; with 2 (the tournament's own default) they weigh most.
set -eu
bin=${1:-build/bin}
parties=${2:-100}
tours=${TOURS:-5}
lancements=${LANCEMENTS:-200}
coups_parties=${COUPS_PARTIES:-500}
joueur=joueur_bref
. "$(dirname "$0")/automatiques.sh"
set -- $AUTOMATIQUES
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

if ! "$bin/moteur" -q --isolation exigee --enregistrer /dev/null "$joueur" "$joueur" > /dev/null; then
    echo "ce système refuse d'isoler les joueurs : rien à comparer" >&2
    exit 1
fi

. "$(dirname "$0")/mesures.sh"
lancer() {
    i=0
    while [ "$i" -lt "$lancements" ]; do
        "$bin/moteur" -q --isolation "$1" --graine "$i" "$joueur" "$joueur"
        i=$((i + 1))
    done
}
jouer() {
    "$bin/moteur" -q --isolation "$1" --graine 1 --ouverture 4 --parties "$coups_parties" \
        --enregistrer "$dossier/coups.$1.txt" "$joueur" "$joueur"
}
tournoi() {
    mode=$1
    shift
    "$bin/moteur" tournoi -q --isolation "$mode" --graine 1 --ouverture 4 --parties "$parties" -j 2 \
        "$@"
}
# mesurer NOM COMMANDE [ARGUMENTS...]: COMMANDE MODE ARGUMENTS with the
# sandbox and without, in this round's order, as one line of NOM: the
# elapsed and processor seconds with, then without.
mesurer() {
    nom=$1
    commande=$2
    shift 2
    if [ $((tour % 2)) -eq 0 ]; then
        avec=$(secondes "$commande" auto "$@")
        sans=$(secondes "$commande" aucune "$@")
    else
        sans=$(secondes "$commande" aucune "$@")
        avec=$(secondes "$commande" auto "$@")
    fi
    echo "$avec $sans" >> "$dossier/$nom"
}

echo "coût du bac à sable : $tours tours ; $lancements moteurs de 1 partie $joueur-$joueur ;" \
    "1 match de $coups_parties parties ; tournoi de $# joueurs, $parties parties par rencontre, -j 2"
tour=1
while [ "$tour" -le "$tours" ]; do
    mesurer lancements lancer
    mesurer coups jouer
    mesurer tournoi tournoi "$@"
    echo "tour $tour : $(tail -n 1 "$dossier/tournoi" |
        awk '{ printf "tournoi %.1f s avec, %.1f s sans", $1, $3 }' | tr . ,)"
    tour=$((tour + 1))
done

coups=$(awk '!/^\[/ { for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+-[0-9]+\*?$/) n++ } END { print n }' \
    "$dossier/coups.aucune.txt")
# cout FICHIER DIVISEUR: per round, (with - without) / DIVISEUR in
# microseconds, elapsed then processor.
cout() {
    temps=$(awk -v d="$2" '{ print ($1 - $3) / d * 1e6 }' "$1" | etendue "%.0f µs")
    proc=$(awk -v d="$2" '{ print ($2 - $4) / d * 1e6 }' "$1" | etendue "%.0f µs")
    echo "$temps ; processeur : $proc"
}
echo "par programme lancé : $(cout "$dossier/lancements" $((2 * lancements)))"
echo "par coup ($coups coups par match) : $(cout "$dossier/coups" "$coups")"
echo "tournoi, avec / sans : $(awk '{ print $1 / $3 }' "$dossier/tournoi" | etendue "%.3f")" \
    "(cible : au plus 1,10)"
