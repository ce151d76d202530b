#include "host/MultiThreadSuite.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "host/HandleRegistry.h"

namespace ofxhost {
namespace {

thread_local bool t_spawned = false;
thread_local unsigned int t_index = 0;

// Worker threads that take queued jobs; grows when a call asks for more threads than it has,
// so that every index of one multiThread call runs concurrently.
class ThreadPool {
 public:
  void run(OfxThreadFunctionV1 *func, unsigned int count, void *arg) {
    std::mutex doneMutex;
    std::condition_variable doneCv;
    unsigned int remaining = count;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      while (workers_.size() < count) workers_.emplace_back([this] { workerLoop(); });
      for (unsigned int i = 0; i < count; ++i) {
        jobs_.push_back([=, &doneMutex, &doneCv, &remaining] {
          t_index = i;
          func(i, count, arg);
          std::lock_guard<std::mutex> done(doneMutex);
          if (--remaining == 0) doneCv.notify_all();
        });
      }
    }
    cv_.notify_all();
    std::unique_lock<std::mutex> lock(doneMutex);
    doneCv.wait(lock, [&] { return remaining == 0; });
  }

 private:
  void workerLoop() {
    t_spawned = true;
    for (;;) {
      std::function<void()> job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        cv_.wait(lock, [this] { return !jobs_.empty(); });
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      job();
    }
  }

  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> jobs_;
  std::vector<std::thread> workers_;
};

ThreadPool &pool() {
  // Workers are detached with the process: the pool is never destroyed, so no join at exit.
  static ThreadPool *instance = new ThreadPool;
  return *instance;
}

std::atomic<unsigned int> g_reportedCpus{0};
std::atomic<int> g_mutexCount{0};

unsigned int cpuCount() {
  const unsigned int forced = g_reportedCpus.load();
  if (forced) return forced;
  const unsigned int hw = std::thread::hardware_concurrency();
  return hw ? hw : 1;
}

// The recursive mutex behind OfxMutexHandle.
class HostMutex {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::Mutex;
  HostMutex() : registration_(this, kHandleKind) {}
  std::recursive_mutex mutex;

 private:
  HandleRegistration registration_;
};

constexpr unsigned int kMaxThreads = 256;

OfxStatus multiThread(OfxThreadFunctionV1 func, unsigned int nThreads, void *arg) {
  if (func == nullptr) return kOfxStatErrValue;
  if (nThreads == 0) nThreads = cpuCount();
  if (nThreads > kMaxThreads) return kOfxStatErrValue;
  // Nested calls from a worker run serially on that worker, which cannot deadlock the pool.
  if (t_spawned || nThreads == 1) {
    const unsigned int saved = t_index;
    for (unsigned int i = 0; i < nThreads; ++i) {
      t_index = i;
      func(i, nThreads, arg);
    }
    t_index = saved;
    return kOfxStatOK;
  }
  pool().run(func, nThreads, arg);
  return kOfxStatOK;
}

OfxStatus multiThreadNumCPUs(unsigned int *count) {
  if (count == nullptr) return kOfxStatErrValue;
  *count = cpuCount();
  return kOfxStatOK;
}

OfxStatus multiThreadIndex(unsigned int *index) {
  if (index == nullptr) return kOfxStatErrValue;
  *index = t_index;
  return kOfxStatOK;
}

int multiThreadIsSpawnedThread() { return t_spawned ? 1 : 0; }

OfxStatus mutexCreate(OfxMutexHandle *mutex, int lockCount) {
  if (mutex == nullptr || lockCount < 0) return kOfxStatErrValue;
  auto *m = new HostMutex;
  for (int i = 0; i < lockCount; ++i) m->mutex.lock();
  ++g_mutexCount;
  *mutex = reinterpret_cast<OfxMutexHandle>(m);
  return kOfxStatOK;
}

OfxStatus mutexDestroy(const OfxMutexHandle handle) {
  HostMutex *m = fromHandle<HostMutex>(handle);
  if (m == nullptr) return kOfxStatErrBadHandle;
  delete m;
  --g_mutexCount;
  return kOfxStatOK;
}

OfxStatus mutexLock(const OfxMutexHandle handle) {
  HostMutex *m = fromHandle<HostMutex>(handle);
  if (m == nullptr) return kOfxStatErrBadHandle;
  m->mutex.lock();
  return kOfxStatOK;
}

OfxStatus mutexUnLock(const OfxMutexHandle handle) {
  HostMutex *m = fromHandle<HostMutex>(handle);
  if (m == nullptr) return kOfxStatErrBadHandle;
  m->mutex.unlock();
  return kOfxStatOK;
}

OfxStatus mutexTryLock(const OfxMutexHandle handle) {
  HostMutex *m = fromHandle<HostMutex>(handle);
  if (m == nullptr) return kOfxStatErrBadHandle;
  return m->mutex.try_lock() ? kOfxStatOK : kOfxStatFailed;
}

const OfxMultiThreadSuiteV1 kMultiThreadSuite = {multiThread, multiThreadNumCPUs, multiThreadIndex,
                                                 multiThreadIsSpawnedThread, mutexCreate, mutexDestroy,
                                                 mutexLock, mutexUnLock, mutexTryLock};

}  // namespace

void setReportedCpuCount(unsigned int count) { g_reportedCpus = count; }
int outstandingMutexes() { return g_mutexCount.load(); }
const OfxMultiThreadSuiteV1 *multiThreadSuite() { return &kMultiThreadSuite; }

}  // namespace ofxhost
