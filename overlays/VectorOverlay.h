#pragma once

#include "overlays/OverlayBase.h"

#include <string>

namespace OFX {

class DoubleParam;
class Double2DParam;

// An arrow from a centre position: dragging it edits a direction angle (degrees, counter-clockwise
// from +x) and, when a length parameter is bound, the length as a fraction of the smaller image
// dimension. Used alone or as a point overlay's child anchored at the point.
class VectorOverlay : public OverlayBase {
public:
    VectorOverlay(ImageEffect* effect, const std::string& directionName, const std::string& centerName,
                  const std::string& magnitudeName, float fixedMagnitude);

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void ensureParams();
    void getCenterPosition(double time, double& u, double& v) const;
    double getDirection(double time) const;
    double getMagnitude(double time) const;
    // Two segments from the tip, 25 degrees either side of the reversed shaft, `size` screen
    // pixels long (the x pixel scale serves both axes).
    void drawArrowHead(OfxDrawContext* context, const OfxPointD& tip, double angleRadians, double size,
                       const OfxPointD& pixelScale) const;

    const std::string& getDirectionName() const { return directionName; }
    const std::string& getCenterName() const { return centerName; }
    const std::string& getMagnitudeName() const { return magnitudeName; }
    float getFixedMagnitude() const { return fixedMagnitude; }

private:
    struct Geometry {
        OfxPointD center;
        OfxPointD tip;
        double length;
        double angle; // radians
    };
    Geometry geometryAt(double time) const;

    std::string directionName;
    std::string centerName;
    std::string magnitudeName;
    float fixedMagnitude;
    DoubleParam* directionParam = nullptr;
    Double2DParam* centerParam = nullptr;
    DoubleParam* magnitudeParam = nullptr;
};

} // namespace OFX
