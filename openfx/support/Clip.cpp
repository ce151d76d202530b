#include "openfx/support/Clip.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

namespace OFX {

Clip::Clip(const std::string& name, OfxImageClipHandle handle, OfxPropertySetHandle props)
    : name_(name), handle_(handle), props_(props) {}

bool Clip::isConnected() const { return props_.propGetInt(kOfxImageClipPropConnected) != 0; }

BitDepthEnum Clip::getPixelDepth() const {
  return mapBitDepthStringToEnum(props_.propGetString(kOfxImageEffectPropPixelDepth));
}

PixelComponentEnum Clip::getPixelComponents() const {
  return mapPixelComponentStringToEnum(props_.propGetString(kOfxImageEffectPropComponents));
}

double Clip::getPixelAspectRatio() const {
  const double ratio = props_.propGetDouble(kOfxImagePropPixelAspectRatio, 0, false);
  return ratio > 0.0 ? ratio : 1.0;
}

double Clip::getFrameRate() const { return props_.propGetDouble(kOfxImageEffectPropFrameRate, 0, false); }

OfxRectD Clip::getRegionOfDefinition(double time) const {
  OfxRectD rod{0.0, 0.0, 0.0, 0.0};
  const OfxStatus status = Private::effectSuite().clipGetRegionOfDefinition(handle_, time, &rod);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "region of definition of clip " + name_);
  return rod;
}

Image* Clip::fetchImage(double time) const { return fetchImage(time, nullptr); }

Image* Clip::fetchImage(double time, const OfxRectD& region) const { return fetchImage(time, &region); }

Image* Clip::fetchImage(double time, const OfxRectD* region) const {
  OfxPropertySetHandle imageProps = nullptr;
  const OfxStatus status = Private::effectSuite().clipGetImage(handle_, time, region, &imageProps);
  if (status == kOfxStatFailed) return nullptr;
  if (status != kOfxStatOK) throwSuiteStatusException(status, "image of clip " + name_);
  if (imageProps == nullptr) return nullptr;
  try {
    return new Image(imageProps);
  } catch (...) {
    // An image whose properties cannot be read still goes back to the host.
    Private::effectSuite().clipReleaseImage(imageProps);
    throw;
  }
}

}  // namespace OFX
