// Routes the host's interact actions to overlay descriptors and interacts.

#include "openfx/support/Exception.h"
#include "openfx/support/ImageEffect.h"
#include "openfx/support/Interact.h"
#include "openfx/support/PropertySet.h"
#include "openfx/support/Suites.h"

#include "openfx/include/ofxImageEffect.h"
#include "openfx/include/ofxKeySyms.h"

#include <string>

namespace OFX {
namespace {

PropertySet interactProperties(OfxInteractHandle handle) {
  OfxPropertySetHandle props = nullptr;
  if (Private::gInteractSuite == nullptr) throwHostMissingSuiteException(kOfxInteractSuite);
  const OfxStatus status = Private::gInteractSuite->interactGetPropertySet(handle, &props);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "interact property set");
  return PropertySet(props);
}

OfxPointD readPair(const PropertySet& args, const char* property, double fallback) {
  OfxPointD value{args.propGetDouble(property, 0, false), args.propGetDouble(property, 1, false)};
  if (value.x <= 0.0) value.x = fallback;
  if (value.y <= 0.0) value.y = fallback;
  return value;
}

OfxRGBColourD readColour(const PropertySet& args) {
  return OfxRGBColourD{args.propGetDouble(kOfxInteractPropBackgroundColour, 0, false),
                       args.propGetDouble(kOfxInteractPropBackgroundColour, 1, false),
                       args.propGetDouble(kOfxInteractPropBackgroundColour, 2, false)};
}

void readCommon(const PropertySet& args, InteractArgs& common) {
  common.time = args.propGetDouble(kOfxPropTime, 0, false);
  common.renderScale = readPair(args, kOfxImageEffectPropRenderScale, 1.0);
}

DrawArgs readDrawArgs(const PropertySet& args) {
  DrawArgs draw;
  readCommon(args, draw);
  draw.pixelScale = readPair(args, kOfxInteractPropPixelScale, 1.0);
  draw.backGroundColour = readColour(args);
  draw.drawContext = static_cast<OfxDrawContextHandle>(args.propGetPointer(kOfxInteractPropDrawContext, 0, false));
  return draw;
}

PenArgs readPenArgs(const PropertySet& args) {
  PenArgs pen;
  readCommon(args, pen);
  pen.pixelScale = readPair(args, kOfxInteractPropPixelScale, 1.0);
  pen.penPosition = OfxPointD{args.propGetDouble(kOfxInteractPropPenPosition, 0, false),
                              args.propGetDouble(kOfxInteractPropPenPosition, 1, false)};
  pen.penViewportPosition = OfxPointI{args.propGetInt(kOfxInteractPropPenViewportPosition, 0, false),
                                      args.propGetInt(kOfxInteractPropPenViewportPosition, 1, false)};
  pen.penPressure = args.propGetDouble(kOfxInteractPropPenPressure, 0, false);
  return pen;
}

KeyArgs readKeyArgs(const PropertySet& args) {
  KeyArgs key;
  readCommon(args, key);
  key.keySymbol = args.propGetInt(kOfxPropKeySym, 0, false);
  key.keyString = args.propGetString(kOfxPropKeyString, 0, false);
  return key;
}

FocusArgs readFocusArgs(const PropertySet& args) {
  FocusArgs focus;
  readCommon(args, focus);
  focus.pixelScale = readPair(args, kOfxInteractPropPixelScale, 1.0);
  focus.backGroundColour = readColour(args);
  return focus;
}

OfxStatus handled(bool used) { return used ? kOfxStatOK : kOfxStatReplyDefault; }

OfxStatus createInteract(OfxInteractHandle handle, EffectOverlayDescriptor& descriptor) {
  PropertySet props = interactProperties(handle);
  auto effectHandle = static_cast<OfxImageEffectHandle>(props.propGetPointer(kOfxPropEffectInstance, 0, false));
  ImageEffect* effect = Private::retrieveImageEffectPointer(effectHandle);
  Interact* interact = descriptor.createInstance(handle, effect);
  if (interact == nullptr) return kOfxStatFailed;
  try {
    props.propSetPointer(kOfxPropInstanceData, interact);
  } catch (...) {
    delete interact;
    throw;
  }
  return kOfxStatOK;
}

OfxStatus dispatch(const char* actionText, const void* handle, OfxPropertySetHandle inArgs,
                   EffectOverlayDescriptor& descriptor) {
  if (actionText == nullptr) return kOfxStatErrBadHandle;
  const std::string action = actionText;
  auto interactHandle = static_cast<OfxInteractHandle>(const_cast<void*>(handle));

  if (action == kOfxActionDescribe) {
    descriptor.describe();
    return kOfxStatOK;
  }
  if (action == kOfxActionCreateInstance) return createInteract(interactHandle, descriptor);

  PropertySet props = interactProperties(interactHandle);
  auto* interact = static_cast<Interact*>(props.propGetPointer(kOfxPropInstanceData, 0, false));
  if (action == kOfxActionDestroyInstance) {
    props.propSetPointer(kOfxPropInstanceData, nullptr, 0, false);
    delete interact;
    return kOfxStatOK;
  }
  if (interact == nullptr) return kOfxStatErrBadHandle;

  const PropertySet args(inArgs);
  if (action == kOfxInteractActionDraw) return handled(interact->draw(readDrawArgs(args)));
  if (action == kOfxInteractActionPenMotion) return handled(interact->penMotion(readPenArgs(args)));
  if (action == kOfxInteractActionPenDown) return handled(interact->penDown(readPenArgs(args)));
  if (action == kOfxInteractActionPenUp) return handled(interact->penUp(readPenArgs(args)));
  if (action == kOfxInteractActionKeyDown) return handled(interact->keyDown(readKeyArgs(args)));
  if (action == kOfxInteractActionKeyUp) return handled(interact->keyUp(readKeyArgs(args)));
  if (action == kOfxInteractActionKeyRepeat) return handled(interact->keyRepeat(readKeyArgs(args)));
  if (action == kOfxInteractActionGainFocus) {
    interact->gainFocus(readFocusArgs(args));
    return kOfxStatOK;
  }
  if (action == kOfxInteractActionLoseFocus) {
    interact->loseFocus(readFocusArgs(args));
    return kOfxStatOK;
  }
  return kOfxStatReplyDefault;
}

}  // namespace

namespace Private {

OfxStatus interactMainEntry(const char* action, const void* handle, OfxPropertySetHandle inArgs,
                            OfxPropertySetHandle /*outArgs*/, EffectOverlayDescriptor& descriptor) {
  return callAndMapExceptions([&] { return dispatch(action, handle, inArgs, descriptor); });
}

}  // namespace Private
}  // namespace OFX
