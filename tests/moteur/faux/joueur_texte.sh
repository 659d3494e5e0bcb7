#!/bin/sh
# Test-only program of the text protocol, in shell.  It greets the engine,
# plays the first move of the list on its first turn, and on the next ones
# answers as its argument says:
#   mal_forme   a line that is no answer ("coup 3 4")
#   premier     the first move again, as "O-D"
# A turn without a move gets "passe".  With salut_faux it greets wrongly and leaves.
read accueil
if [ "$1" = salut_faux ]; then
  echo "salut tout le monde"
  exit 0
fi
echo "bonjour 1 joueur_texte"
tours=0
while read mot rangees trait premier reste; do
  case $mot in
    tour)
      tours=$((tours + 1))
      if [ $tours -eq 1 ]; then echo "coup 0"
      elif [ -z "$premier" ]; then echo passe
      elif [ "$1" = mal_forme ]; then echo "coup 3 4"
      else echo "coup $premier"
      fi ;;
    fin) exit 0 ;;
  esac
done
