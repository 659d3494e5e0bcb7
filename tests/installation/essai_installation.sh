#!/usr/bin/env bash
# Installs the kit into a scratch prefix, builds the example player against
# it (with CMake and with pkg-config) and plays one turn with it.
set -euo pipefail
construction=$1 sources=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

cmake --install "$construction" --prefix "$travail/prefixe" >/dev/null
cmake -S "$sources/examples/premier_coup" -B "$travail/exemple" \
  -DCMAKE_PREFIX_PATH="$travail/prefixe" >/dev/null
cmake --build "$travail/exemple" >/dev/null

PKG_CONFIG_PATH="$travail/prefixe/lib/pkgconfig" \
  cc -o "$travail/premier_coup_pc" "$sources/examples/premier_coup/premier_coup.c" \
  $(PKG_CONFIG_PATH="$travail/prefixe/lib/pkgconfig" pkg-config --cflags --libs tessor)

initiale="1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/1r1j1r1j1r1j/1j1r1j1r/1j1r j"
for programme in "$travail/exemple/premier_coup" "$travail/premier_coup_pc"; do
  sortie=$("$programme" --position "$initiale" 2>"$travail/erreurs")
  # Yellow's first own-onto-opponent move: cell 1 (yellow) onto cell 0 (red), index 4.
  [ "$sortie" = $'Ma couleur : jaune\nJe joue 1 -> 0' ] || { echo "sortie : $sortie"; exit 1; }
  [ "$(cat "$travail/erreurs")" = "indices: 4" ] || { cat "$travail/erreurs"; exit 1; }
done
[ -x "$travail/prefixe/bin/alea" ] || { echo "alea non installé"; exit 1; }
echo "installation et joueur d'exemple : conformes"
