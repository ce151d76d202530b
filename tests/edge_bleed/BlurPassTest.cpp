// The field blur: radii below 0.5, the tap weights for radii 1 and 3, the zero weight at
// t = 6, seedless taps and centres, both directions, edge clamping and unknown executions.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "effects/edge_bleed/jfa_blur_body.h"
#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using namespace kernel_rig;

constexpr int W = 24;
constexpr int H = 10;

// A seeded field with distinct values in every channel.
Image seededField() {
    Image field(W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            field.at(x, y) = make_float4(0.02f * x + 0.003f * y, 0.5f - 0.01f * y + 0.001f * x,
                                         static_cast<float>(x * x) - 3.0f * y, 0.2f + 0.03f * ((x + y) % 7));
        }
    }
    return field;
}

Image blur(KernelRig& rig, const Image& field, float radius, int execution) {
    DeviceImage input(rig.runtime(), W, H);
    input.upload(field);
    EffectSettings settings;
    settings.blurRadius = radius;
    return rig.runPass("jfa_blur.cu", makeSystemParameters(W, H, 1, execution, 2), frameSources(0, 0),
                       makeAnimatedParameters(settings), input.texture());
}

// The Gaussian the table approximates: exp(-(3i / r)^2), cut at t = |i| / sigma >= 6.
double idealWeight(int i, double radius) {
    const double t = std::fabs(static_cast<double>(i)) / (radius / 3.0);
    return t >= 6.0 ? 0.0 : std::exp(-t * t);
}

// The expected blurred texel at (x, y) with the ideal weights; taps beyond the edge read the
// edge texel, seedless taps are skipped.
float4 expectedBlur(const Image& field, int x, int y, float radius, int execution) {
    const int n = static_cast<int>(std::ceil(2.0f * radius));
    double sum[4] = {0, 0, 0, 0}, weights = 0.0;
    for (int i = -n; i <= n; ++i) {
        const int tx = execution == 0 ? std::min(std::max(x + i, 0), W - 1) : x;
        const int ty = execution == 1 ? std::min(std::max(y + i, 0), H - 1) : y;
        const float4 s = field.at(tx, ty);
        if (s.x < 0.0f) continue;
        const double w = idealWeight(i, radius);
        sum[0] += w * s.x;
        sum[1] += w * s.y;
        sum[2] += w * s.z;
        sum[3] += w * s.w;
        weights += w;
    }
    return make_float4(static_cast<float>(sum[0] / weights), static_cast<float>(sum[1] / weights),
                       static_cast<float>(sum[2] / weights), static_cast<float>(sum[3] / weights));
}

void expectNear(const float4& expected, const float4& actual, float tolerance, const std::string& where) {
    EXPECT_NEAR(expected.x, actual.x, tolerance) << where;
    EXPECT_NEAR(expected.y, actual.y, tolerance) << where;
    EXPECT_NEAR(expected.z, actual.z, tolerance * std::max(1.0f, std::fabs(expected.z))) << where;
    EXPECT_NEAR(expected.w, actual.w, tolerance) << where;
}

bool sameBits(const float4& a, const float4& b) { return std::memcmp(&a, &b, sizeof(float4)) == 0; }

TEST(BlurWeights, TableInterpolationAndCutOff) {
    struct Case {
        int i;
        float radius;
        double expected;
        double tolerance;
    };
    const Case cases[] = {
        {0, 1.0f, 1.0, 0.0},              // the centre always weighs exactly 1
        {1, 1.0f, 1.2379e-4, 1e-7},       // table position 127.5: halfway between entries 127 and 128
        {2, 1.0f, 0.0, 0.0},              // t = 6 exactly
        {-2, 1.0f, 0.0, 0.0},
        {1, 3.0f, std::exp(-1.0), 1e-4},  // close to 0.368
        {2, 3.0f, std::exp(-4.0), 1e-4},
        {6, 3.0f, 0.0, 0.0},              // t = 6 exactly
        {5, 3.0f, std::exp(-25.0), 1e-7},
    };
    for (const Case& c : cases) {
        const float w = edge_bleed::blurTapWeight(c.i, c.radius / 3.0f);
        EXPECT_NEAR(c.expected, w, c.tolerance) << "i=" << c.i << " r=" << c.radius;
    }
    EXPECT_EQ(0.0f, edge_bleed::blurTapWeight(2, 1.0f / 3.0f));
    EXPECT_EQ(0.0f, edge_bleed::blurTapWeight(6, 1.0f));
    EXPECT_EQ(1.0f, edge_bleed::blurTapWeight(0, 1.0f));
}

