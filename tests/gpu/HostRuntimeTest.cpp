// The host backend's memory, copies, pointer attributes, error state, fault injection,
// surfaces and launches.

#include <gtest/gtest.h>

#include <ostream>
#include <atomic>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "gpu/runtime/HostRuntime.h"
#include "gpu/runtime/KernelAccess.h"

namespace {

using gpu::Error;
using gpu::MemcpyKind;
using Site = gpu::HostRuntime::FaultSite;

constexpr unsigned char kPad = 0xAB;

class HostRuntimeTest : public ::testing::Test {
 protected:
  gpu::Array makeArray(int width, int height, unsigned flags = gpu::kArraySurfaceLoadStore) {
    gpu::Array a = nullptr;
    EXPECT_EQ(rt.mallocArray(&a, gpu::float4ChannelDesc(), width, height, flags), Error::Success);
    return a;
  }
  gpu::HostRuntime rt;
};

// Rows of `width` float4 pixels with value (x, y, k, 1) at a pitch of `pitch` bytes; padding
// bytes hold kPad.
std::vector<unsigned char> pattern(int width, int height, size_t pitch, float k) {
  std::vector<unsigned char> bytes(pitch * height, kPad);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const float px[4] = {static_cast<float>(x), static_cast<float>(y), k, 1.0f};
      std::memcpy(bytes.data() + y * pitch + x * 16, px, 16);
    }
  return bytes;
}

struct PitchCase {
  size_t srcPitchExtra, dstPitchExtra;  // padding bytes per row beyond width * 16
};
void PrintTo(const PitchCase& c, std::ostream* os) { *os << "src+" << c.srcPitchExtra << "_dst+" << c.dstPitchExtra; }

class PitchedCopyTest : public HostRuntimeTest, public ::testing::WithParamInterface<PitchCase> {};

TEST_P(PitchedCopyTest, ArrayRoundTripHonoursBothPitchesAndKeepsPadding) {
  const int width = 5, height = 4;
  const size_t rowBytes = width * 16;
  const size_t srcPitch = rowBytes + GetParam().srcPitchExtra, dstPitch = rowBytes + GetParam().dstPitchExtra;
  const auto src = pattern(width, height, srcPitch, 7.0f);
  gpu::Array a = makeArray(width, height);
  ASSERT_EQ(rt.memcpy2DToArrayAsync(a, 0, 0, src.data(), srcPitch, rowBytes, height, MemcpyKind::HostToDevice, nullptr),
            Error::Success);
  std::vector<unsigned char> dst(dstPitch * height, kPad);
  ASSERT_EQ(rt.memcpy2DFromArrayAsync(dst.data(), dstPitch, a, 0, 0, rowBytes, height, MemcpyKind::DeviceToDevice, nullptr),
            Error::Success);
  EXPECT_EQ(dst, pattern(width, height, dstPitch, 7.0f));

  // Linear pitched copy back again, pitches swapped.
  std::vector<unsigned char> back(srcPitch * height, kPad);
  ASSERT_EQ(rt.memcpy2D(back.data(), srcPitch, dst.data(), dstPitch, rowBytes, height, MemcpyKind::DeviceToDevice),
            Error::Success);
  EXPECT_EQ(back, src);
}

INSTANTIATE_TEST_SUITE_P(Pitches, PitchedCopyTest,
                         ::testing::Values(PitchCase{0, 0}, PitchCase{16, 0}, PitchCase{0, 48}, PitchCase{32, 8},
                                           PitchCase{4, 100}));

