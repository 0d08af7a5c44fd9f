#!/usr/bin/env bash
# Refreshes docs/screenshot.png, the picture at the top of the README: the program with
# the poster sample open, on a virtual X server of its own and with a home of its own
# (so neither the user's settings nor their data are read or changed).
#   scripts/screenshot.sh            # builds what is missing first
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
if [ ! -x "$build/src/app/lumiverdant" ] || [ ! -x "$build/tools/content/lumi-grab-screen" ]; then
  scripts/install-deps.sh
  cmake --build "$build" -j2 --target lumiverdant lumi-grab-screen >/dev/null
fi
out=docs/screenshot.png
width=1280 height=860

if [ "${1:-}" != "--on-display" ]; then
  exec xvfb-run -a -s "-screen 0 ${width}x${height}x24 -nolisten tcp" "$0" --on-display
fi

home=$(mktemp -d)
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; fi
  rm -rf "$home"
}
trap cleanup EXIT
XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=xcb \
  "$build/src/app/lumiverdant" data/Samples/poster.plv >"$home/program.log" 2>&1 &
app_pid=$!

# The main window carries the document's name once the sample is open.
window=
for _ in $(seq 1 120); do
  window=$(xdotool search --name '^poster\.plv - Lumiverdant$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "screenshot.sh: the program did not show the poster sample" >&2
  cat "$home/program.log" >&2
  exit 1
fi
# No window manager places it: the window takes the whole screen, then settles.
xdotool windowmove "$window" 0 0 windowsize "$window" "$width" "$height"
sleep 3
"$build/tools/content/lumi-grab-screen" "$out"
echo "$out"
