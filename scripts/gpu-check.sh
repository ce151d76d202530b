#!/usr/bin/env bash
# GPU check, for a machine with an NVIDIA GPU and the CUDA toolkit:
#   1. builds the CUDA backend in build-gpu (warnings as errors), only the targets below;
#   2. runs the CUDA-path tests, which compare CUDA output with the host backend's input by
#      input and print their largest differences as "[compare] ..." lines;
#   3. runs the benchmarks (host backend and CUDA) briefly;
#   4. renders the same Edge Bleed frames through the host with CUDA and on the CPU and
#      reports the largest pixel difference and the frame times;
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

targets=(gpu_cuda_compare_tests bench_runtime edge_bleed_cuda_compare_tests bench_kernels
         edge_bleed_plugin edge_bleed_render edge_bleed_image_diff)
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

echo "== frames through the host: CUDA against CPU =="
# The same frames rendered by the built bundle through the host, once with CUDA enabled
# (pictures in device memory, the host's stream) and once on the CPU (host backend).
frames="$logdir/frames"
mkdir -p "$frames"
frame_size=${FRAME_SIZE:-"1920 1080"}
if python3 examples/make_examples.py "$frames/in" $frame_size >"$frames/make.log" 2>&1; then
  for mode in Stretch Mirror; do
    for device in cpu cuda; do
      flag=()
      [ "$device" = cuda ] && flag=(--cuda)
      "$build/host/edge_bleed_render" "$build/edge_bleed.ofx.bundle" "${flag[@]}" \
        --input Source="$frames/in/source.png" --input Matte="$frames/in/matte.png" \
        --set mode="$mode" --frames 1-3 --output "$frames/$device-$mode.%d.exr" >"$frames/$device-$mode.log" 2>&1
      rc=$?
      times=$(grep -o '[0-9]* ms' "$frames/$device-$mode.log" | tr '\n' ' ')
      note "$mode ${device}: exit $rc, frame times ${times:-none}"
      [ $rc -ne 0 ] && { status=1; tail -n 3 "$frames/$device-$mode.log"; }
    done
    for f in 1 2 3; do
      if [ -f "$frames/cpu-$mode.$f.exr" ] && [ -f "$frames/cuda-$mode.$f.exr" ]; then
        note "  $mode frame $f: $("$build/host/edge_bleed_image_diff" "$frames/cpu-$mode.$f.exr" "$frames/cuda-$mode.$f.exr" 1e-3)"
      else
        note "  $mode frame $f: missing"
        status=1
      fi
    done
  done
else
  note "frames: could not make the input pictures (see $frames/make.log)"
  status=1
fi

echo
echo "== GPU check report =="
printf '%s\n' "${report[@]}"
[ $status -eq 0 ] && echo "result: PASS" || echo "result: FAIL"
exit $status
