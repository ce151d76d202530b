#pragma once

#include "overlays/OverlayBase.h"

#include <string>

namespace OFX {

class DoubleParam;

// A vertical slider at a fixed fraction of the image width, from 10 % to 90 % of its height,
// editing a 0-to-1 parameter (0 at the bottom).
class VSliderOverlay : public OverlayBase {
public:
    VSliderOverlay(ImageEffect* effect, const std::string& paramName, float fixedX);

    void draw(OfxDrawContext* context, const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    void ensureParam();

    const std::string& getParamName() const { return paramName; }
    float getFixedX() const { return fixedX; }

private:
    struct Track {
        double x;
        double bottom;
        double top;
    };
    Track track() const;

    std::string paramName;
    float fixedX;
    DoubleParam* param = nullptr;
};

} // namespace OFX
