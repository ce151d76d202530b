#pragma once
// Bodies run on both backends by the CUDA comparison tests, and their launchers.

#include "gpu/runtime/KernelAccess.h"
#include "gpu/runtime/Runtime.h"

// out[i] = the texture read at coords[i] (coordinates precomputed on the host, so both
// backends sample at bit-identical positions).
EB_HOST_DEVICE EB_FORCEINLINE void sampleAtBody(int i, int n, gpu::TextureObject tex, const float2* coords,
                                                float4* out) {
  if (i >= n) return;
  out[i] = gpu::sampleTexture(tex, coords[i].x, coords[i].y);
}

// Writes (x, y, x * y, 1) through the surface at every pixel of width x height.
EB_HOST_DEVICE EB_FORCEINLINE void writePatternBody(int x, int y, int width, int height, gpu::SurfaceObject surface) {
  if (x >= width || y >= height) return;
  gpu::surfaceWrite(make_float4(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x * y), 1.0f), surface,
                    x * 16, y);
}

// Launch on `runtime` (host or CUDA); errors are left in the runtime's last error.
void launchSampleAt(gpu::Runtime& runtime, int n, gpu::TextureObject tex, const float2* coords, float4* out);
void launchWritePattern(gpu::Runtime& runtime, int width, int height, gpu::SurfaceObject surface);

#if defined(EDGE_BLEED_HAS_CUDA)
void launchSampleAtCuda(int n, gpu::TextureObject tex, const float2* coords, float4* out);
void launchWritePatternCuda(int width, int height, gpu::SurfaceObject surface);
#endif