TEST_F(HostRuntimeTest, LargeCopiesOverThePoolMatchRowByRow) {
  const int width = 1500, height = 700;  // above the parallel-copy threshold
  const size_t pitch = width * 16 + 64;
  const auto src = pattern(width, height, pitch, 3.0f);
  gpu::Array a = makeArray(width, height);
  ASSERT_EQ(rt.memcpy2DToArray(a, 0, 0, src.data(), pitch, width * 16, height, MemcpyKind::HostToDevice), Error::Success);
  std::vector<unsigned char> dst(pitch * height, kPad);
  ASSERT_EQ(rt.memcpy2DFromArray(dst.data(), pitch, a, 0, 0, width * 16, height, MemcpyKind::DeviceToHost),
            Error::Success);
  EXPECT_TRUE(dst == src);
}

TEST_F(HostRuntimeTest, CopyIntoArrayAtAnOffsetLeavesTheRestUntouched) {
  gpu::Array a = makeArray(4, 3);
  const float one[4] = {1, 2, 3, 4};
  ASSERT_EQ(rt.memcpy2DToArray(a, 2 * 16, 1, one, 16, 16, 1, MemcpyKind::HostToDevice), Error::Success);
  std::vector<float> all(4 * 3 * 4, -1.0f);
  ASSERT_EQ(rt.memcpy2DFromArray(all.data(), 64, a, 0, 0, 64, 3, MemcpyKind::DeviceToHost), Error::Success);
  for (int i = 0; i < 12; ++i) {
    const bool target = i == 1 * 4 + 2;
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(all[i * 4 + c], target ? one[c] : 0.0f) << i;
  }
}

struct CopyErrorCase {
  const char* what;
  size_t wOffset, hOffset, pitch, widthBytes, height;
  int kind;
  Error expected;
};

TEST_F(HostRuntimeTest, RefusedCopiesReportCudaErrors) {
  gpu::Array a = makeArray(4, 4);
  std::vector<unsigned char> buffer(4096);
  const CopyErrorCase cases[] = {
      {"pitch below row", 0, 0, 32, 64, 4, 1, Error::InvalidPitchValue},
      {"rows beyond array", 0, 1, 64, 64, 4, 1, Error::InvalidValue},
      {"columns beyond array", 16, 0, 64, 64, 1, 1, Error::InvalidValue},
      {"bad direction", 0, 0, 64, 64, 4, 7, Error::InvalidMemcpyDirection},
  };
  for (const auto& c : cases) {
    const auto kind = static_cast<MemcpyKind>(c.kind);
    EXPECT_EQ(rt.memcpy2DToArray(a, c.wOffset, c.hOffset, buffer.data(), c.pitch, c.widthBytes, c.height, kind), c.expected)
        << c.what;
    EXPECT_EQ(rt.getLastError(), c.expected) << c.what;
    EXPECT_EQ(rt.memcpy2DFromArray(buffer.data(), c.pitch, a, c.wOffset, c.hOffset, c.widthBytes, c.height, kind), c.expected)
        << c.what;
    EXPECT_EQ(rt.getLastError(), c.expected) << c.what;
  }
  int notAnArray = 0;
  EXPECT_EQ(rt.memcpy2DToArray(reinterpret_cast<gpu::Array>(&notAnArray), 0, 0, buffer.data(), 64, 64, 1,
                               MemcpyKind::HostToDevice),
            Error::InvalidResourceHandle);
  EXPECT_EQ(rt.memcpy2DToArray(nullptr, 0, 0, buffer.data(), 64, 64, 1, MemcpyKind::HostToDevice), Error::InvalidValue);
  EXPECT_EQ(rt.memcpyAsync(nullptr, buffer.data(), 16, MemcpyKind::DeviceToDevice, nullptr), Error::InvalidValue);
  EXPECT_EQ(rt.memcpy2D(buffer.data(), 8, buffer.data() + 2048, 16, 16, 2, MemcpyKind::DeviceToDevice),
            Error::InvalidPitchValue);
}

