#include "overlays/PointOverlay.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"
#include "overlays/PointStyleShapes.h"
#include "overlays/VectorOverlay.h"

#include <cctype>

namespace OFX {

namespace {

constexpr double kHitTolerance = 15.0;      // canonical units
constexpr double kLabelDrop = 1.5 * 15.0;   // screen pixels below the marker

} // namespace

PointOverlay::PointOverlay(ImageEffect* effectInstance, const std::string& name, Style markerStyle)
    : OverlayBase(effectInstance), paramName(name), style(markerStyle)
{
}

PointOverlay::~PointOverlay() = default;

PointOverlay::Style PointOverlay::parseStyle(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    static const struct {
        const char* name;
        Style style;
    } kStyles[] = {{"crosshair", Crosshair}, {"target", Target}, {"cross", Cross}, {"diamond", Diamond},
                   {"axis", Axis},           {"dot", Dot},       {"sun", Sun}};
    for (const auto& entry : kStyles) {
        if (lower == entry.name) {
            return entry.style;
        }
    }
    return Crosshair;
}

void PointOverlay::setVectorChild(std::unique_ptr<VectorOverlay> child) { vectorChild = std::move(child); }

void PointOverlay::ensureParam() { fetchIfMissing(effect, paramName, param); }

bool PointOverlay::isHandlingDrag() const
{
    return isDragging() || (vectorChild && vectorChild->isDragging());
}

OfxPointD PointOverlay::currentPosition(double time) const
{
    double u = 0.5;
    double v = 0.5;
    getParam2D(param, time, u, v);
    return normalizedToPixel(u, v);
}

void PointOverlay::drawShape(OfxDrawContext* context, const OfxPointD& p, const OfxPointD& pixelScale) const
{
    const PointStyleShape shape = pointStyleShape(style, p, pixelScale, imageWidth, imageHeight);
    OverlayDrawing::drawLines(context, shape.segments);
    for (double radius : shape.circleRadii) {
        drawCircle(context, p.x, p.y, radius, pixelScale);
    }
}

void PointOverlay::draw(OfxDrawContext* context, const DrawArgs& args)
{
    if (!OverlayDrawing::canDraw(context) || !isVisible(args.time)) {
        return;
    }
    updateImageDimensions(args.time);
    ensureParam();

    // While dragging, the marker follows the pen even before the host reports the new value.
    const OfxPointD p = isDragging() ? normalizedToPixel(dragU, dragV) : currentPosition(args.time);

    setDrawColor(context);
    setDrawLineWidth(context, 2.0f);
    drawShape(context, p, args.pixelScale);
    drawLabel(context, p.x, p.y - kLabelDrop * args.pixelScale.y, args.pixelScale);

    if (vectorChild) {
        vectorChild->draw(context, args);
    }
}

bool PointOverlay::penDown(const PenArgs& args)
{
    if (!isVisible(args.time)) {
        return false;
    }
    if (vectorChild && vectorChild->penDown(args)) {
        return true;
    }
    updateImageDimensions(args.time);
    ensureParam();
    if (param == nullptr) {
        return false;
    }
    double u = 0.5;
    double v = 0.5;
    getParam2D(param, args.time, u, v);
    if (!isNear(args.penPosition, normalizedToPixel(u, v), kHitTolerance)) {
        return false;
    }
    dragU = u;
    dragV = v;
    beginDrag("Drag " + paramName);
    return true;
}

bool PointOverlay::penMotion(const PenArgs& args)
{
    if (vectorChild && vectorChild->penMotion(args)) {
        return true;
    }
    if (!continueDrag(args.time)) {
        return false;
    }
    ensureParam();
    if (param == nullptr) {
        return false;
    }
    // Not clamped: the point may be dragged off the image.
    const OfxPointD uv = pixelToNormalized(args.penPosition.x, args.penPosition.y);
    dragU = uv.x;
    dragV = uv.y;
    setParam2D(param, args.time, dragU, dragV);
    return true;
}

bool PointOverlay::penUp(const PenArgs& args)
{
    if (vectorChild && vectorChild->penUp(args)) {
        return true;
    }
    if (!isDragging()) {
        return false;
    }
    // The final position is written before the edit block closes, so the whole drag, this
    // write included, stays one undoable change.
    if (param != nullptr) {
        setParam2D(param, args.time, dragU, dragV);
    }
    endDrag();
    return true;
}

} // namespace OFX
