#!/bin/sh
# One turn of every automatic player of the kit, in process, on positions from
# seeded random games: median and worst case, elapsed and processor time.
#
#   bench/bench_joueurs.sh [BIN] [PARTIES]
#
# BIN is the folder of the built programs (build-essais/bin, the test build, by default, else build/bin).
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-50}
for mesure in "$bin"/bench_tour_*; do
  "$mesure" "$parties"
done
