// The jump flood against a brute-force reference: for every pixel, the distance to the truly
// nearest seed of the seed pass. The flood is an approximation; the test prints how often it
// misses by more than half a pixel and asserts only what the algorithm guarantees:
//   - every stored seed is one of the seed pass's seeds;
//   - a stored distance is never shorter than the true nearest distance;
//   - the sign follows the matte and the carried alpha is the source's.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <utility>

#include "effects/edge_bleed/EdgeBleedTables.h"
#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using namespace kernel_rig;

struct ReferenceCase {
    const char* name;
    int width, height;
    int executions;  // seed pass + flood passes
    int lastStep;    // the step of the last flood pass, to show the shape of the sequence
    std::function<float(int, int)> matte;
};

float randomMatte(int x, int y) {
    // A fixed hash: reproducible noise without global state.
    unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h % 1000u) < 80u ? 1.0f : 0.0f;  // sparse islands
}

float twoBlobs(int x, int y) {
    const float a = std::hypot(x + 0.5f - 30.0f, y + 0.5f - 20.0f);
    const float b = std::hypot(x + 0.5f - 80.0f, y + 0.5f - 45.0f);
    return (a < 12.0f || b < 7.5f) ? 1.0f : 0.0f;
}

float softRing(int x, int y) {
    const float r = std::hypot(x + 0.5f - 48.0f, y + 0.5f - 30.0f);
    return 0.5f + 0.5f * std::cos(r * 0.35f);  // smooth alpha ramps, many boundaries
}

float diagonalBand(int x, int y) { return std::abs(x - 2 * y) < 9 ? 0.9f : 0.1f; }

class FloodReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(FloodReference, StoredDistancesAreNeverBelowTheTrueNearestSeed) {
    const ReferenceCase& c = GetParam();
    ASSERT_EQ(c.lastStep, getJFAStepSize(c.width, c.height, c.executions - 1));

    KernelRig rig(gpu::Backend::Host, c.width, c.height);
    const Image matte = makeImage(c.width, c.height, c.matte);
    rig.uploadInputs(makeSource(c.width, c.height), matte);
    EffectSettings settings;
    Image seedField, field;
    rig.runKernel("jfa_core.cu", c.executions, 0, frameSources(rig.sourceTexture(), rig.matteTexture()),
                  makeAnimatedParameters(settings), [&](int pass, const Image& image) {
                      if (pass == 0) seedField = image;
                      field = image;
                  });

    std::vector<std::pair<float, float>> seeds;
    std::set<std::pair<float, float>> seedSet;
    for (const float4& t : seedField.pixels) {
        if (t.x >= 0.0f) {
            seeds.emplace_back(t.x, t.y);
            seedSet.emplace(t.x, t.y);
        }
    }
    ASSERT_FALSE(seeds.empty()) << "the fixture must have a boundary";

    int offByMoreThanHalf = 0, unreached = 0, measured = 0;
    double worst = 0.0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const float4 t = field.at(x, y);
            EXPECT_EQ(matte.at(x, y).w >= settings.threshold, t.z < 0.0f) << x << "," << y;
            EXPECT_EQ(sourceAlphaAt(x, y), t.w);
            if (t.x < 0.0f) {
                ++unreached;
                continue;
            }
            EXPECT_TRUE(seedSet.count({t.x, t.y})) << "seed not from the seed pass at " << x << "," << y;
            if (std::fabs(t.z) == 0.001f) continue;  // seed pixels store a token distance
            const double px = x + 0.5, py = y + 0.5;
            double nearest = 1e30;
            for (const auto& s : seeds) {
                const double dx = px - s.first * c.width, dy = py - s.second * c.height;
                nearest = std::min(nearest, dx * dx + dy * dy);
            }
            nearest = std::sqrt(nearest);
            const double stored = std::fabs(t.z);
            EXPECT_GE(stored, nearest - 1e-3) << x << "," << y;
            ++measured;
            worst = std::max(worst, stored - nearest);
            if (stored - nearest > 0.5) ++offByMoreThanHalf;
        }
    }
    std::printf("[flood vs brute force] %-14s %4dx%-4d %2d executions (last step %d): %.3f%% of %d measured "
                "pixels off by > 0.5 px, worst %.2f px, %d unreached\n",
                c.name, c.width, c.height, c.executions, c.lastStep,
                measured ? 100.0 * offByMoreThanHalf / measured : 0.0, measured, worst, unreached);
}

// Sizes whose flood ends at a step of 1 (as 1920 x 1080 does) and at 2 (as 3840 x 2160 does):
// 120 x 68 has diagonal 137, so 8 executions end at 2 and 9 at 1, the tail of both sequences.
INSTANTIATE_TEST_SUITE_P(
    Mattes, FloodReference,
    ::testing::Values(ReferenceCase{"random", 120, 68, 9, 1, randomMatte},
                      ReferenceCase{"random", 120, 68, 8, 2, randomMatte},
                      ReferenceCase{"two blobs", 120, 68, 9, 1, twoBlobs},
                      ReferenceCase{"two blobs", 120, 68, 8, 2, twoBlobs},
                      ReferenceCase{"soft rings", 97, 61, 13, 1, softRing},
                      ReferenceCase{"diagonal band", 64, 48, 8, 1, diagonalBand},
                      ReferenceCase{"two blobs", 160, 90, 13, 1, twoBlobs}),
    [](const ::testing::TestParamInfo<ReferenceCase>& info) {
        std::string name = std::string(info.param.name) + "_" + std::to_string(info.param.width) + "x" +
                           std::to_string(info.param.height) + "_e" + std::to_string(info.param.executions);
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

}  // namespace
