#pragma once
// Per-pixel body of jfa_coreKernel: the jump-flood nearest-boundary field.
//
// Execution 0 places seeds where the matte's alpha crosses the threshold between a pixel and
// its first neighbour (in jfa_offsets order) on the other side, interpolated along the alpha
// ramp. Executions 1 and later propagate the nearest seed with a jump that halves every
// execution (getJFAStepSize).
//
// Field texel written by every pass: (seed U, seed V, signed distance in pixels, source alpha).
// No seed known: U = V = -2 and distance +-1e10. Inside (matte alpha >= threshold) is negative.
//
// The values that are the same for every pixel of a pass are gathered once in JfaCorePass:
// the CUDA kernel builds it per thread, the host launcher once per launch; either way the
// per-pixel code below is the same.

#include "effects/edge_bleed/EdgeBleedTables.h"
#include "effects/edge_bleed/KernelBody.h"
#include "gpu/KernelParameters.h"

namespace edge_bleed {

constexpr int JFA_SOURCE_INDEX = 0;  // its alpha is carried in the field
constexpr int JFA_MATTE_INDEX = 1;   // decides inside and outside
constexpr float JFA_NO_SEED = -2.0f;
constexpr float JFA_FAR = 1.0e10f;
constexpr float JFA_SEED_DISTANCE = 0.001f;
constexpr float JFA_MIN_ALPHA_STEP = 0.001f;

struct JfaCorePass {
    int width;
    int height;
    bool seedPass;                // execution 0
    gpu::TextureObject source;   // source 0
    gpu::TextureObject matte;    // source 1
    gpu::TextureObject field;    // the previous pass's field (flood passes)
    gpu::SurfaceObject output;
    float threshold;
    float fwidth, fheight;
    float du, dv;                // one pixel in texture space
    float su, sv;                // one jump in texture space
    float maxDistance;           // 0: no cap
    int step;                    // the jump in pixels
    TexelView sourceView, matteView, fieldView;  // host shortcuts for texel-centre reads
};

EB_KERNEL_BODY JfaCorePass makeJfaCorePass(const SystemParameters& sp, gpu::TextureObject input,
                                           const SourceConnections& sc, gpu::SurfaceObject output,
                                           const AnimatedParameters& ap) {
    JfaCorePass p;
    p.width = sp.width;
    p.height = sp.height;
    p.seedPass = sp.currentExecution == 0;
    p.source = sc.sources[JFA_SOURCE_INDEX].textureObject;
    p.matte = sc.sources[JFA_MATTE_INDEX].textureObject;
    p.field = input;
    p.output = output;
    p.threshold = ap.floatValues[0];
    p.fwidth = static_cast<float>(sp.width);
    p.fheight = static_cast<float>(sp.height);
    p.du = 1.0f / p.fwidth;
    p.dv = 1.0f / p.fheight;
    p.step = getJFAStepSize(sp.width, sp.height, sp.currentExecution);
    p.su = p.du * static_cast<float>(p.step);
    p.sv = p.dv * static_cast<float>(p.step);
    p.sourceView = TexelView{nullptr, 0};
    p.matteView = TexelView{nullptr, 0};
    p.fieldView = TexelView{nullptr, 0};
    // The cap uses the exact float diagonal, not getDiagonal's truncated one.
    const float maxFraction = ap.floatValues[1];
    p.maxDistance = maxFraction > 0.0f
                        ? maxFraction * sqrtf(static_cast<float>(squaredDiagonal(sp.width, sp.height)))
                        : 0.0f;
    return p;
}

EB_KERNEL_BODY void jfaSeedPixel(const JfaCorePass& p, int x, int y) {
    const float u = pixelCentre(x, p.width);
    const float v = pixelCentre(y, p.height);
    const float centreAlpha = readCentre(p.matteView, p.matte, x, y, u, v).w;
    const float sourceAlpha = readCentre(p.sourceView, p.source, x, y, u, v).w;
    const bool inside = centreAlpha >= p.threshold;

    EB_UNROLL_ALL
    for (int k = 0; k < 8; ++k) {
        const float nu = fmaf(static_cast<float>(jfa_offsets[k][0]), p.du, u);
        const float nv = fmaf(static_cast<float>(jfa_offsets[k][1]), p.dv, v);
        if (nu < 0.0f || nu > 1.0f || nv < 0.0f || nv > 1.0f) {
            continue;
        }
        const float neighbourAlpha =
            readCentre(p.matteView, p.matte, x + jfa_offsets[k][0], y + jfa_offsets[k][1], nu, nv).w;
        if ((neighbourAlpha >= p.threshold) == inside) {
            continue;
        }
        // The first neighbour across the boundary: seed where the alpha ramp between the two
        // pixel centres crosses the threshold; on a flat ramp, at the pixel itself.
        float seedU = u;
        float seedV = v;
        const float delta = neighbourAlpha - centreAlpha;
        if (fabsf(delta) > JFA_MIN_ALPHA_STEP) {
            const float s = fminf(fmaxf((p.threshold - centreAlpha) / delta, 0.0f), 1.0f);
            seedU = fmaf(nu - u, s, u);
            seedV = fmaf(nv - v, s, v);
        }
        gpu::surfaceWrite(make_float4(seedU, seedV, inside ? -JFA_SEED_DISTANCE : JFA_SEED_DISTANCE, sourceAlpha),
                          p.output, x * 16, y);
        return;
    }
    gpu::surfaceWrite(make_float4(JFA_NO_SEED, JFA_NO_SEED, inside ? -JFA_FAR : JFA_FAR, sourceAlpha), p.output,
                      x * 16, y);
}

// A bound B with: squared >= B implies sqrtf(squared) >= best. best * best rounded, widened
// by 2^-20, lies above best^2 despite both roundings, so the exact root exceeds best and
// rounds to no less. Where best * best could underflow (best below 1e-18, which distances of
// seeds on a pixel grid never are) the bound is infinite and every candidate is measured.
EB_KERNEL_BODY float squaredBound(float best) {
    return best > 1.0e-18f ? best * best * 1.00000095f : INFINITY;
}

EB_KERNEL_BODY void jfaFloodPixel(const JfaCorePass& p, int x, int y) {
    const float u = pixelCentre(x, p.width);
    const float v = pixelCentre(y, p.height);
    const bool inside = readCentre(p.matteView, p.matte, x, y, u, v).w >= p.threshold;
    const float4 own = readFieldCentre(p.fieldView, p.field, x, y, u, v);
    float best = fabsf(own.z);
    float seedU = own.x;
    float seedV = own.y;
    float bestSquaredBound = squaredBound(best);

    EB_UNROLL_ALL
    for (int k = 0; k < 8; ++k) {
        const float cu = u + p.su * static_cast<float>(jfa_offsets[k][0]);
        const float cv = v + p.sv * static_cast<float>(jfa_offsets[k][1]);
        if (cu < 0.0f || cu > 1.0f || cv < 0.0f || cv > 1.0f) {
            continue;
        }
        const float4 candidate = readFieldCentre(p.fieldView, p.field, x + p.step * jfa_offsets[k][0],
                                                 y + p.step * jfa_offsets[k][1], cu, cv);
        if (candidate.x < 0.0f) {
            continue;  // no seed known there
        }
        const float ex = (u - candidate.x) * p.fwidth;
        const float ey = (v - candidate.y) * p.fheight;
        const float squared = ex * ex + ey * ey;
        // A candidate whose squared distance reaches bestSquaredBound cannot be nearer (see
        // below): skipping its square root changes no result and saves most of them.
        if (!(squared < bestSquaredBound)) {
            continue;
        }
        const float dist = sqrtf(squared);
        // Strictly nearer only: the pixel's own seed, then the earliest offset, wins ties.
        if (dist < best) {
            best = dist;
            seedU = candidate.x;
            seedV = candidate.y;
            bestSquaredBound = squaredBound(best);
        }
    }

    float distance = inside ? -best : best;
    if (p.maxDistance > 0.0f && best > p.maxDistance) {
        distance = inside ? -p.maxDistance : p.maxDistance;
    }
    gpu::surfaceWrite(make_float4(seedU, seedV, distance, own.w), p.output, x * 16, y);
}

// One thread of jfa_coreKernel; threads outside the frame do nothing.
EB_KERNEL_BODY void jfa_corePixel(const JfaCorePass& p, int x, int y) {
    if (x >= p.width || y >= p.height) {
        return;
    }
    if (p.seedPass) {
        jfaSeedPixel(p, x, y);
    } else {
        jfaFloodPixel(p, x, y);
    }
}

}  // namespace edge_bleed
