#!/usr/bin/env bash
# libtessor exports exactly the rules operations and positionInitiale, under
# their C names, and takes topologie from the process.
set -euo pipefail
bibliotheque=$1
attendus="addCoup afficherListeCoups afficherPosition afficherScore estValide evaluerScore
getCoupsLegaux getPositionInitiale getVoisins jouerCoup listerVoisins nbVoisins positionInitiale"
exportes=$(nm -D --defined-only "$bibliotheque" | awk '{print $3}' | sort | tr '\n' ' ')
attendus=$(echo $attendus | tr ' ' '\n' | sort | tr '\n' ' ')
if [ "$exportes" != "$attendus" ]; then
  echo "exportés : $exportes"
  echo "attendus : $attendus"
  exit 1
fi
nm -D --undefined-only "$bibliotheque" | grep -qx ' *U topologie' || { echo "topologie n'est pas requise"; exit 1; }
echo "symboles de libtessor : conformes"
