#pragma once

#include "overlays/OverlayBase.h"

#include <memory>
#include <string>

namespace OFX {

class Double2DParam;
class VectorOverlay;

// A marker at the position held by a 2D parameter, dragged to move it. It may carry a vector
// child anchored at the same point, which is drawn with it and offered every pen event first.
class PointOverlay : public OverlayBase {
public:
    enum Style { Crosshair, Target, Cross, Diamond, Axis, Dot, Sun };

    PointOverlay(ImageEffect* effect, const std::string& paramName, Style style);
    ~PointOverlay() override;

    // Lower-cased byte by byte; empty or unrecognised text gives Crosshair.
    static Style parseStyle(const std::string& text);

    void setVectorChild(std::unique_ptr<VectorOverlay> child);
    void ensureParam();

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;
    bool isHandlingDrag() const override;

    const std::string& getParamName() const { return paramName; }
    Style getStyle() const { return style; }
    VectorOverlay* getVectorChild() const { return vectorChild.get(); }

private:
    OfxPointD currentPosition(double time) const; // canonical
    void drawShape(OfxDrawContext* context, const OfxPointD& p, const OfxPointD& pixelScale) const;

    std::string paramName;
    Style style;
    Double2DParam* param = nullptr;
    std::unique_ptr<VectorOverlay> vectorChild;
    double dragU = 0.5;
    double dragV = 0.5;
};

} // namespace OFX
