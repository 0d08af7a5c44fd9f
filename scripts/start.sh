#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiverdant with the poster sample open (or
# the files given). Without a display it renders the poster with the command-line program
# and says where it wrote it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  out="${TMPDIR:-/tmp}/lumiverdant-poster.png"
  echo "No display found; rendering the poster sample with lumiverdant-cli instead:"
  build/src/cli/lumiverdant-cli render data/Samples/poster.plv -o "$out" --data data
  exit 0
fi
if [ $# -eq 0 ]; then
  set -- data/Samples/poster.plv
fi
exec build/src/app/lumiverdant "$@"
