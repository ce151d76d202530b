// The final blend pass on the host backend, and the dispatch between backends.

#include "gpu/FinalProcessingKernel.h"
#include "gpu/FinalProcessingLaunch.h"
#include "gpu/runtime/HostRuntime.h"

namespace gpu {

void enqueueFinalProcessing(Runtime& runtime, Stream stream, dim3 grid, dim3 block, unsigned long long outputSurface,
                            unsigned long long sourceSurface, const SystemParameters& systemParameters) {
#if defined(EDGE_BLEED_HAS_CUDA)
  if (runtime.backend() == Backend::Cuda) {
    enqueueFinalProcessingCuda(stream, grid, block, outputSurface, sourceSurface, systemParameters);
    return;
  }
#endif
  if (runtime.backend() != Backend::Host) return;
  const SystemParameters params = systemParameters;  // by value, as the kernel receives it
  (void)static_cast<HostRuntime&>(runtime).launch(grid, block, stream, [&](int x, int y) {
    finalProcessingPixel(x, y, outputSurface, sourceSurface, params);
  });
}

}  // namespace gpu

#if !defined(EDGE_BLEED_HAS_CUDA)
extern "C" void launchFinalProcessing(unsigned long long outputSurface, unsigned long long sourceSurface,
                                      const SystemParameters* systemParameters, int width, int height) {
  const dim3 block(16, 16, 1);
  const dim3 grid((static_cast<unsigned>(width) + 15) / 16, (static_cast<unsigned>(height) + 15) / 16, 1);
  gpu::enqueueFinalProcessing(gpu::hostRuntime(), nullptr, grid, block, outputSurface, sourceSurface,
                              *systemParameters);
}
#endif
