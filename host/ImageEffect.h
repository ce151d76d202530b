#pragma once
// The objects behind OfxImageEffectHandle and OfxImageClipHandle: an effect
// descriptor (plug-in level or per context) or an effect instance, with its
// properties, parameters and clips; and the image effect suite over them.

#include <memory>
#include <string>
#include <vector>

#include "host/HandleRegistry.h"
#include "host/Param.h"
#include "host/PropertySet.h"
#include "ofxImageEffect.h"

namespace ofxhost {

class ImageEffectObject;
class Clip;

// Serves the image calls of an instance's clips (implemented by EffectInstance).
class ClipImageProvider {
 public:
  virtual ~ClipImageProvider() = default;
  virtual OfxStatus fetchImage(Clip &clip, double time, const OfxRectD *region, OfxPropertySetHandle *image) = 0;
  virtual OfxStatus releaseImage(OfxPropertySetHandle image) = 0;
  virtual OfxStatus regionOfDefinition(Clip &clip, double time, OfxRectD *bounds) = 0;
  virtual bool abortRequested() = 0;
};

class Clip {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::Clip;

  Clip(ImageEffectObject &owner, std::string name);
  Clip(const Clip &) = delete;
  Clip &operator=(const Clip &) = delete;

  OfxImageClipHandle handle() { return reinterpret_cast<OfxImageClipHandle>(this); }
  const std::string &name() const { return name_; }
  PropertySet &props() { return props_; }
  const PropertySet &props() const { return props_; }
  ImageEffectObject &owner() { return owner_; }

 private:
  HandleRegistration registration_;
  ImageEffectObject &owner_;
  std::string name_;
  PropertySet props_;
};

class ImageEffectObject {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::ImageEffect;
  enum class Role { Descriptor, Instance };

  explicit ImageEffectObject(Role role);
  ImageEffectObject(const ImageEffectObject &) = delete;
  ImageEffectObject &operator=(const ImageEffectObject &) = delete;

  OfxImageEffectHandle handle() { return reinterpret_cast<OfxImageEffectHandle>(this); }
  Role role() const { return role_; }
  PropertySet &props() { return props_; }
  const PropertySet &props() const { return props_; }
  ParamSet &params() { return params_; }
  const ParamSet &params() const { return params_; }

  Clip *defineClip(const std::string &name);  // null when the name is taken
  Clip *findClip(const std::string &name);
  const Clip *findClip(const std::string &name) const;
  const std::vector<std::unique_ptr<Clip>> &clips() const { return clips_; }

  // Instances: the clip images come from here.
  void setImageProvider(ClipImageProvider *provider) { provider_ = provider; }
  ClipImageProvider *imageProvider() const { return provider_; }

  // Copies a descriptor's properties, clips and parameters into this instance.
  void instantiateFrom(const ImageEffectObject &descriptor, const std::string &context);

 private:
  HandleRegistration registration_;
  Role role_;
  PropertySet props_;
  ParamSet params_;
  std::vector<std::unique_ptr<Clip>> clips_;
  ClipImageProvider *provider_ = nullptr;
};

// Fetched images are released through their handle alone; providers record here which of them owns each.
void registerFetchedImage(OfxPropertySetHandle image, ClipImageProvider *provider);
void forgetFetchedImage(OfxPropertySetHandle image);

// Allocations made with imageMemoryAlloc that have not been freed (all instances).
int outstandingImageMemory();

const OfxImageEffectSuiteV1 *imageEffectSuite();

}  // namespace ofxhost
