#include "gpu/runtime/HostRuntime.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace gpu {

namespace {

std::atomic<unsigned long long> nextRuntimeId{1};

// CUDA keeps the last error per host thread; so does the host backend, per runtime.
thread_local std::unordered_map<unsigned long long, Error> lastErrors;

constexpr size_t kBlockAlignment = 512;  // CUDA's texture alignment: pitch2D views always fit
// Freed blocks of at least kSpareMinBytes are kept (up to kSpareMaxBytes in all) and handed
// out again for the same size: frame-sized temporaries, created and released on every frame,
// then cost no page faults. Only blocks of exactly the requested size are reused; when the
// limit is reached the smallest kept blocks go first.
constexpr size_t kSpareMinBytes = size_t(1) << 20;
constexpr size_t kSpareMaxBytes = size_t(768) << 20;
constexpr size_t kMaxArrayWidth = 131072, kMaxArrayHeight = 65536;
// Copies larger than this run over the thread pool, a band of rows per item.
constexpr size_t kParallelCopyBytes = size_t(4) << 20;

size_t roundUp(size_t v, size_t to) { return (v + to - 1) / to * to; }

bool validKind(MemcpyKind kind) {
  const int k = static_cast<int>(kind);
  return k >= 0 && k <= 4;
}

bool validAddressMode(AddressMode m) {
  const int v = static_cast<int>(m);
  return v >= 0 && v <= 3;
}

struct RowCopy {
  unsigned char* dst;
  size_t dstPitch;
  const unsigned char* src;
  size_t srcPitch;
  size_t widthBytes;
  size_t height;
  size_t rowsPerItem;
};

void copyRowBand(void* context, int item) {
  const auto* c = static_cast<const RowCopy*>(context);
  const size_t first = static_cast<size_t>(item) * c->rowsPerItem;
  const size_t last = first + c->rowsPerItem < c->height ? first + c->rowsPerItem : c->height;
  for (size_t y = first; y < last; ++y) std::memcpy(c->dst + y * c->dstPitch, c->src + y * c->srcPitch, c->widthBytes);
}

// Pitched row copy; only widthBytes of every destination row are written.
void copyRows(void* dst, size_t dstPitch, const void* src, size_t srcPitch, size_t widthBytes, size_t height) {
  if (widthBytes == 0 || height == 0) return;
  RowCopy c{static_cast<unsigned char*>(dst), dstPitch, static_cast<const unsigned char*>(src), srcPitch,
            widthBytes, height, height};
  if (widthBytes * height < kParallelCopyBytes) {
    copyRowBand(&c, 0);
    return;
  }
  c.rowsPerItem = height / 32 + 1;
  const int items = static_cast<int>((height + c.rowsPerItem - 1) / c.rowsPerItem);
  HostThreadPool::instance().run(items, copyRowBand, &c);
}

}  // namespace

struct HostRuntime::HostArray {
  unsigned char* data = nullptr;
  size_t pitch = 0;  // width * 16
  size_t width = 0, height = 0;
  unsigned int flags = 0;
};

HostRuntime::HostRuntime() : id_(nextRuntimeId.fetch_add(1)) {}

HostRuntime::~HostRuntime() {
  for (auto* t : textures_) delete t;
  for (auto* s : surfaces_) delete s;
  for (auto* a : arrays_) {
    std::free(a->data);
    delete a;
  }
  for (auto& [address, size] : linear_) {
    (void)size;
    std::free(reinterpret_cast<void*>(address));
  }
  for (auto& [size, block] : spare_) {
    (void)size;
    std::free(block);
  }
  lastErrors.erase(id_);
}

Error HostRuntime::fail(Error e) {
  lastErrors[id_] = e;
  return e;
}

void HostRuntime::setLastError(Error error) {
  if (error == Error::Success) return;
  if (isStickyError(error)) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (sticky_ == Error::Success) sticky_ = error;
  }
  fail(error);
}

Error HostRuntime::checkCall(FaultSite site) {
  Error e = Error::Success;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (sticky_ != Error::Success) {
      e = sticky_;
    } else {
      Fault& f = faults_[static_cast<size_t>(site)];
      if (f.remaining > 0 && --f.remaining == 0) {
        e = f.error;
        if (isStickyError(e)) sticky_ = e;
      }
    }
  }
  return e == Error::Success ? e : fail(e);
}

