#include "host/ImageEffect.h"

#include "ofxGPURender.h"

namespace ofxhost {

namespace {

void defineClipDescriptorSchema(PropertySet &props, const std::string &name) {
  props.defineString(kOfxPropType, 1, {kOfxTypeClip});
  props.defineString(kOfxPropName, 1, {name});
  props.defineString(kOfxPropLabel, 1, {name});
  props.defineString(kOfxPropShortLabel, 1, {name});
  props.defineString(kOfxPropLongLabel, 1, {name});
  props.defineString(kOfxImageEffectPropSupportedComponents, 0, {});
  props.defineInt(kOfxImageEffectPropTemporalClipAccess, 1, {0});
  props.defineInt(kOfxImageClipPropOptional, 1, {0});
  props.defineString(kOfxImageClipPropFieldExtraction, 1, {kOfxImageFieldDoubled});
  props.defineInt(kOfxImageClipPropIsMask, 1, {0});
  props.defineInt(kOfxImageEffectPropSupportsTiles, 1, {1});
}

void defineEffectDescriptorSchema(PropertySet &props) {
  props.defineString(kOfxPropType, 1, {kOfxTypeImageEffect});
  props.defineString(kOfxPropLabel, 1, {""});
  props.defineString(kOfxPropShortLabel, 1, {""});
  props.defineString(kOfxPropLongLabel, 1, {""});
  props.defineInt(kOfxPropVersion, 0, {});
  props.defineString(kOfxPropVersionLabel, 1, {""});
  props.defineString(kOfxPropPluginDescription, 1, {""});
  props.defineString(kOfxImageEffectPropSupportedContexts, 0, {});
  props.defineString(kOfxImageEffectPluginPropGrouping, 1, {""});
  props.defineInt(kOfxImageEffectPluginPropSingleInstance, 1, {0});
  props.defineString(kOfxImageEffectPluginRenderThreadSafety, 1, {kOfxImageEffectRenderInstanceSafe});
  props.defineInt(kOfxImageEffectPluginPropHostFrameThreading, 1, {1});
  props.definePointer(kOfxImageEffectPluginPropOverlayInteractV1, 1, {nullptr});
  props.definePointer(kOfxImageEffectPluginPropOverlayInteractV2, 1, {nullptr});
  props.defineInt(kOfxImageEffectPropSupportsMultiResolution, 1, {1});
  props.defineInt(kOfxImageEffectPropSupportsTiles, 1, {1});
  props.defineInt(kOfxImageEffectPropTemporalClipAccess, 1, {0});
  props.defineString(kOfxImageEffectPropSupportedPixelDepths, 0, {});
  props.defineInt(kOfxImageEffectPluginPropFieldRenderTwiceAlways, 1, {1});
  props.defineInt(kOfxImageEffectPropSupportsMultipleClipDepths, 1, {0});
  props.defineInt(kOfxImageEffectPropSupportsMultipleClipPARs, 1, {0});
  props.defineString(kOfxImageEffectPropClipPreferencesSlaveParam, 0, {});
  props.defineString(kOfxPluginPropFilePath, 1, {""});
  props.defineString(kOfxImageEffectPropOpenGLRenderSupported, 1, {"false"});
  props.defineString(kOfxImageEffectPropCudaRenderSupported, 1, {"false"});
  props.defineString(kOfxImageEffectPropCudaStreamSupported, 1, {"false"});
  props.defineString(kOfxImageEffectPropOpenCLRenderSupported, 1, {"false"});
  props.defineString(kOfxImageEffectPropMetalRenderSupported, 1, {"false"});
}

}  // namespace

Clip::Clip(ImageEffectObject &owner, std::string name)
    : registration_(this, kHandleKind), owner_(owner), name_(std::move(name)), props_(true) {
  defineClipDescriptorSchema(props_, name_);
}

ImageEffectObject::ImageEffectObject(Role role) : registration_(this, kHandleKind), role_(role), props_(true) {
  defineEffectDescriptorSchema(props_);
}

Clip *ImageEffectObject::defineClip(const std::string &name) {
  if (findClip(name) != nullptr) return nullptr;
  clips_.push_back(std::make_unique<Clip>(*this, name));
  return clips_.back().get();
}

Clip *ImageEffectObject::findClip(const std::string &name) {
  for (auto &c : clips_)
    if (c->name() == name) return c.get();
  return nullptr;
}

const Clip *ImageEffectObject::findClip(const std::string &name) const {
  for (auto &c : clips_)
    if (c->name() == name) return c.get();
  return nullptr;
}

void ImageEffectObject::instantiateFrom(const ImageEffectObject &descriptor, const std::string &context) {
  props_.copyFrom(descriptor.props_);
  props_.setString(kOfxPropType, kOfxTypeImageEffectInstance);
  props_.defineString(kOfxImageEffectPropContext, 1, {context});
  props_.definePointer(kOfxPropInstanceData, 1, {nullptr});
  props_.defineInt(kOfxPropIsInteractive, 1, {1});
  props_.defineDouble(kOfxImageEffectPropProjectSize, 2, {0.0, 0.0});
  props_.defineDouble(kOfxImageEffectPropProjectOffset, 2, {0.0, 0.0});
  props_.defineDouble(kOfxImageEffectPropProjectExtent, 2, {0.0, 0.0});
  props_.defineDouble(kOfxImageEffectPropProjectPixelAspectRatio, 1, {1.0});
  props_.defineDouble(kOfxImageEffectInstancePropEffectDuration, 1, {1.0});
  props_.defineInt(kOfxImageEffectInstancePropSequentialRender, 1, {0});
  props_.defineDouble(kOfxImageEffectPropFrameRate, 1, {24.0});
  for (const auto &d : descriptor.clips_) {
    Clip *clip = defineClip(d->name());
    clip->props().copyFrom(d->props());
    PropertySet &p = clip->props();
    p.defineString(kOfxImageEffectPropPixelDepth, 1, {kOfxBitDepthFloat});
    p.defineString(kOfxImageEffectPropComponents, 1, {kOfxImageComponentRGBA});
    p.defineString(kOfxImageClipPropUnmappedPixelDepth, 1, {kOfxBitDepthFloat});
    p.defineString(kOfxImageClipPropUnmappedComponents, 1, {kOfxImageComponentRGBA});
    p.defineString(kOfxImageEffectPropPreMultiplication, 1, {kOfxImagePreMultiplied});
    p.defineDouble(kOfxImagePropPixelAspectRatio, 1, {1.0});
    p.defineDouble(kOfxImageEffectPropFrameRate, 1, {24.0});
    p.defineDouble(kOfxImageEffectPropFrameRange, 2, {0.0, 0.0});
    p.defineDouble(kOfxImageEffectPropUnmappedFrameRange, 2, {0.0, 0.0});
    p.defineDouble(kOfxImageEffectPropUnmappedFrameRate, 1, {24.0});
    p.defineString(kOfxImageClipPropFieldOrder, 1, {kOfxImageFieldNone});
    p.defineInt(kOfxImageClipPropConnected, 1, {0});
    p.defineInt(kOfxImageClipPropContinuousSamples, 1, {0});
  }
  params_.instantiateFrom(descriptor.params_);
}

}  // namespace ofxhost
