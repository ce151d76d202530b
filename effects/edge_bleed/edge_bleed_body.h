#pragma once
// Per-pixel body of edge_bleedKernel: the effect's image from the smoothed nearest-boundary
// field F (source 4) and the source image S (source 0).
//
// Result mode keeps the source inside the matte (when preserving), and elsewhere samples S
// around the nearest boundary point (Stretch) or around the pixel's reflection through it
// (Mirror), with a 3x3 binomial filter. The debug modes show the signed distance as grey or
// the seed coordinates as red and green.

#include "effects/edge_bleed/EdgeBleedTables.h"
#include "effects/edge_bleed/KernelBody.h"
#include "gpu/KernelParameters.h"

namespace edge_bleed {

constexpr int EXTEND_SOURCE_INDEX = 0;
constexpr int EXTEND_FIELD_INDEX = 4;  // pipeline output 1: the blurred field
constexpr int OUTPUT_MODE_DISTANCE_FIELD = 1;
constexpr int OUTPUT_MODE_SEED_UV = 2;
constexpr int EXTEND_MODE_STRETCH = 0;
constexpr float EXTEND_NO_LIMIT = 1.0e10f;

struct EdgeBleedPass {
    int width;
    int height;
    gpu::TextureObject source;
    gpu::TextureObject field;
    gpu::SurfaceObject output;
    int mode;          // 0 Stretch, anything else Mirror
    int outputMode;    // 1 distance field, 2 seed UV, anything else the result
    bool preserveInside;
    float du, dv;      // one pixel in texture space
    float greyScale;   // a tenth of the diagonal: the distance that saturates the grey
    float limit;       // beyond it an outside pixel is past the maximum distance
    TexelView sourceView, fieldView;  // host shortcuts for texel-centre reads
};

EB_KERNEL_BODY EdgeBleedPass makeEdgeBleedPass(const SystemParameters& sp, const SourceConnections& sc,
                                               gpu::SurfaceObject output, const AnimatedParameters& ap) {
    EdgeBleedPass p;
    p.width = sp.width;
    p.height = sp.height;
    p.source = sc.sources[EXTEND_SOURCE_INDEX].textureObject;
    p.field = sc.sources[EXTEND_FIELD_INDEX].textureObject;
    p.output = output;
    p.mode = ap.intValues[0];
    p.outputMode = ap.intValues[1];
    p.preserveInside = ap.boolValues[0] != 0;
    p.du = 1.0f / static_cast<float>(sp.width);
    p.dv = 1.0f / static_cast<float>(sp.height);
    const float diag = sqrtf(static_cast<float>(squaredDiagonal(sp.width, sp.height)));
    p.greyScale = diag * 0.1f;
    const float maxFraction = ap.floatValues[1];
    p.limit = maxFraction > 0.0f ? maxFraction * diag : EXTEND_NO_LIMIT;
    p.sourceView = TexelView{nullptr, 0};
    p.fieldView = TexelView{nullptr, 0};
    return p;
}

// 3x3 binomial filter of `texture` around (cu, cv): weights 1 2 1 / 2 4 2 / 1 2 1 over 16,
// taps one pixel apart with their coordinates clamped into [0, 1], each a filtered read.
EB_KERNEL_BODY float4 sampleBlurred(gpu::TextureObject texture, float cu, float cv, float du, float dv) {
    float4 sum = make_float4(0.0f, 0.0f, 0.0f, 0.0f);
    EB_UNROLL_ALL
    for (int j = -1; j <= 1; ++j) {
        const float tv = clamp01(cv + static_cast<float>(j) * dv);
        const float rowWeight = j == 0 ? 2.0f : 1.0f;
        EB_UNROLL_ALL
        for (int i = -1; i <= 1; ++i) {
            const float tu = clamp01(cu + static_cast<float>(i) * du);
            const float w = rowWeight * (i == 0 ? 2.0f : 1.0f);
            const float4 tap = sampleIfPresent(texture, tu, tv);
            sum.x += w * tap.x;
            sum.y += w * tap.y;
            sum.z += w * tap.z;
            sum.w += w * tap.w;
        }
    }
    return make_float4(sum.x * 0.0625f, sum.y * 0.0625f, sum.z * 0.0625f, sum.w * 0.0625f);
}

EB_KERNEL_BODY float4 edgeBleedResult(const EdgeBleedPass& p, float u, float v, float4 f, float4 sourcePixel) {
    // A NaN seed coordinate counts as no seed; a NaN distance as outside and within the limit.
    const bool hasSeed = f.x >= 0.0f;
    const bool inside = f.z < 0.0f;
    if (p.preserveInside && inside) {
        return sourcePixel;
    }
    if (!inside && fabsf(f.z) > p.limit) {
        return hasSeed ? sampleBlurred(p.source, f.x, f.y, p.du, p.dv) : make_float4(0.0f, 0.0f, 0.0f, 0.0f);
    }
    if (!hasSeed) {
        return sourcePixel;
    }
    if (p.mode == EXTEND_MODE_STRETCH) {
        return sampleBlurred(p.source, f.x, f.y, p.du, p.dv);
    }
    // Mirror: the pixel reflected through the seed point, clamped into the frame.
    return sampleBlurred(p.source, clamp01(2.0f * f.x - u), clamp01(2.0f * f.y - v), p.du, p.dv);
}

// One thread of edge_bleedKernel; threads outside the frame do nothing.
EB_KERNEL_BODY void edge_bleedPixel(const EdgeBleedPass& p, int x, int y) {
    if (x >= p.width || y >= p.height) {
        return;
    }
    const float u = pixelCentre(x, p.width);
    const float v = pixelCentre(y, p.height);
    const float4 f = readFieldCentre(p.fieldView, p.field, x, y, u, v);
    const float4 sourcePixel = readCentre(p.sourceView, p.source, x, y, u, v);

    float4 result;
    if (p.outputMode == OUTPUT_MODE_DISTANCE_FIELD) {
        const float g = clamp01(fmaf(f.z / p.greyScale, 0.5f, 0.5f));
        result = make_float4(g, g, g, f.w);
    } else if (p.outputMode == OUTPUT_MODE_SEED_UV) {
        result = f.x >= 0.0f ? make_float4(f.x, f.y, 0.0f, f.w) : make_float4(0.0f, 0.0f, 0.0f, f.w);
    } else {
        result = edgeBleedResult(p, u, v, f, sourcePixel);
    }
    gpu::surfaceWrite(result, p.output, x * 16, y);
}

}  // namespace edge_bleed
