// The multi-thread, memory, message and image-memory suites called directly.
#include <atomic>
#include <mutex>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "host/ImageEffect.h"
#include "host/MessageSuite.h"
#include "host/MultiThreadSuite.h"

namespace {

const OfxMultiThreadSuiteV1 &mt() { return *ofxhost::multiThreadSuite(); }

struct ThreadProbe {
  std::mutex mutex;
  std::set<unsigned int> indices;
  std::set<std::thread::id> threads;
  std::atomic<int> spawned{0};
  std::atomic<int> nestedCalls{0};
  unsigned int max = 0;
};

void record(unsigned int index, unsigned int max, void *arg) {
  auto *probe = static_cast<ThreadProbe *>(arg);
  unsigned int reported = 99;
  mt().multiThreadIndex(&reported);
  if (mt().multiThreadIsSpawnedThread()) ++probe->spawned;
  std::lock_guard<std::mutex> lock(probe->mutex);
  EXPECT_EQ(reported, index);
  probe->indices.insert(index);
  probe->threads.insert(std::this_thread::get_id());
  probe->max = max;
}

void nested(unsigned int, unsigned int, void *arg) {
  auto *probe = static_cast<ThreadProbe *>(arg);
  ThreadProbe inner;
  // A nested call from a worker runs serially there rather than deadlocking the pool.
  EXPECT_EQ(mt().multiThread(record, 3, &inner), kOfxStatOK);
  EXPECT_EQ(inner.indices.size(), 3u);
  EXPECT_EQ(inner.threads.size(), 1u);
  ++probe->nestedCalls;
}

TEST(MultiThreadSuite, RunsEveryIndexOnSpawnedThreads) {
  for (unsigned int n : {2u, 4u, 7u}) {
    ThreadProbe probe;
    ASSERT_EQ(mt().multiThread(record, n, &probe), kOfxStatOK);
    EXPECT_EQ(probe.indices.size(), n);
    EXPECT_EQ(probe.max, n);
    EXPECT_EQ(probe.spawned.load(), static_cast<int>(n));
    EXPECT_FALSE(mt().multiThreadIsSpawnedThread());
  }
}

TEST(MultiThreadSuite, NestedCallsRunSerially) {
  ThreadProbe probe;
  ASSERT_EQ(mt().multiThread(nested, 4, &probe), kOfxStatOK);
  EXPECT_EQ(probe.nestedCalls.load(), 4);
}

TEST(MultiThreadSuite, ZeroThreadsMeansOnePerCpuAndCpuCountIsConfigurable) {
  ofxhost::setReportedCpuCount(5);
  unsigned int cpus = 0;
  EXPECT_EQ(mt().multiThreadNumCPUs(&cpus), kOfxStatOK);
  EXPECT_EQ(cpus, 5u);
  ThreadProbe probe;
  ASSERT_EQ(mt().multiThread(record, 0, &probe), kOfxStatOK);
  EXPECT_EQ(probe.indices.size(), 5u);
  ofxhost::setReportedCpuCount(0);
  EXPECT_EQ(mt().multiThread(nullptr, 2, nullptr), kOfxStatErrValue);
  EXPECT_EQ(mt().multiThreadNumCPUs(nullptr), kOfxStatErrValue);
}

TEST(MultiThreadSuite, MutexesAreRecursiveAndChecked) {
  const int before = ofxhost::outstandingMutexes();
  OfxMutexHandle m = nullptr;
  ASSERT_EQ(mt().mutexCreate(&m, 1), kOfxStatOK);
  EXPECT_EQ(mt().mutexLock(m), kOfxStatOK);  // recursive: the creator already holds it
  std::atomic<OfxStatus> other{kOfxStatOK};
  std::thread([&] { other = mt().mutexTryLock(m); }).join();
  EXPECT_EQ(other.load(), kOfxStatFailed);
  EXPECT_EQ(mt().mutexUnLock(m), kOfxStatOK);
  EXPECT_EQ(mt().mutexUnLock(m), kOfxStatOK);
  std::thread([&] {
    other = mt().mutexTryLock(m);
    if (other == kOfxStatOK) mt().mutexUnLock(m);
  }).join();
  EXPECT_EQ(other.load(), kOfxStatOK);
  EXPECT_EQ(ofxhost::outstandingMutexes(), before + 1);
  EXPECT_EQ(mt().mutexDestroy(m), kOfxStatOK);
  EXPECT_EQ(mt().mutexDestroy(m), kOfxStatErrBadHandle);
  EXPECT_EQ(mt().mutexLock(nullptr), kOfxStatErrBadHandle);
  EXPECT_EQ(ofxhost::outstandingMutexes(), before);
}

TEST(MemorySuite, TracksBlocksAndRefusesForeignPointers) {
  const OfxMemorySuiteV1 &memory = *ofxhost::memorySuite();
  const int before = ofxhost::outstandingMemoryBlocks();
  void *block = nullptr;
  ASSERT_EQ(memory.memoryAlloc(nullptr, 128, &block), kOfxStatOK);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(ofxhost::outstandingMemoryBlocks(), before + 1);
  int local = 0;
  EXPECT_EQ(memory.memoryFree(&local), kOfxStatErrBadHandle);
  EXPECT_EQ(memory.memoryFree(block), kOfxStatOK);
  EXPECT_EQ(memory.memoryFree(block), kOfxStatErrBadHandle);
  EXPECT_EQ(ofxhost::outstandingMemoryBlocks(), before);
}

TEST(ImageMemorySuite, LockGivesTheBytesAndFreeIsChecked) {
  const OfxImageEffectSuiteV1 &fx = *ofxhost::imageEffectSuite();
  const int before = ofxhost::outstandingImageMemory();
  OfxImageMemoryHandle memory = nullptr;
  ASSERT_EQ(fx.imageMemoryAlloc(nullptr, 64, &memory), kOfxStatOK);
  void *data = nullptr;
  EXPECT_EQ(fx.imageMemoryLock(memory, &data), kOfxStatOK);
  ASSERT_NE(data, nullptr);
  static_cast<char *>(data)[63] = 1;
  EXPECT_EQ(fx.imageMemoryUnlock(memory), kOfxStatOK);
  EXPECT_EQ(ofxhost::outstandingImageMemory(), before + 1);
  EXPECT_EQ(fx.imageMemoryFree(memory), kOfxStatOK);
  EXPECT_EQ(fx.imageMemoryFree(memory), kOfxStatErrBadHandle);
  EXPECT_EQ(ofxhost::outstandingImageMemory(), before);
}

TEST(MessageSuite, RecordsMessagesQuestionsAndPersistentMessages) {
  ofxhost::clearRecordedMessages();
  const OfxMessageSuiteV2 &msg = *ofxhost::messageSuiteV2();
  int owner = 0;
  EXPECT_EQ(msg.message(&owner, kOfxMessageWarning, "w1", "%s=%d", "x", 3), kOfxStatOK);
  EXPECT_EQ(msg.message(&owner, kOfxMessageQuestion, "q1", "sure?"), kOfxStatReplyYes);
  ofxhost::setQuestionReply(kOfxStatReplyNo);
  EXPECT_EQ(msg.message(&owner, kOfxMessageQuestion, "q2", "really?"), kOfxStatReplyNo);
  ofxhost::setQuestionReply(kOfxStatReplyYes);
  EXPECT_EQ(msg.message(&owner, nullptr, "bad", "no type"), kOfxStatErrValue);
  EXPECT_EQ(msg.setPersistentMessage(&owner, kOfxMessageError, "p1", "first"), kOfxStatOK);
  EXPECT_EQ(msg.setPersistentMessage(&owner, kOfxMessageError, "p2", "second"), kOfxStatOK);
  auto persistent = ofxhost::persistentMessages();
  ASSERT_EQ(persistent.size(), 1u);
  EXPECT_EQ(persistent[0].text, "second");
  EXPECT_EQ(msg.clearPersistentMessage(&owner), kOfxStatOK);
  EXPECT_TRUE(ofxhost::persistentMessages().empty());
  const auto all = ofxhost::recordedMessages();
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0].text, "x=3");
  EXPECT_EQ(all[0].id, "w1");
  EXPECT_TRUE(all[3].persistent);
  EXPECT_EQ(ofxhost::messageSuiteV1()->message(nullptr, kOfxMessageLog, nullptr, "v1"), kOfxStatOK);
}

}  // namespace
