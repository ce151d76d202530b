#pragma once
// The final blend pass's per-pixel body, compiled for the GPU (FinalProcessing.cu) and for
// the host backend (FinalProcessingHost.cpp).

#include <cmath>

#include "gpu/KernelParameters.h"
#include "gpu/runtime/KernelAccess.h"

// Thread (x, y): read the effect pixel from the output surface; when globalBlend < 1 and a
// source surface exists, each colour channel becomes blend * effect + (1 - blend) * source
// (one fused multiply-add), alpha stays the effect's; write it back. A blend of 1 or more, or
// NaN, leaves the pixel unchanged. No clamping.
EB_HOST_DEVICE EB_FORCEINLINE void finalProcessingPixel(int x, int y, unsigned long long outputSurface,
                                                        unsigned long long sourceSurface,
                                                        const SystemParameters& params) {
  if (x >= params.width || y >= params.height) return;
  float4 effect = gpu::surfaceRead(outputSurface, x * 16, y);
  const float blend = params.globalBlend;
  if (blend < 1.0f && sourceSurface != 0) {
    const float4 source = gpu::surfaceRead(sourceSurface, x * 16, y);
    const float rest = 1.0f - blend;
    effect.x = fmaf(blend, effect.x, rest * source.x);
    effect.y = fmaf(blend, effect.y, rest * source.y);
    effect.z = fmaf(blend, effect.z, rest * source.z);
  }
  gpu::surfaceWrite(make_float4(effect.x, effect.y, effect.z, effect.w), outputSurface, x * 16, y);
}
