#include "openfx/support/Interact.h"

#include "openfx/support/ImageEffect.h"
#include "openfx/support/Param.h"
#include "openfx/support/Suites.h"

namespace OFX {
namespace {

OfxPropertySetHandle interactProperties(OfxInteractHandle handle) {
  OfxPropertySetHandle props = nullptr;
  if (handle != nullptr && Private::gInteractSuite != nullptr)
    Private::gInteractSuite->interactGetPropertySet(handle, &props);
  return props;
}

}  // namespace

Interact::Interact(OfxInteractHandle handle) : handle_(handle), props_(interactProperties(handle)) {}

OfxPointD Interact::getPixelScale() const {
  OfxPointD scale{props_.propGetDouble(kOfxInteractPropPixelScale, 0, false),
                  props_.propGetDouble(kOfxInteractPropPixelScale, 1, false)};
  if (scale.x <= 0.0) scale.x = 1.0;
  if (scale.y <= 0.0) scale.y = 1.0;
  return scale;
}

OfxRGBColourD Interact::getBackgroundColour() const {
  return OfxRGBColourD{props_.propGetDouble(kOfxInteractPropBackgroundColour, 0, false),
                       props_.propGetDouble(kOfxInteractPropBackgroundColour, 1, false),
                       props_.propGetDouble(kOfxInteractPropBackgroundColour, 2, false)};
}

void Interact::addParamToSlaveTo(const Param* param) {
  if (param == nullptr || !props_.isValid()) return;
  props_.propSetString(kOfxInteractPropSlaveToParam, param->getName(), slaveCount_, false);
  ++slaveCount_;
}

void Interact::requestRedraw() const {
  if (handle_ != nullptr && Private::gInteractSuite != nullptr) Private::gInteractSuite->interactRedraw(handle_);
}

void Interact::swapBuffers() const {
  if (handle_ != nullptr && Private::gInteractSuite != nullptr) Private::gInteractSuite->interactSwapBuffers(handle_);
}

bool Interact::draw(const DrawArgs&) { return false; }
bool Interact::penMotion(const PenArgs&) { return false; }
bool Interact::penDown(const PenArgs&) { return false; }
bool Interact::penUp(const PenArgs&) { return false; }
bool Interact::keyDown(const KeyArgs&) { return false; }
bool Interact::keyUp(const KeyArgs&) { return false; }
bool Interact::keyRepeat(const KeyArgs&) { return false; }
void Interact::gainFocus(const FocusArgs&) {}
void Interact::loseFocus(const FocusArgs&) {}

OverlayInteract::OverlayInteract(OfxInteractHandle handle, ImageEffect* effect) : Interact(handle), _effect(effect) {
  if (_effect == nullptr && props_.isValid()) {
    auto effectHandle = static_cast<OfxImageEffectHandle>(props_.propGetPointer(kOfxPropEffectInstance, 0, false));
    _effect = Private::retrieveImageEffectPointer(effectHandle);
  }
}

}  // namespace OFX
