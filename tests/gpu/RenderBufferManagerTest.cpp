// RenderBufferManager and its RenderBufferManagerCUDA helpers on the host backend: parity
// selection, reuse, reallocation, statistics, every failure row with its release order, and
// pitched final copies.

#include <gtest/gtest.h>

#include <ostream>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>
#include <vector>

#include "gpu/RenderBufferManager.h"
#include "gpu/RenderBufferManagerCUDA.h"
#include "gpu/runtime/KernelAccess.h"
#include "tests/support/LogCapture.h"

namespace {

using gpu::Error;
using Site = gpu::HostRuntime::FaultSite;

using testsupport::LogCapture;

class RenderBufferManagerTest : public ::testing::Test {
 protected:
  // Fills the array behind `surface` with the value v in every channel, the way a pass does.
  void fillThroughSurface(unsigned long long surface, int width, int height, float v) {
    ASSERT_EQ(rt.launch(dim3((width + 15) / 16, (height + 15) / 16), dim3(16, 16), nullptr,
                        [&](int x, int y) {
                          if (x < width && y < height) gpu::surfaceWrite(make_float4(v, v, v, v), surface, x * 16, y);
                        }),
              Error::Success);
    ASSERT_EQ(rt.streamSynchronize(nullptr), Error::Success);
  }
  bool noLiveObjects() const {
    const auto live = rt.liveObjects();
    return live.linear == 0 && live.arrays == 0 && live.textures == 0 && live.surfaces == 0;
  }

  gpu::HostRuntime rt;
  LogCapture log;
};

TEST_F(RenderBufferManagerTest, ParityTableSelectsPingPongObjects) {
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(4, 3, nullptr, nullptr, 6));
  EXPECT_EQ(m.getInputTexture(0), 0u) << "pass 0 reads its sources";
  EXPECT_EQ(m.getInputBuffer(0), nullptr);
  const unsigned long long surfaceA = m.getOutputSurface(0), surfaceB = m.getOutputSurface(1);
  float* bufferA = m.getOutputBuffer(0);
  float* bufferB = m.getOutputBuffer(1);
  const unsigned long long textureA = m.getInputTexture(1), textureB = m.getInputTexture(2);
  ASSERT_NE(surfaceA, surfaceB);
  ASSERT_NE(textureA, textureB);
  ASSERT_NE(bufferA, bufferB);
  for (int pass = 1; pass < 6; ++pass) {
    const bool odd = pass % 2 == 1;
    SCOPED_TRACE(pass);
    EXPECT_EQ(m.getInputTexture(pass), odd ? textureA : textureB);
    EXPECT_EQ(m.getOutputSurface(pass), odd ? surfaceB : surfaceA);
    EXPECT_EQ(m.getInputBuffer(pass), odd ? bufferA : bufferB);
    EXPECT_EQ(m.getOutputBuffer(pass), odd ? bufferB : bufferA);
    // Each pass reads what the pass before it wrote.
    fillThroughSurface(m.getOutputSurface(pass - 1), 4, 3, static_cast<float>(pass));
    EXPECT_FLOAT_EQ(gpu::sampleTexture(m.getInputTexture(pass), 0.5f / 4, 0.5f / 3).x, static_cast<float>(pass));
  }
  EXPECT_EQ(m.getFinalOutput(13), bufferA);
  EXPECT_EQ(m.getFinalOutput(2), bufferB);
  // The textures read their arrays with clamp, linear filtering and normalised coordinates.
  fillThroughSurface(surfaceA, 4, 3, 2.0f);
  EXPECT_FLOAT_EQ(gpu::sampleTexture(textureA, 7.0f, -3.0f).y, 2.0f);
}

