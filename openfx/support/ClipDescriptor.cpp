#include "openfx/support/ClipDescriptor.h"

#include "openfx/include/ofxImageEffect.h"

namespace OFX {

ClipDescriptor::ClipDescriptor(const std::string& name, OfxPropertySetHandle props) : name_(name), props_(props) {}

void ClipDescriptor::setLabel(const std::string& label) { props_.propSetString(kOfxPropLabel, label); }

void ClipDescriptor::setLabels(const std::string& label, const std::string& shortLabel,
                               const std::string& longLabel) {
  props_.propSetString(kOfxPropLabel, label);
  props_.propSetString(kOfxPropShortLabel, shortLabel);
  props_.propSetString(kOfxPropLongLabel, longLabel);
}

void ClipDescriptor::addSupportedComponent(PixelComponentEnum components) {
  props_.propSetString(kOfxImageEffectPropSupportedComponents, mapPixelComponentEnumToString(components),
                       componentCount_);
  ++componentCount_;
}

void ClipDescriptor::setTemporalClipAccess(bool enabled) {
  props_.propSetInt(kOfxImageEffectPropTemporalClipAccess, enabled ? 1 : 0);
}

void ClipDescriptor::setOptional(bool optional) { props_.propSetInt(kOfxImageClipPropOptional, optional ? 1 : 0); }

void ClipDescriptor::setSupportsTiles(bool supported) {
  props_.propSetInt(kOfxImageEffectPropSupportsTiles, supported ? 1 : 0);
}

void ClipDescriptor::setIsMask(bool mask) { props_.propSetInt(kOfxImageClipPropIsMask, mask ? 1 : 0); }

}  // namespace OFX
