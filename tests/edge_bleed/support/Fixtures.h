#pragma once
// Small image fixtures and texture-space helpers shared by the kernel tests.

#include <cmath>
#include <functional>

#include "tests/edge_bleed/support/KernelRig.h"

namespace kernel_rig {

// An image whose alpha is alpha(x, y) and whose colour is a gradient, so that tests can tell
// pixels apart.
inline Image makeImage(int width, int height, const std::function<float(int, int)>& alpha) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.at(x, y) = make_float4((x + 0.5f) / width, (y + 0.5f) / height, 0.25f, alpha(x, y));
        }
    }
    return image;
}

// Source alpha that differs per pixel, to check that the field carries it.
inline float sourceAlphaAt(int x, int y) { return 0.1f + 0.01f * static_cast<float>(x) + 0.001f * static_cast<float>(y); }

inline Image makeSource(int width, int height) { return makeImage(width, height, sourceAlphaAt); }

// Normalised coordinate of a pixel-space position, as the kernels compute it.
inline float texU(float px, int width) { return px / static_cast<float>(width); }

// Sources as the frame set-up passes them to every kernel: Source, Matte, effectOutput and the
// three process outputs.
inline SourceConnections frameSources(gpu::TextureObject source, gpu::TextureObject matte,
                                      gpu::TextureObject processOutput0 = 0, gpu::TextureObject processOutput1 = 0) {
    return makeSourceConnections({source, matte, 0, processOutput0, processOutput1, 0});
}

}  // namespace kernel_rig