TEST_F(RenderBufferManagerTest, FinalCopyReadsTheArrayOfTheLastPass) {
  const int width = 3, height = 2;
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(width, height, nullptr, nullptr, 1));
  fillThroughSurface(m.getOutputSurface(0), width, height, 10.0f);  // array A
  fillThroughSurface(m.getOutputSurface(1), width, height, 20.0f);  // array B
  struct Case {
    int passes;
    float value;
    const char* name;
  } cases[] = {{1, 10.0f, "A"}, {2, 20.0f, "B"}, {13, 10.0f, "A"}, {14, 20.0f, "B"}};
  for (const auto& c : cases) {
    std::vector<float> dst(width * height * 4, -1.0f);
    log.mark();
    ASSERT_TRUE(m.copyFinalArrayToBuffer(nullptr, c.passes, dst.data(), width, height, width * 16));
    for (float v : dst) EXPECT_FLOAT_EQ(v, c.value) << c.passes;
    EXPECT_TRUE(log.contains(std::string("[INFO] Copying final result from cudaArray") + c.name +
                             " to output buffer (pitch=48 bytes)"))
        << log.text();
  }
}

TEST_F(RenderBufferManagerTest, FinalCopyKeepsDestinationPadding) {
  const int width = 5, height = 4, pitch = width * 16 + 40;
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(width, height, nullptr, nullptr, 1));
  fillThroughSurface(m.getOutputSurface(0), width, height, 3.0f);
  std::vector<unsigned char> dst(pitch * height, 0xCD);
  ASSERT_TRUE(m.copyFinalArrayToBuffer(nullptr, 1, reinterpret_cast<float*>(dst.data()), width, height, pitch));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 4; ++x) {
      float v;
      std::memcpy(&v, dst.data() + y * pitch + x * 4, 4);
      EXPECT_FLOAT_EQ(v, 3.0f);
    }
    for (int b = width * 16; b < pitch; ++b) EXPECT_EQ(dst[y * pitch + b], 0xCD) << "row " << y << " byte " << b;
  }
}

TEST_F(RenderBufferManagerTest, SameSizeReusesEverythingAndLogsPassCountChanges) {
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(8, 8, nullptr, nullptr, 13));
  const auto created = rt.createdObjects();
  EXPECT_TRUE(log.contains("[INFO] RenderBufferManager: Allocating CUDA ping-pong buffers (8x8, 0.00 MB each)"));
  EXPECT_TRUE(log.contains("[INFO] RenderBufferManager: Allocated both ping-pong buffers (0.00 MB each, 0.00 MB total)"));
  EXPECT_TRUE(log.contains("[INFO] RenderBufferManager CUDA: Initialized 8x8 ping-pong buffers (totalPasses=13)"));
  EXPECT_TRUE(log.contains("[INFO] RenderBufferManager: CUDA buffers initialized successfully"));
  const auto statsBefore = RenderBufferManager::getStatistics();
  const unsigned long long surface = m.getOutputSurface(0);

  log.mark();
  ASSERT_TRUE(m.initializeCUDA(8, 8, nullptr, nullptr, 2));
  EXPECT_TRUE(log.contains("[DEBUG] RenderBufferManager: Pass count changed (13→2) but reusing buffers (same size)"));
  EXPECT_EQ(m.getTotalPasses(), 2);
  log.mark();
  ASSERT_TRUE(m.initializeCUDA(8, 8, nullptr, reinterpret_cast<void*>(0x1234), 2));
  EXPECT_TRUE(log.contains("[DEBUG] RenderBufferManager: Reusing existing buffers (8x8)"));
  EXPECT_FALSE(log.contains("Allocating"));

  const auto after = rt.createdObjects();
  EXPECT_EQ(after.linear, created.linear);
  EXPECT_EQ(after.arrays, created.arrays);
  EXPECT_EQ(after.textures, created.textures);
  EXPECT_EQ(after.surfaces, created.surfaces);
  EXPECT_EQ(m.getOutputSurface(0), surface);
  EXPECT_EQ(RenderBufferManager::getStatistics().totalInits, statsBefore.totalInits) << "reuse leaves statistics alone";
}

