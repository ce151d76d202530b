#pragma once
// The effect descriptor handed to describe and describeInContext: effect-wide
// properties, clip definitions, parameter definitions (through
// ParamSetDescriptor) and the overlay interact.

#include "openfx/support/ClipDescriptor.h"
#include "openfx/support/Enums.h"
#include "openfx/support/ParamSetDescriptor.h"
#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxImageEffect.h"

#include <map>
#include <memory>
#include <string>

namespace OFX {

class EffectOverlayDescriptor;

class ImageEffectDescriptor : public ParamSetDescriptor {
 public:
  // Reads the descriptor's property and parameter sets from the host.
  explicit ImageEffectDescriptor(OfxImageEffectHandle handle);
  ~ImageEffectDescriptor() override;

  OfxImageEffectHandle getHandle() const { return handle_; }
  PropertySet& getPropertySet() { return props_; }

  void setLabel(const std::string& label);
  void setLabels(const std::string& label, const std::string& shortLabel, const std::string& longLabel);
  void setPluginGrouping(const std::string& grouping);
  void setPluginDescription(const std::string& description);
  void addSupportedContext(ContextEnum context);
  void addSupportedBitDepth(BitDepthEnum depth);
  void setSingleInstance(bool single);
  void setHostFrameThreading(bool enabled);
  void setSupportsMultiResolution(bool supported);
  void setSupportsTiles(bool supported);
  void setTemporalClipAccess(bool enabled);
  void setRenderTwiceAlways(bool enabled);
  void setSupportsMultipleClipPARs(bool supported);
  void setSupportsMultipleClipDepths(bool supported);
  void setRenderThreadSafety(RenderSafetyEnum safety);
  // "OfxImageEffectPropNoSpatialAwareness" is the string "true" or "false".
  void setNoSpatialAwareness(bool noSpatialAwareness);

  // GPU render support (OpenFX 1.5): the render-supported properties are the
  // strings "true"/"false", the stream property likewise. Hosts that predate
  // them ignore the properties, so setting them never fails.
  void setSupportsCudaRender(bool supported);
  void setSupportsCudaStream(bool supported);
  void setSupportsOpenCLRender(bool supported);
  void setSupportsMetalRender(bool supported);

  // Takes ownership of the overlay descriptor and publishes its main entry.
  void setOverlayInteractDescriptor(EffectOverlayDescriptor* descriptor);

  // Defines a clip; a repeated name returns the descriptor made the first time.
  // Throws Exception::Suite when the host refuses the definition.
  ClipDescriptor* defineClip(const std::string& name);

 private:
  OfxImageEffectHandle handle_;
  PropertySet props_;
  int contextCount_ = 0;
  int depthCount_ = 0;
  std::map<std::string, std::unique_ptr<ClipDescriptor>> clips_;
  std::unique_ptr<EffectOverlayDescriptor> overlayDescriptor_;
};

}  // namespace OFX
