#include "host/OverlayInteract.h"

#include <algorithm>

#include "host/Bundle.h"
#include "host/EffectInstance.h"
#include "ofxDrawSuite.h"
#include "ofxImageEffect.h"

namespace ofxhost {

InteractObject::InteractObject(InteractObject *descriptor, EffectInstance *effect)
    : registration_(this, kHandleKind), props_(true), effect_(effect) {
  props_.defineInt(kOfxInteractPropHasAlpha, 1, {0});
  props_.defineInt(kOfxInteractPropBitDepth, 1, {8});
  props_.defineString(kOfxInteractPropSlaveToParam, 0, {});
  if (descriptor) props_.copyFrom(descriptor->props());
  if (effect) {
    props_.definePointer(kOfxPropEffectInstance, 1, {effect->handle()});
    props_.definePointer(kOfxPropInstanceData, 1, {nullptr});
    props_.defineDouble(kOfxInteractPropPixelScale, 2, {1.0, 1.0});
    props_.defineDouble(kOfxInteractPropBackgroundColour, 3, {0.0, 0.0, 0.0});
    props_.defineInt(kOfxInteractPropViewportSize, 2, {1920, 1080});
    props_.defineDouble(kOfxInteractPropSuggestedColour, 3, {1.0, 1.0, 1.0});
  }
}

OverlayInteract::OverlayInteract(EffectInstance &effect, OfxPluginEntryPoint *entry, InteractObject &descriptor)
    : effect_(&effect), entry_(entry), descriptor_(descriptor), object_(&descriptor, &effect) {
  effect.attachOverlay(this);
}

OverlayInteract::~OverlayInteract() {
  if (effect_) {
    if (created_) send(kOfxActionDestroyInstance, nullptr);
    effect_->detachOverlay(this);
  }
}

void OverlayInteract::effectDestroyed() {
  if (created_) send(kOfxActionDestroyInstance, nullptr);
  created_ = false;
  effect_ = nullptr;
}

OfxStatus OverlayInteract::send(const char *action, PropertySet *args) {
  if (effect_ == nullptr) return kOfxStatErrBadHandle;
  OfxStatus status;
  try {
    status = entry_(action, object_.handle(), args ? args->handle() : nullptr, nullptr);
  } catch (...) {
    status = kOfxStatErrFatal;
  }
  return status;
}

OfxStatus OverlayInteract::create() {
  const OfxStatus status = send(kOfxActionCreateInstance, nullptr);
  created_ = status == kOfxStatOK || status == kOfxStatReplyDefault;
  return created_ ? kOfxStatOK : status;
}

void OverlayInteract::fillCommon(PropertySet &args, const InteractView &view) {
  args.definePointer(kOfxPropEffectInstance, 1, {effect_ ? effect_->handle() : nullptr});
  args.defineDouble(kOfxPropTime, 1, {view.time});
  args.defineDouble(kOfxImageEffectPropRenderScale, 2, {view.renderScale.x, view.renderScale.y});
  args.defineDouble(kOfxInteractPropPixelScale, 2, {view.pixelScale.x, view.pixelScale.y});
  args.defineDouble(kOfxInteractPropBackgroundColour, 3, {view.background.r, view.background.g, view.background.b});
  args.defineInt(kOfxInteractPropViewportSize, 2, {view.viewportSize.x, view.viewportSize.y});
  // The interact's own properties follow the viewer too.
  object_.props().setDoubles(kOfxInteractPropPixelScale, {view.pixelScale.x, view.pixelScale.y});
  object_.props().setDoubles(kOfxInteractPropBackgroundColour, {view.background.r, view.background.g, view.background.b});
  object_.props().setInts(kOfxInteractPropViewportSize, {view.viewportSize.x, view.viewportSize.y});
}

OfxStatus OverlayInteract::draw(const InteractView &view) {
  if (effect_ == nullptr) return kOfxStatErrBadHandle;
  DrawContext context;
  PropertySet args(false);
  fillCommon(args, view);
  args.definePointer(kOfxInteractPropDrawContext, 1, {context.handle()});
  const OfxStatus status = send(kOfxInteractActionDraw, &args);
  lastDraw_ = context.commands;
  ++drawCount_;
  return status;
}

OfxStatus OverlayInteract::sendPen(const char *action, const PenEvent &pen, const InteractView &view) {
  if (effect_ == nullptr) return kOfxStatErrBadHandle;
  PropertySet args(false);
  fillCommon(args, view);
  args.defineDouble(kOfxInteractPropPenPosition, 2, {pen.position.x, pen.position.y});
  args.defineInt(kOfxInteractPropPenViewportPosition, 2, {pen.viewportPosition.x, pen.viewportPosition.y});
  args.defineDouble(kOfxInteractPropPenPressure, 1, {pen.pressure});
  return send(action, &args);
}

OfxStatus OverlayInteract::sendKey(const char *action, int keySym, const std::string &keyString,
                                   const InteractView &view) {
  if (effect_ == nullptr) return kOfxStatErrBadHandle;
  PropertySet args(false);
  fillCommon(args, view);
  args.defineInt(kOfxPropKeySym, 1, {keySym});
  args.defineString(kOfxPropKeyString, 1, {keyString});
  return send(action, &args);
}

OfxStatus OverlayInteract::penDown(const PenEvent &pen, const InteractView &view) {
  return sendPen(kOfxInteractActionPenDown, pen, view);
}
OfxStatus OverlayInteract::penMotion(const PenEvent &pen, const InteractView &view) {
  return sendPen(kOfxInteractActionPenMotion, pen, view);
}
OfxStatus OverlayInteract::penUp(const PenEvent &pen, const InteractView &view) {
  return sendPen(kOfxInteractActionPenUp, pen, view);
}
OfxStatus OverlayInteract::keyDown(int keySym, const std::string &keyString, const InteractView &view) {
  return sendKey(kOfxInteractActionKeyDown, keySym, keyString, view);
}
OfxStatus OverlayInteract::keyUp(int keySym, const std::string &keyString, const InteractView &view) {
  return sendKey(kOfxInteractActionKeyUp, keySym, keyString, view);
}
OfxStatus OverlayInteract::keyRepeat(int keySym, const std::string &keyString, const InteractView &view) {
  return sendKey(kOfxInteractActionKeyRepeat, keySym, keyString, view);
}

OfxStatus OverlayInteract::gainFocus(const InteractView &view) {
  if (effect_ == nullptr) return kOfxStatErrBadHandle;
  PropertySet args(false);
  fillCommon(args, view);
  return send(kOfxInteractActionGainFocus, &args);
}

OfxStatus OverlayInteract::loseFocus(const InteractView &view) {
  if (effect_ == nullptr) return kOfxStatErrBadHandle;
  PropertySet args(false);
  fillCommon(args, view);
  return send(kOfxInteractActionLoseFocus, &args);
}

std::vector<std::string> OverlayInteract::slaveParams() const {
  return const_cast<InteractObject &>(object_).props().getStrings(kOfxInteractPropSlaveToParam);
}

void OverlayInteract::parameterChanged(const std::string &name) {
  // A viewer redraws an overlay whenever a parameter it is slaved to changes.
  const std::vector<std::string> slaves = descriptor_.props().getStrings(kOfxInteractPropSlaveToParam);
  if (std::find(slaves.begin(), slaves.end(), name) != slaves.end()) ++object_.redrawRequests;
}

// ---- the interact suite ----------------------------------------------------------

namespace {

OfxStatus interactSwapBuffers(OfxInteractHandle handle) {
  InteractObject *interact = fromHandle<InteractObject>(handle);
  if (interact == nullptr) return kOfxStatErrBadHandle;
  ++interact->swapRequests;
  return kOfxStatOK;
}

OfxStatus interactRedraw(OfxInteractHandle handle) {
  InteractObject *interact = fromHandle<InteractObject>(handle);
  if (interact == nullptr) return kOfxStatErrBadHandle;
  ++interact->redrawRequests;
  return kOfxStatOK;
}

OfxStatus interactGetPropertySet(OfxInteractHandle handle, OfxPropertySetHandle *props) {
  InteractObject *interact = fromHandle<InteractObject>(handle);
  if (interact == nullptr) return kOfxStatErrBadHandle;
  if (props == nullptr) return kOfxStatErrValue;
  *props = interact->props().handle();
  return kOfxStatOK;
}

const OfxInteractSuiteV1 kInteractSuite = {interactSwapBuffers, interactRedraw, interactGetPropertySet};

}  // namespace

const OfxInteractSuiteV1 *interactSuite() { return &kInteractSuite; }

}  // namespace ofxhost
