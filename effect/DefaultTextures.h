#pragma once
// The three 1x1 default textures of an effect instance that stand in for inputs without a
// texture, chosen by the input's no-input mode: 1 black (0,0,0,1), 2 white (1,1,1,1),
// 3 transparent (0,0,0,0). Made once, on the instance's first frame, and kept until the
// instance is destroyed (or the frame's runtime changes).
//
// A creation that fails part-way releases what it made, so the next frame starts again
// from black with nothing left over. Thread-safe (one non-recursive mutex).

#include <mutex>

#include "effect/TextureCache.h"

class DefaultTextures {
 public:
  DefaultTextures() = default;
  ~DefaultTextures();
  DefaultTextures(const DefaultTextures&) = delete;
  DefaultTextures& operator=(const DefaultTextures&) = delete;

  // Makes the three textures on `runtime` unless they exist there already; width and height
  // of the frame only appear in the log. False, with the failure logged, when one of them
  // could not be made.
  bool createDefaultTextures(gpu::Runtime& runtime, int width, int height);

  // The texture object for a no-input mode (1, 2, 3), 0 for any other mode; 0 with
  // "Default textures not created yet" before a successful creation.
  gpu::TextureObject getDefaultTexture(int mode) const;

  bool created() const;
  // Copies of the three entries (for inspection).
  TextureCache black() const;
  TextureCache white() const;
  TextureCache transparent() const;

  // Releases the three textures; created() is false afterwards.
  void release();

 private:
  void releaseLocked();

  mutable std::mutex mutex_;
  TextureCache black_;
  TextureCache white_;
  TextureCache transparent_;
  bool created_ = false;
};
