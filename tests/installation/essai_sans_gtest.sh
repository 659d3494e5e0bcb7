#!/usr/bin/env bash
# Configures the kit as on a machine with only cmake and g++: without
# GoogleTest and Google Benchmark, the kit's programs are there, no test or
# measure is, and a warning says why.
set -euo pipefail
sources=$1
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

cmake -S "$sources" -B "$travail" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null 2>"$travail/avertissements"
cibles=$(cmake --build "$travail" --target help)
for c in moteur alea joueur_poids humain_liste; do
  grep -qx "\.\.\. $c" <<<"$cibles" || { echo "cible absente : $c"; exit 1; }
done
if grep -E '^\.\.\. (essais_|bench_|joueur_premier$)' <<<"$cibles"; then exit 1; fi
grep -q "GoogleTest introuvable" "$travail/avertissements"
grep -q "Google Benchmark introuvable" "$travail/avertissements"
echo "sans GoogleTest ni Google Benchmark : le kit se construit"
