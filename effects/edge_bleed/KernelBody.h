#pragma once
// Qualifiers and small helpers for per-pixel code that is written once and compiled into both
// backends.
//
// EB_KERNEL_BODY marks a per-pixel body or helper: a device function under nvcc, an inline
// host function under g++. The CUDA units are built with fused multiply-add contraction off,
// and g++ never contracts in ISO C++ mode, so every fused multiply-add in the bodies is written
// out with fmaf and both backends round identically.
//
// EB_CONSTANT_TABLE gives each including unit its own copy of a constant table: device
// constant memory under nvcc, a plain constant array on the host.

#include <cmath>

#include "gpu/runtime/KernelAccess.h"

// EB_UNROLL_ALL unrolls a loop with a constant trip count, so table offsets become
// immediates; it changes no result.
#if defined(__CUDACC__)
#define EB_KERNEL_BODY __device__ __forceinline__
#define EB_CONSTANT_TABLE static __constant__ const
#define EB_UNROLL_ALL _Pragma("unroll")
#else
#define EB_KERNEL_BODY inline __attribute__((always_inline))
#define EB_CONSTANT_TABLE static constexpr
#define EB_UNROLL_ALL _Pragma("GCC unroll 8")
#endif

namespace edge_bleed {

// Float to int toward zero as the GPU converts: NaN gives 0 and out-of-range values saturate,
// so the host never meets an undefined conversion.
EB_KERNEL_BODY int truncToInt(float v) {
    if (!(v == v)) {
        return 0;
    }
    if (v >= 2147483648.0f) {
        return 2147483647;
    }
    if (v <= -2147483648.0f) {
        return -2147483647 - 1;
    }
    return static_cast<int>(v);
}

// Limits to [0, 1]; NaN gives 0 (fmaxf prefers the number).
EB_KERNEL_BODY float clamp01(float v) { return fminf(fmaxf(v, 0.0f), 1.0f); }

// Squared frame diagonal in 32-bit integers; the products wrap like the GPU's arithmetic
// instead of overflowing.
EB_KERNEL_BODY int squaredDiagonal(int width, int height) {
    const unsigned w = static_cast<unsigned>(width);
    const unsigned h = static_cast<unsigned>(height);
    return static_cast<int>(w * w + h * h);
}

// Samples a source that may be missing: a handle of 0 (an input whose texture could not be
// created) reads as transparent black on both backends and never reaches the texture unit.
EB_KERNEL_BODY float4 sampleIfPresent(gpu::TextureObject texture, float u, float v) {
    if (texture == 0) {
        return make_float4(0.0f, 0.0f, 0.0f, 0.0f);
    }
    return gpu::sampleTexture(texture, u, v);
}

// A direct view of the texels of a texture whose size is the frame's, for reads that land on
// texel centres. Only the host launchers fill it (HostTexelView.h), where they can prove that
// the texture unit would return exactly that texel; on the GPU it stays empty and every read
// goes through the texture unit.
struct TexelView {
    const unsigned char* base;
    size_t pitch;
};

// The texel (ix, iy), which the caller knows to be the one centred at (u, v).
EB_KERNEL_BODY float4 readCentre(const TexelView& view, gpu::TextureObject texture, int ix, int iy, float u,
                                 float v) {
#if !EB_DEVICE_PASS
    if (view.base != nullptr) {
        return gpu::host::loadTexel(view.base + static_cast<size_t>(iy) * view.pitch + static_cast<size_t>(ix) * 16u);
    }
#endif
    (void)ix;
    (void)iy;
    return sampleIfPresent(texture, u, v);
}

// What a field read returns when the field itself is missing (handle 0, a process output that
// could not be connected): a texel that knows no seed, at distance 0. Reading zeros instead
// would look like a seed at the frame's corner and paint every pixel with the corner colour;
// with this texel the later passes keep the source pixel.
EB_KERNEL_BODY float4 missingFieldTexel() { return make_float4(-2.0f, -2.0f, 0.0f, 0.0f); }

EB_KERNEL_BODY float4 readFieldCentre(const TexelView& view, gpu::TextureObject field, int ix, int iy, float u,
                                      float v) {
    return field == 0 ? missingFieldTexel() : readCentre(view, field, ix, iy, u, v);
}

EB_KERNEL_BODY float4 sampleField(gpu::TextureObject field, float u, float v) {
    return field == 0 ? missingFieldTexel() : gpu::sampleTexture(field, u, v);
}

// Texture-space centre of pixel (x, y): ((x + 0.5) / W, (y + 0.5) / H), correctly rounded.
EB_KERNEL_BODY float pixelCentre(int x, int size) {
    return (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
}

}  // namespace edge_bleed
