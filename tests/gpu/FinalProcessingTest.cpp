// The final blend pass on the host backend: the blend against hand values, the source-array
// rule, padded pitches, the launch geometry, and every failure row with what it releases.

#include <gtest/gtest.h>

#include <ostream>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "gpu/FinalProcessingKernel.h"
#include "gpu/FinalProcessingLaunch.h"
#include "gpu/KernelParameters.h"
#include "gpu/RenderBufferManager.h"
#include "gpu/RenderBufferManagerCUDA.h"
#include "tests/support/LogCapture.h"

namespace {

using gpu::Error;
using Site = gpu::HostRuntime::FaultSite;

using testsupport::LogCapture;

SystemParameters finalParams(int width, int height, float blend) {
  SystemParameters p;
  std::memset(&p, 0, sizeof(p));
  p.width = width;
  p.height = height;
  p.globalBlend = blend;
  return p;
}

// A frame of width x height float RGBA pixels at `pitch` bytes per row, every pixel `value`,
// padding bytes 0xEE.
struct Frame {
  Frame(int w, int h, int pitchBytes, float4 value) : width(w), height(h), pitch(pitchBytes), bytes(pitchBytes * h, 0xEE) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) set(x, y, value);
  }
  float* data() { return reinterpret_cast<float*>(bytes.data()); }
  float4 at(int x, int y) const {
    float4 v;
    std::memcpy(&v, bytes.data() + y * pitch + x * 16, 16);
    return v;
  }
  void set(int x, int y, float4 v) { std::memcpy(bytes.data() + y * pitch + x * 16, &v, 16); }
  bool paddingIntact() const {
    for (int y = 0; y < height; ++y)
      for (int b = width * 16; b < pitch; ++b)
        if (bytes[y * pitch + b] != 0xEE) return false;
    return true;
  }
  int width, height, pitch;
  std::vector<unsigned char> bytes;
};

class FinalProcessingTest : public ::testing::Test {
 protected:
  bool run(const SystemParameters& p, Frame* source, Frame& output) {
    return RenderBufferManagerCUDA::applyFinalProcessing(rt, nullptr, &p, source ? source->data() : nullptr,
                                                         output.data(), output.width, output.height,
                                                         source ? source->pitch : 0, output.pitch);
  }
  bool noLiveObjects() const {
    const auto live = rt.liveObjects();
    return live.linear == 0 && live.arrays == 0 && live.textures == 0 && live.surfaces == 0;
  }
  gpu::HostRuntime rt;
  LogCapture log;
};

struct BlendCase {
  float blend;
  float4 effect, source;
  float4 expected;
  int arraysCreated;  // 1: no source array, 2: source array too
};
void PrintTo(const BlendCase& c, std::ostream* os) { *os << "blend " << c.blend; }

class BlendTest : public FinalProcessingTest, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(BlendTest, BlendsColourKeepsEffectAlpha) {
  const auto& c = GetParam();
  Frame source(5, 3, 5 * 16, c.source), output(5, 3, 5 * 16, c.effect);
  ASSERT_TRUE(run(finalParams(5, 3, c.blend), &source, output));
  EXPECT_TRUE(log.contains("[DEBUG] Final processing completed successfully"));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const float4 got = output.at(x, y);
      EXPECT_FLOAT_EQ(got.x, c.expected.x);
      EXPECT_FLOAT_EQ(got.y, c.expected.y);
      EXPECT_FLOAT_EQ(got.z, c.expected.z);
      EXPECT_FLOAT_EQ(got.w, c.expected.w);
    }
  EXPECT_EQ(rt.createdObjects().arrays, c.arraysCreated);
  EXPECT_TRUE(noLiveObjects());
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Blends, BlendTest,
    ::testing::Values(
        // 1.0 keeps the effect and creates no source array.
        BlendCase{1.0f, {0.2f, 0.4f, 0.6f, 0.8f}, {1, 1, 1, 1}, {0.2f, 0.4f, 0.6f, 0.8f}, 1},
        // 0.0 gives the source colour with the effect's alpha.
        BlendCase{0.0f, {0.2f, 0.4f, 0.6f, 0.8f}, {0.9f, 0.7f, 0.5f, 0.1f}, {0.9f, 0.7f, 0.5f, 0.8f}, 2},
        BlendCase{0.25f, {1, 1, 1, 1}, {0, 0, 0, 0}, {0.25f, 0.25f, 0.25f, 1}, 2},
        BlendCase{0.5f, {1.0f, 0.0f, 3.0f, 0.5f}, {0.0f, 1.0f, 1.0f, 1.0f}, {0.5f, 0.5f, 2.0f, 0.5f}, 2},
        // No clamping either way.
        BlendCase{-0.5f, {1, 1, 1, 1}, {2, 2, 2, 2}, {2.5f, 2.5f, 2.5f, 1}, 2},
        BlendCase{1.5f, {0.3f, 0.3f, 0.3f, 0.3f}, {0, 0, 0, 0}, {0.3f, 0.3f, 0.3f, 0.3f}, 1},
        BlendCase{kNaN, {0.3f, 0.2f, 0.1f, 1}, {0, 0, 0, 0}, {0.3f, 0.2f, 0.1f, 1}, 1}));

