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
lancements=${LANCEMENTS:-50}
coups_parties=${COUPS_PARTIES:-500}
joueur=joueur_bref
set -- joueur_poids joueur_score joueur_empeche joueur_garder joueur_boucle joueur_rapport \
    joueur_direct joueur_bref joueur_coins joueur_isoler joueur_sept joueur_fonctions \
    joueur_strategies joueur_critique joueur_critique2 joueur_critique3 joueur_isole \
    joueur_sisole joueur_priorite joueur_hasard joueur_fin joueur_fin2 joueur_topo \
    joueur_ouverture
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

if ! "$bin/moteur" -q --isolation exigee --enregistrer /dev/null "$joueur" "$joueur" > /dev/null; then
    echo "ce système refuse d'isoler les joueurs : rien à comparer" >&2
    exit 1
fi

# secondes COMMANDE...: runs it, its output dropped; prints the seconds it took.
secondes() {
    debut=$(date +%s.%N)
    "$@" > /dev/null
    fin=$(date +%s.%N)
    awk -v d="$debut" -v f="$fin" 'BEGIN { printf "%.6f", f - d }'
}
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
# mesurer NOM COMMANDE: the command's seconds with the sandbox then without,
# or the other way round on odd rounds, as one line "avec sans" of NOM.
mesurer() {
    nom=$1
    shift
    if [ $((tour % 2)) -eq 0 ]; then
        avec=$(secondes "$@" auto)
        sans=$(secondes "$@" aucune)
    else
        sans=$(secondes "$@" aucune)
        avec=$(secondes "$@" auto)
    fi
    echo "$avec $sans" >> "$dossier/$nom"
}

n=$#
echo "coût du bac à sable : $tours tours ; $lancements moteurs de 1 partie $joueur-$joueur ;" \
    "1 match de $coups_parties parties ; tournoi de $n joueurs, $parties parties par rencontre, -j 2"
tour=1
while [ "$tour" -le "$tours" ]; do
    mesurer lancements lancer
    mesurer coups jouer
    if [ $((tour % 2)) -eq 0 ]; then
        avec=$(secondes tournoi auto "$@")
        sans=$(secondes tournoi aucune "$@")
    else
        sans=$(secondes tournoi aucune "$@")
        avec=$(secondes tournoi auto "$@")
    fi
    echo "$avec $sans" >> "$dossier/tournoi"
    echo "tour $tour : $(tail -n 1 "$dossier/tournoi" | awk '{ printf "tournoi %.1f s avec, %.1f s sans", $1, $2 }' | tr . ,)"
    tour=$((tour + 1))
done

coups=$(awk '!/^\[/ { for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+-[0-9]+\*?$/) n++ } END { print n }' \
    "$dossier/coups.aucune.txt")
# resume FICHIER DIVISEUR UNITE FACTEUR: min, median and max over the rounds
# of (avec - sans) / DIVISEUR, times FACTEUR, in UNITE.
resume() {
    awk -v d="$2" -v f="$4" '{ print ($1 - $2) / d * f }' "$1" | sort -g | awk -v u="$3" '
        { v[NR] = $1 }
        END { printf "min %.1f %s, médiane %.1f %s, max %.1f %s", v[1], u, v[int((NR + 1) / 2)], u, v[NR], u }' |
        tr . ,
}
echo "par programme lancé : $(resume "$dossier/lancements" $((2 * lancements)) µs 1000000)"
echo "par coup ($coups coups par match) : $(resume "$dossier/coups" "$coups" µs 1000000)"
awk '{ print $1 / $2 }' "$dossier/tournoi" | sort -g | awk '
    { v[NR] = $1 }
    END { printf "tournoi, avec / sans : min %.3f, médiane %.3f, max %.3f (cible : au plus 1,10)\n",
          v[1], v[int((NR + 1) / 2)], v[NR] }' | tr . ,
