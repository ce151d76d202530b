#pragma once
// A synthetic per-pixel body shaped like the flood kernel's: nine texture reads around the
// pixel (the pixel itself and eight neighbours `step` texels away) and one surface write.
// With an integer step every read lies on a texel centre; with a fractional one every read
// needs the general bilinear fetch.

#include "gpu/runtime/KernelAccess.h"

EB_HOST_DEVICE EB_FORCEINLINE void nineFetchPixel(int x, int y, int width, int height, gpu::TextureObject tex,
                                                  gpu::SurfaceObject out, float stepU, float stepV) {
  if (x >= width || y >= height) return;
  const float u = (x + 0.5f) / width, v = (y + 0.5f) / height;
  float4 acc = gpu::sampleTexture(tex, u, v);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      if (dx == 0 && dy == 0) continue;
      const float cu = u + dx * stepU, cv = v + dy * stepV;
      if (cu < 0.0f || cu > 1.0f || cv < 0.0f || cv > 1.0f) continue;  // as the flood skips them
      const float4 s = gpu::sampleTexture(tex, cu, cv);
      acc.x += s.x;
      acc.y += s.y;
      acc.z = acc.z < s.z ? acc.z : s.z;
      acc.w += s.w;
    }
  gpu::surfaceWrite(acc, out, x * 16, y);
}
