#!/usr/bin/env bash
# The real program driven through its accessibility tree, the way a screen reader or a
# test robot sees it: a virtual X server, a D-Bus session with the AT-SPI bus, and the
# Python AT-SPI bindings. Exits with 77 (a skip for ctest) when one of them is missing.
#   frame_accessibility.sh PROGRAM SAMPLE ARTEFACT_DIR [SCRIPT [ARGS...]]
# SCRIPT (beside this file, frame_accessibility.py unless given) gets PROGRAM SAMPLE
# ARTEFACT_DIR and the further ARGS.
set -euo pipefail
program=$1 sample=$2 artefacts=$3
script=${4:-frame_accessibility.py}
shift $(( $# < 4 ? $# : 4 ))
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb dbus-run-session; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skip: $tool is not installed"; exit 77; }
done
# Debian's Python, where python3-pyatspi is installed (not one a version manager put first).
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "skip: python3-pyatspi is not installed"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skip: at-spi2-core is not installed"; exit 77; }

scratch=$(mktemp -d)
xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$scratch"' EXIT
mkdir -p "$artefacts" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_RUNTIME_DIR="$scratch/runtime"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM
# An X server of its own: it picks a free display number and writes it once it is ready,
# so parallel runs never race for a number.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"
# The number is written before the server takes its first client on a busy machine.
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
dbus-run-session -- "$python" "$here/$script" "$program" "$sample" "$artefacts" "$@"
