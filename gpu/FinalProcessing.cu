// The final blend pass on the GPU.

#include "gpu/FinalProcessingKernel.h"
#include "gpu/FinalProcessingLaunch.h"

__global__ void applyFinalProcessingKernel(unsigned long long outputSurface, unsigned long long sourceSurface,
                                           SystemParameters systemParameters) {
  const int x = blockIdx.x * blockDim.x + threadIdx.x;
  const int y = blockIdx.y * blockDim.y + threadIdx.y;
  finalProcessingPixel(x, y, outputSurface, sourceSurface, systemParameters);
}

namespace gpu {

void enqueueFinalProcessingCuda(Stream stream, dim3 grid, dim3 block, unsigned long long outputSurface,
                                unsigned long long sourceSurface, const SystemParameters& systemParameters) {
  applyFinalProcessingKernel<<<grid, block, 0, stream>>>(outputSurface, sourceSurface, systemParameters);
}

}  // namespace gpu

extern "C" void launchFinalProcessing(unsigned long long outputSurface, unsigned long long sourceSurface,
                                      const SystemParameters* systemParameters, int width, int height) {
  const dim3 block(16, 16, 1);
  const dim3 grid((static_cast<unsigned>(width) + 15) / 16, (static_cast<unsigned>(height) + 15) / 16, 1);
  applyFinalProcessingKernel<<<grid, block, 0, 0>>>(outputSurface, sourceSurface, *systemParameters);
}
