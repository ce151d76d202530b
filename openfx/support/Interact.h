#pragma once
// Interacts: plug-in controls drawn in the host's viewer. An overlay interact
// is created per viewer through the effect's overlay descriptor; the library
// routes the host's interact actions to the virtual handlers below. Drawing
// goes through the host's draw suite (getDrawSuite()) with the draw context
// carried by DrawArgs.

#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxDrawSuite.h"
#include "openfx/include/ofxInteract.h"
#include "openfx/include/ofxPixels.h"

#include <string>

namespace OFX {

class ImageEffect;
class Param;

// Arguments of every interact action.
struct InteractArgs {
  double time = 0.0;
  OfxPointD renderScale{1.0, 1.0};
};

struct DrawArgs : InteractArgs {
  OfxPointD pixelScale{1.0, 1.0};  // canonical units per screen pixel
  OfxRGBColourD backGroundColour{0.0, 0.0, 0.0};
  OfxDrawContextHandle drawContext = nullptr;  // null when the host gives none
};

struct PenArgs : InteractArgs {
  OfxPointD pixelScale{1.0, 1.0};
  OfxPointD penPosition{0.0, 0.0};  // canonical coordinates
  OfxPointI penViewportPosition{0, 0};
  double penPressure = 0.0;
};

struct KeyArgs : InteractArgs {
  int keySymbol = 0;
  std::string keyString;
};

struct FocusArgs : InteractArgs {
  OfxPointD pixelScale{1.0, 1.0};
  OfxRGBColourD backGroundColour{0.0, 0.0, 0.0};
};

class Interact {
 public:
  // A null handle gives an interact that talks to no host (redraw requests
  // and property reads do nothing), which is what unit tests use.
  explicit Interact(OfxInteractHandle handle);
  virtual ~Interact() = default;
  Interact(const Interact&) = delete;
  Interact& operator=(const Interact&) = delete;

  OfxInteractHandle getHandle() const { return handle_; }
  PropertySet& getProperties() { return props_; }
  // The interact's current pixel scale; (1, 1) when the host does not say.
  OfxPointD getPixelScale() const;
  OfxRGBColourD getBackgroundColour() const;
  // Redraw the interact whenever this parameter changes.
  void addParamToSlaveTo(const Param* param);
  void requestRedraw() const;
  void swapBuffers() const;

  // Handlers return true when they used the event. The defaults use nothing.
  virtual bool draw(const DrawArgs& args);
  virtual bool penMotion(const PenArgs& args);
  virtual bool penDown(const PenArgs& args);
  virtual bool penUp(const PenArgs& args);
  virtual bool keyDown(const KeyArgs& args);
  virtual bool keyUp(const KeyArgs& args);
  virtual bool keyRepeat(const KeyArgs& args);
  virtual void gainFocus(const FocusArgs& args);
  virtual void loseFocus(const FocusArgs& args);

 protected:
  OfxInteractHandle handle_;
  PropertySet props_;
  int slaveCount_ = 0;
};

// An interact over an effect instance's viewer.
class OverlayInteract : public Interact {
 public:
  // Without an explicit effect, the effect is the instance the host names in
  // the interact's "OfxPropEffectInstance" property (null when there is none).
  explicit OverlayInteract(OfxInteractHandle handle, ImageEffect* effect = nullptr);

  ImageEffect* getEffect() const { return _effect; }

 protected:
  ImageEffect* _effect;
};

class InteractDescriptor {
 public:
  InteractDescriptor() = default;
  virtual ~InteractDescriptor() = default;
  InteractDescriptor(const InteractDescriptor&) = delete;
  InteractDescriptor& operator=(const InteractDescriptor&) = delete;

  // Called on the interact's describe action; nothing to declare by default.
  virtual void describe() {}
  virtual OfxPluginEntryPoint* getMainEntry() = 0;
};

class EffectOverlayDescriptor : public InteractDescriptor {
 public:
  // A new interact for the host's interact handle and the effect instance it
  // overlays; the library owns and deletes it.
  virtual Interact* createInstance(OfxInteractHandle handle, ImageEffect* effect) = 0;
};

namespace Private {
// Runs one interact action for `descriptor`'s interacts; never throws.
OfxStatus interactMainEntry(const char* action, const void* handle, OfxPropertySetHandle inArgs,
                            OfxPropertySetHandle outArgs, EffectOverlayDescriptor& descriptor);
}  // namespace Private

// The overlay main entry of a descriptor class: one static descriptor object
// per class receives every action through the library's dispatcher.
template <class DESC>
class InteractMainEntry {
 public:
  static OfxStatus overlayInteractMainEntry(const char* action, const void* handle, OfxPropertySetHandle inArgs,
                                            OfxPropertySetHandle outArgs) {
    static DESC descriptor;
    return Private::interactMainEntry(action, handle, inArgs, outArgs, descriptor);
  }
};

// The overlay descriptor of an interact class INSTANCE, which must be
// constructible from (OfxInteractHandle, ImageEffect*).
template <class DESC, class INSTANCE>
class DefaultEffectOverlayDescriptor : public EffectOverlayDescriptor, public InteractMainEntry<DESC> {
 public:
  Interact* createInstance(OfxInteractHandle handle, ImageEffect* effect) override {
    return new INSTANCE(handle, effect);
  }
  OfxPluginEntryPoint* getMainEntry() override { return &InteractMainEntry<DESC>::overlayInteractMainEntry; }
};

}  // namespace OFX
