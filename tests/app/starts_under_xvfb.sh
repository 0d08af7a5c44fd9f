#!/usr/bin/env bash
# Starts the program in the X server that xvfb-run provides and waits until its main
# window is mapped; fails when the program exits early or no window appears in time.
set -u
program="$1"
# A home of its own, so the run neither reads nor changes the user's settings and data.
scratch=$(mktemp -d)
export XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program exited before showing its window" >&2
    exit 1
  fi
  if xwininfo -root -tree 2>/dev/null | grep -q '"Untitled - Lumiverdant"'; then
    if [ ! -f "$XDG_CONFIG_HOME/LumiverdantFile.ini" ]; then
      echo "the library folders were not published" >&2
      exit 1
    fi
    echo "main window mapped"
    exit 0
  fi
  sleep 0.2
done
echo "no main window appeared within 20 seconds" >&2
exit 1
