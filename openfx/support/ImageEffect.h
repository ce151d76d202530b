#pragma once
// The base class of effect instances. The host creates an instance through the
// factory's createInstance; the library then routes every action to the
// virtual hooks below and deletes the instance when the host destroys it.

#include "openfx/support/Arguments.h"
#include "openfx/support/Clip.h"
#include "openfx/support/Enums.h"
#include "openfx/support/ParamSet.h"
#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxImageEffect.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace OFX {

class ImageEffect : public ParamSet {
 public:
  // Reads the instance's property and parameter sets and records this object
  // as the instance's data, so that actions find it.
  explicit ImageEffect(OfxImageEffectHandle handle);
  virtual ~ImageEffect();

  // Renders the frame; failures are exceptions (see Exception.h for the
  // statuses the host then receives). The default renders nothing.
  virtual void render(const RenderArguments& args);
  // Returns true, with the clip and time to pass through, when the frame
  // would leave that clip unchanged. The default is false.
  virtual bool isIdentity(const IsIdentityArguments& args, Clip*& identityClip, double& identityTime);
  virtual void beginSequenceRender(const BeginSequenceRenderArguments& args);
  virtual void endSequenceRender(const EndSequenceRenderArguments& args);
  // Returns true after setting rod; false keeps the host's default.
  virtual bool getRegionOfDefinition(const RegionOfDefinitionArguments& args, OfxRectD& rod);
  // Returns true after setting range (generator effects); false keeps the default.
  virtual bool getTimeDomain(OfxRangeD& range);
  virtual void beginChanged(InstanceChangeReason reason);
  virtual void endChanged(InstanceChangeReason reason);
  virtual void changedParam(const InstanceChangedArgs& args, const std::string& paramName);
  virtual void changedClip(const InstanceChangedArgs& args, const std::string& clipName);
  virtual void purgeCaches();
  virtual void syncPrivateData();

  OfxImageEffectHandle getHandle() const { return handle_; }
  PropertySet& getPropertySet() { return props_; }
  ContextEnum getContext() const { return context_; }
  // The frame rate of the project/effect as the host reports it (0 when it does not).
  double getFrameRate() const;
  // True when the host asks the effect to stop rendering early.
  bool abort() const;

  // The clip of that name, owned by the instance and kept for its lifetime.
  // Throws Exception::NotFound when the host has no such clip; never returns null.
  Clip* fetchClip(const std::string& name);

 private:
  OfxImageEffectHandle handle_;
  PropertySet props_;
  ContextEnum context_;
  std::mutex clipMutex_;
  std::map<std::string, std::unique_ptr<Clip>> clips_;
};

namespace Private {
// The instance recorded in the handle's instance data, or null.
ImageEffect* retrieveImageEffectPointer(OfxImageEffectHandle handle);
}  // namespace Private

}  // namespace OFX
