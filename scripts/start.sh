#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lumiverdant.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/src/cli/lumiverdant-cli --version
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: the window needs one (run under xvfb-run, or from a desktop session)." >&2
  exit 1
fi
exec build/src/app/lumiverdant "$@"
