#pragma once
// Work spread over the host's threads (the multi-thread suite), and mutexes.
// Without the suite everything runs on the calling thread.

#include "openfx/include/ofxMultiThread.h"

#include <mutex>

namespace OFX {
namespace MultiThread {

// Number of CPUs the host offers for spawned threads (1 without the suite).
unsigned int getNumCPUs();
// Index of the calling spawned thread (0 outside a spawned thread or without the suite).
unsigned int getThreadIndex();
// True on a thread spawned by the host's multiThread.
bool isSpawnedThread();

// Subclasses put per-thread work in multiThreadFunction and call multiThread.
class Processor {
 public:
  Processor() = default;
  virtual ~Processor() = default;

  // Runs multiThreadFunction(i, n) for i = 0 .. n-1 on the host's threads and
  // returns when all have finished. nCPUs 0 means getNumCPUs(). With one
  // thread, or without the host suite, it runs (0, 1) on the calling thread.
  // An exception thrown by any thread is rethrown here after all have ended;
  // a failing host suite call throws Exception::Suite.
  virtual void multiThread(unsigned int nCPUs = 0);

 protected:
  virtual void multiThreadFunction(unsigned int threadId, unsigned int nThreads) = 0;

 private:
  static void threadEntry(unsigned int threadIndex, unsigned int threadMax, void* arg);
};

// A recursive mutex: the host's when it offers one, the C++ library's otherwise.
class Mutex {
 public:
  Mutex();
  ~Mutex();
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void lock();
  void unlock();
  bool tryLock();

 private:
  OfxMutexHandle hostMutex_ = nullptr;
  std::recursive_mutex localMutex_;
};

// Holds a Mutex for its own lifetime.
class AutoMutex {
 public:
  explicit AutoMutex(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
  ~AutoMutex() { mutex_.unlock(); }
  AutoMutex(const AutoMutex&) = delete;
  AutoMutex& operator=(const AutoMutex&) = delete;

 private:
  Mutex& mutex_;
};

}  // namespace MultiThread
}  // namespace OFX
