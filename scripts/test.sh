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

# Runs ctest in a build folder and adds its counts to the totals printed at the end.
passed=0
failed=0
skipped=0
run_ctest() {
  local summary status
  summary=$(mktemp)
  if "$@" --output-on-failure -j "$jobs" | tee "$summary"; then status=0; else status=$?; fi
  local line total fails skips
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$summary" | tail -n 1 || true)
  skips=$(grep -c -E '^[[:space:]]+[0-9]+ - .*\(Skipped\)$' "$summary" || true)
  rm -f "$summary"
  if [ -n "$line" ]; then
    fails=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
    total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
    passed=$((passed + total - fails - skips))
    failed=$((failed + fails))
    skipped=$((skipped + skips))
  fi
  if [ "$status" -ne 0 ]; then
    echo "$passed passed, $((failed > 0 ? failed : 1)) failed, $skipped skipped"
    exit "$status"
  fi
}

scripts/install-deps.sh

echo "== build and test =="
cmake -S . -B build -G Ninja -DEDGE_BLEED_WERROR=ON
cmake --build build -j "$jobs"
run_ctest ctest --test-dir build
if [ $quick -eq 1 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
  exit 0
fi

echo "== sanitizer build and test =="
cmake -S . -B build-sanitize -G Ninja -DEDGE_BLEED_SANITIZE=ON -DEDGE_BLEED_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
cmake --build build-sanitize -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
run_ctest ctest --test-dir build-sanitize

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
# Skipped tests are the CUDA comparisons on a machine without a GPU.
echo "$passed passed, $failed failed, $skipped skipped"
