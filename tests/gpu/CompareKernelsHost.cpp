#include "gpu/runtime/HostRuntime.h"
#include "tests/gpu/CompareKernels.h"

void launchSampleAt(gpu::Runtime& runtime, int n, gpu::TextureObject tex, const float2* coords, float4* out) {
#if defined(EDGE_BLEED_HAS_CUDA)
  if (runtime.backend() == gpu::Backend::Cuda) return launchSampleAtCuda(n, tex, coords, out);
#endif
  (void)static_cast<gpu::HostRuntime&>(runtime).launch(dim3((n + 255) / 256), dim3(256), nullptr,
                                                       [&](int x, int) { sampleAtBody(x, n, tex, coords, out); });
}

void launchWritePattern(gpu::Runtime& runtime, int width, int height, gpu::SurfaceObject surface) {
#if defined(EDGE_BLEED_HAS_CUDA)
  if (runtime.backend() == gpu::Backend::Cuda) return launchWritePatternCuda(width, height, surface);
#endif
  (void)static_cast<gpu::HostRuntime&>(runtime).launch(
      dim3((width + 15) / 16, (height + 15) / 16), dim3(16, 16), nullptr,
      [&](int x, int y) { writePatternBody(x, y, width, height, surface); });
}
