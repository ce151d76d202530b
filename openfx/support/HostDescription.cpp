#include "openfx/support/HostDescription.h"

#include "openfx/support/PropertySet.h"
#include "openfx/support/Suites.h"

#include "openfx/include/ofxGPURender.h"

#include <algorithm>
#include <memory>

namespace OFX {
namespace {

std::unique_ptr<ImageEffectHostDescription> gDescription;

// GPU support flags are strings ("false", "true", "needed") since OpenFX 1.5;
// older hosts published them as ints, so both forms are accepted.
bool readSupportFlag(const PropertySet& props, const char* property) {
  const std::string text = props.propGetString(property, 0, false);
  if (!text.empty()) return text == "true" || text == "needed";
  return props.propGetInt(property, 0, false) != 0;
}

bool readBool(const PropertySet& props, const char* property) { return props.propGetInt(property, 0, false) != 0; }

}  // namespace

bool ImageEffectHostDescription::supportsContext(ContextEnum context) const {
  return std::find(supportedContexts.begin(), supportedContexts.end(), context) != supportedContexts.end();
}

bool ImageEffectHostDescription::supportsBitDepth(BitDepthEnum depth) const {
  return std::find(supportedPixelDepths.begin(), supportedPixelDepths.end(), depth) != supportedPixelDepths.end();
}

const ImageEffectHostDescription* getImageEffectHostDescription() { return gDescription.get(); }

namespace Private {

void loadHostDescription() {
  if (gHost == nullptr || gPropSuite == nullptr) {
    gDescription.reset();
    return;
  }
  auto description = std::make_unique<ImageEffectHostDescription>();
  const PropertySet props(gHost->host);
  description->hostName = props.propGetString(kOfxPropName, 0, false);
  description->hostLabel = props.propGetString(kOfxPropLabel, 0, false);
  if (props.propGetDimension(kOfxPropAPIVersion, false) >= 2) {
    description->APIVersionMajor = props.propGetInt(kOfxPropAPIVersion, 0, false);
    description->APIVersionMinor = props.propGetInt(kOfxPropAPIVersion, 1, false);
  }
  description->hostIsBackground = readBool(props, kOfxImageEffectHostPropIsBackground);
  description->supportsOverlays = readBool(props, kOfxImageEffectPropSupportsOverlays);
  description->supportsMultiResolution = readBool(props, kOfxImageEffectPropSupportsMultiResolution);
  description->supportsTiles = readBool(props, kOfxImageEffectPropSupportsTiles);
  description->temporalClipAccess = readBool(props, kOfxImageEffectPropTemporalClipAccess);
  description->supportsMultipleClipDepths = readBool(props, kOfxImageEffectPropSupportsMultipleClipDepths);
  description->supportsMultipleClipPARs = readBool(props, kOfxImageEffectPropSupportsMultipleClipPARs);
  description->supportsSetableFrameRate = readBool(props, kOfxImageEffectPropSetableFrameRate);
  description->supportsSetableFielding = readBool(props, kOfxImageEffectPropSetableFielding);
  description->supportsCustomInteract = readBool(props, kOfxParamHostPropSupportsCustomInteract);
  description->supportsParametricParameter = gParametricParamSuite != nullptr;
  description->supportsDrawSuite = gDrawSuite != nullptr;
  description->supportsCudaRender = readSupportFlag(props, kOfxImageEffectPropCudaRenderSupported);
  description->supportsCudaStream = readSupportFlag(props, kOfxImageEffectPropCudaStreamSupported);
  description->supportsOpenCLRender = readSupportFlag(props, kOfxImageEffectPropOpenCLRenderSupported);
  description->supportsMetalRender = readSupportFlag(props, kOfxImageEffectPropMetalRenderSupported);
  for (const auto& text : props.propGetStrings(kOfxImageEffectPropSupportedContexts, false)) {
    const ContextEnum context = mapContextStringToEnum(text);
    if (context != eContextNone) description->supportedContexts.push_back(context);
  }
  for (const auto& text : props.propGetStrings(kOfxImageEffectPropSupportedPixelDepths, false)) {
    const BitDepthEnum depth = mapBitDepthStringToEnum(text);
    if (depth != eBitDepthNone) description->supportedPixelDepths.push_back(depth);
  }
  for (const auto& text : props.propGetStrings(kOfxImageEffectPropSupportedComponents, false)) {
    description->supportedComponents.push_back(mapPixelComponentStringToEnum(text));
  }
  gDescription = std::move(description);
}

}  // namespace Private
}  // namespace OFX
