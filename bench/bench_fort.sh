#!/bin/bash
# joueur_fort, the searching player, measured against its target on the
# shipped book of balanced starts (livres/equilibre.txt):
#  1. its points against every automatic player of the kit built in BIN,
#     PARTIES games each (200 by default: every start taken played with both
#     colours; a win is 1 point, a draw 1/2), at least 97 % against each and
#     99 % over all of them; then its score by the balance of the start (its
#     colour, its columns minus the opponent's);
#  2. against itself over the whole book, every start played with both
#     colours: yellow's score, between 40 % and 60 % when the book is
#     balanced for it;
#  3. one turn, in process, on positions from seeded random games: median and
#     worst case (bench_tour_joueur_fort, when it is built);
#  4. the nodes per second of its search, over a match against itself: the
#     moves it played in its searches (from its traces) over the processor
#     time of the whole match.
#
#   [LIVRE=FICHIER] [J=N] bench/bench_fort.sh [BIN] [PARTIES] [GRAINE[,GRAINE...]] [ADVERSAIRE ...]
#
# BIN is the folder of the built programs (build-essais/bin, the test build, by default, else build/bin); without
# ADVERSAIRE, every automatic player of the kit found in BIN plays.  With
# several seeds, each opponent plays PARTIES games on each (the seed draws
# which starts of the book, in which order), and the line gives every seed's
# points and their total.  J games at once (2 by default); the figures do not
# depend on it.
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-200}
graine=${3:-1}
shift $(($# < 3 ? $# : 3))
adversaires=("$@")
livre=${LIVRE:-$(dirname "$0")/../livres/equilibre.txt}
j=${J:-2}
if [ ${#adversaires[@]} -eq 0 ]; then
  . "$(dirname "$0")/automatiques.sh"
  adversaires=($AUTOMATIQUES)
fi
CIBLE_CHACUN=97 CIBLE_TOUS=99 JAUNE_MIN=40 JAUNE_MAX=60

IFS=, read -r -a graines <<< "$graine"
parties_jouees=$(mktemp -d)
traces=$(mktemp -d)
trap 'rm -rf "$parties_jouees" "$traces"' EXIT
# pourcent POINTS PARTIES: the score in percent, one decimal.
pourcent() { awk -v p="$1" -v n="$2" 'BEGIN { printf "%.1f", 100 * p / n }'; }
# virgule: numbers the French way on the lines a person reads ("97,5").
virgule() { sed 's/\([0-9]\)\.\([0-9]\)/\1,\2/g'; }
# atteint VALEUR MIN [MAX]: "oui" when MIN <= VALEUR (<= MAX), "NON" otherwise.
atteint() { awk -v v="$1" -v a="$2" -v b="${3:-1e9}" 'BEGIN { print (v >= a && v <= b) ? "oui" : "NON" }'; }
# points LIGNE: the wins, losses, draws and points of the summary line
# "  joueur_fort : 97 victoires, 2 défaites, 1 nulle, 97,5 points, ...".
points() {
  echo "$1" | sed 's/,\([0-9]\)/.\1/' |
    awk -F'[:,]' '{ split($2, v, " "); split($3, d, " "); split($4, n, " "); split($5, p, " ");
                    print v[1], d[1], n[1], p[1] }'
}
departs=$(grep -cv '^[[:space:]]*\(#\|$\)' "$livre")
echo "Livre : $livre ($departs départs), $j parties à la fois"
echo "1. Points de joueur_fort ($parties parties par adversaire et par graine, graine ${graines[*]} ; cible : $CIBLE_CHACUN % contre chacun, $CIBLE_TOUS % en tout)"
absents=()
pire=101
somme_p=0 somme_n=0
for a in "${adversaires[@]}"; do
  if [ ! -x "$bin/$a" ]; then
    absents+=("$a")
    continue
  fi
  total_v=0 total_d=0 total_n=0 total_p=0 detail=""
  for g in "${graines[@]}"; do
    ligne=$("$bin/moteur" -q -j "$j" --parties "$parties" --livre "$livre" --graine "$g" \
      --enregistrer "$parties_jouees/$a.$g.txt" joueur_fort "$a" | grep '^  joueur_fort : ')
    read -r v d n p < <(points "$ligne")
    pc=$(pourcent "$p" "$parties")
    pire=$(awk -v a="$pire" -v b="$pc" 'BEGIN { print (b < a ? b : a) }')
    detail+=" $pc"
    total_v=$((total_v + v)) total_d=$((total_d + d)) total_n=$((total_n + n))
    total_p=$(awk -v a="$total_p" -v b="$p" 'BEGIN { print a + b }')
  done
  jouees=$((parties * ${#graines[@]}))
  somme_n=$((somme_n + jouees))
  somme_p=$(awk -v a="$somme_p" -v b="$total_p" 'BEGIN { print a + b }')
  pc=$(pourcent "$total_p" "$jouees")
  {
    printf '  %-18s %3d victoires %3d défaites %3d nulles  %5s points  %5s %%  %s' \
      "$a" "$total_v" "$total_d" "$total_n" "$total_p" "$pc" "$(atteint "$pc" "$CIBLE_CHACUN")"
    if [ ${#graines[@]} -gt 1 ]; then
      printf '   (par graine :%s)' "$detail"
    fi
    printf '\n'
  } | virgule
done
if [ "$somme_n" -gt 0 ]; then
  pc=$(pourcent "$somme_p" "$somme_n")
  echo "  en tout : $somme_p points sur $somme_n parties, $pc % ($(atteint "$pc" "$CIBLE_TOUS")) ;" \
    "pire score contre un adversaire sur $parties parties : $pire % ($(atteint "$pire" "$CIBLE_CHACUN"))" |
    virgule
fi
if [ ${#absents[@]} -gt 0 ]; then
  echo "  absents de $bin : ${absents[*]}"
fi
# Each game's start ([Depart]) and result, from joueur_fort's side: its
# colour, its columns minus the other's.
cat "$parties_jouees"/*.txt 2> /dev/null | awk '
  /^\[Jaune / { jaune = $2 == "\"joueur_fort\"]" }
  /^\[Depart / { s = $2; nj = gsub(/[1-5]j/, "", s); s = $2; nr = gsub(/[1-5]r/, "", s) }
  /^\[Resultat / {
    k = (jaune ? nj - nr : nr - nj) " " (jaune ? "jaune" : "rouge")
    n[k]++; p[k] += $2 ~ /1\/2/ ? 0.5 : (($2 ~ /"1-0"/) == jaune)
  }
  END {
    if (length(n) == 0) exit
    print "  selon le départ (colonnes de joueur_fort moins celles de l\047adversaire, jaune au trait) :"
    split("jaune rouge", couleurs, " ")
    for (d = -47; d <= 47; d++)
      for (c = 1; c <= 2; c++) {
        k = d " " couleurs[c]
        if (k in n)
          printf "    %+3d %s : %5d parties, %7.1f points, %5.1f %%\n", d, couleurs[c], n[k], p[k], 100 * p[k] / n[k]
      }
  }' | virgule

echo "2. joueur_fort contre lui-même sur tout le livre ($((2 * departs)) parties ; cible : jaune entre $JAUNE_MIN et $JAUNE_MAX %)"
"$bin/moteur" -q -j "$j" --parties "$((2 * departs))" --livre "$livre" --graine "${graines[0]}" \
  --enregistrer "$parties_jouees/soi.txt" joueur_fort joueur_fort > /dev/null
awk '/^\[Resultat / { n++; p += $2 ~ /1\/2/ ? 0.5 : ($2 ~ /"1-0"/) }
  END { printf "  jaune : %d parties, %.1f points, %.1f %%\n", n, p, 100 * p / n }' \
  "$parties_jouees/soi.txt" > "$parties_jouees/jaune.txt"
virgule < "$parties_jouees/jaune.txt"
pc=$(sed 's/.* \([0-9.]*\) %$/\1/' "$parties_jouees/jaune.txt")
echo "  entre $JAUNE_MIN et $JAUNE_MAX % : $(atteint "$pc" "$JAUNE_MIN" "$JAUNE_MAX")"

echo "3. Un tour de joueur_fort"
if [ -x "$bin/bench_tour_joueur_fort" ]; then
  "$bin/bench_tour_joueur_fort" 20
else
  echo "  $bin/bench_tour_joueur_fort n'est pas construit"
fi

echo "4. Nœuds par seconde (joueur_fort contre lui-même, 10 parties)"
TIMEFORMAT='%U %S'
temps=$({ time "$bin/moteur" -q --parties 10 --livre "$livre" --graine "${graines[0]}" \
  --traces "$traces" joueur_fort joueur_fort > /dev/null; } 2>&1)
noeuds=$(cat "$traces"/*.txt | sed -n 's/^Profondeur [0-9]*, \([0-9]*\) nœuds.*/\1/p' |
  awk '{ s += $1 } END { print s + 0 }')
coups=$(cat "$traces"/*.txt | grep -c '^Profondeur ' || true)
awk -v t="$temps" -v n="$noeuds" -v c="$coups" 'BEGIN {
  split(t, x, " "); s = x[1] + x[2]
  printf "  %d coups, %d nœuds en %.2f s de processeur : %.0f nœuds par seconde, %.1f ms par coup\n",
    c, n, s, n / s, 1000 * s / c
}' | virgule