TEST_F(RenderBufferManagerTest, NewSizeReleasesOldObjectsBeforeAllocating) {
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(4, 4, nullptr, nullptr, 1));
  log.mark();
  ASSERT_TRUE(m.initializeCUDA(8, 2, nullptr, nullptr, 1));
  EXPECT_TRUE(log.contains("[DEBUG] RenderBufferManager: Dimensions changed (4x4→8x2) - reallocating"));
  EXPECT_TRUE(log.contains("[DEBUG] RenderBufferManager CUDA: Cleaned up"));
  EXPECT_LT(log.text().find("Cleaned up"), log.text().find("Allocating"));
  auto live = rt.liveObjects();
  EXPECT_EQ(live.linear, 2);
  EXPECT_EQ(live.arrays, 2);
  EXPECT_EQ(live.textures, 2);
  EXPECT_EQ(live.surfaces, 2);
  EXPECT_EQ(m.getBufferSize(), 8u * 2u * 16u);

  // When the new allocation fails, the old objects are gone already.
  rt.injectFault(Site::Allocation, 1, Error::MemoryAllocation);
  EXPECT_FALSE(m.initializeCUDA(16, 16, nullptr, nullptr, 1));
  EXPECT_TRUE(noLiveObjects());
  EXPECT_FALSE(m.isInitialized());
}

struct InitFailureCase {
  Site site;
  int nth;
  const char* message;
};
void PrintTo(const InitFailureCase& c, std::ostream* os) { *os << c.message; }

class InitFailureTest : public RenderBufferManagerTest, public ::testing::WithParamInterface<InitFailureCase> {};

TEST_P(InitFailureTest, LogsReleasesEverythingAndCountsTheFailure) {
  const auto& c = GetParam();
  RenderBufferManager m(rt);
  const int failuresBefore = RenderBufferManager::getStatistics().totalFailures;
  const Error injected = c.site == Site::Allocation ? Error::MemoryAllocation : Error::InvalidValue;
  rt.injectFault(c.site, c.nth, injected);
  EXPECT_FALSE(m.initializeCUDA(6, 5, nullptr, nullptr, 3));
  EXPECT_TRUE(log.contains(std::string("[ERROR] ") + c.message + ": " + rt.getErrorString(injected))) << log.text();
  EXPECT_TRUE(log.contains("[ERROR] Failed to initialize CUDA buffers"));
  EXPECT_FALSE(log.contains("initialized successfully"));
  EXPECT_TRUE(noLiveObjects());
  EXPECT_FALSE(m.isInitialized());
  const bool reported = log.contains("RenderBufferManager CUDA metrics");
  EXPECT_EQ(RenderBufferManager::getStatistics().totalFailures, reported ? 1 : failuresBefore + 1);

  // Uninitialized: accessors refuse, the final copy and pass refuse.
  log.mark();
  EXPECT_EQ(m.getOutputSurface(0), 0u);
  EXPECT_EQ(m.getInputTexture(3), 0u);
  EXPECT_EQ(m.getInputBuffer(3), nullptr);
  EXPECT_EQ(m.getOutputBuffer(1), nullptr);
  EXPECT_EQ(m.getFinalOutput(1), nullptr);
  EXPECT_EQ(log.count("[ERROR] RenderBufferManager not initialized\n"), 5u);
  // A later attempt without a fault succeeds.
  EXPECT_TRUE(m.initializeCUDA(6, 5, nullptr, nullptr, 3));
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, InitFailureTest,
    ::testing::Values(InitFailureCase{Site::Allocation, 1, "Failed to allocate bufferA"},
                      InitFailureCase{Site::Allocation, 2, "Failed to allocate bufferB"},
                      InitFailureCase{Site::Allocation, 3, "Failed to allocate CUDA array A"},
                      InitFailureCase{Site::Allocation, 4, "Failed to allocate CUDA array B"},
                      InitFailureCase{Site::ObjectCreation, 1, "Failed to create texture object A"},
                      InitFailureCase{Site::ObjectCreation, 2, "Failed to create texture object B"},
                      InitFailureCase{Site::ObjectCreation, 3, "Failed to create surface object A"},
                      InitFailureCase{Site::ObjectCreation, 4, "Failed to create surface object B"}));

