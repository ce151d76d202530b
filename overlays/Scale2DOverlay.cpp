#include "overlays/Scale2DOverlay.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"

#include <algorithm>
#include <cmath>

namespace OFX {

namespace {

constexpr double kHandleTolerance = 12.0; // canonical units
constexpr double kHandleHalfSize = 8.0;   // screen pixels
constexpr double kCrossReach = 5.0;       // screen pixels
constexpr double kLabelOffset = 15.0;     // screen pixels above the box
constexpr double kDefaultScale = 0.2;
constexpr double kMinScale = 0.01;
constexpr double kMaxScale = 1.0;

} // namespace

void Scale2DOverlay::getCenterPosition(double time, double& u, double& v) const
{
    const OfxPointD centre = readValue(centerParam, time, OfxPointD{0.5, 0.5});
    u = centre.x;
    v = centre.y;
}

void Scale2DOverlay::getScale(double time, double& sx, double& sy) const
{
    const OfxPointD scale = readValue(valueParam, time, OfxPointD{kDefaultScale, kDefaultScale});
    sx = scale.x;
    sy = scale.y;
}

Scale2DOverlay::Box Scale2DOverlay::boxAt(double time) const
{
    double u = 0.5;
    double v = 0.5;
    getCenterPosition(time, u, v);
    Box box{normalizedToPixel(u, v), kDefaultScale, kDefaultScale};
    getScale(time, box.sx, box.sy);
    return box;
}

void Scale2DOverlay::draw(OfxDrawContext* context, const DrawArgs& args)
{
    if (!OverlayDrawing::canDraw(context) || !isVisible(args.time)) {
        return;
    }
    updateImageDimensions(args.time);
    ensureParams();
    const Box box = boxAt(args.time);
    const OfxPointD& c = box.center;
    const double hw = box.sx * imageWidth;
    const double hh = box.sy * imageHeight;
    const double handle = kHandleHalfSize * args.pixelScale.x;
    const double cross = kCrossReach * args.pixelScale.x;

    setDrawColor(context);
    setDrawLineWidth(context, 1.5f);
    const OfxPointD bottomLeft{c.x - hw, c.y - hh};
    const OfxPointD bottomRight{c.x + hw, c.y - hh};
    const OfxPointD topRight{c.x + hw, c.y + hh};
    const OfxPointD topLeft{c.x - hw, c.y + hh};
    OverlayDrawing::drawLines(context,
                              {bottomLeft, bottomRight, bottomRight, topRight, topRight, topLeft, topLeft, bottomLeft});
    for (const OfxPointD& h : {OfxPointD{c.x + hw, c.y}, OfxPointD{c.x, c.y + hh}, topRight}) {
        OverlayDrawing::drawRectangle(context, OfxPointD{h.x - handle, h.y - handle},
                                      OfxPointD{h.x + handle, h.y + handle});
    }
    OverlayDrawing::drawLines(context, {OfxPointD{c.x - cross, c.y}, OfxPointD{c.x + cross, c.y},
                                        OfxPointD{c.x, c.y - cross}, OfxPointD{c.x, c.y + cross}});
    drawLabel(context, c.x, c.y + hh + kLabelOffset * args.pixelScale.y, args.pixelScale);
}

bool Scale2DOverlay::penDown(const PenArgs& args)
{
    if (!isVisible(args.time)) {
        return false;
    }
    updateImageDimensions(args.time);
    ensureParams();
    if (valueParam == nullptr) {
        return false;
    }
    const Box box = boxAt(args.time);
    const OfxPointD& c = box.center;
    const double hw = box.sx * imageWidth;
    const double hh = box.sy * imageHeight;

    // The corner is tested first so it wins where handles overlap on a small box.
    const struct {
        OfxPointD handle;
        DragMode mode;
        const char* editBlock;
    } kHandles[] = {{{c.x + hw, c.y + hh}, ScaleCorner, "Drag scale corner"},
                    {{c.x + hw, c.y}, ScaleX, "Drag scale X"},
                    {{c.x, c.y + hh}, ScaleY, "Drag scale Y"}};
    for (const auto& candidate : kHandles) {
        if (isNear(args.penPosition, candidate.handle, kHandleTolerance)) {
            dragMode = candidate.mode;
            beginDrag(candidate.editBlock);
            return true;
        }
    }
    return false;
}

void Scale2DOverlay::stopDrag()
{
    dragMode = None;
    endDrag();
}

bool Scale2DOverlay::penMotion(const PenArgs& args)
{
    if (!isDragging() || dragMode == None) {
        return false;
    }
    if (!isVisible(args.time)) {
        stopDrag();
        return false;
    }
    updateImageDimensions(args.time);
    ensureParams();
    if (valueParam == nullptr) {
        return false;
    }
    Box box = boxAt(args.time);
    const OfxPointD& c = box.center;
    // The box stays centred on C; a handle dragged past the centre mirrors back.
    if (dragMode == ScaleX || dragMode == ScaleCorner) {
        box.sx = std::clamp(std::fabs(args.penPosition.x - c.x) / imageWidth, kMinScale, kMaxScale);
    }
    if (dragMode == ScaleY || dragMode == ScaleCorner) {
        box.sy = std::clamp(std::fabs(args.penPosition.y - c.y) / imageHeight, kMinScale, kMaxScale);
    }
    writeValue(valueParam, box.sx, box.sy);
    return true;
}

bool Scale2DOverlay::penUp(const PenArgs& /*args*/)
{
    if (!isDragging()) {
        return false;
    }
    stopDrag();
    return true;
}

} // namespace OFX
