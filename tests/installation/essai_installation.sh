#!/usr/bin/env bash
# Installs the kit into a scratch prefix, builds the example player against
# it (with CMake and with pkg-config), installs both beside the kit's
# programs, moves the whole prefix, and plays one turn with each, then a
# game through the moved engine.
set -euo pipefail
construction=$1 sources=$2
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

cmake --install "$construction" --prefix "$travail/prefixe" >/dev/null
cmake -S "$sources/examples/premier_coup" -B "$travail/exemple" \
  -DCMAKE_PREFIX_PATH="$travail/prefixe" >/dev/null
cmake --build "$travail/exemple" >/dev/null

cmake --install "$travail/exemple" --prefix "$travail/prefixe" >/dev/null
# The README shows the example's CMake file whole: four lines.
[ "$(wc -l < "$sources/examples/premier_coup/CMakeLists.txt")" = 4 ] || exit 1

cc -o "$travail/prefixe/bin/premier_coup_pc" "$sources/examples/premier_coup/premier_coup.c" \
  $(PKG_CONFIG_PATH="$travail/prefixe/lib/pkgconfig" pkg-config --cflags --libs tessor)

# The same from a Makefile, as the README writes it.
printf '%s\n' 'CFLAGS += $(shell pkg-config --cflags tessor)' \
  'LDLIBS += $(shell pkg-config --libs-only-L --libs-only-l tessor)' \
  "LDFLAGS += -Wl,-rpath,'\$\$ORIGIN/../lib'" > "$travail/Makefile"
PKG_CONFIG_PATH="$travail/prefixe/lib/pkgconfig" make -s -C "$travail" -f Makefile \
  VPATH="$sources/examples/premier_coup" premier_coup >/dev/null
mv "$travail/premier_coup" "$travail/prefixe/bin/premier_coup_mk"

# A relative run path: the libraries are found wherever the prefix goes.
mv "$travail/prefixe" "$travail/ailleurs"
initiale="1r1j/1r1j1r1j/1j1r1j1r1j1r/1r1j1r1j1r1j1r1j/1r1j1r1j1j1r1j1r/1j1r1j1r1j1r1j1r/1r1j1r1j1r1j/1j1r1j1r/1j1r j"
for programme in "$travail/ailleurs/bin/premier_coup" "$travail/ailleurs/bin/premier_coup_pc" \
  "$travail/ailleurs/bin/premier_coup_mk"; do
  sortie=$("$programme" --position "$initiale" 2>"$travail/erreurs")
  # Yellow's first own-onto-opponent move: cell 1 (yellow) onto cell 0 (red), index 4.
  [ "$sortie" = $'Ma couleur : jaune\nJe joue 1 -> 0' ] || { echo "sortie : $sortie"; exit 1; }
  [ "$(cat "$travail/erreurs")" = "indices: 4" ] || { cat "$travail/erreurs"; exit 1; }
done
[ -x "$travail/ailleurs/bin/alea" ] || { echo "alea non installé"; exit 1; }
"$travail/ailleurs/bin/moteur" -q --graine 1 premier_coup joueur_bref >"$travail/match" ||
  { cat "$travail/match"; exit 1; }
echo "installation et joueur d'exemple : conformes"
