// The constant tables, the step-size helpers, the launch geometry and the working-image rule.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/edge_bleed/EdgeBleedTables.h"
#include "effects/edge_bleed/HostTexelView.h"
#include "effects/edge_bleed/LaunchSupport.h"
#include "effects/edge_bleed/jfa_core_body.h"
#include "gpu/runtime/HostRuntime.h"
#include "tests/edge_bleed/support/KernelRig.h"

namespace {

using edge_bleed::chooseWorkingImage;
using edge_bleed::EDGE_BLEED_NUM_INPUTS;

TEST(GaussianLut, EveryEntryIsTheRoundedGaussian) {
    for (int i = 0; i < 256; ++i) {
        const double expected = std::round(std::exp(-std::pow(i / 42.5, 2.0)) * 1e8) / 1e8;
        EXPECT_NEAR(expected, GAUSSIAN_LUT[i], 1e-9 + expected * 1e-7) << "entry " << i;
    }
}

TEST(GaussianLut, SelectedRows) {
    struct Row {
        int index;
        float value;
    };
    const Row rows[] = {{0, 1.0f},          {1, 0.99944652f},   {10, 0.94614133f},  {42, 0.37658594f},
                        {85, 0.01831564f},  {128, 0.00011498f}, {170, 0.00000011f}, {185, 0.00000001f}};
    for (const Row& row : rows) {
        EXPECT_FLOAT_EQ(row.value, GAUSSIAN_LUT[row.index]) << "entry " << row.index;
    }
    for (int i = 186; i < 256; ++i) {
        EXPECT_EQ(0.0f, GAUSSIAN_LUT[i]) << "entry " << i;
    }
}

TEST(JfaOffsets, ScanOrder) {
    const int expected[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(expected[k][0], jfa_offsets[k][0]) << k;
        EXPECT_EQ(expected[k][1], jfa_offsets[k][1]) << k;
    }
}

TEST(StepSizes, Diagonals) {
    EXPECT_EQ(2202, getDiagonal(1920, 1080));
    EXPECT_EQ(4405, getDiagonal(3840, 2160));
    EXPECT_EQ(141, getDiagonal(100, 100));
    EXPECT_EQ(5, getDiagonal(3, 4));
    EXPECT_EQ(0, getDiagonal(0, 0));
}

TEST(StepSizes, ThirteenExecutionsAtHdAndUhd) {
    struct Case {
        int width, height;
        std::vector<int> steps;  // executions 0..12
    };
    const Case cases[] = {
        {1920, 1080, {0, 2202, 1101, 550, 275, 137, 68, 34, 17, 8, 4, 2, 1}},
        {3840, 2160, {0, 4405, 2202, 1101, 550, 275, 137, 68, 34, 17, 8, 4, 2}},
    };
    for (const Case& c : cases) {
        for (int e = 0; e < 13; ++e) {
            EXPECT_EQ(c.steps[e], getJFAStepSize(c.width, c.height, e)) << c.width << "x" << c.height << " e=" << e;
        }
    }
}

TEST(StepSizes, HeldAtOne) {
    EXPECT_EQ(141, getJFAStepSize(100, 100, 1));
    EXPECT_EQ(70, getJFAStepSize(100, 100, 2));
    EXPECT_EQ(1, getJFAStepSize(100, 100, 8));
    EXPECT_EQ(1, getJFAStepSize(100, 100, 9));
    EXPECT_EQ(1, getJFAStepSize(100, 100, 1000000));
    EXPECT_EQ(0, getJFAStepSize(0, 0, 1));  // the diagonal itself, not yet held at 1
    EXPECT_EQ(1, getJFAStepSize(0, 0, 2));
}

TEST(LaunchGeometry, GridCoversTheFrameInBlocksOfSixteen) {
    struct Case {
        int width, height;
        unsigned gridX, gridY;
    };
    const Case cases[] = {{17, 9, 2, 1}, {17, 17, 2, 2}, {16, 16, 1, 1}, {1, 1, 1, 1},
                          {1920, 1080, 120, 68}, {3840, 2160, 240, 135}, {0, 5, 0, 1}};
    for (const Case& c : cases) {
        SystemParameters system{};
        system.width = c.width;
        system.height = c.height;
        const dim3 grid = edge_bleed::launchGrid(system);
        EXPECT_EQ(c.gridX, grid.x) << c.width << "x" << c.height;
        EXPECT_EQ(c.gridY, grid.y) << c.width << "x" << c.height;
        EXPECT_EQ(1u, grid.z);
    }
    const dim3 block = edge_bleed::launchBlock();
    EXPECT_EQ(16u, block.x);
    EXPECT_EQ(16u, block.y);
    EXPECT_EQ(1u, block.z);
}

struct WorkingImageCase {
    const char* what;
    void* input;
    int pipelineExecution, processExecution, pipeline;
    int sourceCount;
    unsigned long long expected;  // source handles are 100 + index
};

TEST(WorkingImage, RuleTable) {
    void* given = reinterpret_cast<void*>(0x5000);
    const WorkingImageCase cases[] = {
        {"an input texture wins", given, 3, 2, 1, 6, 0x5000},
        {"repeated process execution: own previous output", nullptr, 0, 1, 1, 6, 104},
        {"repeated process execution beyond the sources", nullptr, 0, 1, 3, 6, 0},
        {"repeated effect execution: effectOutput", nullptr, 1, 0, 2, 6, 102},
        {"repeated effect execution without effectOutput", nullptr, 1, 0, 2, 2, 0},
        {"pipeline 1, first execution: pipeline output 0", nullptr, 0, 0, 1, 6, 103},
        {"pipeline 2: pipeline output 1", nullptr, 0, 0, 2, 6, 104},
        {"pipeline 5 out of range falls back to source 0", nullptr, 0, 0, 5, 6, 100},
        {"later pipeline with no sources", nullptr, 0, 0, 1, 0, 0},
        {"first pipeline: source 0", nullptr, 0, 0, 0, 6, 100},
        {"first pipeline without sources", nullptr, 0, 0, 0, 0, 0},
    };
    for (const WorkingImageCase& c : cases) {
        SystemParameters system{};
        system.currentPipelineExecution = c.pipelineExecution;
        system.currentProcessExecution = c.processExecution;
        system.currentPipeline = c.pipeline;
        SourceConnections sources{};
        for (int i = 0; i < c.sourceCount; ++i) {
            sources.addExternalInput(reinterpret_cast<void*>(static_cast<uintptr_t>(100 + i)), true, "s", 0, 0, 0,
                                     0);
        }
        EXPECT_EQ(c.expected, chooseWorkingImage(system, sources, c.input, EDGE_BLEED_NUM_INPUTS)) << c.what;
    }
}

}  // namespace

