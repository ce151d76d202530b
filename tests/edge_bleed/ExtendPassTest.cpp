// The extend kernel: every output mode and extend mode, preserving the inside, the distance
// limit, mirror clamping, and not-a-number fields.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using namespace kernel_rig;

constexpr int W = 16;
constexpr int H = 12;
const float kDiag = std::sqrt(static_cast<float>(W * W + H * H));  // 20
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// A source whose colour differs per pixel in every channel.
Image colourfulSource() {
    Image source(W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            source.at(x, y) = make_float4(0.05f * x, 0.07f * y, 0.3f + 0.01f * (x ^ y), 0.5f + 0.02f * x - 0.01f * y);
        }
    }
    return source;
}

float centreU(int x) { return (x + 0.5f) / W; }
float centreV(int y) { return (y + 0.5f) / H; }

// The 3 x 3 binomial filter of the source around texel (sx, sy); with the centre on a texel
// centre every tap is one too, and taps past the edge read the edge texel.
float4 binomial(const Image& source, int sx, int sy) {
    float4 sum = make_float4(0, 0, 0, 0);
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const float w = (j == 0 ? 2.0f : 1.0f) * (i == 0 ? 2.0f : 1.0f) / 16.0f;
            const float4 s = source.at(std::min(std::max(sx + i, 0), W - 1), std::min(std::max(sy + j, 0), H - 1));
            sum.x += w * s.x;
            sum.y += w * s.y;
            sum.z += w * s.z;
            sum.w += w * s.w;
        }
    }
    return sum;
}

// Bilinear read with clamp addressing at normalised (u, v), for taps off texel centres.
float4 bilinear(const Image& image, float u, float v) {
    const double x = static_cast<double>(u) * W - 0.5, y = static_cast<double>(v) * H - 0.5;
    const int i = static_cast<int>(std::floor(x)), j = static_cast<int>(std::floor(y));
    const double a = x - i, b = y - j;
    auto texel = [&](int tx, int ty) {
        return image.at(std::min(std::max(tx, 0), W - 1), std::min(std::max(ty, 0), H - 1));
    };
    auto mix = [&](float t00, float t10, float t01, float t11) {
        return static_cast<float>((1 - b) * ((1 - a) * t00 + a * t10) + b * ((1 - a) * t01 + a * t11));
    };
    const float4 p = texel(i, j), q = texel(i + 1, j), r = texel(i, j + 1), t = texel(i + 1, j + 1);
    return make_float4(mix(p.x, q.x, r.x, t.x), mix(p.y, q.y, r.y, t.y), mix(p.z, q.z, r.z, t.z),
                       mix(p.w, q.w, r.w, t.w));
}

// The 3 x 3 binomial filter around any point, taps clamped into [0, 1].
float4 binomialAt(const Image& source, float cu, float cv) {
    float4 sum = make_float4(0, 0, 0, 0);
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const float w = (j == 0 ? 2.0f : 1.0f) * (i == 0 ? 2.0f : 1.0f) / 16.0f;
            const float4 s = bilinear(source, std::min(std::max(cu + i / static_cast<float>(W), 0.0f), 1.0f),
                                      std::min(std::max(cv + j / static_cast<float>(H), 0.0f), 1.0f));
            sum.x += w * s.x;
            sum.y += w * s.y;
            sum.z += w * s.z;
            sum.w += w * s.w;
        }
    }
    return sum;
}

Image extend(const Image& source, const Image& field, const EffectSettings& settings) {
    KernelRig rig(gpu::Backend::Host, W, H);
    rig.uploadInputs(source, Image(W, H));
    DeviceImage fieldImage(rig.runtime(), W, H);
    fieldImage.upload(field);
    return rig.runPass("edge_bleed.cu", makeSystemParameters(W, H, 2, 0, 1),
                       frameSources(rig.sourceTexture(), rig.matteTexture(), 0, fieldImage.texture()),
                       makeAnimatedParameters(settings), 0);
}

void expectNear(const float4& expected, const float4& actual, const std::string& what) {
    EXPECT_NEAR(expected.x, actual.x, 1e-5f) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-5f) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-5f) << what;
    EXPECT_NEAR(expected.w, actual.w, 1e-5f) << what;
}

// One pixel (PX, PY) of the frame gets a chosen field texel; the rest hold no seed.
constexpr int PX = 9;
constexpr int PY = 5;

