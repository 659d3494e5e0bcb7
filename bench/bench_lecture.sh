#!/bin/sh
# Memory of the record readers against the size of the record: the peak
# resident memory of `moteur rejouer -q`, `moteur page` and `moteur classement`
# on records of growing size, TOURS rounds each: the best, the median and
# the worst.  rejouer and page read a match's record made large by repeating
# a real match's games (numbers rewritten); classement reads a real
# tournament's record, played for the purpose.  Records read block by block
# keep to the memory of one game (plus the standings); a page holds every
# game, and refuses a record over its limit at once.
#
#   bench/bench_lecture.sh [BIN] [PARTIES] [TOURS] [PARTIES_TOURNOI]
#
# BIN is the folder of the built programs (build-essais/bin, the test build,
# by default, else build/bin); PARTIES the games of the largest match record
# (1,000,000 by default: about 560 MB on disk, in the temporary folder);
# PARTIES_TOURNOI the games of the tournament (60,000 by default).
set -eu
bin=${1:-$([ -d build-essais/bin ] && echo build-essais/bin || echo build/bin)}
parties=${2:-1000000}
tours=${3:-3}
partiesTournoi=${4:-60000}
dossier=$(mktemp -d /tmp/bench_lecture.XXXXXX)
trap 'rm -rf "$dossier"' EXIT

# Peak resident memory of a command, in KiB, and its status (its output
# thrown away), as GNU time reads it from the kernel; without it, from
# getrusage in Python (whose own memory, copied into the child before it
# starts the command, is then a floor of about 14 MiB).
pic() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f '%M %x' -o "$dossier/temps" "$@" > /dev/null 2>&1 || true
        tail -n 1 "$dossier/temps"
    else
        python3 -c 'import resource, subprocess, sys
r = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss, r.returncode)' "$@"
    fi
}

# Least, median and greatest of the numbers on standard input, in MiB with
# a decimal comma.
resume() {
    sort -n | awk '{ v[NR] = $1 } END {
        printf "min %.1f / médiane %.1f / max %.1f Mio", v[1] / 1024, v[int((NR + 1) / 2)] / 1024, v[NR] / 1024
    }' | tr . ,
}

# The match's record repeated up to $1 games, each renumbered, into $2.
agrandir() {
    awk -v n="$1" '
        /^\[Match / { tete = 1 }
        tete { entete = entete $0 "\n"; if ($0 == "") tete = 0; next }
        /^\[Partie "/ { g++; next }
        g > 0 { corps[g] = corps[g] $0 "\n" }
        END {
            printf "%s", entete
            for (k = 0; k < n; k++)
                printf "[Partie \"%d\"]\n%s", k + 1, corps[k % g + 1]
        }' "$dossier/base.txt" > "$2"
}

# One line: the command's peak memory over the rounds, against the file's size.
mesurer() {
    nom=$1 fichier=$2
    shift 2
    : > "$dossier/pics"
    statut=0
    for tour in $(seq "$tours"); do
        pic "$@" > "$dossier/pic"
        read -r kio statut < "$dossier/pic"
        echo "$kio" >> "$dossier/pics"
    done
    taille=$(stat -c %s "$fichier")
    printf "%-12s %9s parties, %8s Mio : %s (statut %s)\n" "$nom" "$(grep -c '^\[Partie "' "$fichier")" \
        "$(awk -v o="$taille" 'BEGIN { printf "%.1f", o / 1048576 }' | tr . ,)" \
        "$(resume < "$dossier/pics")" "$statut"
}

"$bin/moteur" -q --parties 1000 --graine 1 --enregistrer "$dossier/base.txt" \
    joueur_critique joueur_critique3 > /dev/null
for n in $((parties / 100)) $((parties / 10)) "$parties"; do
    agrandir "$n" "$dossier/m.txt"
    mesurer "rejouer -q" "$dossier/m.txt" "$bin/moteur" rejouer -q "$dossier/m.txt"
    mesurer "page" "$dossier/m.txt" "$bin/moteur" page "$dossier/m.txt" -o "$dossier/m.html"
done

# A tournament of three players, PARTIES_TOURNOI games in all.
"$bin/moteur" tournoi -q --parties $((partiesTournoi / 6 * 2)) --graine 1 \
    --enregistrer "$dossier/t.txt" joueur_critique joueur_critique3 joueur_poids > /dev/null
head -c "$(($(stat -c %s "$dossier/t.txt") / 10))" "$dossier/t.txt" > "$dossier/t10.txt"
mesurer "classement" "$dossier/t10.txt" "$bin/moteur" classement "$dossier/t10.txt"
mesurer "classement" "$dossier/t.txt" "$bin/moteur" classement "$dossier/t.txt"
