#include "effect/DefaultTextures.h"

#include "plugin/Logger.h"

namespace {

struct DefaultColour {
  const char* name;
  float rgba[4];
};

// Makes one 1x1 array texture of `colour`; the failure messages name the colour.
bool makeDefaultTexture(gpu::Runtime& runtime, const DefaultColour& colour, TextureCache& out) {
  Logger& log = Logger::getInstance();
  gpu::Array array = nullptr;
  gpu::Error e = runtime.mallocArray(&array, gpu::float4ChannelDesc(), 1, 1, 0);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate %s texture array: %s", colour.name, runtime.getErrorString(e));
    return false;
  }
  e = runtime.memcpy2DToArray(array, 0, 0, colour.rgba, 16, 16, 1, gpu::MemcpyKind::HostToDevice);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to copy %s texture data: %s", colour.name, runtime.getErrorString(e));
    (void)runtime.freeArray(array);
    return false;
  }
  gpu::TextureObject texture = 0;
  e = runtime.createTextureObject(&texture, gpu::ResourceDesc::forArray(array), frame_textures::standardTextureDesc());
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create %s texture object: %s", colour.name, runtime.getErrorString(e));
    (void)runtime.freeArray(array);
    return false;
  }
  out = TextureCache();
  out.array = array;
  out.texture = texture;
  out.width = 1;
  out.height = 1;
  out.platform = "cuda";
  out.zeroCopy = false;
  out.runtime = &runtime;
  return true;
}

}  // namespace

DefaultTextures::~DefaultTextures() { release(); }

bool DefaultTextures::createDefaultTextures(gpu::Runtime& runtime, int width, int height) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (created_ && black_.runtime == &runtime) return true;
  // Textures of another runtime, or left by an earlier failed attempt, go first.
  releaseLocked();

  Logger::getInstance().logMessage(LOG_DEBUG, "Creating default textures (black, white, transparent) for a %dx%d frame",
                                   width, height);
  static const DefaultColour kBlack{"black", {0.0f, 0.0f, 0.0f, 1.0f}};
  static const DefaultColour kWhite{"white", {1.0f, 1.0f, 1.0f, 1.0f}};
  static const DefaultColour kTransparent{"transparent", {0.0f, 0.0f, 0.0f, 0.0f}};
  if (!makeDefaultTexture(runtime, kBlack, black_) || !makeDefaultTexture(runtime, kWhite, white_) ||
      !makeDefaultTexture(runtime, kTransparent, transparent_)) {
    releaseLocked();
    return false;
  }
  created_ = true;
  return true;
}

gpu::TextureObject DefaultTextures::getDefaultTexture(int mode) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!created_) {
    Logger::getInstance().logMessage(LOG_ERROR, "Default textures not created yet");
    return 0;
  }
  switch (mode) {
    case 1: return black_.texture;
    case 2: return white_.texture;
    case 3: return transparent_.texture;
    default: return 0;
  }
}

bool DefaultTextures::created() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return created_;
}

TextureCache DefaultTextures::black() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return black_;
}

TextureCache DefaultTextures::white() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return white_;
}

TextureCache DefaultTextures::transparent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return transparent_;
}

void DefaultTextures::release() {
  std::lock_guard<std::mutex> lock(mutex_);
  releaseLocked();
}

void DefaultTextures::releaseLocked() {
  frame_textures::releaseTexture(black_);
  frame_textures::releaseTexture(white_);
  frame_textures::releaseTexture(transparent_);
  black_ = TextureCache();
  white_ = TextureCache();
  transparent_ = TextureCache();
  created_ = false;
}