struct ExtendCase {
    const char* what;
    EffectSettings settings;
    float4 field;  // at (PX, PY)
    // expected output at (PX, PY) from the source
    std::function<float4(const Image& source)> expected;
};

EffectSettings settingsWith(int mode, int outputMode, bool preserve, float maxDistance = 0.0f) {
    EffectSettings s;
    s.mode = mode;
    s.outputMode = outputMode;
    s.preserveInside = preserve;
    s.maxDistance = maxDistance;
    return s;
}

class ExtendCases : public ::testing::TestWithParam<ExtendCase> {};

TEST_P(ExtendCases, PixelResult) {
    const ExtendCase& c = GetParam();
    const Image source = colourfulSource();
    Image field(W, H, make_float4(-2.0f, -2.0f, 1.0e10f, 0.0f));
    field.at(PX, PY) = c.field;
    const Image out = extend(source, field, c.settings);
    expectNear(c.expected(source), out.at(PX, PY), c.what);
}

const float4 kSeedAt3x2 = make_float4(centreU(3), centreV(2), 4.0f, 0.6f);  // outside, 4 px away

INSTANTIATE_TEST_SUITE_P(
    Modes, ExtendCases,
    ::testing::Values(
        ExtendCase{"distance field: boundary is half grey", settingsWith(0, 1, true),
                   make_float4(0.3f, 0.3f, 0.0f, 0.7f), [](const Image&) { return make_float4(0.5f, 0.5f, 0.5f, 0.7f); }},
        ExtendCase{"distance field: minus a tenth of the diagonal is black", settingsWith(0, 1, true),
                   make_float4(0.3f, 0.3f, -0.1f * kDiag, 0.7f),
                   [](const Image&) { return make_float4(0.0f, 0.0f, 0.0f, 0.7f); }},
        ExtendCase{"distance field: saturates white", settingsWith(0, 1, true),
                   make_float4(0.3f, 0.3f, 5.0f * kDiag, 0.7f),
                   [](const Image&) { return make_float4(1.0f, 1.0f, 1.0f, 0.7f); }},
        ExtendCase{"distance field: a twentieth of the diagonal is three quarters", settingsWith(0, 1, true),
                   make_float4(-2.0f, -2.0f, 0.05f * kDiag, 0.7f),
                   [](const Image&) { return make_float4(0.75f, 0.75f, 0.75f, 0.7f); }},
        ExtendCase{"seed UV with a seed", settingsWith(0, 2, true), make_float4(0.25f, 0.75f, 3.0f, 0.4f),
                   [](const Image&) { return make_float4(0.25f, 0.75f, 0.0f, 0.4f); }},
        ExtendCase{"seed UV without a seed", settingsWith(0, 2, true), make_float4(-2.0f, -2.0f, 3.0f, 0.4f),
                   [](const Image&) { return make_float4(0.0f, 0.0f, 0.0f, 0.4f); }},
        ExtendCase{"result: inside is preserved", settingsWith(0, 0, true),
                   make_float4(centreU(3), centreV(2), -4.0f, 0.6f), [](const Image& s) { return s.at(PX, PY); }},
        ExtendCase{"result: stretch samples around the seed", settingsWith(0, 0, true), kSeedAt3x2,
                   [](const Image& s) { return binomial(s, 3, 2); }},
        ExtendCase{"result: mirror samples around the reflection", settingsWith(1, 0, true), kSeedAt3x2,
                   // (9.5, 5.5) reflected through (3.5, 2.5) gives (-2.5, -0.5): clamped to the corner,
                   // where the taps fall between texels
                   [](const Image& s) { return binomialAt(s, 0.0f, 0.0f); }},
        ExtendCase{"result: mirror inside the frame", settingsWith(1, 0, true),
                   make_float4(centreU(7), centreV(4), 2.0f, 0.6f), [](const Image& s) { return binomial(s, 5, 3); }},
        ExtendCase{"output mode 5 is the result", settingsWith(0, 5, true), kSeedAt3x2,
                   [](const Image& s) { return binomial(s, 3, 2); }},
        ExtendCase{"mode 7 is mirror", settingsWith(7, 0, true), make_float4(centreU(7), centreV(4), 2.0f, 0.6f),
                   [](const Image& s) { return binomial(s, 5, 3); }},
        ExtendCase{"inside without preserving: stretch", settingsWith(0, 0, false),
                   make_float4(centreU(3), centreV(2), -4.0f, 0.6f), [](const Image& s) { return binomial(s, 3, 2); }},
        ExtendCase{"inside without preserving: mirror", settingsWith(1, 0, false),
                   make_float4(centreU(7), centreV(4), -2.0f, 0.6f), [](const Image& s) { return binomial(s, 5, 3); }},
        ExtendCase{"outside without a seed keeps the source", settingsWith(0, 0, true),
                   make_float4(-2.0f, -2.0f, 1.0e10f, 0.6f), [](const Image& s) { return s.at(PX, PY); }},
        ExtendCase{"beyond the limit with a seed: stretch even in mirror mode", settingsWith(1, 0, true, 0.1f),
                   make_float4(centreU(3), centreV(2), 2.5f, 0.6f), [](const Image& s) { return binomial(s, 3, 2); }},
        ExtendCase{"beyond the limit without a seed: transparent black", settingsWith(0, 0, true, 0.1f),
                   make_float4(-2.0f, -2.0f, 2.5f, 0.6f), [](const Image&) { return make_float4(0, 0, 0, 0); }},
        ExtendCase{"at the limit is within it", settingsWith(1, 0, true, 0.1f),
                   make_float4(centreU(7), centreV(4), 2.0f, 0.6f), [](const Image& s) { return binomial(s, 5, 3); }},
        ExtendCase{"NaN seed counts as no seed", settingsWith(0, 0, true), make_float4(kNaN, 0.5f, 3.0f, 0.6f),
                   [](const Image& s) { return s.at(PX, PY); }},
        ExtendCase{"NaN distance: outside and within the limit", settingsWith(0, 0, true, 0.1f),
                   make_float4(centreU(3), centreV(2), kNaN, 0.6f), [](const Image& s) { return binomial(s, 3, 2); }}));

