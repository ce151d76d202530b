// Whole frames through the three kernels, as the frame set-up runs them: 13 flood passes, two
// blur passes and the extend pass, each process reading the previous one's output buffer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using namespace kernel_rig;

constexpr int W = 40;
constexpr int H = 24;
constexpr int EDGE = 10;  // matte alpha 1 for x < EDGE

Image gradientSource() {
    Image source(W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            source.at(x, y) = make_float4((x + 0.5f) / W, 0.3f, 0.6f, 1.0f);
        }
    }
    return source;
}

Image verticalEdgeMatte() {
    return makeImage(W, H, [](int x, int) { return x < EDGE ? 1.0f : 0.0f; });
}

TEST(FramePipeline, MattesWithoutBoundaryGiveTheSourceBack) {
    const Image source = makeSource(W, H);
    for (float alpha : {0.0f, 1.0f}) {
        for (float maxDistance : {0.0f, 0.3f}) {
            KernelRig rig(gpu::Backend::Host, W, H);
            EffectSettings settings;
            settings.maxDistance = maxDistance;
            const KernelRig::Frame frame =
                rig.runFrame(source, makeImage(W, H, [&](int, int) { return alpha; }), settings);
            for (size_t i = 0; i < source.pixels.size(); ++i) {
                EXPECT_EQ(0, std::memcmp(&source.pixels[i], &frame.output.pixels[i], sizeof(float4)))
                    << "alpha " << alpha << " cap " << maxDistance << " pixel " << i;
            }
        }
    }
}

TEST(FramePipeline, DefaultsKeepInsideAndStretchTheBoundaryColourOutward) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const Image source = gradientSource();
    const KernelRig::Frame frame = rig.runFrame(source, verticalEdgeMatte(), EffectSettings());
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < EDGE; ++x) {
            EXPECT_EQ(0, std::memcmp(&source.at(x, y), &frame.output.at(x, y), sizeof(float4))) << x << "," << y;
        }
        // Every outside pixel of a row samples around the same boundary point x = 10, where the
        // gradient reads 10 / W.
        for (int x = EDGE; x < W; ++x) {
            EXPECT_NEAR(static_cast<float>(EDGE) / W, frame.output.at(x, y).x, 1e-4f) << x << "," << y;
            EXPECT_NEAR(0.3f, frame.output.at(x, y).y, 1e-6f);
            EXPECT_NEAR(1.0f, frame.output.at(x, y).w, 1e-6f);
        }
    }
}

TEST(FramePipeline, MirrorReflectsTheSourceAcrossTheBoundary) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const Image source = gradientSource();
    EffectSettings settings;
    settings.mode = 1;
    const KernelRig::Frame frame = rig.runFrame(source, verticalEdgeMatte(), settings);
    for (int y = 1; y < H - 1; ++y) {
        // Pixel EDGE + k mirrors to EDGE - 1 - k; the binomial filter of a linear ramp is the
        // ramp itself away from the frame edge.
        for (int k = 0; k + 2 <= EDGE - 1; ++k) {
            EXPECT_NEAR(source.at(EDGE - 1 - k, y).x, frame.output.at(EDGE + k, y).x, 1e-4f) << k << "," << y;
        }
    }
}

TEST(FramePipeline, DistanceFieldOutputGrowsOutwardAndIsHalfGreyAtTheBoundary) {
    KernelRig rig(gpu::Backend::Host, W, H);
    EffectSettings settings;
    settings.outputMode = 1;
    const KernelRig::Frame frame = rig.runFrame(gradientSource(), verticalEdgeMatte(), settings);
    const float greyScale = 0.1f * std::sqrt(static_cast<float>(W * W + H * H));
    for (int y = 2; y < H - 2; ++y) {
        for (int x = 0; x < W; ++x) {
            // Seed pixels on both sides of the boundary store a token distance of 0.001;
            // the others the distance from their centre to the boundary line x = 10.
            const bool seedPixel = x == EDGE - 1 || x == EDGE;
            const float distance = seedPixel ? (x < EDGE ? -0.001f : 0.001f) : x + 0.5f - EDGE;
            const float expected = std::min(std::max(distance / greyScale * 0.5f + 0.5f, 0.0f), 1.0f);
            EXPECT_NEAR(expected, frame.output.at(x, y).x, 0.02f) << x << "," << y;
        }
    }
}

TEST(FramePipeline, BlurLeavesAStraightEdgeFieldWhereItWas) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const KernelRig::Frame frame = rig.runFrame(gradientSource(), verticalEdgeMatte(), EffectSettings());
    for (int y = 1; y < H - 1; ++y) {
        for (int x = 0; x < W; ++x) {
            EXPECT_NEAR(static_cast<float>(EDGE) / W, frame.blurred.at(x, y).x, 1e-6f) << x << "," << y;
        }
    }
}

}  // namespace
