#!/usr/bin/env bash
# GPU check, for a machine with an NVIDIA GPU and the CUDA toolkit:
#   1. builds the CUDA backend in build-gpu (warnings as errors), only the targets below;
#   2. runs the CUDA-path tests, which compare CUDA output with the host backend's input by
#      input and print their largest differences as "[compare] ..." lines;
#   3. runs the benchmarks (host backend and CUDA) briefly;
# and prints one compact report. Exit status: 0 all passed, 1 a step failed, 2 no GPU or no
# CUDA toolkit (nothing was checked).
#
# Each part of the GPU work adds its own entries to the three lists below (targets to build,
# comparison test programs, benchmark programs), as paths relative to the build folder.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build-gpu}
jobs=${JOBS:-$(nproc)}
bench_seconds=${BENCH_SECONDS:-0.3}

targets=(gpu_cuda_compare_tests bench_runtime edge_bleed_cuda_compare_tests bench_kernels)
compare_tests=(tests/gpu/gpu_cuda_compare_tests tests/edge_bleed/edge_bleed_cuda_compare_tests)
benchmarks=(bench/bench_runtime bench/bench_kernels)

report=()
status=0
note() { report+=("$1"); }

if ! command -v nvidia-smi >/dev/null 2>&1 || ! nvidia-smi -L >/dev/null 2>&1; then
  echo "gpu-check: no NVIDIA GPU on this machine (nvidia-smi -L failed); nothing was checked." >&2
  exit 2
fi
nvcc=$(command -v nvcc || true)
[ -z "$nvcc" ] && [ -x /usr/local/cuda/bin/nvcc ] && nvcc=/usr/local/cuda/bin/nvcc
if [ -z "$nvcc" ]; then
  echo "gpu-check: no CUDA toolkit (nvcc not found in PATH or /usr/local/cuda/bin); nothing was checked." >&2
  exit 2
fi
note "device: $(nvidia-smi --query-gpu=name,driver_version --format=csv,noheader | head -n1)"
note "toolkit: $("$nvcc" --version | tail -n1)"

logdir="$build/gpu-check"
mkdir -p "$logdir"

echo "== configure and build ($build) =="
if cmake -S . -B "$build" -G Ninja -DEDGE_BLEED_WITH_CUDA=ON -DEDGE_BLEED_WERROR=ON \
     -DCMAKE_BUILD_TYPE=Release >"$logdir/configure.log" 2>&1 &&
   grep -q "Edge Bleed CUDA backend: ON" "$logdir/configure.log" &&
   cmake --build "$build" -j "$jobs" --target "${targets[@]}" >"$logdir/build.log" 2>&1; then
  note "build: ok (${targets[*]})"
else
  tail -n 40 "$logdir/configure.log" "$logdir/build.log" 2>/dev/null
  note "build: FAILED (see $logdir/configure.log, $logdir/build.log)"
  printf '%s\n' "== GPU check report ==" "${report[@]}" "result: FAIL"
  exit 1
fi

echo "== CUDA against host backend =="
for t in "${compare_tests[@]}"; do
  exe="$build/$t"
  name=$(basename "$t")
  if [ ! -x "$exe" ]; then
    note "$name: missing"
    status=1
    continue
  fi
  "$exe" --gtest_color=no >"$logdir/$name.log" 2>&1
  rc=$?
  passed=$(grep -c '^\[       OK \]' "$logdir/$name.log")
  failed=$(grep -c '^\[  FAILED  \] .*(' "$logdir/$name.log")
  skipped=$(grep -c '^\[  SKIPPED \] .*(' "$logdir/$name.log")
  note "$name: $passed passed, $failed failed, $skipped skipped (exit $rc)"
  while IFS= read -r line; do note "  $line"; done < <(grep '^\[compare\]' "$logdir/$name.log")
  grep '^\[  FAILED  \] .*(' "$logdir/$name.log" | while IFS= read -r line; do echo "  $line"; done
  if [ "$skipped" -gt 0 ]; then
    note "  skipped tests mean the CUDA device was not usable: $(grep -m1 -o 'no CUDA device: .*' "$logdir/$name.log")"
    status=1
  fi
  [ $rc -ne 0 ] && status=1
done

echo "== benchmarks =="
for b in "${benchmarks[@]}"; do
  exe="$build/$b"
  name=$(basename "$b")
  if [ ! -x "$exe" ]; then
    note "$name: missing"
    status=1
    continue
  fi
  if "$exe" --benchmark_min_time="$bench_seconds" >"$logdir/$name.log" 2>&1; then
    note "$name (real time per iteration):"
    while IFS= read -r line; do note "  $line"; done < <(
      awk '/^(host|cuda)\// { printf "%-60s %10s %s\n", $1, $2, $3 }' "$logdir/$name.log" |
        sed 's#/process_time/real_time##; s#/real_time##')
    grep -q '^CUDA benchmarks skipped' "$logdir/$name.log" && note "  $(grep -m1 '^CUDA benchmarks skipped' "$logdir/$name.log")"
  else
    note "$name: FAILED (see $logdir/$name.log)"
    status=1
  fi
done

echo
echo "== GPU check report =="
printf '%s\n' "${report[@]}"
[ $status -eq 0 ] && echo "result: PASS" || echo "result: FAIL"
exit $status
