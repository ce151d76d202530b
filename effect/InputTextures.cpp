#include "effect/InputTextures.h"

#include "plugin/Logger.h"

namespace {

const char* copyKindName(gpu::MemcpyKind kind) {
  return kind == gpu::MemcpyKind::DeviceToDevice ? "DeviceToDevice" : "HostToDevice";
}

// Pixels, a size and a row pitch that holds a row: anything else would make the copies read
// outside the image.
bool usableImage(const float* pixels, int width, int height, int rowBytes) {
  return pixels != nullptr && width > 0 && height > 0 &&
         static_cast<long long>(rowBytes) >= static_cast<long long>(width) * 16;
}

}  // namespace

InputTextureCache::~InputTextureCache() { cleanupTextures(); }

InputTextureCache::Refresh InputTextureCache::decide(const TextureCache* entry, bool isDevice, const void* pixels,
                                                     int width, int height, const gpu::Runtime& runtime) {
  if (entry == nullptr || (isDevice && !entry->zeroCopy) || entry->runtime != &runtime) return Refresh::Create;
  if (pixels != entry->source || width != entry->width || height != entry->height) return Refresh::Rebuild;
  return Refresh::Update;
}

gpu::TextureObject InputTextureCache::refreshInput(gpu::Runtime& runtime, const std::string& name,
                                                   const float* pixels, int rowBytes, int width, int height) {
  Logger& log = Logger::getInstance();
  const bool isDevice = frame_textures::isDeviceMemory(runtime, pixels, false);

  Refresh action;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = caches_.find(name);
    action = decide(found == caches_.end() ? nullptr : &found->second, isDevice, pixels, width, height, runtime);
  }

  bool ok = false;
  switch (action) {
    case Refresh::Create:
      ok = createTexture(runtime, name, width, height, pixels, rowBytes);
      if (ok) {
        log.logMessage(LOG_DEBUG, "Created texture for: %s", name.c_str());
      } else {
        log.logMessage(LOG_ERROR, "Failed to create texture for: %s", name.c_str());
      }
      break;
    case Refresh::Rebuild:
      ok = createTexture(runtime, name, width, height, pixels, rowBytes);
      if (ok) log.logMessage(LOG_DEBUG, "Recreated texture for dimension change: %s", name.c_str());
      break;
    case Refresh::Update:
      ok = updateTextureData(name, pixels, rowBytes);
      break;
  }
  if (!ok) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = caches_.find(name);
  return found == caches_.end() ? 0 : found->second.texture;
}

bool InputTextureCache::createTexture(gpu::Runtime& runtime, const std::string& name, int width, int height,
                                      const float* pixels, int rowBytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  return createTextureLocked(runtime, name, width, height, pixels, rowBytes);
}

bool InputTextureCache::createTextureLocked(gpu::Runtime& runtime, const std::string& name, int width, int height,
                                            const float* pixels, int rowBytes) {
  Logger& log = Logger::getInstance();

  // The old entry goes first: a failed creation leaves the input without one, and the next
  // frame creates it again.
  const auto old = caches_.find(name);
  if (old != caches_.end()) {
    if (old->second.platform == "cuda") frame_textures::releaseTexture(old->second);
    caches_.erase(old);
  }

  if (!usableImage(pixels, width, height, rowBytes)) {
    log.logMessage(LOG_ERROR, "Unusable image for texture %s (%p, %dx%d, pitch=%d)", name.c_str(),
                   static_cast<const void*>(pixels), width, height, rowBytes);
    return false;
  }

  const bool isDevice = frame_textures::isDeviceMemory(runtime, pixels, true);
  const gpu::TextureDesc textureDesc = frame_textures::standardTextureDesc();
  TextureCache entry;
  entry.source = pixels;
  entry.width = width;
  entry.height = height;
  entry.runtime = &runtime;

  if (isDevice) {
    const gpu::ResourceDesc view = gpu::ResourceDesc::forPitch2D(const_cast<float*>(pixels), static_cast<size_t>(width),
                                                                 static_cast<size_t>(height),
                                                                 static_cast<size_t>(rowBytes));
    gpu::TextureObject texture = 0;
    const gpu::Error e = runtime.createTextureObject(&texture, view, textureDesc);
    if (e == gpu::Error::Success) {
      entry.texture = texture;
      entry.zeroCopy = true;
      log.logMessage(LOG_INFO, "✅ Created zero-copy pitch2D texture for '%s' (%dx%d, pitch=%d, no GPU copy!)",
                     name.c_str(), width, height, rowBytes);
      caches_[name] = entry;
      return true;
    }
    log.logMessage(LOG_DEBUG, "Zero-copy pitch2D failed (%s), falling back to cudaArray copy",
                   runtime.getErrorString(e));
    (void)runtime.getLastError();
  }

  const gpu::MemcpyKind kind = isDevice ? gpu::MemcpyKind::DeviceToDevice : gpu::MemcpyKind::HostToDevice;
  gpu::Array array = nullptr;
  gpu::Error e = runtime.mallocArray(&array, gpu::float4ChannelDesc(), static_cast<size_t>(width),
                                     static_cast<size_t>(height), 0);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaMallocArray failed: %s", runtime.getErrorString(e));
    return false;
  }
  e = runtime.memcpy2DToArray(array, 0, 0, pixels, static_cast<size_t>(rowBytes), static_cast<size_t>(width) * 16,
                              static_cast<size_t>(height), kind);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaMemcpy2DToArray failed (%s): %s", copyKindName(kind), runtime.getErrorString(e));
    (void)runtime.freeArray(array);
    return false;
  }
  gpu::TextureObject texture = 0;
  e = runtime.createTextureObject(&texture, gpu::ResourceDesc::forArray(array), textureDesc);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaCreateTextureObject failed: %s", runtime.getErrorString(e));
    (void)runtime.freeArray(array);
    return false;
  }
  entry.array = array;
  entry.texture = texture;
  entry.zeroCopy = false;
  caches_[name] = entry;
  return true;
}

