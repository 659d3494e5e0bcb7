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
#   bench/bench_tournoi.sh [BIN] [PARTIES] [JOUEUR...]
#
# BIN is the folder of the built programs (build/bin by default); without
# players, the kit's 24 automatic players (the target bench_tournoi names
# every automatic player registered).
set -eu
bin=${1:-build/bin}
parties=${2:-100}
[ $# -gt 2 ] && shift 2 || set --
[ $# -gt 0 ] || set -- joueur_poids joueur_score joueur_empeche joueur_garder joueur_boucle \
    joueur_rapport joueur_direct joueur_bref joueur_coins joueur_isoler joueur_sept \
    joueur_fonctions joueur_strategies joueur_critique joueur_critique2 joueur_critique3 \
    joueur_isole joueur_sisole joueur_priorite joueur_hasard joueur_fin joueur_fin2 joueur_topo \
    joueur_ouverture
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
n=$#
total=$((n * (n - 1) / 2 * parties))
echo "$n joueurs, $((n * (n - 1) / 2)) rencontres de $parties parties : $total parties, --ouverture 4"

for j in 2 1; do
    debut=$(date +%s.%N)
    "$bin/moteur" tournoi -q -j "$j" --graine 1 --parties "$parties" --ouverture 4 \
        --enregistrer "$dossier/j$j.txt" "$@" > "$dossier/classement$j.txt"
    fin=$(date +%s.%N)
    awk -v d="$debut" -v f="$fin" -v n="$total" -v j="$j" 'BEGIN {
        printf "-j %d : %.1f s, %.0f parties par seconde\n", j, f - d, n / (f - d) }' | tee -a "$dossier/vitesses"
done
cmp -s "$dossier/classement1.txt" "$dossier/classement2.txt" || echo "ATTENTION : les classements de -j 1 et -j 2 diffèrent"
awk '{ v[NR] = $6 } END { printf "-j 2 va %.2f fois plus vite que -j 1\n", v[1] / v[2] }' "$dossier/vitesses"

if command -v taskset > /dev/null && [ "$(nproc)" -ge 2 ]; then
    debut=$(date +%s.%N)
    for k in 0 1; do
        taskset -c $k "$bin/moteur" tournoi -q -j 1 --graine 1 --parties "$parties" \
            --ouverture 4 "$@" > /dev/null &
    done
    wait
    fin=$(date +%s.%N)
    awk -v d="$debut" -v f="$fin" -v n="$total" 'NR == 1 { j2 = $6 } NR == 2 { j1 = $6 } END {
        v = 2 * n / (f - d)
        printf "plafond de la machine, le même tournoi -j 1 deux fois à la fois, chacun sur son processeur : %.1f s, %.0f parties par seconde, %.2f fois -j 1 ; -j 2 en atteint %.0f %%\n",
            f - d, v, v / j1, 100 * j2 / v }' "$dossier/vitesses"
fi
head -8 "$dossier/classement2.txt"
