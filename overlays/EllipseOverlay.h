#pragma once

#include "overlays/OverlayBase.h"

#include <string>

namespace OFX {

class Double2DParam;

// An axis-aligned ellipse around a centre; its horizontal and vertical radii, fractions of the
// smaller image dimension, are edited by dragging a tick on each axis.
class EllipseOverlay : public OverlayBase {
public:
    enum DragMode { None, RadiusX, RadiusY };

    EllipseOverlay(ImageEffect* effect, const std::string& paramName, const std::string& centerName);

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void ensureParams();
    void getCenterPosition(double time, double& u, double& v) const;
    void getRadii(double time, double& rx, double& ry) const;
    // The outline as 48 segments in one lines call.
    void drawEllipse(OfxDrawContext* context, const OfxPointD& center, double radiusX, double radiusY) const;
    // A tick through `at` along one axis, from 0.3 of `size` screen pixels inside to `size` outside.
    void drawTick(OfxDrawContext* context, const OfxPointD& at, bool horizontal, double size,
                  const OfxPointD& pixelScale) const;

    DragMode getDragMode() const { return dragMode; }
    const std::string& getParamName() const { return paramName; }
    const std::string& getCenterName() const { return centerName; }

private:
    struct Geometry {
        OfxPointD center;
        double rx; // canonical
        double ry;
    };
    Geometry geometryAt(double time) const;
    void stopDrag();

    std::string paramName;
    std::string centerName;
    Double2DParam* radiiParam = nullptr;
    Double2DParam* centerParam = nullptr;
    DragMode dragMode = None;
};

} // namespace OFX