void HostRuntime::injectFault(FaultSite site, int n, Error error) {
  std::lock_guard<std::mutex> lock(mutex_);
  Fault& f = faults_[static_cast<size_t>(site)];
  f.remaining = n > 0 ? n : 0;
  f.error = error;
}

void HostRuntime::clearFaults() {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.fill(Fault{});
}

void HostRuntime::clearStickyError() {
  std::lock_guard<std::mutex> lock(mutex_);
  sticky_ = Error::Success;
  pending_ = Error::Success;
  lastErrors.erase(id_);
}

HostRuntime::ObjectCounts HostRuntime::liveObjects() const {
  std::lock_guard<std::mutex> lock(mutex_);
  ObjectCounts c;
  c.linear = static_cast<int>(linear_.size());
  c.arrays = static_cast<int>(arrays_.size());
  c.textures = static_cast<int>(textures_.size());
  c.surfaces = static_cast<int>(surfaces_.size());
  return c;
}

HostRuntime::ObjectCounts HostRuntime::createdObjects() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return created_;
}

bool HostRuntime::ownsDevicePointer(const void* ptr) const {
  const auto address = reinterpret_cast<std::uintptr_t>(ptr);
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = linear_.upper_bound(address);
  if (it == linear_.begin()) return false;
  --it;
  return address < it->first + it->second;
}

HostRuntime::HostArray* HostRuntime::findArray(Array a) const {
  auto* candidate = reinterpret_cast<HostArray*>(a);
  return arrays_.count(candidate) != 0 ? candidate : nullptr;
}

void* HostRuntime::takeBlock(size_t bytes, bool zeroFresh) {
  if (bytes >= kSpareMinBytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = spare_.find(bytes);
    if (it != spare_.end()) {
      void* block = it->second;
      spare_.erase(it);
      spareBytes_ -= bytes;
      return block;
    }
  }
  void* block = std::aligned_alloc(kBlockAlignment, bytes);
  if (block != nullptr && zeroFresh) std::memset(block, 0, bytes);
  return block;
}

void HostRuntime::keepBlock(void* block, size_t bytes) {
  // Called with mutex_ held.
  if (bytes < kSpareMinBytes || bytes > kSpareMaxBytes) {
    std::free(block);
    return;
  }
  while (spareBytes_ + bytes > kSpareMaxBytes && !spare_.empty()) {
    auto victim = spare_.begin();  // drop the smallest first; frame-sized blocks are the useful ones
    spareBytes_ -= victim->first;
    std::free(victim->second);
    spare_.erase(victim);
  }
  spare_.emplace(bytes, block);
  spareBytes_ += bytes;
}

// --- linear memory ---

Error HostRuntime::malloc(void** devPtr, size_t bytes) {
  if (devPtr == nullptr) return fail(Error::InvalidValue);
  if (Error e = checkCall(FaultSite::Allocation); e != Error::Success) return e;
  if (bytes == 0) {
    *devPtr = nullptr;
    return Error::Success;
  }
  if (bytes > (size_t(1) << 46)) return fail(Error::MemoryAllocation);
  void* p = takeBlock(roundUp(bytes, kBlockAlignment), false);
  if (p == nullptr) return fail(Error::MemoryAllocation);
  std::lock_guard<std::mutex> lock(mutex_);
  linear_[reinterpret_cast<std::uintptr_t>(p)] = bytes;
  ++created_.linear;
  *devPtr = p;
  return Error::Success;
}

Error HostRuntime::free(void* devPtr) {
  Error sticky;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sticky = sticky_;
    if (devPtr != nullptr) {
      auto it = linear_.find(reinterpret_cast<std::uintptr_t>(devPtr));
      if (it == linear_.end()) sticky = sticky != Error::Success ? sticky : Error::InvalidValue;
      else {
        const size_t size = roundUp(it->second, kBlockAlignment);
        linear_.erase(it);
        keepBlock(devPtr, size);
      }
    }
  }
  return sticky == Error::Success ? sticky : fail(sticky);
}

// --- arrays ---

