#pragma once
// Kernel launches of the host backend: a per-pixel body runs over the threads of a CUDA-style
// grid (grid of blocks x threads per block), spread over a pool of worker threads.
//
//   gpu::Error e = gpu::hostLaunch(dim3(gx, gy), dim3(16, 16), [&](int x, int y) {
//     myKernelBody(x, y, params...);   // x = blockIdx.x*blockDim.x + threadIdx.x, likewise y
//   });
//
// The body is called once for every (x, y) with x < grid.x * block.x and y < grid.y * block.y,
// exactly the global thread coordinates of the CUDA launch, so bodies keep their own
// "outside width x height: return" test. Bodies must not depend on the order of threads or
// on block-level cooperation (no shared memory, no barriers): each thread is independent.
//
// Scheduling is paid per row of threads, not per pixel: workers take whole rows from an
// atomic counter and run the body in a tight, inlined loop over the row. All cores are used
// (see HostThreadPool). The call returns when every row has run.
//
// Use it directly only for code that always runs on the CPU. Kernel launchers of the host
// backend go through gpu::HostRuntime::launch (HostRuntime.h), which also keeps the runtime's
// last-error state, fault injection and kernel-fault reporting in the CUDA manner.

#include "gpu/runtime/DeviceTypes.h"
#include "gpu/runtime/RuntimeTypes.h"

#include <cstdint>

namespace gpu {

class HostThreadPool {
 public:
  using Task = void (*)(void* context, int item);

  static HostThreadPool& instance();

  // Runs task(context, item) for every item in [0, items) on all threads of the pool, the
  // calling thread included; returns when all are done. An exception thrown by a task is
  // rethrown here (the first one; remaining items still run). A call made from inside a task
  // runs serially on that thread; calls from two outside threads take turns.
  void run(int items, Task task, void* context);

  // Threads used by run(), the calling thread included. 0 restores the default: every
  // hardware thread.
  void setThreadCount(int count);
  int threadCount() const;

  HostThreadPool(const HostThreadPool&) = delete;
  HostThreadPool& operator=(const HostThreadPool&) = delete;

 private:
  HostThreadPool();
  ~HostThreadPool();
  struct Impl;
  Impl* impl_;
};

// The most threads per block CUDA accepts.
constexpr unsigned int kMaxThreadsPerBlock = 1024;

// InvalidConfiguration where CUDA would refuse the launch: an empty grid or block, more than
// 1024 threads per block, or a third dimension (host bodies are two-dimensional).
inline Error validateLaunch(dim3 grid, dim3 block) {
  if (grid.x == 0 || grid.y == 0 || grid.z == 0 || block.x == 0 || block.y == 0 || block.z == 0)
    return Error::InvalidConfiguration;
  if (static_cast<unsigned long long>(block.x) * block.y * block.z > kMaxThreadsPerBlock)
    return Error::InvalidConfiguration;
  if (grid.z != 1 || block.z != 1) return Error::InvalidConfiguration;
  if (static_cast<unsigned long long>(grid.x) * block.x > 0x7fffffffull ||
      static_cast<unsigned long long>(grid.y) * block.y > 0x7fffffffull)
    return Error::InvalidConfiguration;
  return Error::Success;
}

// Row-oriented variant: rowBody(y, xEnd) is called once per row of threads, y in
// [0, grid.y * block.y), with xEnd = grid.x * block.x; the body loops over x itself.
template <class RowBody>
Error hostLaunchRows(dim3 grid, dim3 block, RowBody&& rowBody) {
  const Error e = validateLaunch(grid, block);
  if (e != Error::Success) return e;
  struct Context {
    RowBody* body;
    int xEnd;
  } ctx{&rowBody, static_cast<int>(grid.x * block.x)};
  const int rows = static_cast<int>(grid.y * block.y);
  HostThreadPool::instance().run(rows, [](void* c, int y) {
    auto* context = static_cast<Context*>(c);
    (*context->body)(y, context->xEnd);
  }, &ctx);
  return Error::Success;
}

// Per-thread variant: body(x, y) for every thread of the grid.
template <class Body>
Error hostLaunch(dim3 grid, dim3 block, Body&& body) {
  return hostLaunchRows(grid, block, [&body](int y, int xEnd) {
    for (int x = 0; x < xEnd; ++x) body(x, y);
  });
}

}  // namespace gpu
