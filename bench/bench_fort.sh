#!/bin/bash
# joueur_fort, the searching player, measured three ways:
#  1. its points against every automatic player of the kit built in BIN
#     (PARTIES games each from seeded openings of 4 random moves, colours
#     swapping every game; a win is 1 point, a draw 1/2), then over all
#     those games, its score by the balance of the opening: the random
#     moves may leave one side columns ahead, and yellow moves next;
#  2. one turn, in process, on positions from seeded random games: median and
#     worst case (bench_tour_joueur_fort, when it is built);
#  3. the nodes per second of its search, over a match against itself: the
#     moves it played in its searches (from its traces) over the processor
#     time of the whole match.
#
#   bench/bench_fort.sh [BIN] [PARTIES] [GRAINE[,GRAINE...]] [ADVERSAIRE ...]
#
# BIN is the folder of the built programs (build-essais/bin, the test build, by default, else build/bin); without
# ADVERSAIRE, every automatic player of the kit found in BIN plays.  With
# several seeds, each opponent plays PARTIES games on each, and the line
# gives every seed's points and their total: one seed's 100 games move a
# score of 97 % by about 2 points either way, so several seeds tell a
# player's level where one may not.
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-100}
graine=${3:-1}
shift $(($# < 3 ? $# : 3))
adversaires=("$@")
if [ ${#adversaires[@]} -eq 0 ]; then
  . "$(dirname "$0")/automatiques.sh"
  adversaires=($AUTOMATIQUES)
fi

IFS=, read -r -a graines <<< "$graine"
parties_jouees=$(mktemp -d)
traces=$(mktemp -d)
trap 'rm -rf "$parties_jouees" "$traces"' EXIT
# pourcent POINTS PARTIES: the score in percent, one decimal.
pourcent() { awk -v p="$1" -v n="$2" 'BEGIN { printf "%.1f", 100 * p / n }'; }
echo "1. Points de joueur_fort ($parties parties par adversaire et par graine, --ouverture 4, graine ${graines[*]})"
absents=()
pire=101
for a in "${adversaires[@]}"; do
  if [ ! -x "$bin/$a" ]; then
    absents+=("$a")
    continue
  fi
  total_v=0 total_d=0 total_n=0 total_p=0 detail=""
  for g in "${graines[@]}"; do
    ligne=$("$bin/moteur" -q --parties "$parties" --ouverture 4 --graine "$g" \
      --enregistrer "$parties_jouees/$a.$g.txt" joueur_fort "$a" | grep '^  joueur_fort : ')
    # "  joueur_fort : 97 victoires, 2 défaites, 1 nulle, 97,5 points, ..."
    read -r v d n p < <(echo "$ligne" | sed 's/,\([0-9]\)/.\1/' |
      awk -F'[:,]' '{ split($2, v, " "); split($3, d, " "); split($4, n, " "); split($5, p, " ");
                      print v[1], d[1], n[1], p[1] }')
    pc=$(pourcent "$p" "$parties")
    pire=$(awk -v a="$pire" -v b="$pc" 'BEGIN { print (b < a ? b : a) }')
    detail+=" $pc"
    total_v=$((total_v + v)) total_d=$((total_d + d)) total_n=$((total_n + n))
    total_p=$(awk -v a="$total_p" -v b="$p" 'BEGIN { print a + b }')
  done
  pc=$(pourcent "$total_p" "$((parties * ${#graines[@]}))")
  printf '  %-18s %3d victoires %3d défaites %3d nulles  %5s points  %5s %%' \
    "$a" "$total_v" "$total_d" "$total_n" "$total_p" "$pc"
  if [ ${#graines[@]} -gt 1 ]; then
    printf '   (par graine :%s)' "$detail"
  fi
  printf '\n'
done
if [ "$pire" != 101 ]; then
  echo "  pire score sur $parties parties : $pire %"
fi
if [ ${#absents[@]} -gt 0 ]; then
  echo "  absents de $bin : ${absents[*]}"
fi
# Each game's start ([Depart], yellow to move after the 4 random moves) and
# result, from joueur_fort's side: its colour, its columns minus the other's.
cat "$parties_jouees"/*.txt 2> /dev/null | awk '
  /^\[Jaune / { jaune = $2 == "\"joueur_fort\"]" }
  /^\[Depart / { s = $2; nj = gsub(/[1-5]j/, "", s); s = $2; nr = gsub(/[1-5]r/, "", s) }
  /^\[Resultat / {
    k = (jaune ? nj - nr : nr - nj) " " (jaune ? "jaune" : "rouge")
    n[k]++; p[k] += $2 ~ /1\/2/ ? 0.5 : (($2 ~ /"1-0"/) == jaune)
  }
  END {
    if (length(n) == 0) exit
    print "  selon l\047ouverture (colonnes de joueur_fort moins celles de l\047adversaire au départ, jaune au trait) :"
    split("jaune rouge", couleurs, " ")
    for (d = -47; d <= 47; d++)
      for (c = 1; c <= 2; c++) {
        k = d " " couleurs[c]
        if (k in n)
          printf "    %+3d %s : %5d parties, %7.1f points, %5.1f %%\n", d, couleurs[c], n[k], p[k], 100 * p[k] / n[k]
      }
  }'

echo "2. Un tour de joueur_fort"
if [ -x "$bin/bench_tour_joueur_fort" ]; then
  "$bin/bench_tour_joueur_fort" 20
else
  echo "  $bin/bench_tour_joueur_fort n'est pas construit"
fi

echo "3. Nœuds par seconde (joueur_fort contre lui-même, 10 parties)"
TIMEFORMAT='%U %S'
temps=$({ time "$bin/moteur" -q --parties 10 --ouverture 4 --graine "${graines[0]}" \
  --traces "$traces" joueur_fort joueur_fort > /dev/null; } 2>&1)
noeuds=$(cat "$traces"/*.txt | sed -n 's/^Profondeur [0-9]*, \([0-9]*\) nœuds.*/\1/p' |
  awk '{ s += $1 } END { print s + 0 }')
coups=$(cat "$traces"/*.txt | grep -c '^Profondeur ' || true)
awk -v t="$temps" -v n="$noeuds" -v c="$coups" 'BEGIN {
  split(t, x, " "); s = x[1] + x[2]
  printf "  %d coups, %d nœuds en %.2f s de processeur : %.0f nœuds par seconde, %.1f ms par coup\n",
    c, n, s, n / s, 1000 * s / c
}'