Error HostRuntime::mallocArray(Array* array, const ChannelFormatDesc& desc, size_t width, size_t height,
                               unsigned int flags) {
  if (array == nullptr) return fail(Error::InvalidValue);
  if (Error e = checkCall(FaultSite::Allocation); e != Error::Success) return e;
  if (!isFloat4Desc(desc)) return fail(Error::InvalidChannelDescriptor);
  if (height == 0) height = 1;  // a 1D array
  if (width == 0 || width > kMaxArrayWidth || height > kMaxArrayHeight) return fail(Error::InvalidValue);
  if ((flags & ~kArraySurfaceLoadStore) != 0) return fail(Error::InvalidValue);
  auto* a = new HostArray;
  a->pitch = width * 16;
  a->width = width;
  a->height = height;
  a->flags = flags;
  // CUDA arrays start with undefined contents; fresh host memory reads zero, a reused block
  // keeps what it held.
  a->data = static_cast<unsigned char*>(takeBlock(roundUp(a->pitch * height, kBlockAlignment), true));
  if (a->data == nullptr) {
    delete a;
    return fail(Error::MemoryAllocation);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  arrays_.insert(a);
  ++created_.arrays;
  *array = reinterpret_cast<Array>(a);
  return Error::Success;
}

Error HostRuntime::freeArray(Array array) {
  Error sticky;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sticky = sticky_;
    if (array != nullptr) {
      HostArray* a = findArray(array);
      if (a == nullptr) sticky = sticky != Error::Success ? sticky : Error::InvalidResourceHandle;
      else {
        arrays_.erase(a);
        keepBlock(a->data, roundUp(a->pitch * a->height, kBlockAlignment));
        delete a;
      }
    }
  }
  return sticky == Error::Success ? sticky : fail(sticky);
}

// --- texture and surface objects ---

Error HostRuntime::createTextureObject(TextureObject* texture, const ResourceDesc& resource, const TextureDesc& desc) {
  if (texture == nullptr) return fail(Error::InvalidValue);
  if (Error e = checkCall(FaultSite::ObjectCreation); e != Error::Success) return e;
  if (!validAddressMode(desc.addressMode[0]) || !validAddressMode(desc.addressMode[1])) return fail(Error::InvalidValue);
  if (desc.filterMode != FilterMode::Point && desc.filterMode != FilterMode::Linear)
    return fail(Error::InvalidFilterSetting);
  // Float texels can only be read as stored.
  if (desc.readMode != ReadMode::ElementType) return fail(Error::InvalidNormSetting);

  auto t = std::make_unique<host::TextureObject>();
  std::lock_guard<std::mutex> lock(mutex_);
  if (resource.type == ResourceType::Array) {
    if (resource.array == nullptr) return fail(Error::InvalidValue);
    HostArray* a = findArray(resource.array);
    if (a == nullptr) return fail(Error::InvalidResourceHandle);
    t->base = a->data;
    t->pitch = a->pitch;
    t->width = static_cast<int>(a->width);
    t->height = static_cast<int>(a->height);
  } else if (resource.type == ResourceType::Pitch2D) {
    if (!isFloat4Desc(resource.desc)) return fail(Error::InvalidChannelDescriptor);
    if (resource.devPtr == nullptr || resource.width == 0 || resource.height == 0 ||
        resource.width > kMaxArrayWidth || resource.height > kMaxArrayHeight ||
        resource.pitchInBytes < resource.width * 16 || resource.pitchInBytes % 16 != 0 ||
        reinterpret_cast<std::uintptr_t>(resource.devPtr) % 16 != 0)
      return fail(Error::InvalidValue);
    t->base = static_cast<const unsigned char*>(resource.devPtr);
    t->pitch = resource.pitchInBytes;
    t->width = static_cast<int>(resource.width);
    t->height = static_cast<int>(resource.height);
  } else {
    return fail(Error::InvalidValue);
  }
  t->filter = desc.filterMode;
  t->addressX = desc.addressMode[0];
  t->addressY = desc.addressMode[1];
  if (desc.normalizedCoords) {
    t->coordScaleX = static_cast<float>(t->width);
    t->coordScaleY = static_cast<float>(t->height);
  } else {
    // CUDA supports wrap and mirror with normalised coordinates only; others clamp.
    if (t->addressX == AddressMode::Wrap || t->addressX == AddressMode::Mirror) t->addressX = AddressMode::Clamp;
    if (t->addressY == AddressMode::Wrap || t->addressY == AddressMode::Mirror) t->addressY = AddressMode::Clamp;
    t->coordScaleX = t->coordScaleY = 1.0f;
  }
  t->fixedScaleX = t->coordScaleX * 256.0f;
  t->fixedScaleY = t->coordScaleY * 256.0f;
  t->fixedLimitX = static_cast<unsigned>(t->width) * 256u;
  t->fixedLimitY = static_cast<unsigned>(t->height) * 256u;
  host::TextureObject* raw = t.release();
  textures_.insert(raw);
  ++created_.textures;
  *texture = handleFromPointer(raw);
  return Error::Success;
}

