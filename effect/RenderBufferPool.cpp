#include "effect/RenderBufferPool.h"

#include <cstdint>

#include "plugin/Logger.h"

namespace {
// The capacity line is written once per process, however many instances there are.
std::once_flag capLogFlag;
}  // namespace

size_t RenderBufferPool::calculateMaxPoolSize(int width, int height, size_t pipelineBufferCount) {
  // width x height is formed in 32-bit arithmetic, as the figures of the pool were made;
  // unsigned so that an absurd size wraps instead of being undefined.
  const uint32_t pixels = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
  const size_t pingPongMB = (static_cast<size_t>(pixels) * 16u) >> 20;
  const size_t entryMB = pingPongMB + pipelineBufferCount * pingPongMB;
  const size_t raw = entryMB == 0 ? kMaxCapacity : kBudgetMB / entryMB;
  const size_t capacity = raw < kMinCapacity ? kMinCapacity : (raw > kMaxCapacity ? kMaxCapacity : raw);

  std::call_once(capLogFlag, [&] {
    Logger::getInstance().logMessage(
        LOG_INFO,
        "💾 Pool capacity: %zu entries (entry=%zuMB: ping-pong=%zuMB + %zu×pipeline=%zuMB, budget=%zuMB, "
        "resolution=%dx%d)",
        capacity, entryMB, pingPongMB, pipelineBufferCount, pipelineBufferCount * pingPongMB, kBudgetMB, width,
        height);
  });
  return capacity;
}

RenderBufferManager* RenderBufferPool::getOrCreateBufferMgr(void* outputAddress, int width, int height,
                                                            size_t pipelineBufferCount, gpu::Runtime& runtime) {
  Logger& log = Logger::getInstance();
  std::lock_guard<std::mutex> lock(mutex_);
  ++frameCounter_;

  const auto hit = pool_.find(outputAddress);
  if (hit != pool_.end()) {
    hit->second.lastUsedFrame = frameCounter_;
    log.logMessage(LOG_DEBUG, "Buffer pool HIT for dstImgBuffer=%p (pool size=%zu)", outputAddress, pool_.size());
    hit->second.manager->setRuntime(runtime);
    return hit->second.manager.get();
  }

  const size_t capacity = calculateMaxPoolSize(width, height, pipelineBufferCount);
  if (pool_.size() >= capacity) {
    auto victim = pool_.begin();
    for (auto it = pool_.begin(); it != pool_.end(); ++it) {
      if (it->second.lastUsedFrame < victim->second.lastUsedFrame) victim = it;
    }
    log.logMessage(LOG_INFO, "Pool at cap (%zu) - LRU evicting entry last used frame %d (age=%d frames)", capacity,
                   victim->second.lastUsedFrame, frameCounter_ - victim->second.lastUsedFrame);
    victim->second.manager->cleanup();
    pool_.erase(victim);
  }

  PoolEntry entry;
  entry.manager = std::make_unique<RenderBufferManager>(runtime);
  entry.lastUsedFrame = frameCounter_;
  RenderBufferManager* manager = entry.manager.get();
  pool_.emplace(outputAddress, std::move(entry));
  log.logMessage(LOG_INFO, "Buffer pool MISS - created RenderBufferManager for dstImgBuffer=%p (pool size now=%zu, cap=%zu)",
                 outputAddress, pool_.size(), capacity);
  return manager;
}

size_t RenderBufferPool::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pool_.size();
}

int RenderBufferPool::frameCounter() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return frameCounter_;
}

bool RenderBufferPool::contains(const void* outputAddress) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pool_.count(outputAddress) != 0;
}

int RenderBufferPool::lastUsedFrame(const void* outputAddress) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = pool_.find(outputAddress);
  return found == pool_.end() ? -1 : found->second.lastUsedFrame;
}

void RenderBufferPool::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  pool_.clear();
}
