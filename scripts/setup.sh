#!/usr/bin/env bash
# One-time set-up: installs the Debian packages the build needs (apt-get, as root or via sudo)
# and builds the plug-in bundle, the renderer and the tests in ./build (BUILD_DIR overrides).
# The CUDA backend is built when nvcc is found (PATH or /usr/local/cuda/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "${JOBS:-$(nproc)}"
echo "Built $build/edge_bleed.ofx.bundle and $build/host/edge_bleed_render."
