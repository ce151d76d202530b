#pragma once
// One cached texture of an effect instance (an input's texture or a default texture) and
// the settings every such texture is made with.

#include <string>

#include "gpu/runtime/Runtime.h"

struct TextureCache {
  // The array that holds a copy of the pixels; null for a zero-copy texture.
  gpu::Array array = nullptr;
  // The texture object; 0 when there is none.
  gpu::TextureObject texture = 0;
  // The pixel address the texture was made from (detects that the host changed buffers).
  const void* source = nullptr;
  int width = 0;
  int height = 0;
  // The GPU platform the entry belongs to; every entry made by this system holds "cuda".
  std::string platform = "cuda";
  // True when `texture` views the source memory directly and there is no array.
  bool zeroCopy = false;
  // The runtime that owns `array` and `texture` (both backends emulate "cuda").
  gpu::Runtime* runtime = nullptr;
};

namespace frame_textures {

// Four 32-bit float channels, clamp on both axes, linear filtering, element-type reads,
// normalised coordinates.
inline gpu::TextureDesc standardTextureDesc() { return gpu::TextureDesc::standard(); }

// Releases the entry's texture object (when not 0) and, unless it is zero-copy, its array
// (when not null), on the entry's runtime; logs failures; leaves both at 0/null.
void releaseTexture(TextureCache& entry);

// True when `pixels` is device memory of `runtime` (the query succeeds and reports device
// memory). The runtime's error state is cleared after the query either way; a failed query
// is logged at LOG_DEBUG when logFailure is set.
bool isDeviceMemory(gpu::Runtime& runtime, const void* pixels, bool logFailure);

}  // namespace frame_textures