TEST_F(FinalProcessingTest, BlendIsOneFusedMultiplyAdd) {
  const float blend = 0.3f, e = 0.7f, s = 0.11f;
  Frame source(1, 1, 16, {s, s, s, 1}), output(1, 1, 16, {e, e, e, 1});
  ASSERT_TRUE(run(finalParams(1, 1, blend), &source, output));
  EXPECT_EQ(output.at(0, 0).x, std::fma(blend, e, (1.0f - blend) * s));
}

TEST_F(FinalProcessingTest, NullSourceLeavesTheEffectUnblended) {
  Frame output(4, 4, 64, {0.6f, 0.5f, 0.4f, 0.3f});
  ASSERT_TRUE(run(finalParams(4, 4, 0.5f), nullptr, output));
  EXPECT_FLOAT_EQ(output.at(3, 3).x, 0.6f);
  EXPECT_FLOAT_EQ(output.at(3, 3).w, 0.3f);
  EXPECT_EQ(rt.createdObjects().arrays, 1);
}

TEST_F(FinalProcessingTest, PaddedRowsKeepTheirPaddingAndDifferentPitchesMix) {
  const int width = 7, height = 5;
  Frame source(width, height, width * 16 + 32, {0, 0, 0, 0}), output(width, height, width * 16 + 48, {1, 1, 1, 1});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) source.set(x, y, {static_cast<float>(x), static_cast<float>(y), 0, 9});
  ASSERT_TRUE(run(finalParams(width, height, 0.5f), &source, output));
  EXPECT_TRUE(output.paddingIntact());
  EXPECT_TRUE(source.paddingIntact());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      EXPECT_FLOAT_EQ(output.at(x, y).x, 0.5f + 0.5f * x);
      EXPECT_FLOAT_EQ(output.at(x, y).y, 0.5f + 0.5f * y);
      EXPECT_FLOAT_EQ(output.at(x, y).w, 1.0f);
    }
}

TEST_F(FinalProcessingTest, SeventeenSquareFrameIsFullyBlendedWithoutStrayAccess) {
  // 17 x 17 launches 2 x 2 blocks of 16 x 16; threads past column/row 16 must do nothing
  // (a stray surface access would fail the pass with an illegal address).
  Frame source(17, 17, 17 * 16, {0, 0, 0, 0}), output(17, 17, 17 * 16, {1, 1, 1, 1});
  ASSERT_TRUE(run(finalParams(17, 17, 0.25f), &source, output));
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 17; ++x) ASSERT_FLOAT_EQ(output.at(x, y).x, 0.25f) << x << "," << y;
}

TEST_F(FinalProcessingTest, KernelBodyIgnoresThreadsOutsideTheFrame) {
  gpu::Array array = nullptr;
  ASSERT_EQ(rt.mallocArray(&array, gpu::float4ChannelDesc(), 2, 2, gpu::kArraySurfaceLoadStore), Error::Success);
  gpu::SurfaceObject surface = 0;
  ASSERT_EQ(rt.createSurfaceObject(&surface, array), Error::Success);
  const SystemParameters p = finalParams(2, 2, 0.5f);
  // Grid of 16 x 16 threads over a 2 x 2 frame.
  ASSERT_EQ(rt.launch(dim3(1, 1), dim3(16, 16), nullptr, [&](int x, int y) { finalProcessingPixel(x, y, surface, 0, p); }),
            Error::Success);
  EXPECT_EQ(rt.streamSynchronize(nullptr), Error::Success);
}

struct FailureCase {
  Site site;
  int nth;
  const char* message;
  bool withSource;
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.message << (c.withSource ? "" : " (no source)"); }

