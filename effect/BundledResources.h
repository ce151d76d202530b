#pragma once
// The bundled-resource textures of an effect instance: every resource that the definition
// names is looked up in the embedded table (by its file name without the extension), decoded
// from EXR with tinyexr into RGBA floats, uploaded into an array and given a texture object
// whose filtering and addressing follow the definition (sampler "nearest" = point, else
// linear; wrap "repeat" / "mirror" / else clamp; normalised coordinates).
//
// Loading happens once (the first frame); a resource that fails is logged and skipped, never
// retried. Up to MAX_BUNDLED_RESOURCES of them reach every kernel run through the
// BundledResources block. Used only by the render thread of the instance: no lock.

#include <functional>
#include <string>
#include <vector>

#include "definition/XMLEffectDefinition.h"
#include "effect/EmbeddedResources.h"
#include "gpu/KernelParameters.h"
#include "gpu/runtime/Runtime.h"

struct BundledResourceCache {
  gpu::TextureObject texture = 0;
  gpu::Array array = nullptr;
  int width = 0;  // decoded size
  int height = 0;
  int channels = 0;  // from the embedded record
  std::string name;
  int samplerMode = 0;  // 0 linear, 1 nearest
  int wrapMode = 0;     // 0 clamp, 1 repeat, 2 mirror
};

using EmbeddedResourceLookup = std::function<const EmbeddedResource*(const char* key)>;

class BundledResourceSet {
 public:
  BundledResourceSet() = default;
  ~BundledResourceSet();
  BundledResourceSet(const BundledResourceSet&) = delete;
  BundledResourceSet& operator=(const BundledResourceSet&) = delete;

  // Loads every resource of the definition once, on `runtime`; later calls do nothing.
  // Always true: failures only skip the resource concerned. `lookup` defaults to the
  // binary's embedded table (findEmbeddedResource).
  bool loadBundledResources(const XMLEffectDefinition& definition, gpu::Runtime& runtime,
                            const EmbeddedResourceLookup& lookup = EmbeddedResourceLookup());

  // Fills the first 16 entries of a zeroed block; more records are logged and left out.
  void populateBundledResources(BundledResources& block) const;

  // Releases every texture and array; the set may load again afterwards.
  void freeBundledResources();

  bool loaded() const { return loaded_; }
  const std::vector<BundledResourceCache>& resources() const { return resources_; }

  // The lookup key of a resource file: the text before the last ".", or all of it.
  static std::string lookupKey(const std::string& file);
  static int samplerModeFromText(const std::string& sampler);
  static int wrapModeFromText(const std::string& wrap);

 private:
  bool loadOne(const XMLEffectDefinition::ResourceDef& resource, gpu::Runtime& runtime,
               const EmbeddedResourceLookup& lookup);

  std::vector<BundledResourceCache> resources_;
  bool loaded_ = false;
  gpu::Runtime* runtime_ = nullptr;
};
