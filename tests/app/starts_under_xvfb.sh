#!/usr/bin/env bash
# Starts the program in the X server that xvfb-run provides and waits until its main
# window is mapped; fails when the program exits early or no window appears in time.
set -u
program="$1"
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null' EXIT
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program exited before showing its window" >&2
    exit 1
  fi
  if xwininfo -root -tree 2>/dev/null | grep -q '"Untitled - Lumiverdant"'; then
    echo "main window mapped"
    exit 0
  fi
  sleep 0.2
done
echo "no main window appeared within 20 seconds" >&2
exit 1