TEST_F(HostRuntimeTest, LinearMemoryCopiesAndZeroSizes) {
  void* a = nullptr;
  void* b = nullptr;
  ASSERT_EQ(rt.malloc(&a, 64), Error::Success);
  ASSERT_EQ(rt.malloc(&b, 64), Error::Success);
  std::memset(a, 5, 64);
  ASSERT_EQ(rt.memcpyAsync(b, a, 64, MemcpyKind::DeviceToDevice, nullptr), Error::Success);
  EXPECT_EQ(std::memcmp(a, b, 64), 0);
  void* empty = &a;
  EXPECT_EQ(rt.malloc(&empty, 0), Error::Success);
  EXPECT_EQ(empty, nullptr);
  EXPECT_EQ(rt.free(nullptr), Error::Success);
  EXPECT_EQ(rt.free(static_cast<char*>(a) + 8), Error::InvalidValue) << "only allocation starts can be freed";
  EXPECT_EQ(rt.liveObjects().linear, 2);
  EXPECT_EQ(rt.free(a), Error::Success);
  EXPECT_EQ(rt.free(b), Error::Success);
  EXPECT_EQ(rt.liveObjects().linear, 0);
  EXPECT_EQ(rt.createdObjects().linear, 2);
}

TEST_F(HostRuntimeTest, OwnAllocationsAreDeviceMemoryEverythingElseHost) {
  void* device = nullptr;
  ASSERT_EQ(rt.malloc(&device, 1000), Error::Success);
  std::vector<float> hostBuffer(16);
  int onStack = 0;
  struct Case {
    const void* ptr;
    gpu::MemoryType expected;
  } cases[] = {{device, gpu::MemoryType::Device},
               {static_cast<char*>(device) + 999, gpu::MemoryType::Device},
               {static_cast<char*>(device) + 1000, gpu::MemoryType::Unregistered},
               {hostBuffer.data(), gpu::MemoryType::Unregistered},
               {&onStack, gpu::MemoryType::Unregistered},
               {nullptr, gpu::MemoryType::Unregistered}};
  for (const auto& c : cases) {
    gpu::MemoryType type = gpu::MemoryType::Managed;
    EXPECT_EQ(rt.pointerGetAttributes(&type, c.ptr), Error::Success);
    EXPECT_EQ(type, c.expected) << c.ptr;
  }
  ASSERT_EQ(rt.free(device), Error::Success);
  gpu::MemoryType type = gpu::MemoryType::Managed;
  EXPECT_EQ(rt.pointerGetAttributes(&type, device), Error::Success);
  EXPECT_EQ(type, gpu::MemoryType::Unregistered) << "freed memory is no longer device memory";

  rt.injectFault(Site::PointerAttributes, 1, Error::InvalidValue);
  EXPECT_EQ(rt.pointerGetAttributes(&type, hostBuffer.data()), Error::InvalidValue);
  EXPECT_EQ(rt.getLastError(), Error::InvalidValue);
  EXPECT_EQ(rt.getLastError(), Error::Success) << "cleared by the first query";
}

TEST_F(HostRuntimeTest, LastErrorIsReturnedOnceAndKeptPerThread) {
  EXPECT_EQ(rt.getLastError(), Error::Success);
  gpu::Array a = nullptr;
  EXPECT_EQ(rt.mallocArray(&a, gpu::Runtime::createChannelDesc(8, 8, 8, 8, gpu::ChannelFormatKind::Unsigned), 4, 4),
            Error::InvalidChannelDescriptor);
  EXPECT_EQ(rt.peekAtLastError(), Error::InvalidChannelDescriptor);
  EXPECT_EQ(rt.peekAtLastError(), Error::InvalidChannelDescriptor) << "peeking does not clear";
  Error seenElsewhere = Error::Unknown;
  std::thread([&] { seenElsewhere = rt.getLastError(); }).join();
  EXPECT_EQ(seenElsewhere, Error::Success) << "another thread has its own last error";
  EXPECT_EQ(rt.getLastError(), Error::InvalidChannelDescriptor);
  EXPECT_EQ(rt.getLastError(), Error::Success);
  // A later failure replaces an earlier one.
  EXPECT_EQ(rt.free(reinterpret_cast<void*>(0x1000)), Error::InvalidValue);
  EXPECT_EQ(rt.destroyTextureObject(0x2000), Error::InvalidResourceHandle);
  EXPECT_EQ(rt.getLastError(), Error::InvalidResourceHandle);
}

