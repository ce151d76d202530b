#pragma once
// Overlay interacts: the object behind OfxInteractHandle (descriptor or instance),
// the interact suite, and OverlayInteract, which sends an instance's overlay its
// actions (draw, pen, key, focus) with the arguments a viewer would give and keeps
// what it drew.

#include <string>
#include <vector>

#include "host/DrawRecorder.h"
#include "host/HandleRegistry.h"
#include "host/PropertySet.h"
#include "ofxInteract.h"

namespace ofxhost {

class EffectInstance;

class InteractObject {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::Interact;
  // A descriptor has no descriptor and no effect.
  InteractObject(InteractObject *descriptor, EffectInstance *effect);
  InteractObject(const InteractObject &) = delete;
  InteractObject &operator=(const InteractObject &) = delete;

  OfxInteractHandle handle() { return reinterpret_cast<OfxInteractHandle>(this); }
  PropertySet &props() { return props_; }
  EffectInstance *effect() const { return effect_; }
  int redrawRequests = 0;  // interactRedraw calls plus slaved parameter changes
  int swapRequests = 0;    // interactSwapBuffers calls

 private:
  HandleRegistration registration_;
  PropertySet props_;
  EffectInstance *effect_;
};

// What a viewer knows when it sends an interact action.
struct InteractView {
  double time = 0.0;
  OfxPointD renderScale{1.0, 1.0};
  OfxPointD pixelScale{1.0, 1.0};
  OfxRGBColourD background{0.0, 0.0, 0.0};
  OfxPointI viewportSize{1920, 1080};
};

struct PenEvent {
  OfxPointD position{0.0, 0.0};          // canonical coordinates
  OfxPointI viewportPosition{0, 0};
  double pressure = 1.0;
};

class OverlayInteract {
 public:
  OverlayInteract(EffectInstance &effect, OfxPluginEntryPoint *entry, InteractObject &descriptor);
  ~OverlayInteract();  // sends kOfxActionDestroyInstance when created
  OverlayInteract(const OverlayInteract &) = delete;
  OverlayInteract &operator=(const OverlayInteract &) = delete;

  OfxStatus create();

  OfxStatus draw(const InteractView &view = {});
  OfxStatus penDown(const PenEvent &pen, const InteractView &view = {});
  OfxStatus penMotion(const PenEvent &pen, const InteractView &view = {});
  OfxStatus penUp(const PenEvent &pen, const InteractView &view = {});
  OfxStatus keyDown(int keySym, const std::string &keyString, const InteractView &view = {});
  OfxStatus keyUp(int keySym, const std::string &keyString, const InteractView &view = {});
  OfxStatus keyRepeat(int keySym, const std::string &keyString, const InteractView &view = {});
  OfxStatus gainFocus(const InteractView &view = {});
  OfxStatus loseFocus(const InteractView &view = {});

  // The calls of the last draw action, and how many draws were sent.
  const std::vector<DrawCommand> &lastDraw() const { return lastDraw_; }
  int drawCount() const { return drawCount_; }

  InteractObject &object() { return object_; }
  std::vector<std::string> slaveParams() const;  // kOfxInteractPropSlaveToParam of the descriptor
  int redrawRequests() const { return object_.redrawRequests; }
  int swapRequests() const { return object_.swapRequests; }

  // Called by the instance when a parameter changes.
  void parameterChanged(const std::string &name);
  // Called by the instance before it goes: the interact is destroyed and refuses later actions.
  void effectDestroyed();

 private:
  void fillCommon(PropertySet &args, const InteractView &view);
  OfxStatus send(const char *action, PropertySet *args);
  OfxStatus sendPen(const char *action, const PenEvent &pen, const InteractView &view);
  OfxStatus sendKey(const char *action, int keySym, const std::string &keyString, const InteractView &view);

  EffectInstance *effect_;
  OfxPluginEntryPoint *entry_;
  InteractObject &descriptor_;
  InteractObject object_;
  bool created_ = false;
  std::vector<DrawCommand> lastDraw_;
  int drawCount_ = 0;
};

const OfxInteractSuiteV1 *interactSuite();

}  // namespace ofxhost
