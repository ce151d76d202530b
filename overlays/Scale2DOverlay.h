#pragma once

#include "overlays/OverlayBase.h"

#include <string>

namespace OFX {

class Double2DParam;

// A box around a centre whose half-width and half-height, fractions of the image width and
// height, are edited by dragging the right-edge, top-edge or corner handle. The centre is read
// as a 0-to-1 position whatever the coordinate system.
class Scale2DOverlay : public OverlayBase {
public:
    enum DragMode { None, ScaleX, ScaleY, ScaleCorner };

    Scale2DOverlay(ImageEffect* effect, const std::string& paramName, const std::string& centerName);

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void ensureParams();
    void getCenterPosition(double time, double& u, double& v) const;
    void getScale(double time, double& sx, double& sy) const;

    DragMode getDragMode() const { return dragMode; }
    const std::string& getParamName() const { return paramName; }
    const std::string& getCenterName() const { return centerName; }

private:
    OfxPointD centerPixel(double time) const;
    void stopDrag();

    std::string paramName;
    std::string centerName;
    Double2DParam* scaleParam = nullptr;
    Double2DParam* centerParam = nullptr;
    DragMode dragMode = None;
};

} // namespace OFX