TEST_F(HostRuntimeTest, ErrorTextsAreCudas) {
  const std::pair<Error, const char*> texts[] = {
      {Error::Success, "no error"},
      {Error::InvalidValue, "invalid argument"},
      {Error::MemoryAllocation, "out of memory"},
      {Error::InvalidPitchValue, "invalid pitch argument"},
      {Error::InvalidResourceHandle, "invalid resource handle"},
      {Error::IllegalAddress, "an illegal memory access was encountered"},
      {Error::LaunchFailure, "unspecified launch failure"},
      {Error::InvalidConfiguration, "invalid configuration argument"},
      {Error::NoDevice, "no CUDA-capable device is detected"},
      {static_cast<Error>(12345), "unrecognized error code"},
  };
  for (const auto& [error, text] : texts) EXPECT_STREQ(rt.getErrorString(error), text);
}

TEST_F(HostRuntimeTest, NthAllocationFailsOnceThenAllocationsSucceedAgain) {
  rt.injectFault(Site::Allocation, 3, Error::MemoryAllocation);
  void* p1 = nullptr;
  void* p2 = nullptr;
  gpu::Array a1 = nullptr, a2 = nullptr;
  EXPECT_EQ(rt.malloc(&p1, 16), Error::Success);
  EXPECT_EQ(rt.mallocArray(&a1, gpu::float4ChannelDesc(), 2, 2), Error::Success);
  gpu::Array untouched = reinterpret_cast<gpu::Array>(0x1);
  EXPECT_EQ(rt.mallocArray(&untouched, gpu::float4ChannelDesc(), 2, 2), Error::MemoryAllocation);
  EXPECT_EQ(untouched, reinterpret_cast<gpu::Array>(0x1)) << "no handle written on failure";
  EXPECT_EQ(rt.getLastError(), Error::MemoryAllocation);
  EXPECT_EQ(rt.malloc(&p2, 16), Error::Success);
  EXPECT_EQ(rt.mallocArray(&a2, gpu::float4ChannelDesc(), 2, 2), Error::Success);
  const auto live = rt.liveObjects();
  EXPECT_EQ(live.linear, 2);
  EXPECT_EQ(live.arrays, 2);
}

TEST_F(HostRuntimeTest, NthObjectCreationFailsAcrossTexturesAndSurfaces) {
  gpu::Array a = makeArray(2, 2);
  rt.injectFault(Site::ObjectCreation, 2, Error::InvalidValue);
  gpu::TextureObject t = 0;
  gpu::SurfaceObject s = 0;
  EXPECT_EQ(rt.createTextureObject(&t, gpu::ResourceDesc::forArray(a), gpu::TextureDesc::standard()), Error::Success);
  EXPECT_EQ(rt.createSurfaceObject(&s, a), Error::InvalidValue);
  EXPECT_EQ(s, 0u);
  EXPECT_EQ(rt.createSurfaceObject(&s, a), Error::Success);
  EXPECT_EQ(rt.liveObjects().textures, 1);
  EXPECT_EQ(rt.liveObjects().surfaces, 1);
  EXPECT_EQ(rt.destroySurfaceObject(s), Error::Success);
  EXPECT_EQ(rt.destroyTextureObject(t), Error::Success);
  EXPECT_EQ(rt.destroyTextureObject(t), Error::InvalidResourceHandle) << "already destroyed";
  EXPECT_EQ(rt.destroyTextureObject(0), Error::Success);
  EXPECT_EQ(rt.freeArray(a), Error::Success);
  const auto live = rt.liveObjects();
  EXPECT_EQ(live.textures + live.surfaces + live.arrays + live.linear, 0);
  EXPECT_EQ(rt.createdObjects().textures, 1);
  EXPECT_EQ(rt.createdObjects().surfaces, 1);
}

