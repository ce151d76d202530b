#include "overlays/EllipseOverlay.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace OFX {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kOutlineSegments = 48;
constexpr double kHitTolerance = 15.0; // canonical units
constexpr double kTickSize = 12.0;     // screen pixels
constexpr double kTickInside = 0.3;    // fraction of the tick drawn inside the ellipse
constexpr double kLabelOffset = 15.0;  // screen pixels below the ellipse
constexpr double kDefaultRadius = 0.1;
constexpr double kMinRadius = 0.01;
constexpr double kMaxRadius = 1.0;

} // namespace

void EllipseOverlay::getCenterPosition(double time, double& u, double& v) const
{
    getParam2D(centerParam, time, u, v);
}

void EllipseOverlay::getRadii(double time, double& rx, double& ry) const
{
    const OfxPointD radii = readValue(valueParam, time, OfxPointD{kDefaultRadius, kDefaultRadius});
    rx = radii.x;
    ry = radii.y;
}

EllipseOverlay::Geometry EllipseOverlay::geometryAt(double time) const
{
    double u = 0.5;
    double v = 0.5;
    getCenterPosition(time, u, v);
    double rx = kDefaultRadius;
    double ry = kDefaultRadius;
    getRadii(time, rx, ry);
    const double m = smallerDimension(*this);
    return Geometry{normalizedToPixel(u, v), rx * m, ry * m};
}

void EllipseOverlay::drawEllipse(OfxDrawContext* context, const OfxPointD& c, double radiusX, double radiusY) const
{
    std::vector<OfxPointD> points;
    points.reserve(2 * kOutlineSegments);
    for (int i = 0; i < kOutlineSegments; ++i) {
        const double a0 = 2.0 * kPi * i / kOutlineSegments;
        const double a1 = 2.0 * kPi * (i + 1) / kOutlineSegments;
        points.push_back({c.x + radiusX * std::cos(a0), c.y + radiusY * std::sin(a0)});
        points.push_back({c.x + radiusX * std::cos(a1), c.y + radiusY * std::sin(a1)});
    }
    OverlayDrawing::drawLines(context, points);
}

void EllipseOverlay::drawTick(OfxDrawContext* context, const OfxPointD& at, bool horizontal, double size,
                              const OfxPointD& pixelScale) const
{
    if (horizontal) {
        OverlayDrawing::drawLines(context, {{at.x - kTickInside * size * pixelScale.x, at.y},
                                            {at.x + size * pixelScale.x, at.y}});
    } else {
        OverlayDrawing::drawLines(context, {{at.x, at.y - kTickInside * size * pixelScale.y},
                                            {at.x, at.y + size * pixelScale.y}});
    }
}

void EllipseOverlay::draw(OfxDrawContext* context, const DrawArgs& args)
{
    if (!OverlayDrawing::canDraw(context) || !isVisible(args.time)) {
        return;
    }
    updateImageDimensions(args.time);
    ensureParams();
    const Geometry g = geometryAt(args.time);

    setDrawColor(context);
    setDrawLineWidth(context, 1.5f);
    drawEllipse(context, g.center, g.rx, g.ry);
    setDrawLineWidth(context, 2.5f);
    drawTick(context, OfxPointD{g.center.x + g.rx, g.center.y}, true, kTickSize, args.pixelScale);
    drawTick(context, OfxPointD{g.center.x, g.center.y + g.ry}, false, kTickSize, args.pixelScale);
    drawLabel(context, g.center.x, g.center.y - g.ry - kLabelOffset * args.pixelScale.y, args.pixelScale);
}

bool EllipseOverlay::penDown(const PenArgs& args)
{
    if (!isVisible(args.time)) {
        return false;
    }
    updateImageDimensions(args.time);
    ensureParams();
    if (valueParam == nullptr || centerParam == nullptr) {
        return false;
    }
    const Geometry g = geometryAt(args.time);
    if (isNear(args.penPosition, OfxPointD{g.center.x + g.rx, g.center.y}, kHitTolerance)) {
        dragMode = RadiusX;
        beginDrag("Drag ellipse X");
        return true;
    }
    if (isNear(args.penPosition, OfxPointD{g.center.x, g.center.y + g.ry}, kHitTolerance)) {
        dragMode = RadiusY;
        beginDrag("Drag ellipse Y");
        return true;
    }
    return false;
}

void EllipseOverlay::stopDrag()
{
    dragMode = None;
    endDrag();
}

bool EllipseOverlay::penMotion(const PenArgs& args)
{
    if (dragMode == None) {
        return false;
    }
    if (!isVisible(args.time)) {
        stopDrag();
        return false;
    }
    updateImageDimensions(args.time);
    ensureParams();
    if (valueParam == nullptr || centerParam == nullptr) {
        return false;
    }
    const Geometry g = geometryAt(args.time);
    const double m = smallerDimension(*this);
    double rx = kDefaultRadius;
    double ry = kDefaultRadius;
    getRadii(args.time, rx, ry);
    if (dragMode == RadiusX) {
        rx = std::clamp(std::fabs(args.penPosition.x - g.center.x) / m, kMinRadius, kMaxRadius);
    } else {
        ry = std::clamp(std::fabs(args.penPosition.y - g.center.y) / m, kMinRadius, kMaxRadius);
    }
    writeValue(valueParam, rx, ry);
    return true;
}

bool EllipseOverlay::penUp(const PenArgs& /*args*/)
{
    if (dragMode == None) {
        return false;
    }
    stopDrag();
    return true;
}

} // namespace OFX
