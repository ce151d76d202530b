#!/usr/bin/env bash
# Renders the example pictures with Edge Bleed in Stretch and in Mirror mode, on the CPU, into
# PNG files you can open in any image viewer:
#   examples/output/stretch.png   boundary colours stretched outward
#   examples/output/mirror.png    the picture reflected across the matte's edge
# Builds the bundle and the renderer first when they are missing (build folder: BUILD_DIR,
# default build). Pass --cuda to render with CUDA on a machine with an NVIDIA GPU.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out=${OUTPUT_DIR:-examples/output}
cuda=()
[ "${1:-}" = "--cuda" ] && cuda=(--cuda)

bundle="$build/edge_bleed.ofx.bundle"
renderer="$build/host/edge_bleed_render"
if [ ! -x "$renderer" ] || [ ! -f "$bundle/Contents/Linux-x86-64/edge_bleed.ofx" ]; then
  echo "== building the bundle and the renderer in $build =="
  scripts/install-deps.sh
  [ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja
  cmake --build "$build" --target edge_bleed_plugin edge_bleed_render -j "${JOBS:-$(nproc)}"
fi

# The inputs are in the repository; make them again only if they were removed.
if [ ! -f examples/source.png ] || [ ! -f examples/matte.png ]; then
  python3 examples/make_examples.py examples
fi

mkdir -p "$out"
for mode in Stretch Mirror; do
  name=$(echo "$mode" | tr 'A-Z' 'a-z')
  "$renderer" "$bundle" "${cuda[@]}" \
    --input Source=examples/source.png --input Matte=examples/matte.png \
    --set mode="$mode" --frame 1 --output "$out/$name.png"
done
echo "Open $out/stretch.png and $out/mirror.png next to examples/source.png to compare."
