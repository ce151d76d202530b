#pragma once
// The older self-contained overlay for effects whose definition declares no overlays but has a
// "vec2" parameter named "center": one crosshair at that position (read directly as a 0-to-1
// position, no coordinate system), dragged without an edit block.

#include "openfx/support/Interact.h"

namespace OFX {

class Double2DParam;

class PointOverlayInteract : public OverlayInteract {
public:
    PointOverlayInteract(OfxInteractHandle handle, ImageEffect* effect);

    bool draw(const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;
    void gainFocus(const FocusArgs& args) override;
    void loseFocus(const FocusArgs& args) override;

    bool isDragging() const { return dragging; }

private:
    void refresh(double time);
    OfxPointD centerPixel(double time) const;

    ImageEffect* effect;
    Double2DParam* centerParam = nullptr;
    bool dragging = false;
    double imageWidth = 1920.0;
    double imageHeight = 1080.0;
};

class PointOverlayDescriptor : public DefaultEffectOverlayDescriptor<PointOverlayDescriptor, PointOverlayInteract> {
};

} // namespace OFX