bool InputTextureCache::updateTextureData(const std::string& name, const float* pixels, int rowBytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  return updateTextureLocked(name, pixels, rowBytes);
}

bool InputTextureCache::updateTextureLocked(const std::string& name, const float* pixels, int rowBytes) {
  Logger& log = Logger::getInstance();
  const auto found = caches_.find(name);
  if (found == caches_.end()) {
    log.logMessage(LOG_ERROR, "No cached texture found for %s", name.c_str());
    return false;
  }
  TextureCache& entry = found->second;
  if (entry.platform == "metal") return false;
  if (entry.platform != "cuda") {
    log.logMessage(LOG_ERROR, "Platform %s not implemented yet", entry.platform.c_str());
    return false;
  }
  if (entry.runtime == nullptr || !usableImage(pixels, entry.width, entry.height, rowBytes)) {
    log.logMessage(LOG_ERROR, "Unusable image for texture %s (%p, %dx%d, pitch=%d)", name.c_str(),
                   static_cast<const void*>(pixels), entry.width, entry.height, rowBytes);
    return false;
  }
  gpu::Runtime& runtime = *entry.runtime;

  if (entry.zeroCopy) {
    if (entry.texture != 0) (void)runtime.destroyTextureObject(entry.texture);
    // The destroyed object is never named again, whatever happens below.
    entry.texture = 0;
    const gpu::ResourceDesc view = gpu::ResourceDesc::forPitch2D(
        const_cast<float*>(pixels), static_cast<size_t>(entry.width), static_cast<size_t>(entry.height),
        static_cast<size_t>(rowBytes));
    gpu::TextureObject texture = 0;
    const gpu::Error e = runtime.createTextureObject(&texture, view, frame_textures::standardTextureDesc());
    if (e != gpu::Error::Success) {
      log.logMessage(LOG_ERROR, "cudaCreateTextureObject (pitch2D update) failed: %s", runtime.getErrorString(e));
      return false;
    }
    entry.texture = texture;
    return true;
  }

  const bool isDevice = frame_textures::isDeviceMemory(runtime, pixels, false);
  const gpu::MemcpyKind kind = isDevice ? gpu::MemcpyKind::DeviceToDevice : gpu::MemcpyKind::HostToDevice;
  const gpu::Error e = runtime.memcpy2DToArray(entry.array, 0, 0, pixels, static_cast<size_t>(rowBytes),
                                               static_cast<size_t>(entry.width) * 16,
                                               static_cast<size_t>(entry.height), kind);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaMemcpy2DToArray failed (%s): %s", copyKindName(kind), runtime.getErrorString(e));
    return false;
  }
  return true;
}

void InputTextureCache::cleanupTextures() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& item : caches_) {
    if (item.second.platform == "cuda") frame_textures::releaseTexture(item.second);
  }
  caches_.clear();
}

std::optional<TextureCache> InputTextureCache::entry(const std::string& name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto found = caches_.find(name);
  if (found == caches_.end()) return std::nullopt;
  return found->second;
}

size_t InputTextureCache::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return caches_.size();
}
