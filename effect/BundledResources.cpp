#include "effect/BundledResources.h"

#include <cstdlib>
#include <tinyexr.h>

#include "plugin/Logger.h"

BundledResourceSet::~BundledResourceSet() { freeBundledResources(); }

std::string BundledResourceSet::lookupKey(const std::string& file) {
  const size_t dot = file.rfind('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

int BundledResourceSet::samplerModeFromText(const std::string& sampler) { return sampler == "nearest" ? 1 : 0; }

int BundledResourceSet::wrapModeFromText(const std::string& wrap) {
  if (wrap == "repeat") return 1;
  if (wrap == "mirror") return 2;
  return 0;
}

bool BundledResourceSet::loadBundledResources(const XMLEffectDefinition& definition, gpu::Runtime& runtime,
                                              const EmbeddedResourceLookup& lookup) {
  Logger& log = Logger::getInstance();
  if (loaded_) {
    if (runtime_ == &runtime) return true;
    // Textures of one runtime cannot be sampled by kernels of another: load again there.
    freeBundledResources();
    loaded_ = false;
  }
  runtime_ = &runtime;

  const std::vector<XMLEffectDefinition::ResourceDef>& defined = definition.getBundledResources();
  if (defined.empty()) {
    log.logMessage(LOG_DEBUG, "No bundled resources to load");
    loaded_ = true;
    return true;
  }

  log.logMessage(LOG_INFO, "Loading %zu bundled resources...", defined.size());
  const EmbeddedResourceLookup find = lookup ? lookup : EmbeddedResourceLookup(&findEmbeddedResource);
  for (const XMLEffectDefinition::ResourceDef& resource : defined) loadOne(resource, runtime, find);

  loaded_ = true;
  log.logMessage(LOG_INFO, "Loaded %zu/%zu bundled resources successfully", resources_.size(), defined.size());
  return true;
}

bool BundledResourceSet::loadOne(const XMLEffectDefinition::ResourceDef& resource, gpu::Runtime& runtime,
                                 const EmbeddedResourceLookup& lookup) {
  Logger& log = Logger::getInstance();
  const std::string key = lookupKey(resource.file);
  const EmbeddedResource* record = lookup(key.c_str());
  if (record == nullptr || record->data == nullptr) {
    log.logMessage(LOG_ERROR, "Bundled resource '%s' (file: %s, lookup: %s) not found in embedded data",
                   resource.name.c_str(), resource.file.c_str(), key.c_str());
    return false;
  }
  log.logMessage(LOG_INFO, "Loading resource '%s': %dx%d, %d channels, %zu bytes", resource.name.c_str(),
                 record->width, record->height, record->channels, static_cast<size_t>(record->size));

  float* pixels = nullptr;
  int width = 0;
  int height = 0;
  const char* error = nullptr;
  const int status =
      LoadEXRFromMemory(&pixels, &width, &height, record->data, static_cast<size_t>(record->size), &error);
  if (status != 0 || pixels == nullptr || width <= 0 || height <= 0) {
    log.logMessage(LOG_ERROR, "Failed to decode EXR '%s': %s", resource.name.c_str(),
                   error != nullptr ? error : "unknown error");
    if (error != nullptr) FreeEXRErrorMessage(error);
    std::free(pixels);
    return false;
  }

  const int samplerMode = samplerModeFromText(resource.sampler);
  const int wrapMode = wrapModeFromText(resource.wrap);
  const size_t rowBytes = static_cast<size_t>(width) * 16;

  gpu::Array array = nullptr;
  gpu::Error e = runtime.mallocArray(&array, gpu::float4ChannelDesc(), static_cast<size_t>(width),
                                     static_cast<size_t>(height), 0);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate CUDA array for '%s': %s", resource.name.c_str(),
                   runtime.getErrorString(e));
    std::free(pixels);
    return false;
  }
  e = runtime.memcpy2DToArray(array, 0, 0, pixels, rowBytes, rowBytes, static_cast<size_t>(height),
                              gpu::MemcpyKind::HostToDevice);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to copy data to CUDA array for '%s': %s", resource.name.c_str(),
                   runtime.getErrorString(e));
    (void)runtime.freeArray(array);
    std::free(pixels);
    return false;
  }

  gpu::TextureDesc desc;
  const gpu::AddressMode address =
      wrapMode == 1 ? gpu::AddressMode::Wrap : (wrapMode == 2 ? gpu::AddressMode::Mirror : gpu::AddressMode::Clamp);
  desc.addressMode[0] = desc.addressMode[1] = address;
  desc.filterMode = samplerMode == 1 ? gpu::FilterMode::Point : gpu::FilterMode::Linear;
  desc.readMode = gpu::ReadMode::ElementType;
  desc.normalizedCoords = true;
  gpu::TextureObject texture = 0;
  e = runtime.createTextureObject(&texture, gpu::ResourceDesc::forArray(array), desc);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create CUDA texture object for '%s': %s", resource.name.c_str(),
                   runtime.getErrorString(e));
    (void)runtime.freeArray(array);
    std::free(pixels);
    return false;
  }

  std::free(pixels);
  BundledResourceCache cache;
  cache.texture = texture;
  cache.array = array;
  cache.width = width;
  cache.height = height;
  cache.channels = record->channels;
  cache.name = resource.name;
  cache.samplerMode = samplerMode;
  cache.wrapMode = wrapMode;
  resources_.push_back(std::move(cache));
  log.logMessage(LOG_INFO, "Created CUDA texture for resource '%s'", resource.name.c_str());
  return true;
}

void BundledResourceSet::populateBundledResources(BundledResources& block) const {
  block.resourceCount = 0;
  const size_t count = resources_.size() < static_cast<size_t>(MAX_BUNDLED_RESOURCES)
                           ? resources_.size()
                           : static_cast<size_t>(MAX_BUNDLED_RESOURCES);
  for (size_t i = 0; i < count; ++i) {
    const BundledResourceCache& record = resources_[i];
    BundledResource& entry = block.resources[i];
    entry.textureObject = record.texture;
    entry.name = record.name.c_str();
    entry.width = record.width;
    entry.height = record.height;
    entry.channels = record.channels;
    entry.samplerMode = record.samplerMode;
    entry.wrapMode = record.wrapMode;
    ++block.resourceCount;
  }
  if (resources_.size() > static_cast<size_t>(MAX_BUNDLED_RESOURCES)) {
    Logger::getInstance().logMessage(LOG_ERROR, "WARNING: %zu bundled resources exceed MAX_BUNDLED_RESOURCES (%d), truncated",
                                     resources_.size(), MAX_BUNDLED_RESOURCES);
  }
}

void BundledResourceSet::freeBundledResources() {
  if (resources_.empty()) return;
  Logger::getInstance().logMessage(LOG_DEBUG, "Freeing %zu bundled resources", resources_.size());
  if (runtime_ != nullptr) {
    for (BundledResourceCache& record : resources_) {
      if (record.texture != 0) (void)runtime_->destroyTextureObject(record.texture);
      if (record.array != nullptr) (void)runtime_->freeArray(record.array);
    }
  }
  resources_.clear();
  loaded_ = false;
}