namespace {

struct ViewCase {
    const char* what;
    int textureWidth, textureHeight;
    gpu::FilterMode filter;
    bool normalised;
    int frameWidth, frameHeight;
    bool expectView;
};

TEST(TexelView, OnlyFrameSizedLinearNormalisedTexturesUpTo4096AreReadDirectly) {
    const ViewCase cases[] = {
        {"frame sized, linear, normalised", 64, 32, gpu::FilterMode::Linear, true, 64, 32, true},
        {"another size is resampled", 32, 32, gpu::FilterMode::Linear, true, 64, 32, false},
        {"point filtering", 64, 32, gpu::FilterMode::Point, true, 64, 32, false},
        {"texel coordinates", 64, 32, gpu::FilterMode::Linear, false, 64, 32, false},
        {"4096 wide", 4096, 2, gpu::FilterMode::Linear, true, 4096, 2, true},
        {"wider than 4096", 4097, 2, gpu::FilterMode::Linear, true, 4097, 2, false},
    };
    gpu::HostRuntime& runtime = gpu::hostRuntime();
    for (const ViewCase& c : cases) {
        gpu::Array array = nullptr;
        ASSERT_EQ(gpu::Error::Success,
                  runtime.mallocArray(&array, gpu::float4ChannelDesc(), c.textureWidth, c.textureHeight, 0));
        gpu::TextureDesc desc = gpu::TextureDesc::standard();
        desc.filterMode = c.filter;
        desc.normalizedCoords = c.normalised;
        gpu::TextureObject texture = 0;
        ASSERT_EQ(gpu::Error::Success,
                  runtime.createTextureObject(&texture, gpu::ResourceDesc::forArray(array), desc));
        const edge_bleed::TexelView view = edge_bleed::makeTexelView(texture, c.frameWidth, c.frameHeight);
        EXPECT_EQ(c.expectView, view.base != nullptr) << c.what;
        runtime.destroyTextureObject(texture);
        runtime.freeArray(array);
    }
    EXPECT_EQ(nullptr, edge_bleed::makeTexelView(0, 64, 32).base);
}

TEST(TexelView, DirectReadsEqualTheTextureUnitsAtEveryCentreTheFloodVisits) {
    // Every candidate position of every flood pass of a 3840 x 2160 frame, on the corners and
    // a sample of rows: the sampled texel and the directly read one must be the same.
    const int width = 3840, height = 2160;
    gpu::HostRuntime& runtime = gpu::hostRuntime();
    gpu::Array array = nullptr;
    ASSERT_EQ(gpu::Error::Success, runtime.mallocArray(&array, gpu::float4ChannelDesc(), width, height, 0));
    std::vector<float4> texels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < texels.size(); ++i) {
        texels[i] = make_float4(static_cast<float>(i), 0.0f, 0.0f, 0.0f);
    }
    ASSERT_EQ(gpu::Error::Success, runtime.memcpy2DToArray(array, 0, 0, texels.data(), width * 16u, width * 16u,
                                                           height, gpu::MemcpyKind::HostToDevice));
    gpu::TextureObject texture = 0;
    ASSERT_EQ(gpu::Error::Success, runtime.createTextureObject(&texture, gpu::ResourceDesc::forArray(array),
                                                               gpu::TextureDesc::standard()));
    SystemParameters system{};
    system.width = width;
    system.height = height;
    AnimatedParameters animated{};
    SourceConnections sources{};
    int compared = 0;
    for (int e = 1; e <= 12; ++e) {
        system.currentExecution = e;
        const edge_bleed::JfaCorePass p = edge_bleed::makeJfaCorePass(system, texture, sources, 0, animated);
        for (int y = 0; y < height; y += 97) {
            for (int x = 0; x < width; x += 13) {
                const float u = edge_bleed::pixelCentre(x, width), v = edge_bleed::pixelCentre(y, height);
                for (int k = 0; k < 8; ++k) {
                    const float cu = u + p.su * static_cast<float>(jfa_offsets[k][0]);
                    const float cv = v + p.sv * static_cast<float>(jfa_offsets[k][1]);
                    if (cu < 0.0f || cu > 1.0f || cv < 0.0f || cv > 1.0f) continue;
                    const int ix = x + p.step * jfa_offsets[k][0], iy = y + p.step * jfa_offsets[k][1];
                    ASSERT_GE(ix, 0);
                    ASSERT_LT(ix, width);
                    ASSERT_GE(iy, 0);
                    ASSERT_LT(iy, height);
                    ASSERT_EQ(static_cast<float>(static_cast<size_t>(iy) * width + ix),
                              gpu::sampleTexture(texture, cu, cv).x)
                        << "e=" << e << " at " << x << "," << y << " offset " << k;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 100000);
    runtime.destroyTextureObject(texture);
    runtime.freeArray(array);
}

}  // namespace
