#pragma once

#include "overlays/CentredParamOverlay.h"

#include <string>

namespace OFX {

class Double2DParam;

// A box around a centre whose half-width and half-height, fractions of the image width and
// height, are edited by dragging the right-edge, top-edge or corner handle. The centre is read
// as a 0-to-1 position whatever the coordinate system.
class Scale2DOverlay : public CentredParamOverlay<Double2DParam> {
public:
    enum DragMode { None, ScaleX, ScaleY, ScaleCorner };

    using CentredParamOverlay::CentredParamOverlay; // (effect, value parameter name, centre name)

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void getCenterPosition(double time, double& u, double& v) const;
    void getScale(double time, double& sx, double& sy) const;

    DragMode getDragMode() const { return dragMode; }

private:
    struct Box {
        OfxPointD center; // canonical
        double sx;        // fractions of the image width and height
        double sy;
    };
    Box boxAt(double time) const;
    void stopDrag();

    DragMode dragMode = None;
};

} // namespace OFX
