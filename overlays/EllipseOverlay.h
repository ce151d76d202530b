#pragma once

#include "overlays/CentredParamOverlay.h"

#include <string>

namespace OFX {

class Double2DParam;

// An axis-aligned ellipse around a centre; its horizontal and vertical radii, fractions of the
// smaller image dimension, are edited by dragging a tick on each axis.
class EllipseOverlay : public CentredParamOverlay<Double2DParam> {
public:
    enum DragMode { None, RadiusX, RadiusY };

    using CentredParamOverlay::CentredParamOverlay; // (effect, value parameter name, centre name)

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void getCenterPosition(double time, double& u, double& v) const;
    void getRadii(double time, double& rx, double& ry) const;
    // The outline as 48 segments in one lines call.
    void drawEllipse(OfxDrawContext* context, const OfxPointD& center, double radiusX, double radiusY) const;
    // A tick through `at` along one axis, from 0.3 of `size` screen pixels inside to `size` outside.
    void drawTick(OfxDrawContext* context, const OfxPointD& at, bool horizontal, double size,
                  const OfxPointD& pixelScale) const;

    DragMode getDragMode() const { return dragMode; }

private:
    struct Geometry {
        OfxPointD center;
        double rx; // canonical
        double ry;
    };
    Geometry geometryAt(double time) const;
    void stopDrag();

    DragMode dragMode = None;
};

} // namespace OFX
