#!/usr/bin/env bash
# Fuzzes the readers: builds the library and the fuzz targets with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/, writes each target's
# seed inputs into its working corpus and runs it; afterwards the kept corpus in
# fuzz/corpus/TARGET/ is replaced by a minimised merge of the old one and the new finds.
# The inputs of faults found and fixed live in fuzz/regressions/TARGET/, which no merge
# touches.
#
#   scripts/fuzz.sh                    every target, 600 seconds each, one after another
#   scripts/fuzz.sh fuzz_bmp 120       one target for 120 seconds
#   scripts/fuzz.sh all 60             every target, 60 seconds each
#
# A fault leaves its input in build-fuzz/findings/; the script goes on with the next target
# and exits 1 at the end, naming the targets that found one. With LUMI_FUZZ_KEEP_GOING=1 a
# target keeps fuzzing after a fault (libFuzzer's fork mode), so that one known fault does
# not hide the code behind it. Installs Debian's clang and its sanitiser and fuzzer
# runtime when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
seconds=${2:-600}

scripts/install-deps.sh
tools=(clang libclang-rt-dev llvm)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  echo "fuzz: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ ! -f build-fuzz/build.ninja ]; then
  # -O1 with assertions on: faster than -O0 and still close to the source for reports.
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DLUMI_FUZZ=ON \
    -DLUMI_BUILD_APP=OFF -DLUMI_BUILD_TESTS=OFF -DLUMI_BUILD_BENCH=OFF >/dev/null
fi

targets=()
if [ "$which" = all ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
else
  targets=("$which")
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p build-fuzz/findings
keep_going=()
[ "${LUMI_FUZZ_KEEP_GOING:-0}" = 1 ] && keep_going=(-fork=1 -ignore_crashes=1)
found=()
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  kept=fuzz/corpus/$t
  mkdir -p "$work" "$kept"
  LUMI_FUZZ_WRITE_SEEDS="$work" "build-fuzz/fuzz/$t"
  echo "fuzz: $t for $seconds s" >&2
  regressions=()
  [ -d "fuzz/regressions/$t" ] && regressions=("fuzz/regressions/$t")
  "build-fuzz/fuzz/$t" "$work" "$kept" "${regressions[@]}" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=3072 -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$t-" \
    "${keep_going[@]}" >"build-fuzz/$t.log" 2>&1 || true
  grep -E '^#[0-9]+.*(INITED|DONE|cov:)' "build-fuzz/$t.log" | tail -n 1 >&2 || true
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "build-fuzz/$t.log" >&2 || true
  if grep -qE '^SUMMARY: |runtime error' "build-fuzz/$t.log"; then
    echo "fuzz: $t found a fault; see build-fuzz/$t.log and build-fuzz/findings/" >&2
    grep -E 'runtime error|^SUMMARY: ' "build-fuzz/$t.log" | sort | uniq -c | head -n 5 >&2
    found+=("$t")
    [ ${#keep_going[@]} -gt 0 ] || continue
  fi
  # The kept corpus: the smallest set of inputs that reaches everything both sets reach.
  merged=build-fuzz/merged/$t
  rm -rf "$merged" && mkdir -p "$merged"
  if "build-fuzz/fuzz/$t" -merge=1 "$merged" "$kept" "$work" >"build-fuzz/$t.merge.log" 2>&1; then
    rm -rf "$kept" && mv "$merged" "$kept"
    echo "fuzz: $t kept $(ls "$kept" | wc -l) inputs in $kept" >&2
  else
    echo "fuzz: $t: the merge failed (build-fuzz/$t.merge.log); $kept left as it was" >&2
  fi
done
if [ ${#found[@]} -gt 0 ]; then
  echo "fuzz: faults found by ${found[*]}" >&2
  exit 1
fi
