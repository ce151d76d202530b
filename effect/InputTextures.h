#pragma once
// The texture cache of an effect instance's inputs: every input image becomes a texture
// object that kernels sample, kept from frame to frame.
//
// - Device memory (the host renders with CUDA): a zero-copy pitch2D view of the host's
//   pixels, with the image's own row pitch; re-created every frame.
// - Host memory, or a view the runtime refuses: a copy into an array that the texture
//   samples; re-filled by a copy every frame, the texture object kept.
// - A changed buffer address or size, a move to device memory while cached as an array, or a
//   move to another runtime rebuilds the entry.
//
// Thread-safe: one non-recursive mutex guards the cache (the "texture lock").

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "effect/TextureCache.h"

class InputTextureCache {
 public:
  // What the frame set-up does with an input's image this frame.
  enum class Refresh {
    Create,   // no entry, or device memory while the entry is an array, or another runtime
    Rebuild,  // the source address or the size changed
    Update,   // same address and size: refresh the existing entry
  };

  InputTextureCache() = default;
  ~InputTextureCache();
  InputTextureCache(const InputTextureCache&) = delete;
  InputTextureCache& operator=(const InputTextureCache&) = delete;

  // The decision for an image of pixels/width/height, given the cached entry (null when
  // there is none) and whether the pixels are device memory of `runtime`.
  static Refresh decide(const TextureCache* entry, bool isDevice, const void* pixels, int width, int height,
                        const gpu::Runtime& runtime);

  // Brings the input's texture up to date for this frame (decide, then create or update) and
  // returns the texture object to enter in the frame's texture map, or 0 when the input must
  // be left out (the failure is logged). Logs "Created texture for: %s" and "Recreated
  // texture for dimension change: %s".
  gpu::TextureObject refreshInput(gpu::Runtime& runtime, const std::string& name, const float* pixels, int rowBytes,
                                  int width, int height);

  // Builds a new entry for `name` (releasing any earlier one first), zero-copy when the
  // pixels are device memory and the view is accepted, an array copy otherwise.
  bool createTexture(gpu::Runtime& runtime, const std::string& name, int width, int height, const float* pixels,
                     int rowBytes);

  // Refreshes the existing entry from `pixels` (same size): a new view for a zero-copy entry
  // (the texture is left at 0 when that fails), a copy into the array otherwise.
  bool updateTextureData(const std::string& name, const float* pixels, int rowBytes);

  // Releases every entry; the cache is empty afterwards.
  void cleanupTextures();

  // A copy of the entry, or nothing.
  std::optional<TextureCache> entry(const std::string& name) const;
  size_t size() const;

 private:
  bool createTextureLocked(gpu::Runtime& runtime, const std::string& name, int width, int height,
                           const float* pixels, int rowBytes);
  bool updateTextureLocked(const std::string& name, const float* pixels, int rowBytes);

  mutable std::mutex mutex_;
  std::map<std::string, TextureCache> caches_;
};
