#pragma once
// Texture and surface access for kernel bodies, written once and compiled twice:
//   - by nvcc for the GPU: the CUDA intrinsics tex2D<float4>, surf2Dread, surf2Dwrite;
//   - by g++ (or nvcc's host pass) for the host backend: the host objects of HostObjects.h,
//     reached directly through the 64-bit handle (the handle is the object's address).
//
// A kernel body therefore looks like:
//
//   EB_HOST_DEVICE EB_FORCEINLINE void myKernelBody(int x, int y, const SystemParameters& sp,
//                                                  gpu::TextureObject in, gpu::SurfaceObject out) {
//     if (x >= sp.width || y >= sp.height) return;
//     const float u = (x + 0.5f) / sp.width, v = (y + 0.5f) / sp.height;
//     float4 c = gpu::sampleTexture(in, u, v);
//     gpu::surfaceWrite(c, out, x * 16, y);
//   }
//
// and is called from a __global__ wrapper (CUDA) and from gpu::hostLaunch (HostLaunch.h).
//
// Semantics on the host backend (matching CUDA):
//   - coordinates are normalised (0..1 across the texture) or in texels, as the texture
//     object was created; texel (i, j) has its centre at ((i + 0.5) / width, (j + 0.5) / height)
//     normalised, or (i + 0.5, j + 0.5) unnormalised;
//   - linear filtering blends the four nearest texels with weights in steps of 1/256;
//     a read on a texel centre returns that texel exactly, and costs one load;
//   - address modes clamp, wrap, mirror (normalised coordinates only, as in CUDA) and
//     border (zero outside);
//   - values are returned as stored (element-type reads of four 32-bit floats).
//   - a texture handle of 0 reads (0, 0, 0, 0) on the host backend (on a GPU it is invalid).
//   - surface access outside the array, or through a 0 handle, does nothing (reads give 0)
//     and makes the launch fail at the next stream synchronisation with "an illegal memory
//     access was encountered", as CUDA's trapping surface accesses do.

#include "gpu/runtime/DeviceTypes.h"
#include "gpu/runtime/HostObjects.h"

namespace gpu {

// Samples a texture object at (u, v) and returns its four channels (R, G, B, A).
EB_HOST_DEVICE EB_FORCEINLINE float4 sampleTexture(TextureObject tex, float u, float v) {
#if EB_DEVICE_PASS
  return tex2D<float4>(tex, u, v);
#else
  return host::sample(reinterpret_cast<const host::TextureObject*>(static_cast<__UINTPTR_TYPE__>(tex)), u, v);
#endif
}

// Writes one float4 element of a surface object at byte offset xBytes (x * 16 for float4
// pixels) in row y.
EB_HOST_DEVICE EB_FORCEINLINE void surfaceWrite(float4 value, SurfaceObject surf, int xBytes, int y) {
#if EB_DEVICE_PASS
  surf2Dwrite(value, surf, xBytes, y);
#else
  host::surfaceWrite(reinterpret_cast<host::SurfaceObject*>(static_cast<__UINTPTR_TYPE__>(surf)), value, xBytes, y);
#endif
}

// Reads one float4 element of a surface object at byte offset xBytes in row y (unfiltered).
EB_HOST_DEVICE EB_FORCEINLINE float4 surfaceRead(SurfaceObject surf, int xBytes, int y) {
#if EB_DEVICE_PASS
  float4 r;
  surf2Dread(&r, surf, xBytes, y);
  return r;
#else
  return host::surfaceRead(reinterpret_cast<const host::SurfaceObject*>(static_cast<__UINTPTR_TYPE__>(surf)), xBytes, y);
#endif
}

// Texture and surface handles arrive in launchers as void* (see DeviceTypes.h).
EB_HOST_DEVICE EB_FORCEINLINE TextureObject textureFromPointer(const void* p) { return handleFromPointer(p); }
EB_HOST_DEVICE EB_FORCEINLINE SurfaceObject surfaceFromPointer(const void* p) { return handleFromPointer(p); }

}  // namespace gpu