TEST_F(RenderBufferManagerTest, HelperWritesOutputsOnlyOnSuccess) {
  float* bufferA = reinterpret_cast<float*>(0x10);
  float* bufferB = bufferA;
  unsigned long long tA = 7, tB = 7, sA = 7, sB = 7;
  cudaArray* aA = reinterpret_cast<cudaArray*>(0x20);
  cudaArray* aB = aA;
  rt.injectFault(Site::ObjectCreation, 4, Error::InvalidValue);
  EXPECT_FALSE(RenderBufferManagerCUDA::initialize(rt, &bufferA, &bufferB, &tA, &tB, &sA, &sB, &aA, &aB, nullptr, 2, 2,
                                                   nullptr, 1));
  EXPECT_EQ(bufferA, reinterpret_cast<float*>(0x10));
  EXPECT_EQ(tA + tB + sA + sB, 28u);
  EXPECT_EQ(aB, reinterpret_cast<cudaArray*>(0x20));
  EXPECT_TRUE(noLiveObjects());
}

TEST_F(RenderBufferManagerTest, CopyHelpersReportEveryFailure) {
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(2, 2, nullptr, nullptr, 1));
  std::vector<float> buffer(2 * 2 * 4, 1.0f);
  cudaArray* array = nullptr;
  ASSERT_EQ(rt.mallocArray(&array, gpu::float4ChannelDesc(), 2, 2, 0), Error::Success);
  struct Case {
    Site site;
    const char* message;
    bool toArray;
  } cases[] = {
      {Site::CopyFromArray, "[ERROR] cudaMemcpy2DFromArray failed: invalid argument", false},
      {Site::Synchronize, "[ERROR] cudaStreamSynchronize after array→buffer copy failed: invalid argument", false},
      {Site::CopyToArray, "[ERROR] cudaMemcpy2DToArray failed: invalid argument", true},
      {Site::Synchronize, "[ERROR] cudaStreamSynchronize after buffer→array copy failed: invalid argument", true},
  };
  for (const auto& c : cases) {
    rt.injectFault(c.site, 1, Error::InvalidValue);
    log.mark();
    bool ok;
    if (c.toArray) {
      ok = RenderBufferManagerCUDA::copyBufferToArray(rt, nullptr, buffer.data(), array, 2, 2, 32);
    } else {
      ok = m.copyFinalArrayToBuffer(nullptr, 1, buffer.data(), 2, 2, 32);
    }
    EXPECT_FALSE(ok) << c.message;
    EXPECT_TRUE(log.contains(c.message)) << log.text();
    (void)rt.getLastError();
  }
  EXPECT_TRUE(RenderBufferManagerCUDA::copyBufferToArray(rt, nullptr, buffer.data(), array, 2, 2, 32));
  EXPECT_EQ(rt.freeArray(array), Error::Success);
}

TEST_F(RenderBufferManagerTest, BufferToArrayCopyHonoursTheSourcePitch) {
  // Rows of 2 pixels at a pitch of 48 bytes; the padding holds 99.
  std::vector<float> src(12 * 2, 99.0f);
  for (int y = 0; y < 2; ++y)
    for (int k = 0; k < 8; ++k) src[y * 12 + k] = static_cast<float>(y * 8 + k);
  cudaArray* array = nullptr;
  ASSERT_EQ(rt.mallocArray(&array, gpu::float4ChannelDesc(), 2, 2, gpu::kArraySurfaceLoadStore), Error::Success);
  ASSERT_TRUE(RenderBufferManagerCUDA::copyBufferToArray(rt, nullptr, src.data(), array, 2, 2, 48));
  std::vector<float> back(16, -1.0f);
  ASSERT_TRUE(RenderBufferManagerCUDA::copyArrayToBuffer(rt, nullptr, array, back.data(), 2, 2, 32));
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(back[i], static_cast<float>(i));
  ASSERT_EQ(rt.freeArray(array), Error::Success);
}

