#pragma once
// Launching the synthetic nine-fetch body on either backend.

#include "gpu/runtime/Runtime.h"

void launchNineFetch(gpu::Runtime& runtime, int width, int height, gpu::TextureObject tex, gpu::SurfaceObject out,
                     float stepU, float stepV);

#if defined(EDGE_BLEED_HAS_CUDA)
void launchNineFetchCuda(dim3 grid, dim3 block, int width, int height, gpu::TextureObject tex, gpu::SurfaceObject out,
                         float stepU, float stepV);
#endif
