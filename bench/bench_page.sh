#!/bin/sh
# The replay page of a long record: its size, the time `moteur page` takes
# to write it, and the time Chromium takes to have it ready (from the start
# of loading to the first game laid out, as the page itself measures it).
#
#   bench/bench_page.sh [BIN] [PARTIES]
#
# BIN is the folder of the built programs (build-essais/bin, the test build, by default, else build/bin).
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-1000}
dossier=$(mktemp -d /tmp/bench_page.XXXXXX)
trap 'rm -rf "$dossier"' EXIT

"$bin/moteur" -q --parties "$parties" --ouverture 4 --graine 1 --enregistrer "$dossier/p.txt" \
    joueur_critique joueur_critique3 > /dev/null
debut=$(date +%s.%N)
"$bin/moteur" page "$dossier/p.txt" -o "$dossier/p.html" > /dev/null
fin=$(date +%s.%N)
octets=$(stat -c %s "$dossier/p.html")
awk -v n="$parties" -v o="$octets" -v d="$debut" -v f="$fin" 'BEGIN {
    printf "%d parties : page de %d octets (%.2f Mo), écrite en %.2f s\n", n, o, o / 1048576, f - d
}'

navigateur=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$navigateur" ]; then
    echo "Chromium absent : temps d'ouverture non mesuré"
    exit 0
fi
# Chromium's ready time of the page, five times: the median, the best and the
# worst; and the time spent in the page's own script (reading the games,
# drawing the list and the chosen game), which the load of the machine sways less.
for essai in 1 2 3 4 5; do
    "$navigateur" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$dossier/profil$essai" --dump-dom \
        "file://$dossier/p.html#partie=$parties&coup=20" 2>/dev/null \
        | grep -o '<body data-pret="[0-9]*" data-script="[0-9]*"' | tr -c '0-9' ' '
    echo
done | sort -n | awk 'NF == 2 { t[++n] = $1; s[n] = $2 } END {
    if (n == 0) { print "page jamais prête dans Chromium"; exit 1 }
    printf "prête dans Chromium en %d ms (médiane ; de %d à %d ms sur %d ouvertures), ", t[int((n + 1) / 2)], t[1], t[n], n
    for (i = 2; i <= n; i++)
        for (j = i; j > 1 && s[j - 1] > s[j]; j--) { x = s[j]; s[j] = s[j - 1]; s[j - 1] = x }
    printf "dont %d ms de script (médiane)\n", s[int((n + 1) / 2)]
}'
