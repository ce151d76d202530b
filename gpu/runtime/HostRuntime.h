#pragma once
// The host backend: the runtime operations of Runtime.h emulated on the CPU.
//
// - "Device" memory is ordinary memory owned by this runtime; pointerGetAttributes reports
//   the runtime's own linear allocations (any address inside them) as MemoryType::Device and
//   everything else as Unregistered host memory. Since all memory is host-addressable, copies
//   accept every copy kind; the kind only matters on the CUDA backend.
// - Arrays hold float4 elements (the only channel format the system uses; other formats are
//   refused with InvalidChannelDescriptor); a new array reads zero unless it reuses the memory
//   of a freed one of the same size (large frame-sized blocks are kept for reuse, so
//   per-frame temporaries cost no page faults). Texture and surface handles are addresses of
//   host::TextureObject / host::SurfaceObject (HostObjects.h).
// - "Asynchronous" operations complete before they return; a stream is only a token.
// - Every failing call returns its error and records it as the calling thread's last error;
//   getLastError returns and clears it. Sticky errors (illegal address, launch failure) put
//   the runtime in CUDA's broken-context state: later calls fail with the same error, and
//   getLastError does not clear it, until clearStickyError(). Releases still release.
// - Launches run the kernel body on the thread pool (launch()); a surface access that CUDA
//   would trap on surfaces as "an illegal memory access was encountered" at the next
//   synchronisation.
// - Tests can make the n-th call at a fault site fail (injectFault) and count live and
//   created objects.
//
// Thread-safe: several render threads may use one HostRuntime.

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <unordered_set>

#include "gpu/runtime/HostLaunch.h"
#include "gpu/runtime/HostObjects.h"
#include "gpu/runtime/Runtime.h"

namespace gpu {

class HostRuntime final : public Runtime {
 public:
  // Where a test can inject a failure.
  enum class FaultSite : int {
    Allocation,         // malloc and mallocArray
    ObjectCreation,     // createTextureObject and createSurfaceObject
    CopyToArray,        // memcpy2DToArray(+Async)
    CopyFromArray,      // memcpy2DFromArray(+Async)
    LinearCopy,         // memcpy, memcpyAsync, memcpy2D
    Synchronize,        // streamSynchronize, deviceSynchronize
    Launch,             // launch()
    PointerAttributes,  // pointerGetAttributes
    Count
  };

  struct ObjectCounts {
    int linear = 0;
    int arrays = 0;
    int textures = 0;
    int surfaces = 0;
  };

  HostRuntime();
  ~HostRuntime() override;  // releases whatever is still allocated
  HostRuntime(const HostRuntime&) = delete;
  HostRuntime& operator=(const HostRuntime&) = delete;

  Backend backend() const override { return Backend::Host; }
  const char* name() const override { return "host"; }

  Error malloc(void** devPtr, size_t bytes) override;
  Error free(void* devPtr) override;
  Error mallocArray(Array* array, const ChannelFormatDesc& desc, size_t width, size_t height,
                    unsigned int flags = 0) override;
  Error freeArray(Array array) override;
  Error createTextureObject(TextureObject* texture, const ResourceDesc& resource, const TextureDesc& desc) override;
  Error destroyTextureObject(TextureObject texture) override;
  Error createSurfaceObject(SurfaceObject* surface, Array array) override;
  Error destroySurfaceObject(SurfaceObject surface) override;
  Error memcpy2DToArray(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                        size_t widthBytes, size_t height, MemcpyKind kind) override;
  Error memcpy2DToArrayAsync(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                             size_t widthBytes, size_t height, MemcpyKind kind, Stream stream) override;
  Error memcpy2DFromArray(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                          size_t widthBytes, size_t height, MemcpyKind kind) override;
  Error memcpy2DFromArrayAsync(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                               size_t widthBytes, size_t height, MemcpyKind kind, Stream stream) override;
  Error memcpy2D(void* dst, size_t dstPitch, const void* src, size_t srcPitch, size_t widthBytes, size_t height,
                 MemcpyKind kind) override;
  Error memcpy(void* dst, const void* src, size_t bytes, MemcpyKind kind) override;
  Error memcpyAsync(void* dst, const void* src, size_t bytes, MemcpyKind kind, Stream stream) override;
  Error pointerGetAttributes(MemoryType* type, const void* ptr) override;
  Error streamSynchronize(Stream stream) override;
  Error deviceSynchronize() override;
  Error getLastError() override;
  Error peekAtLastError() override;
  const char* getErrorString(Error error) const override { return errorString(error); }

  // Runs `body(x, y)` for every thread of the grid (see hostLaunch) as a kernel launch on
  // `stream`: a refused configuration or an injected launch fault is returned and recorded
  // as the last error without running anything (as <<<>>> followed by cudaGetLastError
  // would show); a trapping surface access during the run makes the next synchronisation
  // fail with IllegalAddress. Returns Success when the body ran.
  template <class Body>
  Error launch(dim3 grid, dim3 block, Stream stream, Body&& body) {
    (void)stream;
    const Error e = beginLaunch(grid, block);
    if (e != Error::Success) return e;
    const unsigned faultsBefore = host::kernelFaultCount.load(std::memory_order_relaxed);
    hostLaunch(grid, block, static_cast<Body&&>(body));
    endLaunch(faultsBefore);
    return Error::Success;
  }

  // Records an error as the calling thread's last error (what a failing launch does in CUDA);
  // a sticky error also breaks the context.
  void setLastError(Error error);

  // --- test support ---
  // The n-th call (1 = the next one) at `site`, counted from now, fails with `error`.
  // One pending fault per site; injecting again replaces it.
  void injectFault(FaultSite site, int n, Error error);
  void clearFaults();
  // Leaves the broken-context state of a sticky error and drops an execution error not yet
  // reported (what destroying and re-creating a CUDA context would do).
  void clearStickyError();
  ObjectCounts liveObjects() const;
  ObjectCounts createdObjects() const;  // successful creations since construction
  // True when ptr lies inside one of this runtime's linear allocations.
  bool ownsDevicePointer(const void* ptr) const;

 private:
  struct HostArray;

  Error fail(Error e);                       // records and returns e
  Error checkCall(FaultSite site);           // sticky state, then an injected fault
  Error beginLaunch(dim3 grid, dim3 block);
  void endLaunch(unsigned faultsBefore);
  HostArray* findArray(Array a) const;       // null when unknown; mutex held
  Error copyToArray(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                    size_t widthBytes, size_t height, MemcpyKind kind);
  Error copyFromArray(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset, size_t widthBytes,
                      size_t height, MemcpyKind kind);
  Error copyLinear(void* dst, const void* src, size_t bytes, MemcpyKind kind);
  void* takeBlock(size_t bytes, bool zeroFresh);  // a kept block of that size, or a new one
  void keepBlock(void* block, size_t bytes);      // mutex held; keeps large blocks for reuse

  struct Fault {
    int remaining = 0;  // 0: none pending
    Error error = Error::Success;
  };

  const unsigned long long id_;  // keys the per-thread last error
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, size_t> linear_;  // start address -> size
  std::unordered_set<HostArray*> arrays_;
  std::multimap<size_t, void*> spare_;  // freed large blocks by size
  size_t spareBytes_ = 0;
  std::unordered_set<host::TextureObject*> textures_;
  std::unordered_set<host::SurfaceObject*> surfaces_;
  ObjectCounts created_;
  std::array<Fault, static_cast<size_t>(FaultSite::Count)> faults_{};
  Error sticky_ = Error::Success;   // broken-context state
  Error pending_ = Error::Success;  // execution error to report at the next synchronisation
};

}  // namespace gpu
