#pragma once
// Host launchers only: when may a kernel read a texture's texels directly instead of through
// the emulated texture unit, with the same result?
//
// The bodies read the field and the matte at texel centres computed in single precision:
// (x + 0.5) / W, plus a jump of (1 / W) * step, or one fused multiply-add for a neighbour.
// Together these stay within 2^-22 of the exact centre. The texture unit turns the coordinate
// into 1/256-texel fixed point (coordinate * W * 256 - 128, rounded): for W up to 4096 the
// coordinate error is at most 0.25 of a step, the product and the shift add at most 1/8, so
// the rounding lands exactly on the centre and bilinear filtering returns that one texel.
// The view is therefore given only for linear-filtered, normalised textures of exactly the
// frame's size with both sides at most 4096; otherwise the bodies sample as usual.

#include "effects/edge_bleed/KernelBody.h"
#include "gpu/runtime/HostObjects.h"

namespace edge_bleed {

constexpr int TEXEL_VIEW_MAX_SIZE = 4096;

inline TexelView makeTexelView(gpu::TextureObject handle, int width, int height) {
    const TexelView none{nullptr, 0};
    if (handle == 0 || width <= 0 || height <= 0 || width > TEXEL_VIEW_MAX_SIZE || height > TEXEL_VIEW_MAX_SIZE) {
        return none;
    }
    const auto* texture = reinterpret_cast<const gpu::host::TextureObject*>(static_cast<uintptr_t>(handle));
    if (texture->filter != gpu::FilterMode::Linear || texture->width != width || texture->height != height ||
        texture->fixedScaleX != 256.0f * static_cast<float>(width) ||
        texture->fixedScaleY != 256.0f * static_cast<float>(height) || texture->base == nullptr) {
        return none;
    }
    return TexelView{texture->base, texture->pitch};
}

}  // namespace edge_bleed
