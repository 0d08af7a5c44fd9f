#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds the core suites and
# the fuzz targets' replays with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ and runs them too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j "$(nproc)" --timeout 300)
scripts/test-sanitized.sh
