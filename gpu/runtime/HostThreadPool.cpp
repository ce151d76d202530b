#include "gpu/runtime/HostLaunch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace gpu {

namespace {
// Set on pool workers and on a caller while it runs tasks: a nested run() from inside a task
// must not wait for the pool it is part of.
thread_local bool insidePoolTask = false;

int hardwareThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(std::min(n, 256u));
}
}  // namespace

struct HostThreadPool::Impl {
  std::mutex callerMutex;  // one run() at a time from outside the pool

  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable finished;
  std::vector<std::thread> workers;
  bool stopping = false;

  // The current job; written under `mutex` before a new generation is announced.
  unsigned long long generation = 0;
  Task task = nullptr;
  void* context = nullptr;
  int items = 0;
  std::atomic<int> nextItem{0};
  int activeWorkers = 0;   // workers that have not finished the current generation
  int participants = 0;    // workers asked to take part in the current generation
  std::exception_ptr error;

  std::atomic<int> threadCount{hardwareThreads()};

  void drain() {
    for (;;) {
      const int item = nextItem.fetch_add(1, std::memory_order_relaxed);
      if (item >= items) return;
      try {
        task(context, item);
      } catch (...) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!error) error = std::current_exception();
      }
    }
  }

  void workerLoop(int index) {
    insidePoolTask = true;
    unsigned long long seen = 0;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return stopping || (generation != seen && index < participants); });
      if (stopping) return;
      seen = generation;
      lock.unlock();
      drain();
      lock.lock();
      if (--activeWorkers == 0) finished.notify_all();
    }
  }

  void ensureWorkers(int count) {
    // Called with `mutex` held.
    while (static_cast<int>(workers.size()) < count) {
      const int index = static_cast<int>(workers.size());
      workers.emplace_back([this, index] { workerLoop(index); });
    }
  }
};

HostThreadPool::HostThreadPool() : impl_(new Impl) {}

HostThreadPool::~HostThreadPool() {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = true;
  }
  impl_->wake.notify_all();
  for (auto& t : impl_->workers) t.join();
  delete impl_;
}

HostThreadPool& HostThreadPool::instance() {
  static HostThreadPool pool;
  return pool;
}

void HostThreadPool::setThreadCount(int count) {
  impl_->threadCount.store(count <= 0 ? hardwareThreads() : std::min(count, 256));
}

int HostThreadPool::threadCount() const { return impl_->threadCount.load(); }

void HostThreadPool::run(int items, Task task, void* context) {
  if (items <= 0) return;
  const int helpers = std::min(threadCount(), items) - 1;
  if (helpers <= 0 || insidePoolTask) {
    for (int i = 0; i < items; ++i) task(context, i);
    return;
  }

  Impl& s = *impl_;
  std::lock_guard<std::mutex> callerLock(s.callerMutex);
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.ensureWorkers(helpers);
    s.task = task;
    s.context = context;
    s.items = items;
    s.nextItem.store(0, std::memory_order_relaxed);
    s.error = nullptr;
    s.participants = helpers;
    s.activeWorkers = helpers;
    ++s.generation;
  }
  s.wake.notify_all();

  insidePoolTask = true;
  s.drain();
  insidePoolTask = false;

  std::exception_ptr error;
  {
    std::unique_lock<std::mutex> lock(s.mutex);
    s.finished.wait(lock, [&] { return s.activeWorkers == 0; });
    error = s.error;
    s.error = nullptr;
  }
  if (error) std::rethrow_exception(error);
}

}  // namespace gpu
