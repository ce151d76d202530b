#pragma once
// What the three launchers share, on both backends: the choice of the working image (the
// texture a kernel receives as its input), the diagnostics they log, and the launch geometry.

#include "gpu/KernelParameters.h"
#include "gpu/runtime/DeviceTypes.h"

namespace edge_bleed {

// Inputs of the Edge Bleed definition ("Source", "Matte"): source N of SourceConnections is
// "effectOutput" and source N + 1 + k is pipeline output k.
constexpr int EDGE_BLEED_NUM_INPUTS = 2;
constexpr unsigned LAUNCH_BLOCK_SIZE = 16;

// The texture handle a pass works on:
//   1. the input texture, when the pass has one;
//   2. a repeated execution of a process: its own previous output (source pipeline + N + 1);
//   3. a repeated effect execution: "effectOutput" (source N);
//   4. a later pipeline: the previous pipeline's output (source pipeline + N), else source 0;
//   5. the first pipeline: source 0.
// Indices outside the connected sources give 0.
unsigned long long chooseWorkingImage(const SystemParameters& systemParameters,
                                      const SourceConnections& sourceConnections, const void* inputTexture,
                                      int numInputs);

// The launcher diagnostics, at LOG_ERROR: one line with the hierarchy position, the chosen
// working texture, numInputs and sourceCount, then one line per source entry.
void logWorkingImage(const char* launcherName, const SystemParameters& systemParameters,
                     const SourceConnections& sourceConnections, unsigned long long workingImageTex,
                     int numInputs);

// Blocks of 16 x 16 x 1 threads.
inline dim3 launchBlock() { return dim3(LAUNCH_BLOCK_SIZE, LAUNCH_BLOCK_SIZE, 1); }

// ((width + 15) / 16) x ((height + 15) / 16) x 1 blocks, in unsigned arithmetic as CUDA's
// dim3 takes them: a frame without pixels gives an empty grid, which the runtime refuses.
inline dim3 launchGrid(const SystemParameters& systemParameters) {
    const unsigned w = static_cast<unsigned>(systemParameters.width);
    const unsigned h = static_cast<unsigned>(systemParameters.height);
    return dim3((w + LAUNCH_BLOCK_SIZE - 1) / LAUNCH_BLOCK_SIZE, (h + LAUNCH_BLOCK_SIZE - 1) / LAUNCH_BLOCK_SIZE, 1);
}

}  // namespace edge_bleed
