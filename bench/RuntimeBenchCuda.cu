#include "bench/FetchBody.h"
#include "bench/RuntimeBenchLaunch.h"

__global__ void nineFetchKernel(int width, int height, gpu::TextureObject tex, gpu::SurfaceObject out, float stepU,
                                float stepV) {
  nineFetchPixel(blockIdx.x * blockDim.x + threadIdx.x, blockIdx.y * blockDim.y + threadIdx.y, width, height, tex, out,
                 stepU, stepV);
}

void launchNineFetchCuda(dim3 grid, dim3 block, int width, int height, gpu::TextureObject tex, gpu::SurfaceObject out,
                         float stepU, float stepV) {
  nineFetchKernel<<<grid, block>>>(width, height, tex, out, stepU, stepV);
}
