#!/usr/bin/env bash
# Configures (once) and builds everything into build/. Incremental after the first run.
# A build/ folder configured before keeps its own generator (Ninja or Makefiles alike).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
elif [ ! -f build/build.ninja ] && [ ! -f build/Makefile ]; then
  cmake -S . -B build >/dev/null  # configured once but never generated: finish with its generator
fi
cmake --build build -j "$(nproc)"
