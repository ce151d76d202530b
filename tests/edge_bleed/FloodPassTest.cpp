// The jump flood's propagation passes: mattes without a boundary, the first (empty) jump, the
// distance cap, and the properties every pass keeps.

#include <gtest/gtest.h>

#include <cmath>

#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using namespace kernel_rig;

const char* const kJfa = "jfa_core.cu";

struct FloodRun {
    std::vector<Image> passes;  // the field after every execution
};

FloodRun flood(KernelRig& rig, const Image& matte, const EffectSettings& settings, int executions) {
    rig.uploadInputs(makeSource(rig.width(), rig.height()), matte);
    FloodRun run;
    rig.runKernel(kJfa, executions, 0, frameSources(rig.sourceTexture(), rig.matteTexture()),
                  makeAnimatedParameters(settings), [&](int, const Image& image) { run.passes.push_back(image); });
    return run;
}

Image disc(int width, int height, float cx, float cy, float radius) {
    return makeImage(width, height, [=](int x, int y) {
        const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
        return dx * dx + dy * dy <= radius * radius ? 1.0f : 0.0f;
    });
}

TEST(FloodPass, UniformMattesEndWithoutSeeds) {
    struct Case {
        float alpha;
        float maxDistance;
        float expectedDistance;
    };
    const float diag = std::sqrt(24.0f * 24.0f + 16.0f * 16.0f);
    const Case cases[] = {{1.0f, 0.0f, -1.0e10f},
                          {0.0f, 0.0f, 1.0e10f},
                          {1.0f, 0.25f, -0.25f * diag},
                          {0.0f, 0.25f, 0.25f * diag}};
    for (const Case& c : cases) {
        KernelRig rig(gpu::Backend::Host, 24, 16);
        EffectSettings settings;
        settings.maxDistance = c.maxDistance;
        const FloodRun run = flood(rig, makeImage(24, 16, [&](int, int) { return c.alpha; }), settings, 13);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 24; ++x) {
                const float4 t = run.passes.back().at(x, y);
                EXPECT_EQ(-2.0f, t.x);
                EXPECT_EQ(-2.0f, t.y);
                EXPECT_FLOAT_EQ(c.expectedDistance, t.z) << "alpha " << c.alpha << " cap " << c.maxDistance;
                EXPECT_EQ(sourceAlphaAt(x, y), t.w);
            }
        }
    }
}

TEST(FloodPass, FirstJumpFindsNoCandidateAndOnlyReappliesSignAndCap) {
    for (float maxDistance : {0.0f, 0.05f}) {
        KernelRig rig(gpu::Backend::Host, 40, 30);
        EffectSettings settings;
        settings.maxDistance = maxDistance;
        const FloodRun run = flood(rig, disc(40, 30, 20.0f, 15.0f, 8.0f), settings, 2);
        const float cap = maxDistance * std::sqrt(40.0f * 40.0f + 30.0f * 30.0f);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const float4 seed = run.passes[0].at(x, y);
                const float4 first = run.passes[1].at(x, y);
                EXPECT_EQ(seed.x, first.x);
                EXPECT_EQ(seed.y, first.y);
                EXPECT_EQ(seed.w, first.w);
                float expected = seed.z;
                if (cap > 0.0f && std::fabs(expected) > cap) expected = expected < 0.0f ? -cap : cap;
                EXPECT_EQ(expected, first.z) << x << "," << y;
            }
        }
    }
}

TEST(FloodPass, MaxDistanceCapsEveryStoredDistance) {
    KernelRig rig(gpu::Backend::Host, 100, 100);
    EffectSettings settings;
    settings.maxDistance = 0.1f;
    const FloodRun run = flood(rig, disc(100, 100, 30.0f, 40.0f, 12.0f), settings, 13);
    const float cap = 0.1f * std::sqrt(20000.0f);  // about 14.14 pixels
    int capped = 0;
    for (const float4& t : run.passes.back().pixels) {
        EXPECT_LE(std::fabs(t.z), cap);
        if (std::fabs(t.z) == cap) ++capped;
    }
    EXPECT_GT(capped, 0);  // the disc is small enough for far pixels to hit the cap
}

TEST(FloodPass, DistancesNeverGrowAndSeedsAreNeverLost) {
    KernelRig rig(gpu::Backend::Host, 64, 40);
    EffectSettings settings;
    const Image matte = makeImage(64, 40, [](int x, int y) { return ((x * 7 + y * 13) % 23) < 4 ? 1.0f : 0.0f; });
    const FloodRun run = flood(rig, matte, settings, 13);
    for (size_t pass = 1; pass < run.passes.size(); ++pass) {
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 64; ++x) {
                const float4 before = run.passes[pass - 1].at(x, y);
                const float4 after = run.passes[pass].at(x, y);
                EXPECT_LE(std::fabs(after.z), std::fabs(before.z)) << "pass " << pass << " at " << x << "," << y;
                if (before.x >= 0.0f) {
                    EXPECT_GE(after.x, 0.0f) << "pass " << pass << " at " << x << "," << y;
                }
                EXPECT_EQ(before.w, after.w);
            }
        }
    }
}

TEST(FloodPass, SignFollowsTheMatteAndDistanceIsMeasuredToTheStoredSeed) {
    KernelRig rig(gpu::Backend::Host, 48, 32);
    EffectSettings settings;
    settings.threshold = 0.3f;
    const Image matte = disc(48, 32, 17.0f, 20.0f, 9.5f);
    const FloodRun run = flood(rig, matte, settings, 13);
    const Image& field = run.passes.back();
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 48; ++x) {
            const float4 t = field.at(x, y);
            const bool inside = matte.at(x, y).w >= settings.threshold;
            EXPECT_EQ(inside, t.z < 0.0f) << x << "," << y;
            if (t.x < 0.0f) continue;  // not reached by any seed: nothing to measure
            if (std::fabs(t.z) == 0.001f) continue;  // a seed pixel keeps its seed-pass distance
            const float ex = ((x + 0.5f) / 48.0f - t.x) * 48.0f;
            const float ey = ((y + 0.5f) / 32.0f - t.y) * 32.0f;
            EXPECT_FLOAT_EQ(std::sqrt(ex * ex + ey * ey), std::fabs(t.z)) << x << "," << y;
        }
    }
}

}  // namespace