TEST(ExtendPass, NoSeedAnywhereGivesTheSourceInResultMode) {
    const Image source = colourfulSource();
    for (float maxDistance : {0.0f, 0.2f}) {
        for (float distance : {1.0e10f, -1.0e10f, 0.2f * kDiag}) {
            const Image field(W, H, make_float4(-2.0f, -2.0f, distance, 0.5f));
            const Image out = extend(source, field, settingsWith(0, 0, true, maxDistance));
            for (size_t i = 0; i < out.pixels.size(); ++i) {
                if (maxDistance > 0.0f && distance == 1.0e10f) {
                    // beyond the limit without a seed
                    expectNear(make_float4(0, 0, 0, 0), out.pixels[i], "beyond the limit");
                } else {
                    expectNear(source.pixels[i], out.pixels[i], "no seed");
                }
            }
        }
    }
}

}  // namespace

namespace {

TEST(MissingField, ReadsAsNoSeedSoEveryKernelKeepsTheSource) {
    // A process output that could not be connected arrives as handle 0. Zeros would look like
    // a seed at the corner; the kernels read a seedless texel at distance 0 instead.
    const Image source = colourfulSource();
    KernelRig rig(gpu::Backend::Host, W, H);
    rig.uploadInputs(source, Image(W, H, make_float4(1.0f, 1.0f, 1.0f, 1.0f)));
    const SourceConnections sources = frameSources(rig.sourceTexture(), rig.matteTexture(), 0, 0);
    for (float maxDistance : {0.0f, 0.1f}) {
        const AnimatedParameters animated = makeAnimatedParameters(settingsWith(0, 0, true, maxDistance));
        const Image extended = rig.runPass("edge_bleed.cu", makeSystemParameters(W, H, 2, 0, 1), sources, animated, 0);
        for (size_t i = 0; i < extended.pixels.size(); ++i) {
            expectNear(source.pixels[i], extended.pixels[i], "extend without a field");
        }
        // The blur's first pass works on pipeline output 0, which is missing here too.
        const Image blurred = rig.runPass("jfa_blur.cu", makeSystemParameters(W, H, 1, 0, 2), sources, animated, 0);
        for (const float4& t : blurred.pixels) {
            EXPECT_EQ(-2.0f, t.x);
            EXPECT_EQ(-2.0f, t.y);
            EXPECT_EQ(0.0f, t.z);
        }
    }
}

}  // namespace