Error HostRuntime::destroyTextureObject(TextureObject texture) {
  Error sticky;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sticky = sticky_;
    if (texture != 0) {
      auto* t = static_cast<host::TextureObject*>(pointerFromHandle(texture));
      if (textures_.erase(t) == 0) sticky = sticky != Error::Success ? sticky : Error::InvalidResourceHandle;
      else delete t;
    }
  }
  return sticky == Error::Success ? sticky : fail(sticky);
}

Error HostRuntime::createSurfaceObject(SurfaceObject* surface, Array array) {
  if (surface == nullptr) return fail(Error::InvalidValue);
  if (Error e = checkCall(FaultSite::ObjectCreation); e != Error::Success) return e;
  std::lock_guard<std::mutex> lock(mutex_);
  if (array == nullptr) return fail(Error::InvalidValue);
  HostArray* a = findArray(array);
  if (a == nullptr) return fail(Error::InvalidResourceHandle);
  if ((a->flags & kArraySurfaceLoadStore) == 0) return fail(Error::InvalidValue);
  auto* s = new host::SurfaceObject;
  s->base = a->data;
  s->pitch = a->pitch;
  s->widthBytes = static_cast<int>(a->width * 16);
  s->height = static_cast<int>(a->height);
  surfaces_.insert(s);
  ++created_.surfaces;
  *surface = handleFromPointer(s);
  return Error::Success;
}

Error HostRuntime::destroySurfaceObject(SurfaceObject surface) {
  Error sticky;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sticky = sticky_;
    if (surface != 0) {
      auto* s = static_cast<host::SurfaceObject*>(pointerFromHandle(surface));
      if (surfaces_.erase(s) == 0) sticky = sticky != Error::Success ? sticky : Error::InvalidResourceHandle;
      else delete s;
    }
  }
  return sticky == Error::Success ? sticky : fail(sticky);
}

// --- copies ---

Error HostRuntime::copyToArray(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                               size_t widthBytes, size_t height, MemcpyKind kind) {
  if (Error e = checkCall(FaultSite::CopyToArray); e != Error::Success) return e;
  if (!validKind(kind)) return fail(Error::InvalidMemcpyDirection);
  unsigned char* target = nullptr;
  size_t targetPitch = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (dst == nullptr) return fail(Error::InvalidValue);
    HostArray* a = findArray(dst);
    if (a == nullptr) return fail(Error::InvalidResourceHandle);
    if (widthBytes == 0 || height == 0) return Error::Success;
    if (src == nullptr) return fail(Error::InvalidValue);
    if (srcPitch < widthBytes) return fail(Error::InvalidPitchValue);
    if (wOffset + widthBytes > a->pitch || hOffset + height > a->height) return fail(Error::InvalidValue);
    target = a->data + hOffset * a->pitch + wOffset;
    targetPitch = a->pitch;
  }
  copyRows(target, targetPitch, src, srcPitch, widthBytes, height);
  return Error::Success;
}

Error HostRuntime::copyFromArray(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                                 size_t widthBytes, size_t height, MemcpyKind kind) {
  if (Error e = checkCall(FaultSite::CopyFromArray); e != Error::Success) return e;
  if (!validKind(kind)) return fail(Error::InvalidMemcpyDirection);
  const unsigned char* source = nullptr;
  size_t sourcePitch = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (src == nullptr) return fail(Error::InvalidValue);
    HostArray* a = findArray(src);
    if (a == nullptr) return fail(Error::InvalidResourceHandle);
    if (widthBytes == 0 || height == 0) return Error::Success;
    if (dst == nullptr) return fail(Error::InvalidValue);
    if (dstPitch < widthBytes) return fail(Error::InvalidPitchValue);
    if (wOffset + widthBytes > a->pitch || hOffset + height > a->height) return fail(Error::InvalidValue);
    source = a->data + hOffset * a->pitch + wOffset;
    sourcePitch = a->pitch;
  }
  copyRows(dst, dstPitch, source, sourcePitch, widthBytes, height);
  return Error::Success;
}

Error HostRuntime::copyLinear(void* dst, const void* src, size_t bytes, MemcpyKind kind) {
  if (Error e = checkCall(FaultSite::LinearCopy); e != Error::Success) return e;
  if (!validKind(kind)) return fail(Error::InvalidMemcpyDirection);
  if (bytes == 0) return Error::Success;
  if (dst == nullptr || src == nullptr) return fail(Error::InvalidValue);
  std::memmove(dst, src, bytes);
  return Error::Success;
}

