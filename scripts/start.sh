#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiverdant with the bundled sample project
# open (or the files given). Without a display it renders
# the bundled sample drawing with the command-line program and says where it wrote it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  out="${TMPDIR:-/tmp}/lumiverdant-welcome.png"
  echo "No display found; rendering the bundled sample with lumiverdant-cli instead:"
  build/src/cli/lumiverdant-cli render data/Samples/welcome.json -o "$out"
  exit 0
fi
if [ $# -eq 0 ]; then
  set -- data/Samples/welcome.plv
fi
exec build/src/app/lumiverdant "$@"
