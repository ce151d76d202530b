#pragma once

#include "overlays/OverlayBase.h"

#include <string>

namespace OFX {

class DoubleParam;
class Double2DParam;

// A circle around a centre whose radius, a fraction of the smaller image dimension, is edited by
// dragging anywhere on the circumference.
class RadiusOverlay : public OverlayBase {
public:
    RadiusOverlay(ImageEffect* effect, const std::string& paramName, const std::string& centerName);

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void ensureParams();
    void getCenterPosition(double time, double& u, double& v) const;
    double getRadius(double time) const;
    // True when the pen's distance from (cx, cy) differs from `radius` by at most `tolerance`.
    bool isNearCircleEdge(const OfxPointD& pen, double cx, double cy, double radius, double tolerance) const;

    const std::string& getParamName() const { return paramName; }
    const std::string& getCenterName() const { return centerName; }

private:
    OfxPointD centerPixel(double time) const;

    std::string paramName;
    std::string centerName;
    DoubleParam* radiusParam = nullptr;
    Double2DParam* centerParam = nullptr;
};

} // namespace OFX