TEST(BlurPass, RadiusBelowHalfCopiesTheFieldInBothExecutions) {
    KernelRig rig(gpu::Backend::Host, W, H);
    Image field = seededField();
    field.at(3, 3) = make_float4(-2.0f, -2.0f, 1.0e10f, 0.5f);
    for (int execution : {0, 1}) {
        const Image out = blur(rig, field, 0.4f, execution);
        for (size_t i = 0; i < out.pixels.size(); ++i) {
            EXPECT_TRUE(sameBits(field.pixels[i], out.pixels[i])) << "execution " << execution << " pixel " << i;
        }
    }
}

struct BlurCase {
    float radius;
    int execution;
    float tolerance;
};

class BlurPassWeights : public ::testing::TestWithParam<BlurCase> {};

TEST_P(BlurPassWeights, EveryPixelIsTheWeightedMeanOfItsSeededTaps) {
    const BlurCase& c = GetParam();
    KernelRig rig(gpu::Backend::Host, W, H);
    Image field = seededField();
    // A few seedless texels: skipped as taps, passed through as centres.
    field.at(7, 4) = make_float4(-2.0f, -2.0f, 1.0e10f, 0.3f);
    field.at(7, 6) = make_float4(-2.0f, -2.0f, -1.0e10f, 0.3f);
    const Image out = blur(rig, field, c.radius, c.execution);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::string where = "r=" + std::to_string(c.radius) + " e=" + std::to_string(c.execution) +
                                      " at " + std::to_string(x) + "," + std::to_string(y);
            if (field.at(x, y).x < 0.0f) {
                EXPECT_TRUE(sameBits(field.at(x, y), out.at(x, y))) << where;
                continue;
            }
            expectNear(expectedBlur(field, x, y, c.radius, c.execution), out.at(x, y), c.tolerance, where);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RadiiAndDirections, BlurPassWeights,
                         ::testing::Values(BlurCase{1.0f, 0, 2e-5f}, BlurCase{1.0f, 1, 2e-5f},
                                           BlurCase{3.0f, 0, 2e-4f}, BlurCase{3.0f, 1, 2e-4f},
                                           BlurCase{2.2f, 0, 2e-4f}));

TEST(BlurPass, TapsAtTSixChangeNothing) {
    // r = 1: taps at +-2 sit at t = 6; r = 3: taps at +-6 do. Changing them leaves the result.
    for (float radius : {1.0f, 3.0f}) {
        const int edge = radius == 1.0f ? 2 : 6;
        KernelRig rig(gpu::Backend::Host, W, H);
        Image field = seededField();
        const Image before = blur(rig, field, radius, 0);
        field.at(12 - edge, 5).x += 0.4f;
        field.at(12 + edge, 5).z += 1000.0f;
        const Image after = blur(rig, field, radius, 0);
        EXPECT_TRUE(sameBits(before.at(12, 5), after.at(12, 5))) << "r=" << radius;
    }
}

TEST(BlurPass, SeedlessNeighboursNeverPullTheCentreTowardMinusTwo) {
    KernelRig rig(gpu::Backend::Host, W, H);
    Image field(W, H, make_float4(-2.0f, -2.0f, 1.0e10f, 1.0f));
    field.at(10, 5) = make_float4(0.4f, 0.6f, 3.0f, 0.9f);
    for (int execution : {0, 1}) {
        const Image out = blur(rig, field, 3.0f, execution);
        EXPECT_TRUE(sameBits(field.at(10, 5), out.at(10, 5))) << execution;
        EXPECT_TRUE(sameBits(field.at(11, 5), out.at(11, 5))) << execution;
    }
}

TEST(BlurPass, ExecutionsOtherThanZeroAndOneCopyTheField) {
    KernelRig rig(gpu::Backend::Host, W, H);
    const Image field = seededField();
    for (int execution : {2, -1}) {
        const Image out = blur(rig, field, 3.0f, execution);
        for (size_t i = 0; i < out.pixels.size(); ++i) {
            EXPECT_TRUE(sameBits(field.pixels[i], out.pixels[i])) << execution;
        }
    }
}

}  // namespace
