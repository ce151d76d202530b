#pragma once
// Per-pixel body of jfa_blurKernel: one direction of a separable Gaussian over the
// jump-flood field. Execution 0 blurs horizontally, execution 1 vertically.
//
// All four channels are averaged, but only over taps that hold a seed (R >= 0), so seedless
// texels never pull coordinates toward -2. A tap i pixels away weighs GAUSSIAN_LUT at
// t = |i| / sigma (sigma = r / 3), interpolated, and nothing from t = 6 on; the window is
// ceil(2r) pixels each side. A radius below 0.5 copies the field unchanged.

#include "effects/edge_bleed/EdgeBleedTables.h"
#include "effects/edge_bleed/KernelBody.h"
#include "gpu/KernelParameters.h"

namespace edge_bleed {

constexpr float BLUR_MIN_RADIUS = 0.5f;
constexpr float BLUR_LUT_SCALE = 42.5f;  // table entries per unit of t
constexpr float BLUR_MAX_T = 6.0f;
constexpr float BLUR_MIN_WEIGHT_SUM = 0.001f;
// Bounds the tap loop for radii far beyond the parameter's range (30), so that the loop
// counter cannot overflow; radii up to 32768 pixels are unaffected.
constexpr int BLUR_MAX_HALF_WIDTH = 65536;

struct JfaBlurPass {
    int width;
    int height;
    gpu::TextureObject field;
    gpu::SurfaceObject output;
    bool copyOnly;    // radius below 0.5: no blur in either execution
    int direction;    // 0 horizontal, 1 vertical, anything else: copy seeded texels unchanged
    int halfWidth;    // n: taps run from -n to n
    float sigma;
    float du, dv;     // one pixel in texture space
    // Optional table of blurTapWeight(i, sigma) for i = 0..halfWidth, filled once per launch
    // by the host launcher; null on the GPU, where each thread computes its weights.
    const float* weights;
    TexelView fieldView;  // host shortcut for texel-centre reads
};

// Largest half-width whose weights the host launcher tabulates (radius 30 needs 60).
constexpr int BLUR_TABLE_HALF_WIDTH = 64;

EB_KERNEL_BODY JfaBlurPass makeJfaBlurPass(const SystemParameters& sp, gpu::TextureObject input,
                                           gpu::SurfaceObject output, const AnimatedParameters& ap) {
    JfaBlurPass p;
    p.width = sp.width;
    p.height = sp.height;
    p.field = input;
    p.output = output;
    const float radius = ap.floatValues[2];
    p.copyOnly = radius < BLUR_MIN_RADIUS;
    p.direction = sp.currentExecution;
    p.halfWidth = truncToInt(ceilf(radius + radius));
    if (p.halfWidth > BLUR_MAX_HALF_WIDTH) {
        p.halfWidth = BLUR_MAX_HALF_WIDTH;
    }
    p.sigma = radius / 3.0f;
    p.du = 1.0f / static_cast<float>(sp.width);
    p.dv = 1.0f / static_cast<float>(sp.height);
    p.weights = nullptr;
    p.fieldView = TexelView{nullptr, 0};
    return p;
}

// Weight of a tap i pixels from the centre.
EB_KERNEL_BODY float blurTapWeight(int i, float sigma) {
    const float t = fabsf(static_cast<float>(i)) / sigma;
    if (t >= BLUR_MAX_T) {
        return 0.0f;
    }
    const float k = t * BLUR_LUT_SCALE;
    const int j = truncToInt(k);
    if (j > 254) {
        return 0.0f;
    }
    return fmaf(k - static_cast<float>(j), GAUSSIAN_LUT[j + 1] - GAUSSIAN_LUT[j], GAUSSIAN_LUT[j]);
}

// One thread of jfa_blurKernel; threads outside the frame do nothing.
EB_KERNEL_BODY void jfa_blurPixel(const JfaBlurPass& p, int x, int y) {
    if (x >= p.width || y >= p.height) {
        return;
    }
    const float u = pixelCentre(x, p.width);
    const float v = pixelCentre(y, p.height);
    const float4 centre = readFieldCentre(p.fieldView, p.field, x, y, u, v);
    if (p.copyOnly || centre.x < 0.0f || (p.direction != 0 && p.direction != 1)) {
        gpu::surfaceWrite(centre, p.output, x * 16, y);
        return;
    }

    float4 sum = make_float4(0.0f, 0.0f, 0.0f, 0.0f);
    float weightSum = 0.0f;
    for (int i = -p.halfWidth; i <= p.halfWidth; ++i) {
        const float tu = p.direction == 0 ? fmaf(static_cast<float>(i), p.du, u) : u;
        const float tv = p.direction == 1 ? fmaf(static_cast<float>(i), p.dv, v) : v;
        // Taps inside the frame fall on texel centres; beyond its edge the texture clamps.
        const int tx = p.direction == 0 ? x + i : x;
        const int ty = p.direction == 1 ? y + i : y;
        const bool inFrame = tx >= 0 && tx < p.width && ty >= 0 && ty < p.height;
        const float4 tap =
            inFrame ? readFieldCentre(p.fieldView, p.field, tx, ty, tu, tv) : sampleField(p.field, tu, tv);
        if (tap.x < 0.0f) {
            continue;  // seedless taps add neither value nor weight
        }
        const float w = p.weights != nullptr ? p.weights[i < 0 ? -i : i] : blurTapWeight(i, p.sigma);
        sum.x = fmaf(w, tap.x, sum.x);
        sum.y = fmaf(w, tap.y, sum.y);
        sum.z = fmaf(w, tap.z, sum.z);
        sum.w = fmaf(w, tap.w, sum.w);
        weightSum += w;
    }

    if (weightSum < BLUR_MIN_WEIGHT_SUM) {
        gpu::surfaceWrite(centre, p.output, x * 16, y);
        return;
    }
    gpu::surfaceWrite(
        make_float4(sum.x / weightSum, sum.y / weightSum, sum.z / weightSum, sum.w / weightSum), p.output,
        x * 16, y);
}

}  // namespace edge_bleed
