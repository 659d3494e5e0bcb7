#!/bin/sh
# From a click on the page of `moteur navigateur` to the program's answer on
# screen, the program's own thinking deducted (as the page measures both):
# the median and the worst over the program's moves of whole games played
# by clicks in headless Chromium (through Selenium, as the tests do).
#
#   bench/bench_navigateur.sh [BIN] [PROGRAMME] [PARTIES]
#
# BIN is the folder of the built programs (build/bin by default).
set -eu
bin=${1:-build/bin}
programme=${2:-joueur_critique}
parties=${3:-3}
ici=$(dirname "$0")
i=0
while [ "$i" -lt "$parties" ]; do
    /usr/bin/python3 "$ici/../tests/moteur/navigateur_chromium.py" "$bin/moteur" "$programme" | grep coups
    i=$((i + 1))
done
