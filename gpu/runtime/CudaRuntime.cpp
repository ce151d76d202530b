// The CUDA backend: every operation forwards to the CUDA runtime API. Built only with
// EDGE_BLEED_HAS_CUDA; plain C++ against cuda_runtime_api.h, linked with CUDA::cudart.

#include <cuda_runtime_api.h>

#include <cstring>
#include <mutex>
#include <string>

#include "gpu/runtime/Runtime.h"

namespace gpu {

namespace {

static_assert(sizeof(TextureObject) == sizeof(cudaTextureObject_t), "texture handles are 64-bit");
static_assert(sizeof(SurfaceObject) == sizeof(cudaSurfaceObject_t), "surface handles are 64-bit");
static_assert(static_cast<int>(cudaErrorIllegalAddress) == static_cast<int>(Error::IllegalAddress), "error codes");
static_assert(static_cast<int>(cudaErrorInvalidValue) == static_cast<int>(Error::InvalidValue), "error codes");
static_assert(static_cast<int>(cudaErrorMemoryAllocation) == static_cast<int>(Error::MemoryAllocation), "error codes");
static_assert(static_cast<int>(cudaErrorLaunchFailure) == static_cast<int>(Error::LaunchFailure), "error codes");
static_assert(static_cast<int>(cudaErrorNoDevice) == static_cast<int>(Error::NoDevice), "error codes");
static_assert(static_cast<int>(cudaMemoryTypeDevice) == static_cast<int>(MemoryType::Device), "memory types");
static_assert(static_cast<int>(cudaAddressModeMirror) == static_cast<int>(AddressMode::Mirror), "address modes");
static_assert(static_cast<int>(cudaFilterModeLinear) == static_cast<int>(FilterMode::Linear), "filter modes");
static_assert(static_cast<int>(cudaMemcpyDeviceToDevice) == static_cast<int>(MemcpyKind::DeviceToDevice), "kinds");
static_assert(static_cast<int>(cudaResourceTypePitch2D) == static_cast<int>(ResourceType::Pitch2D), "resources");
static_assert(cudaArraySurfaceLoadStore == kArraySurfaceLoadStore, "array flags");

Error toError(cudaError_t e) { return static_cast<Error>(static_cast<int>(e)); }
cudaMemcpyKind toKind(MemcpyKind k) { return static_cast<cudaMemcpyKind>(static_cast<int>(k)); }
cudaChannelFormatDesc toChannelDesc(const ChannelFormatDesc& d) {
  return cudaCreateChannelDesc(d.x, d.y, d.z, d.w, static_cast<cudaChannelFormatKind>(static_cast<int>(d.f)));
}

class CudaRuntime final : public Runtime {
 public:
  Backend backend() const override { return Backend::Cuda; }
  const char* name() const override { return "cuda"; }

  Error malloc(void** devPtr, size_t bytes) override { return toError(cudaMalloc(devPtr, bytes)); }
  Error free(void* devPtr) override { return toError(cudaFree(devPtr)); }

  Error mallocArray(Array* array, const ChannelFormatDesc& desc, size_t width, size_t height,
                    unsigned int flags) override {
    const cudaChannelFormatDesc d = toChannelDesc(desc);
    return toError(cudaMallocArray(array, &d, width, height, flags));
  }
  Error freeArray(Array array) override { return toError(cudaFreeArray(array)); }

  Error createTextureObject(TextureObject* texture, const ResourceDesc& resource, const TextureDesc& desc) override {
    cudaResourceDesc res;
    std::memset(&res, 0, sizeof(res));
    res.resType = static_cast<cudaResourceType>(static_cast<int>(resource.type));
    if (resource.type == ResourceType::Array) {
      res.res.array.array = resource.array;
    } else {
      res.res.pitch2D.devPtr = resource.devPtr;
      res.res.pitch2D.desc = toChannelDesc(resource.desc);
      res.res.pitch2D.width = resource.width;
      res.res.pitch2D.height = resource.height;
      res.res.pitch2D.pitchInBytes = resource.pitchInBytes;
    }
    cudaTextureDesc tex;
    std::memset(&tex, 0, sizeof(tex));
    tex.addressMode[0] = static_cast<cudaTextureAddressMode>(static_cast<int>(desc.addressMode[0]));
    tex.addressMode[1] = static_cast<cudaTextureAddressMode>(static_cast<int>(desc.addressMode[1]));
    tex.filterMode = static_cast<cudaTextureFilterMode>(static_cast<int>(desc.filterMode));
    tex.readMode = static_cast<cudaTextureReadMode>(static_cast<int>(desc.readMode));
    tex.normalizedCoords = desc.normalizedCoords ? 1 : 0;
    cudaTextureObject_t object = 0;
    const cudaError_t e = cudaCreateTextureObject(&object, &res, &tex, nullptr);
    if (e == cudaSuccess) *texture = object;
    return toError(e);
  }
  Error destroyTextureObject(TextureObject texture) override { return toError(cudaDestroyTextureObject(texture)); }

