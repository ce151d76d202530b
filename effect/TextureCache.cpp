#include "effect/TextureCache.h"

#include "plugin/Logger.h"

namespace frame_textures {

void releaseTexture(TextureCache& entry) {
  Logger& log = Logger::getInstance();
  if (entry.runtime == nullptr) {
    entry.texture = 0;
    entry.array = nullptr;
    return;
  }
  gpu::Runtime& runtime = *entry.runtime;
  if (entry.texture != 0) {
    const gpu::Error e = runtime.destroyTextureObject(entry.texture);
    if (e != gpu::Error::Success) log.logMessage(LOG_ERROR, "cudaDestroyTextureObject failed: %s", runtime.getErrorString(e));
    entry.texture = 0;
  }
  if (!entry.zeroCopy && entry.array != nullptr) {
    const gpu::Error e = runtime.freeArray(entry.array);
    if (e != gpu::Error::Success) log.logMessage(LOG_ERROR, "cudaFreeArray failed: %s", runtime.getErrorString(e));
  }
  entry.array = nullptr;
}

bool isDeviceMemory(gpu::Runtime& runtime, const void* pixels, bool logFailure) {
  gpu::MemoryType type = gpu::MemoryType::Unregistered;
  const gpu::Error e = runtime.pointerGetAttributes(&type, pixels);
  if (e != gpu::Error::Success && logFailure) {
    Logger::getInstance().logMessage(LOG_DEBUG, "cudaPointerGetAttributes failed (assuming host memory): %s",
                                     runtime.getErrorString(e));
  }
  // A refused query must not surface in later calls.
  (void)runtime.getLastError();
  return e == gpu::Error::Success && type == gpu::MemoryType::Device;
}

}  // namespace frame_textures
