#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test:
#   1. the normal build (with the CUDA backend when nvcc is present), warnings as errors;
#   2. the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the definition-reader fuzz target for a bounded time (FUZZ_SECONDS, default 60).
# Pass --quick to run only step 1.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
quick=0
[ "${1:-}" = "--quick" ] && quick=1

scripts/install-deps.sh

echo "== build and test =="
cmake -S . -B build -G Ninja -DEDGE_BLEED_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
[ $quick -eq 1 ] && exit 0

echo "== sanitizer build and test =="
cmake -S . -B build-sanitize -G Ninja -DEDGE_BLEED_SANITIZE=ON -DEDGE_BLEED_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== fuzz =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DEDGE_BLEED_FUZZ=ON -DEDGE_BLEED_TESTS=OFF -DEDGE_BLEED_BENCH=OFF
cmake --build build-fuzz -j "$jobs"
for fuzzer in build-fuzz/tests/fuzz/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  cp -n tests/fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
  "$fuzzer" -max_total_time="${FUZZ_SECONDS:-60}" -rss_limit_mb=2048 -timeout=10 "$corpus"
done
