// The jump flood's seed pass (execution 0): where seeds go, their sign, and what pixels
// without a boundary neighbour hold.

#include <gtest/gtest.h>

#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"
#include "tests/support/LogCapture.h"

namespace {

using namespace kernel_rig;
using testsupport::LogCapture;

// Runs only the seed pass over the given matte.
Image seedPass(KernelRig& rig, const Image& matte, float threshold) {
    rig.uploadInputs(makeSource(rig.width(), rig.height()), matte);
    EffectSettings settings;
    settings.threshold = threshold;
    return rig.runPass("jfa_core.cu", makeSystemParameters(rig.width(), rig.height(), 0, 0, 13),
                       frameSources(rig.sourceTexture(), rig.matteTexture()), makeAnimatedParameters(settings), 0);
}

constexpr int W = 20;
constexpr int H = 6;

TEST(SeedPass, HardVerticalEdgeSeedsBothSidesAtTheMidpoint) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const Image field = seedPass(rig, makeImage(W, H, [](int x, int) { return x <= 9 ? 1.0f : 0.0f; }), 0.5f);
    for (int y = 0; y < H; ++y) {
        // Row 0 has no lower neighbours in the frame: the seed comes from the horizontal pair.
        const float seedV = y == 0 ? 0.5f : static_cast<float>(y);
        for (int x : {9, 10}) {
            const float4 t = field.at(x, y);
            EXPECT_NEAR(texU(10.0f, W), t.x, 1e-6f) << x << "," << y;
            EXPECT_NEAR(texU(seedV, H), t.y, 1e-6f) << x << "," << y;
            EXPECT_EQ(x == 9 ? -0.001f : 0.001f, t.z) << x << "," << y;
            EXPECT_EQ(sourceAlphaAt(x, y), t.w);
        }
    }
}

TEST(SeedPass, PixelsAwayFromTheBoundaryHoldNoSeed) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const Image field = seedPass(rig, makeImage(W, H, [](int x, int) { return x <= 9 ? 1.0f : 0.0f; }), 0.5f);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (x == 9 || x == 10) continue;
            const float4 t = field.at(x, y);
            EXPECT_EQ(-2.0f, t.x);
            EXPECT_EQ(-2.0f, t.y);
            EXPECT_EQ(x < 9 ? -1.0e10f : 1.0e10f, t.z) << x << "," << y;
            EXPECT_EQ(sourceAlphaAt(x, y), t.w);
        }
    }
}

TEST(SeedPass, AlphaEqualToTheThresholdCountsAsInside) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const Image field = seedPass(rig, makeImage(W, H, [](int x, int) { return x <= 4 ? 0.5f : 0.25f; }), 0.5f);
    EXPECT_LT(field.at(4, 3).z, 0.0f);
    EXPECT_GT(field.at(5, 3).z, 0.0f);
    EXPECT_EQ(-1.0e10f, field.at(0, 3).z);
    EXPECT_EQ(1.0e10f, field.at(15, 3).z);
}

struct RampCase {
    const char* what;
    float inside, outside;  // matte alphas of pixel (5, 3) and of every other pixel
    bool interpolated;
};

TEST(SeedPass, SeedsInterpolateAlongTheRampUnlessTheAlphasNearlyAgree) {
    const RampCase cases[] = {
        {"difference 0.0008: no interpolation", 0.5004f, 0.4996f, false},
        {"difference 0.001 or less: no interpolation", 0.50049f, 0.49951f, false},
        {"difference 0.002: midpoint", 0.501f, 0.499f, true},
        {"hard step: crossing at the threshold", 1.0f, 0.0f, true},
    };
    for (const RampCase& c : cases) {
        KernelRig rig(gpu::Backend::Host, 12, 8);
        const Image matte = makeImage(12, 8, [&](int x, int y) { return x == 5 && y == 3 ? c.inside : c.outside; });
        const Image field = seedPass(rig, matte, 0.5f);
        // Pixel (5, 3) finds (4, 2) first; pixel (4, 2) finds (5, 3) last in table order.
        const float4 centre = field.at(5, 3);
        const float4 neighbour = field.at(4, 2);
        if (c.interpolated) {
            const float s = (0.5f - c.inside) / (c.outside - c.inside);
            EXPECT_NEAR(texU(5.5f - s, 12), centre.x, 1e-6f) << c.what;
            EXPECT_NEAR(texU(3.5f - s, 8), centre.y, 1e-6f) << c.what;
            EXPECT_NEAR(texU(5.5f - s, 12), neighbour.x, 1e-6f) << c.what;
        } else {
            EXPECT_EQ(texU(5.5f, 12), centre.x) << c.what;
            EXPECT_EQ(texU(3.5f, 8), centre.y) << c.what;
            EXPECT_EQ(texU(4.5f, 12), neighbour.x) << c.what;
            EXPECT_EQ(texU(2.5f, 8), neighbour.y) << c.what;
        }
        EXPECT_EQ(-0.001f, centre.z) << c.what;
        EXPECT_EQ(0.001f, neighbour.z) << c.what;
    }
}

TEST(SeedPass, UniformMattesHaveNoBoundary) {
    for (float alpha : {1.0f, 0.0f}) {
        KernelRig rig(gpu::Backend::Host, 9, 7);
        const Image field = seedPass(rig, makeImage(9, 7, [&](int, int) { return alpha; }), 0.5f);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 9; ++x) {
                EXPECT_EQ(-2.0f, field.at(x, y).x);
                EXPECT_EQ(alpha > 0.5f ? -1.0e10f : 1.0e10f, field.at(x, y).z);
            }
        }
    }
}

TEST(SeedPass, EveryPixelOfAnOddSizedFrameIsWrittenAndNothingBeyond) {
    // 17 x 17 launches a 2 x 2 grid of 16 x 16 blocks; threads past row or column 16 do nothing
    // (the host runtime would report a write outside the array as an illegal address).
    LogCapture log;
    KernelRig rig(gpu::Backend::Host, 17, 17);
    const Image field = seedPass(rig, makeImage(17, 17, [](int x, int y) { return x + y < 17 ? 1.0f : 0.0f; }), 0.5f);
    for (const float4& t : field.pixels) {
        EXPECT_NE(-7.0f, t.x);
    }
    EXPECT_TRUE(log.contains("✅ Kernel pass 0 completed successfully"));
    EXPECT_FALSE(log.contains("EXECUTION error"));
}

}  // namespace
