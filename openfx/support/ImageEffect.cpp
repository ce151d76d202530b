#include "openfx/support/ImageEffect.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

namespace OFX {

ImageEffect::ImageEffect(OfxImageEffectHandle handle) : handle_(handle), context_(eContextNone) {
  OfxPropertySetHandle props = nullptr;
  OfxStatus status = Private::effectSuite().getPropertySet(handle, &props);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "effect instance property set");
  props_.propSetHandle(props);
  OfxParamSetHandle params = nullptr;
  status = Private::effectSuite().getParamSet(handle, &params);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "effect instance parameter set");
  setParamSetHandle(params);
  context_ = mapContextStringToEnum(props_.propGetString(kOfxImageEffectPropContext, 0, false));
  props_.propSetPointer(kOfxPropInstanceData, this);
}

ImageEffect::~ImageEffect() {
  // The handle outlives the instance during the destroy action; leave no
  // dangling pointer in it.
  props_.propSetPointer(kOfxPropInstanceData, nullptr, 0, false);
}

void ImageEffect::render(const RenderArguments&) {}
bool ImageEffect::isIdentity(const IsIdentityArguments&, Clip*&, double&) { return false; }
void ImageEffect::beginSequenceRender(const BeginSequenceRenderArguments&) {}
void ImageEffect::endSequenceRender(const EndSequenceRenderArguments&) {}
bool ImageEffect::getRegionOfDefinition(const RegionOfDefinitionArguments&, OfxRectD&) { return false; }
bool ImageEffect::getTimeDomain(OfxRangeD&) { return false; }
void ImageEffect::beginChanged(InstanceChangeReason) {}
void ImageEffect::endChanged(InstanceChangeReason) {}
void ImageEffect::changedParam(const InstanceChangedArgs&, const std::string&) {}
void ImageEffect::changedClip(const InstanceChangedArgs&, const std::string&) {}
void ImageEffect::purgeCaches() {}
void ImageEffect::syncPrivateData() {}

double ImageEffect::getFrameRate() const { return props_.propGetDouble(kOfxImageEffectPropFrameRate, 0, false); }

bool ImageEffect::abort() const {
  return Private::gEffectSuite != nullptr && Private::gEffectSuite->abort(handle_) != 0;
}

Clip* ImageEffect::fetchClip(const std::string& name) {
  std::lock_guard<std::mutex> lock(clipMutex_);
  auto found = clips_.find(name);
  if (found != clips_.end()) return found->second.get();
  OfxImageClipHandle clipHandle = nullptr;
  OfxPropertySetHandle clipProps = nullptr;
  const OfxStatus status = Private::effectSuite().clipGetHandle(handle_, name.c_str(), &clipHandle, &clipProps);
  if (status != kOfxStatOK || clipHandle == nullptr)
    throw Exception::NotFound("clip " + name + " not found (" + statusName(status) + ")");
  if (clipProps == nullptr) Private::effectSuite().clipGetPropertySet(clipHandle, &clipProps);
  auto clip = std::make_unique<Clip>(name, clipHandle, clipProps);
  Clip* result = clip.get();
  clips_.emplace(name, std::move(clip));
  return result;
}

namespace Private {

ImageEffect* retrieveImageEffectPointer(OfxImageEffectHandle handle) {
  if (handle == nullptr || gEffectSuite == nullptr || gPropSuite == nullptr) return nullptr;
  OfxPropertySetHandle props = nullptr;
  if (gEffectSuite->getPropertySet(handle, &props) != kOfxStatOK || props == nullptr) return nullptr;
  void* data = nullptr;
  if (gPropSuite->propGetPointer(props, kOfxPropInstanceData, 0, &data) != kOfxStatOK) return nullptr;
  return static_cast<ImageEffect*>(data);
}

}  // namespace Private
}  // namespace OFX
