#include "openfx/support/ImageEffectDescriptor.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Interact.h"
#include "openfx/support/Suites.h"

#include "openfx/include/ofxGPURender.h"

namespace OFX {
namespace {

const char* trueFalse(bool value) { return value ? "true" : "false"; }

}  // namespace

ImageEffectDescriptor::ImageEffectDescriptor(OfxImageEffectHandle handle) : handle_(handle) {
  OfxPropertySetHandle props = nullptr;
  OfxStatus status = Private::effectSuite().getPropertySet(handle, &props);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "effect descriptor property set");
  props_.propSetHandle(props);
  OfxParamSetHandle params = nullptr;
  status = Private::effectSuite().getParamSet(handle, &params);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "effect descriptor parameter set");
  setParamSetHandle(params);
}

ImageEffectDescriptor::~ImageEffectDescriptor() = default;

void ImageEffectDescriptor::setLabel(const std::string& label) { props_.propSetString(kOfxPropLabel, label); }

void ImageEffectDescriptor::setLabels(const std::string& label, const std::string& shortLabel,
                                      const std::string& longLabel) {
  props_.propSetString(kOfxPropLabel, label);
  props_.propSetString(kOfxPropShortLabel, shortLabel);
  props_.propSetString(kOfxPropLongLabel, longLabel);
}

void ImageEffectDescriptor::setPluginGrouping(const std::string& grouping) {
  props_.propSetString(kOfxImageEffectPluginPropGrouping, grouping);
}

void ImageEffectDescriptor::setPluginDescription(const std::string& description) {
  props_.propSetString(kOfxPropPluginDescription, description, 0, false);
}

void ImageEffectDescriptor::addSupportedContext(ContextEnum context) {
  props_.propSetString(kOfxImageEffectPropSupportedContexts, mapContextEnumToString(context), contextCount_);
  ++contextCount_;
}

void ImageEffectDescriptor::addSupportedBitDepth(BitDepthEnum depth) {
  props_.propSetString(kOfxImageEffectPropSupportedPixelDepths, mapBitDepthEnumToString(depth), depthCount_);
  ++depthCount_;
}

void ImageEffectDescriptor::setSingleInstance(bool single) {
  props_.propSetInt(kOfxImageEffectPluginPropSingleInstance, single ? 1 : 0);
}

void ImageEffectDescriptor::setHostFrameThreading(bool enabled) {
  props_.propSetInt(kOfxImageEffectPluginPropHostFrameThreading, enabled ? 1 : 0);
}

void ImageEffectDescriptor::setSupportsMultiResolution(bool supported) {
  props_.propSetInt(kOfxImageEffectPropSupportsMultiResolution, supported ? 1 : 0);
}

void ImageEffectDescriptor::setSupportsTiles(bool supported) {
  props_.propSetInt(kOfxImageEffectPropSupportsTiles, supported ? 1 : 0);
}

void ImageEffectDescriptor::setTemporalClipAccess(bool enabled) {
  props_.propSetInt(kOfxImageEffectPropTemporalClipAccess, enabled ? 1 : 0);
}

void ImageEffectDescriptor::setRenderTwiceAlways(bool enabled) {
  props_.propSetInt(kOfxImageEffectPluginPropFieldRenderTwiceAlways, enabled ? 1 : 0);
}

void ImageEffectDescriptor::setSupportsMultipleClipPARs(bool supported) {
  props_.propSetInt(kOfxImageEffectPropSupportsMultipleClipPARs, supported ? 1 : 0);
}

void ImageEffectDescriptor::setSupportsMultipleClipDepths(bool supported) {
  props_.propSetInt(kOfxImageEffectPropSupportsMultipleClipDepths, supported ? 1 : 0);
}

void ImageEffectDescriptor::setRenderThreadSafety(RenderSafetyEnum safety) {
  props_.propSetString(kOfxImageEffectPluginRenderThreadSafety, mapRenderSafetyEnumToString(safety));
}

void ImageEffectDescriptor::setNoSpatialAwareness(bool noSpatialAwareness) {
  props_.propSetString(kOfxImageEffectPropNoSpatialAwareness, trueFalse(noSpatialAwareness), 0, false);
}

void ImageEffectDescriptor::setSupportsCudaRender(bool supported) {
  props_.propSetString(kOfxImageEffectPropCudaRenderSupported, trueFalse(supported), 0, false);
}

void ImageEffectDescriptor::setSupportsCudaStream(bool supported) {
  props_.propSetString(kOfxImageEffectPropCudaStreamSupported, trueFalse(supported), 0, false);
}

void ImageEffectDescriptor::setSupportsOpenCLRender(bool supported) {
  props_.propSetString(kOfxImageEffectPropOpenCLRenderSupported, trueFalse(supported), 0, false);
}

void ImageEffectDescriptor::setSupportsMetalRender(bool supported) {
  props_.propSetString(kOfxImageEffectPropMetalRenderSupported, trueFalse(supported), 0, false);
}

void ImageEffectDescriptor::setOverlayInteractDescriptor(EffectOverlayDescriptor* descriptor) {
  overlayDescriptor_.reset(descriptor);
  if (descriptor == nullptr) return;
  props_.propSetPointer(kOfxImageEffectPluginPropOverlayInteractV1,
                        reinterpret_cast<void*>(descriptor->getMainEntry()));
}

ClipDescriptor* ImageEffectDescriptor::defineClip(const std::string& name) {
  auto found = clips_.find(name);
  if (found != clips_.end()) return found->second.get();
  OfxPropertySetHandle props = nullptr;
  const OfxStatus status = Private::effectSuite().clipDefine(handle_, name.c_str(), &props);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "defining clip " + name);
  if (props == nullptr) throwSuiteStatusException(kOfxStatErrBadHandle, "defining clip " + name);
  auto clip = std::make_unique<ClipDescriptor>(name, props);
  ClipDescriptor* result = clip.get();
  clips_.emplace(name, std::move(clip));
  return result;
}

}  // namespace OFX
