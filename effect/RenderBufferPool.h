#pragma once
// The effect instance's pool of RenderBufferManagers, one per host output buffer it has
// rendered into, keyed by the buffer's address (the frame size plays no part: a manager
// adapts itself to a new size). A host cycling through a few output buffers finds a ready
// manager, with its ping-pong buffers, for each.
//
// Capacity: the GPU memory estimate of one entry (its ping-pong pair plus the instance's
// pipeline buffers, in whole megabytes) divided into a 2000 MB budget, clamped to 4..16.
// A miss at capacity evicts the least recently used entry (lowest address on a tie), exactly
// one per miss. Lookups count frames: the frame set-up looks up once per frame.
//
// Thread-safe (one non-recursive mutex); the managers themselves serve one render at a time.

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>

#include "gpu/RenderBufferManager.h"

class RenderBufferPool {
 public:
  static constexpr size_t kBudgetMB = 2000;
  static constexpr size_t kMinCapacity = 4;
  static constexpr size_t kMaxCapacity = 16;

  struct PoolEntry {
    std::unique_ptr<RenderBufferManager> manager;
    int lastUsedFrame = 0;

    PoolEntry() = default;
    PoolEntry(PoolEntry&&) = default;
    PoolEntry& operator=(PoolEntry&&) = default;
    PoolEntry(const PoolEntry&) = delete;
    PoolEntry& operator=(const PoolEntry&) = delete;
  };

  RenderBufferPool() = default;
  RenderBufferPool(const RenderBufferPool&) = delete;
  RenderBufferPool& operator=(const RenderBufferPool&) = delete;

  // The manager for this frame's output buffer, on `runtime` (a manager whose objects live on
  // another runtime releases them first); never null. pipelineBufferCount is the number of
  // pipeline buffers the instance holds now (before this frame's reallocation). The pointer
  // stays valid until the entry is evicted or the pool destroyed.
  RenderBufferManager* getOrCreateBufferMgr(void* outputAddress, int width, int height, size_t pipelineBufferCount,
                                            gpu::Runtime& runtime);

  // 4 to 16 entries; the first call in the process logs the figures once.
  static size_t calculateMaxPoolSize(int width, int height, size_t pipelineBufferCount);

  size_t size() const;
  int frameCounter() const;
  bool contains(const void* outputAddress) const;
  // lastUsedFrame of the entry, or -1 when there is none.
  int lastUsedFrame(const void* outputAddress) const;
  // Destroys every manager (and its GPU memory).
  void clear();

 private:
  mutable std::mutex mutex_;
  std::map<const void*, PoolEntry> pool_;
  int frameCounter_ = 0;
};
