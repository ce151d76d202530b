#pragma once

#include "overlays/CentredParamOverlay.h"

#include <string>

namespace OFX {

class DoubleParam;

// A circle around a centre whose radius, a fraction of the smaller image dimension, is edited by
// dragging anywhere on the circumference.
class RadiusOverlay : public CentredParamOverlay<DoubleParam> {
public:
    using CentredParamOverlay::CentredParamOverlay; // (effect, value parameter name, centre name)

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void getCenterPosition(double time, double& u, double& v) const;
    double getRadius(double time) const;
    // True when the pen's distance from (cx, cy) differs from `radius` by at most `tolerance`.
    bool isNearCircleEdge(const OfxPointD& pen, double cx, double cy, double radius, double tolerance) const;

private:
    OfxPointD centerPixel(double time) const;
};

} // namespace OFX