class FinalFailureTest : public FinalProcessingTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FinalFailureTest, LogsReleasesAndLeavesOutputUnblended) {
  const auto& c = GetParam();
  Frame source(3, 3, 3 * 16 + 16, {0, 0, 0, 0}), output(3, 3, 3 * 16, {1, 1, 1, 1});
  const std::vector<unsigned char> before = output.bytes;
  const Error injected = c.site == Site::Allocation ? Error::MemoryAllocation : Error::InvalidValue;
  rt.injectFault(c.site, c.nth, injected);
  EXPECT_FALSE(run(finalParams(3, 3, 0.5f), c.withSource ? &source : nullptr, output));
  EXPECT_TRUE(log.contains(std::string("[ERROR] ") + c.message + ": " + rt.getErrorString(injected))) << log.text();
  EXPECT_FALSE(log.contains("completed successfully"));
  EXPECT_TRUE(noLiveObjects()) << "everything created before the failure is released";
  EXPECT_EQ(output.bytes, before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, FinalFailureTest,
    ::testing::Values(FailureCase{Site::Allocation, 1, "Failed to allocate output array for final processing", true},
                      FailureCase{Site::CopyToArray, 1, "Failed to copy output buffer to array", true},
                      FailureCase{Site::ObjectCreation, 1, "Failed to create output surface", true},
                      FailureCase{Site::Allocation, 2, "Failed to allocate source array for final processing", true},
                      FailureCase{Site::CopyToArray, 2, "Failed to copy source buffer to array", true},
                      FailureCase{Site::ObjectCreation, 2, "Failed to create source surface", true},
                      FailureCase{Site::Launch, 1, "Failed to launch final processing kernel", true},
                      FailureCase{Site::Synchronize, 1, "Final processing kernel failed", true},
                      FailureCase{Site::CopyFromArray, 1, "Failed to copy result back to output buffer", true},
                      FailureCase{Site::Launch, 1, "Failed to launch final processing kernel", false}));

TEST_F(FinalProcessingTest, ManagerPassesTheCallThrough) {
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(4, 2, nullptr, nullptr, 1));
  Frame source(4, 2, 64, {0, 0, 0, 0}), output(4, 2, 64, {1, 1, 1, 1});
  SystemParameters p = finalParams(4, 2, 0.75f);
  ASSERT_TRUE(m.applyFinalProcessing(nullptr, &p, source.data(), output.data(), 4, 2, 64, 64));
  EXPECT_FLOAT_EQ(output.at(3, 1).z, 0.75f);
  EXPECT_EQ(rt.liveObjects().arrays, 2) << "only the manager's own arrays remain";
}

TEST(FinalProcessingLaunchTest, PlainLauncherRunsOnTheDefaultStream) {
#if defined(EDGE_BLEED_HAS_CUDA)
  GTEST_SKIP() << "the plain launcher targets the GPU in this build";
#else
  gpu::HostRuntime& rt = gpu::hostRuntime();
  gpu::Array arrays[2] = {nullptr, nullptr};
  gpu::SurfaceObject surfaces[2] = {0, 0};
  const float values[2] = {1.0f, 0.0f};  // output, source
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(rt.mallocArray(&arrays[k], gpu::float4ChannelDesc(), 3, 3, gpu::kArraySurfaceLoadStore), Error::Success);
    ASSERT_EQ(rt.createSurfaceObject(&surfaces[k], arrays[k]), Error::Success);
    const std::vector<float> fill(3 * 3 * 4, values[k]);
    ASSERT_EQ(rt.memcpy2DToArray(arrays[k], 0, 0, fill.data(), 48, 48, 3, gpu::MemcpyKind::HostToDevice), Error::Success);
  }
  const SystemParameters p = finalParams(3, 3, 0.5f);
  launchFinalProcessing(surfaces[0], surfaces[1], &p, 3, 3);
  EXPECT_EQ(rt.streamSynchronize(nullptr), Error::Success);
  std::vector<float> result(3 * 3 * 4, -1.0f);
  ASSERT_EQ(rt.memcpy2DFromArray(result.data(), 48, arrays[0], 0, 0, 48, 3, gpu::MemcpyKind::DeviceToHost), Error::Success);
  for (int i = 0; i < 9; ++i) {
    EXPECT_FLOAT_EQ(result[i * 4], 0.5f);
    EXPECT_FLOAT_EQ(result[i * 4 + 3], 1.0f);
  }
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(rt.destroySurfaceObject(surfaces[k]), Error::Success);
    EXPECT_EQ(rt.freeArray(arrays[k]), Error::Success);
  }
#endif
}

}  // namespace
