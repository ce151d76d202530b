#include "openfx/support/MultiThread.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

#include <exception>

namespace OFX {
namespace MultiThread {
namespace {

// What one multiThread call hands to every spawned thread.
struct ThreadCall {
  Processor* processor;
  std::mutex errorMutex;
  std::exception_ptr firstError;
};

}  // namespace

unsigned int getNumCPUs() {
  unsigned int count = 1;
  if (Private::gThreadSuite == nullptr || Private::gThreadSuite->multiThreadNumCPUs(&count) != kOfxStatOK) return 1;
  return count == 0 ? 1 : count;
}

unsigned int getThreadIndex() {
  unsigned int index = 0;
  if (Private::gThreadSuite == nullptr || Private::gThreadSuite->multiThreadIndex(&index) != kOfxStatOK) return 0;
  return index;
}

bool isSpawnedThread() {
  return Private::gThreadSuite != nullptr && Private::gThreadSuite->multiThreadIsSpawnedThread() != 0;
}

void Processor::threadEntry(unsigned int threadIndex, unsigned int threadMax, void* arg) {
  auto* call = static_cast<ThreadCall*>(arg);
  // Nothing may unwind through the host's thread function: keep the first
  // error and hand it back to the thread that called multiThread.
  try {
    call->processor->multiThreadFunction(threadIndex, threadMax);
  } catch (...) {
    std::lock_guard<std::mutex> lock(call->errorMutex);
    if (!call->firstError) call->firstError = std::current_exception();
  }
}

void Processor::multiThread(unsigned int nCPUs) {
  if (nCPUs == 0) nCPUs = getNumCPUs();
  if (nCPUs <= 1 || Private::gThreadSuite == nullptr) {
    multiThreadFunction(0, 1);
    return;
  }
  ThreadCall call;
  call.processor = this;
  const OfxStatus status = Private::gThreadSuite->multiThread(&Processor::threadEntry, nCPUs, &call);
  if (call.firstError) std::rethrow_exception(call.firstError);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "multiThread");
}

Mutex::Mutex() {
  if (Private::gThreadSuite != nullptr && Private::gThreadSuite->mutexCreate(&hostMutex_, 0) != kOfxStatOK) {
    hostMutex_ = nullptr;
  }
}

Mutex::~Mutex() {
  if (hostMutex_ != nullptr && Private::gThreadSuite != nullptr) Private::gThreadSuite->mutexDestroy(hostMutex_);
}

void Mutex::lock() {
  if (hostMutex_ != nullptr) {
    const OfxStatus status = Private::gThreadSuite->mutexLock(hostMutex_);
    if (status != kOfxStatOK) throwSuiteStatusException(status, "mutexLock");
    return;
  }
  localMutex_.lock();
}

void Mutex::unlock() {
  if (hostMutex_ != nullptr) {
    Private::gThreadSuite->mutexUnLock(hostMutex_);
    return;
  }
  localMutex_.unlock();
}

bool Mutex::tryLock() {
  if (hostMutex_ != nullptr) return Private::gThreadSuite->mutexTryLock(hostMutex_) == kOfxStatOK;
  return localMutex_.try_lock();
}

}  // namespace MultiThread
}  // namespace OFX
