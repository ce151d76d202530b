#pragma once
// Launching the final blend pass on either backend.

#include "gpu/runtime/Runtime.h"

struct SystemParameters;

// Enqueues applyFinalProcessingKernel on the default stream with 16 x 16 blocks over
// width x height, checking nothing. Kept for callers outside the render path. On a build
// without the CUDA backend it runs the pass on the host backend.
extern "C" void launchFinalProcessing(unsigned long long outputSurface, unsigned long long sourceSurface,
                                      const SystemParameters* systemParameters, int width, int height);

namespace gpu {

// Launches the pass on `runtime` with the given geometry and stream. Launch errors are left
// in the runtime's last error and execution errors show at the next synchronisation, as with
// any CUDA launch.
void enqueueFinalProcessing(Runtime& runtime, Stream stream, dim3 grid, dim3 block, unsigned long long outputSurface,
                            unsigned long long sourceSurface, const SystemParameters& systemParameters);

#if defined(EDGE_BLEED_HAS_CUDA)
// The CUDA launch (FinalProcessing.cu).
void enqueueFinalProcessingCuda(Stream stream, dim3 grid, dim3 block, unsigned long long outputSurface,
                                unsigned long long sourceSurface, const SystemParameters& systemParameters);
#endif

}  // namespace gpu
