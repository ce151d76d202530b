#pragma once
// The marker shapes of the point overlay's styles, as plain geometry: the segments (pairs of
// canonical points, drawn in one lines call) and the radii of the circles around the point in
// screen pixels. Sizes are screen pixels multiplied by the pixel scale, except the Axis lines,
// which span the whole image in canonical units.

#include "overlays/PointOverlay.h"

#include "openfx/include/ofxCore.h"

#include <vector>

namespace OFX {

struct PointStyleShape {
    std::vector<OfxPointD> segments;
    std::vector<double> circleRadii;
};

PointStyleShape pointStyleShape(PointOverlay::Style style, const OfxPointD& p, const OfxPointD& pixelScale,
                                double imageWidth, double imageHeight);

} // namespace OFX
