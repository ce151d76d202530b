// The CUDA kernels against the host backend's, over the same fixtures: every kernel, every
// output and extend mode. Skips where no CUDA device exists. Prints the largest difference
// per kernel and mode; both backends compute the same arithmetic (no contraction, explicit
// fused multiply-adds, correctly rounded division and square root), so differences come only
// from the texture unit's filtering.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tests/edge_bleed/support/Fixtures.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using namespace kernel_rig;

float largestDifference(const Image& a, const Image& b) {
    float worst = 0.0f;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        const float4 p = a.pixels[i], q = b.pixels[i];
        const float d[4] = {p.x - q.x, p.y - q.y, p.z - q.z, p.w - q.w};
        for (float v : d) {
            worst = std::max(worst, std::isnan(v) ? INFINITY : std::fabs(v));
        }
    }
    return worst;
}

struct CompareCase {
    const char* name;
    int width, height;
    EffectSettings settings;
};

EffectSettings make(int mode, int outputMode, bool preserve, float maxDistance, float blur) {
    EffectSettings s;
    s.mode = mode;
    s.outputMode = outputMode;
    s.preserveInside = preserve;
    s.maxDistance = maxDistance;
    s.blurRadius = blur;
    return s;
}

class CudaCompare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CudaCompare, SameFieldsAndImageOnBothBackends) {
    if (gpu::cudaRuntime() == nullptr) GTEST_SKIP() << "no CUDA device: " << gpu::cudaUnavailableReason();
    const CompareCase& c = GetParam();
    const Image source = makeImage(c.width, c.height, [&](int x, int y) { return 0.2f + 0.6f * x / c.width + 0.1f * (y % 3); });
    const Image matte = makeImage(c.width, c.height, [&](int x, int y) {
        const float dx = x + 0.5f - c.width * 0.45f, dy = y + 0.5f - c.height * 0.5f;
        const float r = std::sqrt(dx * dx + dy * dy) / (0.3f * c.height);
        return std::min(std::max(1.5f - r, 0.0f), 1.0f);  // a soft-edged disc
    });
    KernelRig host(gpu::Backend::Host, c.width, c.height);
    KernelRig cuda(gpu::Backend::Cuda, c.width, c.height);
    const KernelRig::Frame h = host.runFrame(source, matte, c.settings);
    const KernelRig::Frame d = cuda.runFrame(source, matte, c.settings);
    const float field = largestDifference(h.field, d.field);
    const float blurred = largestDifference(h.blurred, d.blurred);
    const float output = largestDifference(h.output, d.output);
    std::printf("[compare] edge bleed %-22s %dx%d: jfa_core %.3g, jfa_blur %.3g, edge_bleed %.3g\n", c.name, c.width,
                c.height, field, blurred, output);
    // Seeds are normalised coordinates and distances pixels; one filtering step of 1/256 texel
    // bounds what the texture unit may change.
    EXPECT_LE(field, 1e-3f * std::max(c.width, c.height));
    EXPECT_LE(output, 0.02f);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CudaCompare,
    ::testing::Values(CompareCase{"stretch", 160, 90, make(0, 0, true, 0.0f, 1.0f)},
                      CompareCase{"mirror", 160, 90, make(1, 0, true, 0.0f, 1.0f)},
                      CompareCase{"stretch no preserve", 160, 90, make(0, 0, false, 0.0f, 3.0f)},
                      CompareCase{"mirror capped", 160, 90, make(1, 0, true, 0.05f, 3.0f)},
                      CompareCase{"distance field", 160, 90, make(0, 1, true, 0.0f, 1.0f)},
                      CompareCase{"seed uv", 160, 90, make(0, 2, true, 0.0f, 0.4f)},
                      CompareCase{"stretch odd size", 97, 61, make(0, 0, true, 0.0f, 2.2f)}),
    [](const ::testing::TestParamInfo<CompareCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

}  // namespace
