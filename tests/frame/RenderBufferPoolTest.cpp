// The render buffer pool: capacity figures, hits and misses by output address, LRU eviction
// and the once-per-process capacity line.

#include "effect/RenderBufferPool.h"
#include "tests/frame/FrameTestSupport.h"

using frametest::FrameLog;

namespace {

void* address(uintptr_t v) { return reinterpret_cast<void*>(v); }

struct CapacityCase {
  int width;
  int height;
  size_t pipelineBuffers;
  size_t capacity;
};

}  // namespace

class PoolCapacityTest : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(PoolCapacityTest, FollowsTheBudget) {
  const CapacityCase& c = GetParam();
  EXPECT_EQ(RenderBufferPool::calculateMaxPoolSize(c.width, c.height, c.pipelineBuffers), c.capacity);
}

INSTANTIATE_TEST_SUITE_P(Figures, PoolCapacityTest,
                         ::testing::Values(CapacityCase{1920, 1080, 0, 16}, CapacityCase{1920, 1080, 3, 16},
                                           CapacityCase{3840, 2160, 0, 15}, CapacityCase{3840, 2160, 1, 7},
                                           CapacityCase{3840, 2160, 3, 4}, CapacityCase{7680, 4320, 0, 4},
                                           CapacityCase{256, 256, 0, 16}, CapacityCase{256, 256, 7, 16},
                                           CapacityCase{200, 200, 0, 16}, CapacityCase{0, 0, 0, 16}));

TEST(PoolCapacityLogTest, TheCapacityLineIsWrittenOncePerProcess) {
  FrameLog log;
  // Each test runs in a process of its own, so this is the process's first call.
  RenderBufferPool::calculateMaxPoolSize(3840, 2160, 1);
  RenderBufferPool first;
  RenderBufferPool second;  // another instance does not log it again
  first.getOrCreateBufferMgr(address(0x10), 64, 64, 0, gpu::hostRuntime());
  second.getOrCreateBufferMgr(address(0x10), 64, 64, 0, gpu::hostRuntime());
  EXPECT_EQ(log.count("Pool capacity:"), 1u);
  EXPECT_TRUE(log.contains(
      "[INFO] 💾 Pool capacity: 7 entries (entry=252MB: ping-pong=126MB + 1×pipeline=126MB, budget=2000MB, "
      "resolution=3840x2160)"));
}

TEST(RenderBufferPoolTest, SameAddressHitsAnotherAddressMisses) {
  FrameLog log;
  RenderBufferPool pool;
  RenderBufferManager* first = pool.getOrCreateBufferMgr(address(0x1000), 64, 32, 0, gpu::hostRuntime());
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->isInitialized());  // a new manager holds no GPU memory yet
  EXPECT_TRUE(log.contains("Buffer pool MISS - created RenderBufferManager for dstImgBuffer=0x1000 (pool size now=1, cap=16)"));
  // Same address, another size: still the same manager.
  EXPECT_EQ(pool.getOrCreateBufferMgr(address(0x1000), 128, 128, 0, gpu::hostRuntime()), first);
  EXPECT_TRUE(log.contains("[DEBUG] Buffer pool HIT for dstImgBuffer=0x1000 (pool size=1)"));
  RenderBufferManager* other = pool.getOrCreateBufferMgr(address(0x2000), 64, 32, 0, gpu::hostRuntime());
  EXPECT_NE(other, first);
  EXPECT_EQ(pool.size(), 2u);
  EXPECT_EQ(pool.frameCounter(), 3);
  EXPECT_EQ(pool.lastUsedFrame(address(0x1000)), 2);
  EXPECT_EQ(pool.lastUsedFrame(address(0x2000)), 3);
  EXPECT_EQ(pool.lastUsedFrame(address(0x3000)), -1);
}

