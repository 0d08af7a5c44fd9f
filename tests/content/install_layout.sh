#!/usr/bin/env bash
# Installs the built program into a temporary prefix, as `cmake --install` lays it out,
# and checks the layout: both programs, every shipped library, sample and help page
# (identical to the repository's data), the help pictures, the desktop file, MIME entry
# and icon; then the installed lumiverdant-cli renders the poster sample with the
# installed textures.
#   install_layout.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
need() {
  if [ ! -e "$prefix/$1" ]; then
    echo "missing after install: $1" >&2
    fail=1
  fi
}
need bin/lumiverdant
need bin/lumiverdant-cli
need share/applications/lumiverdant.desktop
need share/mime/packages/lumiverdant.xml
need share/icons/hicolor/scalable/apps/lumiverdant.svg
need share/lumiverdant/Help/pictures/poster.png
share="$prefix/share/lumiverdant"
for folder in Textures Transp Styles Objects Samples Help; do
  if ! diff -r --exclude=pictures "$source/data/$folder" "$share/$folder" >&2; then
    echo "installed $folder differs from data/$folder" >&2
    fail=1
  fi
done
for dna in "$source"/data/*.dna; do
  cmp "$dna" "$share/$(basename "$dna")" >&2 || fail=1
done
# What only the build tree and the source tree need stays out.
for unwanted in share/lumiverdant/icons share/lumiverdant/lumiverdant.desktop; do
  if [ -e "$prefix/$unwanted" ]; then
    echo "installed but not wanted: $unwanted" >&2
    fail=1
  fi
done

out="$prefix/poster.png"
said=$("$prefix/bin/lumiverdant-cli" render "$share/Samples/poster.plv" --data "$share" -o "$out" 2>&1)
if [ "$said" != "$out" ] || [ ! -s "$out" ]; then
  echo "the installed lumiverdant-cli did not render the poster cleanly: $said" >&2
  fail=1
fi
exit $fail