  Error createSurfaceObject(SurfaceObject* surface, Array array) override {
    cudaResourceDesc res;
    std::memset(&res, 0, sizeof(res));
    res.resType = cudaResourceTypeArray;
    res.res.array.array = array;
    cudaSurfaceObject_t object = 0;
    const cudaError_t e = cudaCreateSurfaceObject(&object, &res);
    if (e == cudaSuccess) *surface = object;
    return toError(e);
  }
  Error destroySurfaceObject(SurfaceObject surface) override { return toError(cudaDestroySurfaceObject(surface)); }

  Error memcpy2DToArray(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                        size_t widthBytes, size_t height, MemcpyKind kind) override {
    return toError(cudaMemcpy2DToArray(dst, wOffset, hOffset, src, srcPitch, widthBytes, height, toKind(kind)));
  }
  Error memcpy2DToArrayAsync(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                             size_t widthBytes, size_t height, MemcpyKind kind, Stream stream) override {
    return toError(
        cudaMemcpy2DToArrayAsync(dst, wOffset, hOffset, src, srcPitch, widthBytes, height, toKind(kind), stream));
  }
  Error memcpy2DFromArray(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset, size_t widthBytes,
                          size_t height, MemcpyKind kind) override {
    return toError(cudaMemcpy2DFromArray(dst, dstPitch, src, wOffset, hOffset, widthBytes, height, toKind(kind)));
  }
  Error memcpy2DFromArrayAsync(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                               size_t widthBytes, size_t height, MemcpyKind kind, Stream stream) override {
    return toError(
        cudaMemcpy2DFromArrayAsync(dst, dstPitch, src, wOffset, hOffset, widthBytes, height, toKind(kind), stream));
  }
  Error memcpy2D(void* dst, size_t dstPitch, const void* src, size_t srcPitch, size_t widthBytes, size_t height,
                 MemcpyKind kind) override {
    return toError(cudaMemcpy2D(dst, dstPitch, src, srcPitch, widthBytes, height, toKind(kind)));
  }
  Error memcpy(void* dst, const void* src, size_t bytes, MemcpyKind kind) override {
    return toError(cudaMemcpy(dst, src, bytes, toKind(kind)));
  }
  Error memcpyAsync(void* dst, const void* src, size_t bytes, MemcpyKind kind, Stream stream) override {
    return toError(cudaMemcpyAsync(dst, src, bytes, toKind(kind), stream));
  }

  Error pointerGetAttributes(MemoryType* type, const void* ptr) override {
    cudaPointerAttributes attributes;
    std::memset(&attributes, 0, sizeof(attributes));
    const cudaError_t e = cudaPointerGetAttributes(&attributes, ptr);
    if (e == cudaSuccess && type != nullptr) *type = static_cast<MemoryType>(static_cast<int>(attributes.type));
    return toError(e);
  }

  Error streamSynchronize(Stream stream) override { return toError(cudaStreamSynchronize(stream)); }
  Error deviceSynchronize() override { return toError(cudaDeviceSynchronize()); }
  Error getLastError() override { return toError(cudaGetLastError()); }
  Error peekAtLastError() override { return toError(cudaPeekAtLastError()); }
  const char* getErrorString(Error error) const override {
    return cudaGetErrorString(static_cast<cudaError_t>(static_cast<int>(error)));
  }
};

std::once_flag probeOnce;
Runtime* usableRuntime = nullptr;
std::string unavailableReason;

void probe() {
  int count = 0;
  const cudaError_t e = cudaGetDeviceCount(&count);
  if (e != cudaSuccess) {
    unavailableReason = cudaGetErrorString(e);
    (void)cudaGetLastError();
    return;
  }
  if (count <= 0) {
    unavailableReason = "no CUDA-capable device is detected";
    return;
  }
  static CudaRuntime runtime;
  usableRuntime = &runtime;
}

}  // namespace

Runtime* cudaRuntime() {
  std::call_once(probeOnce, probe);
  return usableRuntime;
}

const char* cudaUnavailableReason() {
  std::call_once(probeOnce, probe);
  return unavailableReason.c_str();
}

}  // namespace gpu