TEST(RenderBufferPoolTest, AMissAtCapacityEvictsTheLeastRecentlyUsedEntry) {
  FrameLog log;
  RenderBufferPool pool;
  // 3840 x 2160 with three pipeline buffers: capacity 4.
  const auto look = [&](uintptr_t a) { return pool.getOrCreateBufferMgr(address(a), 3840, 2160, 3, gpu::hostRuntime()); };
  // Frames 1..9 leave last-used frames a=5, b=9, c=2, d=7.
  for (uintptr_t a : {0xa0u, 0xc0u, 0xb0u, 0xd0u, 0xa0u, 0xb0u, 0xd0u, 0xb0u, 0xb0u}) look(a);
  ASSERT_EQ(pool.size(), 4u);
  EXPECT_EQ(pool.lastUsedFrame(address(0xa0)), 5);
  EXPECT_EQ(pool.lastUsedFrame(address(0xb0)), 9);
  EXPECT_EQ(pool.lastUsedFrame(address(0xc0)), 2);
  EXPECT_EQ(pool.lastUsedFrame(address(0xd0)), 7);
  look(0xe0);  // frame 10
  EXPECT_EQ(pool.size(), 4u);
  EXPECT_FALSE(pool.contains(address(0xc0)));
  EXPECT_TRUE(pool.contains(address(0xe0)));
  EXPECT_TRUE(log.contains("[INFO] Pool at cap (4) - LRU evicting entry last used frame 2 (age=8 frames)"));
}

TEST(RenderBufferPoolTest, TiesEvictTheLowestAddressAndEvictionReleasesGpuMemory) {
  RenderBufferPool pool;
  RenderBufferManager* victim = nullptr;
  for (uintptr_t a = 1; a <= 4; ++a) {
    RenderBufferManager* m = pool.getOrCreateBufferMgr(address(a * 16), 3840, 2160, 3, gpu::hostRuntime());
    if (a == 1) victim = m;
  }
  ASSERT_TRUE(victim->initializeCUDA(8, 8, nullptr, nullptr, 1));
  const auto live = gpu::hostRuntime().liveObjects();
  pool.getOrCreateBufferMgr(address(0x1000), 3840, 2160, 3, gpu::hostRuntime());
  EXPECT_FALSE(pool.contains(address(16)));
  const auto after = gpu::hostRuntime().liveObjects();
  EXPECT_EQ(after.arrays, live.arrays - 2);
  EXPECT_EQ(after.linear, live.linear - 2);
}

TEST(RenderBufferPoolTest, AShrunkCapacityEvictsOneEntryPerMiss) {
  RenderBufferPool pool;
  for (uintptr_t a = 1; a <= 6; ++a) pool.getOrCreateBufferMgr(address(a), 256, 256, 0, gpu::hostRuntime());
  ASSERT_EQ(pool.size(), 6u);
  // At 3840 x 2160 with three pipeline buffers the capacity is 4: one eviction, one entry added.
  pool.getOrCreateBufferMgr(address(100), 3840, 2160, 3, gpu::hostRuntime());
  EXPECT_EQ(pool.size(), 6u);
  EXPECT_FALSE(pool.contains(address(1)));
  pool.getOrCreateBufferMgr(address(101), 3840, 2160, 3, gpu::hostRuntime());
  EXPECT_EQ(pool.size(), 6u);
  EXPECT_FALSE(pool.contains(address(2)));
}

TEST(RenderBufferPoolTest, AHitMovesTheManagerToTheFramesRuntime) {
  RenderBufferPool pool;
  gpu::HostRuntime other;
  RenderBufferManager* m = pool.getOrCreateBufferMgr(address(0x40), 8, 8, 0, other);
  ASSERT_TRUE(m->initializeCUDA(8, 8, nullptr, nullptr, 1));
  EXPECT_EQ(other.liveObjects().arrays, 2);
  EXPECT_EQ(pool.getOrCreateBufferMgr(address(0x40), 8, 8, 0, gpu::hostRuntime()), m);
  EXPECT_EQ(&m->runtime(), static_cast<gpu::Runtime*>(&gpu::hostRuntime()));
  EXPECT_EQ(other.liveObjects().arrays, 0);  // released on the runtime that made them
  pool.clear();
}
