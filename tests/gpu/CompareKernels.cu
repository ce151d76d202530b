#include "tests/gpu/CompareKernels.h"

__global__ void sampleAtKernel(int n, gpu::TextureObject tex, const float2* coords, float4* out) {
  sampleAtBody(blockIdx.x * blockDim.x + threadIdx.x, n, tex, coords, out);
}

__global__ void writePatternKernel(int width, int height, gpu::SurfaceObject surface) {
  writePatternBody(blockIdx.x * blockDim.x + threadIdx.x, blockIdx.y * blockDim.y + threadIdx.y, width, height, surface);
}

void launchSampleAtCuda(int n, gpu::TextureObject tex, const float2* coords, float4* out) {
  sampleAtKernel<<<(n + 255) / 256, 256>>>(n, tex, coords, out);
}

void launchWritePatternCuda(int width, int height, gpu::SurfaceObject surface) {
  writePatternKernel<<<dim3((width + 15) / 16, (height + 15) / 16), dim3(16, 16)>>>(width, height, surface);
}
