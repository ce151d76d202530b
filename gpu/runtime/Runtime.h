#pragma once
// The GPU runtime operations the system uses, behind one interface with two backends:
//   - CudaRuntime forwards every call to the CUDA runtime API (built when the toolkit is found);
//   - HostRuntime emulates the same semantics on the CPU (HostRuntime.h).
// Each operation mirrors the CUDA call named in its comment: same arguments, same error codes
// (gpu::Error values equal cudaError_t values), same last-error behaviour. Handles are 64-bit
// values with 0 meaning none, so kernel parameter blocks are identical for both backends.
//
// Kernel launches are not part of this interface: a launcher launches its __global__ wrapper
// with <<<>>> on the CUDA backend, and calls HostRuntime::launch on the host backend; see
// backend() to tell them apart.

#include "gpu/runtime/DeviceTypes.h"
#include "gpu/runtime/RuntimeTypes.h"

namespace gpu {

enum class Backend { Host, Cuda };

class Runtime {
 public:
  virtual ~Runtime() = default;

  virtual Backend backend() const = 0;
  virtual const char* name() const = 0;  // "host" or "cuda"

  // cudaMalloc / cudaFree: linear device memory. Freeing nullptr succeeds.
  virtual Error malloc(void** devPtr, size_t bytes) = 0;
  virtual Error free(void* devPtr) = 0;

  // cudaCreateChannelDesc
  static ChannelFormatDesc createChannelDesc(int x, int y, int z, int w, ChannelFormatKind f) {
    ChannelFormatDesc d;
    d.x = x;
    d.y = y;
    d.z = z;
    d.w = w;
    d.f = f;
    return d;
  }

  // cudaMallocArray / cudaFreeArray: a 2D array of width x height elements; flags 0 for
  // textures only, kArraySurfaceLoadStore to allow surface objects too.
  virtual Error mallocArray(Array* array, const ChannelFormatDesc& desc, size_t width, size_t height,
                            unsigned int flags = 0) = 0;
  virtual Error freeArray(Array array) = 0;

  // cudaCreateTextureObject / cudaDestroyTextureObject
  virtual Error createTextureObject(TextureObject* texture, const ResourceDesc& resource,
                                    const TextureDesc& desc) = 0;
  virtual Error destroyTextureObject(TextureObject texture) = 0;

  // cudaCreateSurfaceObject (over an array resource) / cudaDestroySurfaceObject
  virtual Error createSurfaceObject(SurfaceObject* surface, Array array) = 0;
  virtual Error destroySurfaceObject(SurfaceObject surface) = 0;

  // cudaMemcpy2DToArray(+Async): `height` rows of `widthBytes` bytes from `src` (row pitch
  // `srcPitch`) into the array at byte column wOffset, row hOffset.
  virtual Error memcpy2DToArray(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                                size_t widthBytes, size_t height, MemcpyKind kind) = 0;
  virtual Error memcpy2DToArrayAsync(Array dst, size_t wOffset, size_t hOffset, const void* src,
                                     size_t srcPitch, size_t widthBytes, size_t height, MemcpyKind kind,
                                     Stream stream) = 0;

  // cudaMemcpy2DFromArray(+Async): the mirror copy; only widthBytes of each destination row
  // (pitch `dstPitch`) are written.
  virtual Error memcpy2DFromArray(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                                  size_t widthBytes, size_t height, MemcpyKind kind) = 0;
  virtual Error memcpy2DFromArrayAsync(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                                       size_t widthBytes, size_t height, MemcpyKind kind, Stream stream) = 0;

  // cudaMemcpy2D: pitched linear to pitched linear.
  virtual Error memcpy2D(void* dst, size_t dstPitch, const void* src, size_t srcPitch, size_t widthBytes,
                         size_t height, MemcpyKind kind) = 0;

  // cudaMemcpy / cudaMemcpyAsync
  virtual Error memcpy(void* dst, const void* src, size_t bytes, MemcpyKind kind) = 0;
  virtual Error memcpyAsync(void* dst, const void* src, size_t bytes, MemcpyKind kind, Stream stream) = 0;

  // cudaPointerGetAttributes, reduced to the memory type (MemoryType::Device = 2 for device
  // memory; unknown host memory is Unregistered).
  virtual Error pointerGetAttributes(MemoryType* type, const void* ptr) = 0;

  // cudaStreamSynchronize / cudaDeviceSynchronize: wait for queued work; return the first
  // error of that work.
  virtual Error streamSynchronize(Stream stream) = 0;
  virtual Error deviceSynchronize() = 0;

  // cudaGetLastError (returns and clears the calling thread's last error; sticky errors stay)
  // and cudaPeekAtLastError (returns without clearing).
  virtual Error getLastError() = 0;
  virtual Error peekAtLastError() = 0;

  // cudaGetErrorString
  virtual const char* getErrorString(Error error) const = 0;

  // The context warm-up: free(nullptr) (creates the context), getLastError (clears anything
  // that left), deviceSynchronize. Results are ignored.
  void warmUp() {
    (void)free(nullptr);
    (void)getLastError();
    (void)deviceSynchronize();
  }
};

// CUDA's text for an error code ("invalid argument", "out of memory", ...); the host backend
// uses these so that log lines read the same on both backends.
const char* errorString(Error error);

class HostRuntime;

// The process-wide host backend; always available.
HostRuntime& hostRuntime();

// The process-wide CUDA backend, or nullptr when the build has no CUDA backend or no usable
// CUDA device exists (checked once).
Runtime* cudaRuntime();

// Why cudaRuntime() is null ("" when it is not): "CUDA backend not built" or the CUDA error
// text of the device query.
const char* cudaUnavailableReason();

}  // namespace gpu