TEST_F(HostRuntimeTest, SurfacesNeedTheLoadStoreFlag) {
  gpu::Array plain = makeArray(2, 2, 0);
  gpu::SurfaceObject s = 0;
  EXPECT_EQ(rt.createSurfaceObject(&s, plain), Error::InvalidValue);
  gpu::Array flagged = makeArray(2, 2);
  EXPECT_EQ(rt.createSurfaceObject(&s, flagged), Error::Success);
}

TEST_F(HostRuntimeTest, LaunchCoversEveryThreadOnceWithAnyThreadCount) {
  const int gridX = 5, gridY = 3, block = 16;
  for (int threads : {1, 2, 4}) {
    gpu::HostThreadPool::instance().setThreadCount(threads);
    std::vector<std::atomic<int>> hits(gridX * block * gridY * block);
    for (auto& h : hits) h = 0;
    ASSERT_EQ(rt.launch(dim3(gridX, gridY), dim3(block, block), nullptr,
                        [&](int x, int y) { hits[static_cast<size_t>(y) * gridX * block + x]++; }),
              Error::Success);
    for (const auto& h : hits) ASSERT_EQ(h.load(), 1) << threads << " threads";
  }
  gpu::HostThreadPool::instance().setThreadCount(0);
}

TEST_F(HostRuntimeTest, RefusedLaunchRunsNothingAndSetsTheLastError) {
  struct Case {
    dim3 grid, block;
  } cases[] = {{dim3(0, 1), dim3(16, 16)}, {dim3(1, 1), dim3(64, 32)}, {dim3(1, 1, 2), dim3(16, 16)}};
  for (const auto& c : cases) {
    bool ran = false;
    EXPECT_EQ(rt.launch(c.grid, c.block, nullptr, [&](int, int) { ran = true; }), Error::InvalidConfiguration);
    EXPECT_FALSE(ran);
    EXPECT_EQ(rt.getLastError(), Error::InvalidConfiguration);
    EXPECT_EQ(rt.streamSynchronize(nullptr), Error::Success) << "configuration errors are not sticky";
  }
  rt.injectFault(Site::Launch, 1, Error::LaunchFailure);
  bool ran = false;
  EXPECT_EQ(rt.launch(dim3(1, 1), dim3(1, 1), nullptr, [&](int, int) { ran = true; }), Error::LaunchFailure);
  EXPECT_FALSE(ran);
}

TEST_F(HostRuntimeTest, TrappingSurfaceAccessFailsTheNextSynchronisationAndSticks) {
  gpu::Array a = makeArray(4, 4);
  gpu::SurfaceObject s = 0;
  ASSERT_EQ(rt.createSurfaceObject(&s, a), Error::Success);
  ASSERT_EQ(rt.launch(dim3(1, 1), dim3(5, 4), nullptr,
                      [&](int x, int y) { gpu::surfaceWrite(make_float4(1, 1, 1, 1), s, x * 16, y); }),
            Error::Success);
  EXPECT_EQ(rt.getLastError(), Error::Success) << "execution errors show at synchronisation";
  EXPECT_EQ(rt.streamSynchronize(nullptr), Error::IllegalAddress);
  // Broken context: calls fail, the error is not cleared, releases still release.
  void* p = nullptr;
  EXPECT_EQ(rt.malloc(&p, 16), Error::IllegalAddress);
  EXPECT_EQ(rt.getLastError(), Error::IllegalAddress);
  EXPECT_EQ(rt.getLastError(), Error::IllegalAddress);
  EXPECT_EQ(rt.destroySurfaceObject(s), Error::IllegalAddress);
  EXPECT_EQ(rt.freeArray(a), Error::IllegalAddress);
  EXPECT_EQ(rt.liveObjects().arrays, 0);
  EXPECT_EQ(rt.liveObjects().surfaces, 0);
  rt.clearStickyError();
  EXPECT_EQ(rt.getLastError(), Error::Success);
  EXPECT_EQ(rt.malloc(&p, 16), Error::Success);
}

