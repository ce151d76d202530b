#include "bench/FetchBody.h"
#include "bench/RuntimeBenchLaunch.h"
#include "gpu/runtime/HostRuntime.h"

void launchNineFetch(gpu::Runtime& runtime, int width, int height, gpu::TextureObject tex, gpu::SurfaceObject out,
                     float stepU, float stepV) {
  const dim3 block(16, 16);
  const dim3 grid((width + 15) / 16, (height + 15) / 16);
#if defined(EDGE_BLEED_HAS_CUDA)
  if (runtime.backend() == gpu::Backend::Cuda) {
    launchNineFetchCuda(grid, block, width, height, tex, out, stepU, stepV);
    return;
  }
#endif
  (void)static_cast<gpu::HostRuntime&>(runtime).launch(grid, block, nullptr, [=](int x, int y) {
    nineFetchPixel(x, y, width, height, tex, out, stepU, stepV);
  });
}
