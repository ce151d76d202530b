#include "overlays/RadiusOverlay.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"

#include <algorithm>
#include <cmath>

namespace OFX {

namespace {

constexpr double kEdgeTolerance = 10.0;   // canonical units either side of the circle
constexpr double kHandleHalfSize = 4.0;   // screen pixels
constexpr double kLabelOffset = 20.0;     // screen pixels above the circle
constexpr double kDefaultRadius = 0.1;
constexpr double kMinRadius = 0.001;
constexpr double kMaxRadius = 1.0;

} // namespace

void RadiusOverlay::getCenterPosition(double time, double& u, double& v) const
{
    getParam2D(centerParam, time, u, v);
}

double RadiusOverlay::getRadius(double time) const { return readValue(valueParam, time, kDefaultRadius); }

bool RadiusOverlay::isNearCircleEdge(const OfxPointD& pen, double cx, double cy, double radius,
                                     double tolerance) const
{
    return std::fabs(std::hypot(pen.x - cx, pen.y - cy) - radius) <= tolerance;
}

OfxPointD RadiusOverlay::centerPixel(double time) const
{
    double u = 0.5;
    double v = 0.5;
    getCenterPosition(time, u, v);
    return normalizedToPixel(u, v);
}

void RadiusOverlay::draw(OfxDrawContext* context, const DrawArgs& args)
{
    if (!OverlayDrawing::canDraw(context) || !isVisible(args.time)) {
        return;
    }
    updateImageDimensions(args.time);
    ensureParams();
    const OfxPointD c = centerPixel(args.time);
    const double r = getRadius(args.time) * smallerDimension(*this);
    const double h = kHandleHalfSize * args.pixelScale.x;

    setDrawColor(context);
    setDrawLineWidth(context, 2.0f);
    // A true circle in image pixels: it shows the area the radius covers.
    OverlayDrawing::drawEllipse(context, OfxPointD{c.x - r, c.y - r}, OfxPointD{c.x + r, c.y + r});
    OverlayDrawing::drawRectangle(context, OfxPointD{c.x + r - h, c.y - h}, OfxPointD{c.x + r + h, c.y + h});
    drawLabel(context, c.x, c.y + r + kLabelOffset * args.pixelScale.y, args.pixelScale);
}

bool RadiusOverlay::penDown(const PenArgs& args)
{
    if (!isVisible(args.time)) {
        return false;
    }
    updateImageDimensions(args.time);
    ensureParams();
    if (valueParam == nullptr) {
        return false;
    }
    const OfxPointD c = centerPixel(args.time);
    const double r = getRadius(args.time) * smallerDimension(*this);
    if (!isNearCircleEdge(args.penPosition, c.x, c.y, r, kEdgeTolerance)) {
        return false;
    }
    beginDrag("Drag radius");
    return true;
}

bool RadiusOverlay::penMotion(const PenArgs& args)
{
    if (!continueDrag(args.time)) {
        return false;
    }
    ensureParams();
    if (valueParam == nullptr) {
        return false;
    }
    const OfxPointD c = centerPixel(args.time);
    const double distance = std::hypot(args.penPosition.x - c.x, args.penPosition.y - c.y);
    writeValue(valueParam, std::clamp(distance / smallerDimension(*this), kMinRadius, kMaxRadius));
    return true;
}

bool RadiusOverlay::penUp(const PenArgs& /*args*/) { return finishDrag(); }

} // namespace OFX
