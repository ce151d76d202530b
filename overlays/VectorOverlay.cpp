#include "overlays/VectorOverlay.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"

#include <algorithm>
#include <cmath>

namespace OFX {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHitTolerance = 15.0;     // canonical units
constexpr double kArrowHeadSize = 12.0;    // screen pixels
constexpr double kArrowHeadSpread = 25.0;  // degrees either side of the reversed shaft
constexpr double kCentreCircleRadius = 4.0; // screen pixels
constexpr double kLabelOffset = 10.0;      // screen pixels right of the tip
constexpr double kMinLength = 0.01;
constexpr double kMaxLength = 1.0;

// Degrees in [0, 360).
double wrapDegrees(double degrees)
{
    if (degrees < 0.0) {
        degrees += 360.0;
    }
    // A tiny negative angle plus 360 rounds to exactly 360.
    if (degrees >= 360.0) {
        degrees -= 360.0;
    }
    return degrees;
}

} // namespace

VectorOverlay::VectorOverlay(ImageEffect* effectInstance, const std::string& direction, const std::string& center,
                             const std::string& magnitude, float fixedLength)
    : OverlayBase(effectInstance),
      directionName(direction),
      centerName(center),
      magnitudeName(magnitude),
      fixedMagnitude(fixedLength)
{
}

void VectorOverlay::ensureParams()
{
    fetchIfMissing(effect, directionName, directionParam);
    fetchIfMissing(effect, centerName, centerParam);
    fetchIfMissing(effect, magnitudeName, magnitudeParam);
}

void VectorOverlay::getCenterPosition(double time, double& u, double& v) const
{
    getParam2D(centerParam, time, u, v);
}

double VectorOverlay::getDirection(double time) const { return readValue(directionParam, time, 0.0); }

double VectorOverlay::getMagnitude(double time) const
{
    return readValue(magnitudeParam, time, static_cast<double>(fixedMagnitude));
}

VectorOverlay::Geometry VectorOverlay::geometryAt(double time) const
{
    double u = 0.5;
    double v = 0.5;
    getCenterPosition(time, u, v);
    Geometry g;
    g.center = normalizedToPixel(u, v);
    g.length = smallerDimension(*this) * getMagnitude(time);
    g.angle = getDirection(time) * kPi / 180.0;
    g.tip = OfxPointD{g.center.x + g.length * std::cos(g.angle), g.center.y + g.length * std::sin(g.angle)};
    return g;
}

void VectorOverlay::drawArrowHead(OfxDrawContext* context, const OfxPointD& tip, double angleRadians, double size,
                                  const OfxPointD& pixelScale) const
{
    const double s = size * pixelScale.x;
    const double spread = kArrowHeadSpread * kPi / 180.0;
    const double a1 = angleRadians + kPi - spread;
    const double a2 = angleRadians + kPi + spread;
    OverlayDrawing::drawLines(context, {tip, OfxPointD{tip.x + s * std::cos(a1), tip.y + s * std::sin(a1)}, tip,
                                        OfxPointD{tip.x + s * std::cos(a2), tip.y + s * std::sin(a2)}});
}

void VectorOverlay::draw(OfxDrawContext* context, const DrawArgs& args)
{
    if (!OverlayDrawing::canDraw(context) || !isVisible(args.time)) {
        return;
    }
    updateImageDimensions(args.time);
    ensureParams();
    const Geometry g = geometryAt(args.time);

    setDrawColor(context);
    setDrawLineWidth(context, 2.0f);
    OverlayDrawing::drawLines(context, {g.center, g.tip});
    drawArrowHead(context, g.tip, g.angle, kArrowHeadSize, args.pixelScale);
    drawCircle(context, g.center.x, g.center.y, kCentreCircleRadius, args.pixelScale);
    drawLabel(context, g.tip.x + kLabelOffset * args.pixelScale.x, g.tip.y, args.pixelScale);
}

bool VectorOverlay::penDown(const PenArgs& args)
{
    if (!isVisible(args.time)) {
        return false;
    }
    updateImageDimensions(args.time);
    ensureParams();
    if (directionParam == nullptr) {
        return false;
    }
    const Geometry g = geometryAt(args.time);
    const OfxPointD& pen = args.penPosition;

    bool hit = isNear(pen, g.tip, kHitTolerance);
    if (!hit && g.length > 0.0) {
        // Only the outer half of the shaft grabs the arrow, so a control at the same centre
        // (a point overlay) can still be picked up there.
        const double dx = g.tip.x - g.center.x;
        const double dy = g.tip.y - g.center.y;
        double t = ((pen.x - g.center.x) * dx + (pen.y - g.center.y) * dy) / (g.length * g.length);
        t = std::clamp(t, 0.0, 1.0);
        hit = t > 0.5 && isNear(pen, OfxPointD{g.center.x + t * dx, g.center.y + t * dy}, kHitTolerance);
    }
    if (!hit) {
        return false;
    }
    beginDrag("Drag vector");
    return true;
}

bool VectorOverlay::penMotion(const PenArgs& args)
{
    if (!continueDrag(args.time)) {
        return false;
    }
    ensureParams();
    if (directionParam == nullptr) {
        return false;
    }
    double u = 0.5;
    double v = 0.5;
    getCenterPosition(args.time, u, v);
    const OfxPointD center = normalizedToPixel(u, v);
    const double dx = args.penPosition.x - center.x;
    const double dy = args.penPosition.y - center.y;

    writeValue(directionParam, wrapDegrees(std::atan2(dy, dx) * 180.0 / kPi));
    if (magnitudeParam != nullptr) {
        const double length = std::hypot(dx, dy) / smallerDimension(*this);
        writeValue(magnitudeParam, std::clamp(length, kMinLength, kMaxLength));
    }
    return true;
}

bool VectorOverlay::penUp(const PenArgs& /*args*/) { return finishDrag(); }

} // namespace OFX