TEST_F(RenderBufferManagerTest, UninitializedFinalCopyAndPassRefuse) {
  RenderBufferManager m(rt);
  std::vector<float> dst(16);
  EXPECT_FALSE(m.copyFinalArrayToBuffer(nullptr, 1, dst.data(), 2, 2, 32));
  EXPECT_TRUE(log.contains("[ERROR] RenderBufferManager not initialized for final copy"));
  EXPECT_FALSE(m.applyFinalProcessing(nullptr, nullptr, dst.data(), dst.data(), 2, 2, 32, 32));
  EXPECT_TRUE(log.contains("[ERROR] RenderBufferManager not initialized for final processing"));
  EXPECT_EQ(rt.createdObjects().arrays, 0) << "no GPU work";
}

TEST_F(RenderBufferManagerTest, CleanupReleasesOnceAndDestructorCleansUp) {
  {
    RenderBufferManager m(rt);
    ASSERT_TRUE(m.initializeCUDA(3, 3, nullptr, nullptr, 1));
    log.mark();
    m.cleanup();
    EXPECT_TRUE(noLiveObjects());
    EXPECT_TRUE(log.contains("[DEBUG] RenderBufferManager CUDA: Cleaned up"));
    EXPECT_TRUE(log.contains("[DEBUG] RenderBufferManager: CUDA buffers cleaned up"));
    EXPECT_EQ(m.getOutputSurface(0), 0u);
    log.mark();
    m.cleanup();
    EXPECT_FALSE(log.contains("cleaned up")) << "nothing to release";
    ASSERT_TRUE(m.initializeCUDA(3, 3, nullptr, nullptr, 1));
  }
  EXPECT_TRUE(noLiveObjects());
}

TEST_F(RenderBufferManagerTest, RefusesEmptyAndNegativeSizes) {
  RenderBufferManager m(rt);
  for (auto [w, h] : {std::pair{0, 4}, std::pair{4, -2}}) {
    log.mark();
    EXPECT_FALSE(m.initializeCUDA(w, h, nullptr, nullptr, 1));
    EXPECT_TRUE(log.contains("[ERROR] Failed to initialize CUDA buffers"));
  }
  EXPECT_EQ(rt.createdObjects().linear, 0);
}

TEST_F(RenderBufferManagerTest, SwitchingRuntimeReleasesOnTheOldOne) {
  gpu::HostRuntime other;
  RenderBufferManager m(rt);
  ASSERT_TRUE(m.initializeCUDA(2, 2, nullptr, nullptr, 1));
  m.setRuntime(other);
  EXPECT_TRUE(noLiveObjects());
  ASSERT_TRUE(m.initializeCUDA(2, 2, nullptr, nullptr, 1));
  EXPECT_EQ(other.liveObjects().arrays, 2);
  m.cleanup();
}

TEST_F(RenderBufferManagerTest, StatisticsCountDestinationChangesAndReportOncePerSecond) {
  RenderBufferManager m(rt);
  int marker1 = 0, marker2 = 0;
  ASSERT_TRUE(m.initializeCUDA(2, 2, nullptr, &marker1, 1));
  auto s = RenderBufferManager::getStatistics();
  EXPECT_EQ(s.lastDstImgBuffer, &marker1);
  const int changes = s.dstImgBufferChanges;
  // Wait for the wall clock to move to the next second, then reallocate.
  const std::time_t start = std::time(nullptr);
  while (std::time(nullptr) == start) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  log.mark();
  ASSERT_TRUE(m.initializeCUDA(3, 2, nullptr, &marker2, 1));
  EXPECT_TRUE(log.contains("[INFO] 📊 RenderBufferManager CUDA metrics (last second): ")) << log.text();
  s = RenderBufferManager::getStatistics();
  EXPECT_EQ(s.totalInits, 0) << "reset by the report";
  EXPECT_EQ(s.dstImgBufferChanges, 0);
  EXPECT_EQ(s.lastDstImgBuffer, &marker2);
  EXPECT_GE(changes, 1);
  // Within the same second the next change is counted, not reported.
  log.mark();
  ASSERT_TRUE(m.initializeCUDA(4, 2, nullptr, &marker1, 1));
  if (!log.contains("metrics")) {
    EXPECT_EQ(RenderBufferManager::getStatistics().totalInits, 1);
    EXPECT_EQ(RenderBufferManager::getStatistics().dstImgBufferChanges, 1);
  }
}

}  // namespace
