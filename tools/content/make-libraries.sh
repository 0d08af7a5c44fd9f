#!/usr/bin/env bash
# Makes the shipped style and object libraries from their scenes:
#   tools/content/styles/NN-name.json          -> DATA/Styles/StyleN.sty + StyleN.tmb
#   tools/content/objects/GROUP/NN-name.json   -> DATA/Objects/GROUP/ObjectN.obj + ObjectN.tmb
# Entries are numbered in the order of the scene names, from 1 without gaps, as the
# libraries read them. Everything is written by `lumiverdant-cli build`, so the files are
# what the program itself stores; the libraries are made afresh, so a removed scene
# leaves no entry behind.
#
#   tools/content/make-libraries.sh build/src/cli/lumiverdant-cli data
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: $0 LUMIVERDANT-CLI DATA-FOLDER" >&2
  exit 1
fi
cli=$(realpath "$1")
data=$(realpath "$2")
scenes=$(cd "$(dirname "$0")" && pwd)

# Builds every scene of folder $1, in name order, into $2/$3N$4.
build_numbered() {
  local from=$1 to=$2 stem=$3 ext=$4 n=0 scene
  rm -rf "$to"
  mkdir -p "$to"
  while IFS= read -r scene; do
    n=$((n + 1))
    "$cli" build "$scene" -o "$to/$stem$n$ext" --data "$data" >/dev/null
  done < <(find "$from" -maxdepth 1 -name '*.json' | LC_ALL=C sort)
  echo "$to: $n entries"
}

build_numbered "$scenes/styles" "$data/Styles" Style .sty
rm -rf "$data/Objects"
for group in "$scenes"/objects/*/; do
  build_numbered "$group" "$data/Objects/$(basename "$group")" Object .obj
done