TEST_F(HostRuntimeTest, InBoundsSurfaceWritesAndReads) {
  gpu::Array a = makeArray(3, 2);
  gpu::SurfaceObject s = 0;
  ASSERT_EQ(rt.createSurfaceObject(&s, a), Error::Success);
  ASSERT_EQ(rt.launch(dim3(1, 1), dim3(3, 2), nullptr,
                      [&](int x, int y) { gpu::surfaceWrite(make_float4(x, y, 2, 3), s, x * 16, y); }),
            Error::Success);
  ASSERT_EQ(rt.streamSynchronize(nullptr), Error::Success);
  const float4 r = gpu::surfaceRead(s, 2 * 16, 1);
  EXPECT_FLOAT_EQ(r.x, 2);
  EXPECT_FLOAT_EQ(r.y, 1);
  EXPECT_FLOAT_EQ(r.w, 3);
}

TEST_F(HostRuntimeTest, InjectedSynchronisationFaultIsReturnedOnce) {
  rt.injectFault(Site::Synchronize, 2, Error::NotReady);
  EXPECT_EQ(rt.streamSynchronize(nullptr), Error::Success);
  EXPECT_EQ(rt.streamSynchronize(nullptr), Error::NotReady);
  EXPECT_EQ(rt.streamSynchronize(nullptr), Error::Success);
  rt.injectFault(Site::Synchronize, 1, Error::LaunchFailure);
  EXPECT_EQ(rt.deviceSynchronize(), Error::LaunchFailure);
  EXPECT_EQ(rt.deviceSynchronize(), Error::LaunchFailure) << "sticky";
  rt.clearStickyError();
  rt.clearFaults();
  EXPECT_EQ(rt.deviceSynchronize(), Error::Success);
}

TEST_F(HostRuntimeTest, WarmUpLeavesNoError) {
  rt.warmUp();
  EXPECT_EQ(rt.getLastError(), Error::Success);
}

TEST(HostThreadPoolTest, TaskExceptionsReachTheCallerAfterAllItemsRan) {
  std::atomic<int> ran{0};
  auto task = [](void* c, int item) {
    static_cast<std::atomic<int>*>(c)->fetch_add(1);
    if (item == 3) throw std::runtime_error("item 3");
  };
  EXPECT_THROW(gpu::HostThreadPool::instance().run(40, task, &ran), std::runtime_error);
  EXPECT_EQ(ran.load(), 40);
}

TEST(HostThreadPoolTest, NestedRunsExecuteInline) {
  std::atomic<int> inner{0};
  EXPECT_EQ(gpu::hostLaunchRows(dim3(1, 4), dim3(1, 1), [&](int, int) {
              (void)gpu::hostLaunch(dim3(2, 1), dim3(3, 1), [&](int, int) { inner++; });
            }),
            Error::Success);
  EXPECT_EQ(inner.load(), 4 * 6);
}

TEST(RuntimeSelectionTest, HostBackendAlwaysExistsCudaOnlyWithADevice) {
  EXPECT_EQ(gpu::hostRuntime().backend(), gpu::Backend::Host);
  EXPECT_STREQ(gpu::hostRuntime().name(), "host");
  if (gpu::cudaRuntime() == nullptr) {
    EXPECT_STRNE(gpu::cudaUnavailableReason(), "");
  } else {
    EXPECT_EQ(gpu::cudaRuntime()->backend(), gpu::Backend::Cuda);
    EXPECT_STREQ(gpu::cudaUnavailableReason(), "");
  }
}

}  // namespace
