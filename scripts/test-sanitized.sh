#!/usr/bin/env bash
# The core test suites and the fuzz targets' corpus replays, built with AddressSanitizer
# and UndefinedBehaviorSanitizer (LUMI_SANITIZE) in build-sanitize/, so that memory
# faults and undefined behaviour in the library fail the run. Prints how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
if [ ! -f build-sanitize/build.ninja ]; then
  # -O1 with line tables: the usual setting for the sanitisers, and a third quicker to
  # build than -O2 with full debug information.
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMI_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DLUMI_BUILD_APP=OFF -DLUMI_BUILD_BENCH=OFF >/dev/null
fi
suites=()
for folder in tests/core/*/; do
  name=$(basename "$folder")
  ls "$folder"*_test.cpp >/dev/null 2>&1 && suites+=("${name}_tests")
done
targets=()
for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
cmake --build build-sanitize -j "$(nproc)" --target "${suites[@]}" "${targets[@]}"
built=$(date +%s)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for s in "${suites[@]}"; do
  if ! build-sanitize/tests/core/"$s" --gtest_brief=1 >"build-sanitize/$s.log" 2>&1; then
    failed+=("$s")
    tail -n 60 "build-sanitize/$s.log"
  fi
done
for t in "${targets[@]}"; do
  corpus=()
  for folder in "fuzz/corpus/$t" "fuzz/regressions/$t"; do
    [ -d "$folder" ] && corpus+=("$folder")
  done
  if ! build-sanitize/fuzz/"$t" 2000 "${corpus[@]}" >"build-sanitize/$t.log" 2>&1; then
    failed+=("$t")
    tail -n 60 "build-sanitize/$t.log"
  fi
done
end=$(date +%s)
echo "sanitised core suites and fuzz replays: build $((built - start)) s, run $((end - built)) s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "sanitised run failed: ${failed[*]}" >&2
  exit 1
fi