Error HostRuntime::memcpy2DToArray(Array dst, size_t wOffset, size_t hOffset, const void* src, size_t srcPitch,
                                   size_t widthBytes, size_t height, MemcpyKind kind) {
  return copyToArray(dst, wOffset, hOffset, src, srcPitch, widthBytes, height, kind);
}

Error HostRuntime::memcpy2DToArrayAsync(Array dst, size_t wOffset, size_t hOffset, const void* src,
                                        size_t srcPitch, size_t widthBytes, size_t height, MemcpyKind kind,
                                        Stream) {
  return copyToArray(dst, wOffset, hOffset, src, srcPitch, widthBytes, height, kind);
}

Error HostRuntime::memcpy2DFromArray(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                                     size_t widthBytes, size_t height, MemcpyKind kind) {
  return copyFromArray(dst, dstPitch, src, wOffset, hOffset, widthBytes, height, kind);
}

Error HostRuntime::memcpy2DFromArrayAsync(void* dst, size_t dstPitch, Array src, size_t wOffset, size_t hOffset,
                                          size_t widthBytes, size_t height, MemcpyKind kind, Stream) {
  return copyFromArray(dst, dstPitch, src, wOffset, hOffset, widthBytes, height, kind);
}

Error HostRuntime::memcpy2D(void* dst, size_t dstPitch, const void* src, size_t srcPitch, size_t widthBytes,
                            size_t height, MemcpyKind kind) {
  if (Error e = checkCall(FaultSite::LinearCopy); e != Error::Success) return e;
  if (!validKind(kind)) return fail(Error::InvalidMemcpyDirection);
  if (widthBytes == 0 || height == 0) return Error::Success;
  if (dst == nullptr || src == nullptr) return fail(Error::InvalidValue);
  if (dstPitch < widthBytes || srcPitch < widthBytes) return fail(Error::InvalidPitchValue);
  copyRows(dst, dstPitch, src, srcPitch, widthBytes, height);
  return Error::Success;
}

Error HostRuntime::memcpy(void* dst, const void* src, size_t bytes, MemcpyKind kind) {
  return copyLinear(dst, src, bytes, kind);
}

Error HostRuntime::memcpyAsync(void* dst, const void* src, size_t bytes, MemcpyKind kind, Stream) {
  return copyLinear(dst, src, bytes, kind);
}

// --- queries and synchronisation ---

Error HostRuntime::pointerGetAttributes(MemoryType* type, const void* ptr) {
  if (type == nullptr) return fail(Error::InvalidValue);
  if (Error e = checkCall(FaultSite::PointerAttributes); e != Error::Success) return e;
  *type = ptr != nullptr && ownsDevicePointer(ptr) ? MemoryType::Device : MemoryType::Unregistered;
  return Error::Success;
}

Error HostRuntime::streamSynchronize(Stream) { return deviceSynchronize(); }

Error HostRuntime::deviceSynchronize() {
  Error e = Error::Success;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (sticky_ == Error::Success && pending_ != Error::Success) {
      e = pending_;
      pending_ = Error::Success;
      if (isStickyError(e)) sticky_ = e;
    }
  }
  if (e != Error::Success) return fail(e);
  return checkCall(FaultSite::Synchronize);
}

Error HostRuntime::getLastError() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (sticky_ != Error::Success) return sticky_;
  }
  auto it = lastErrors.find(id_);
  if (it == lastErrors.end()) return Error::Success;
  const Error e = it->second;
  lastErrors.erase(it);
  return e;
}

Error HostRuntime::peekAtLastError() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (sticky_ != Error::Success) return sticky_;
  }
  auto it = lastErrors.find(id_);
  return it == lastErrors.end() ? Error::Success : it->second;
}

// --- launches ---

Error HostRuntime::beginLaunch(dim3 grid, dim3 block) {
  if (Error e = checkCall(FaultSite::Launch); e != Error::Success) return e;
  if (Error e = validateLaunch(grid, block); e != Error::Success) return fail(e);
  return Error::Success;
}

void HostRuntime::endLaunch(unsigned faultsBefore) {
  if (host::kernelFaultCount.load(std::memory_order_relaxed) == faultsBefore) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (pending_ == Error::Success) pending_ = Error::IllegalAddress;
}

}  // namespace gpu
