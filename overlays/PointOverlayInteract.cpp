#include "overlays/PointOverlayInteract.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"
#include "overlays/SourceImageSize.h"

#include <cmath>

namespace OFX {

namespace {

constexpr double kCrossReach = 15.0;     // screen pixels
constexpr double kCircleRadius = 10.5;   // screen pixels
constexpr double kLabelDrop = 1.5 * 15.0; // screen pixels below the marker
constexpr double kHitTolerance = 15.0;   // canonical units

} // namespace

PointOverlayInteract::PointOverlayInteract(OfxInteractHandle handle, ImageEffect* effectInstance)
    : OverlayInteract(handle, effectInstance), effect(getEffect())
{
}

void PointOverlayInteract::refresh(double time)
{
    refreshSourceImageSize(effect, time, imageWidth, imageHeight);
    fetchIfMissing(effect, "center", centerParam);
}

OfxPointD PointOverlayInteract::centerPixel(double time) const
{
    const OfxPointD uv = readValue(centerParam, time, OfxPointD{0.5, 0.5});
    return OfxPointD{uv.x * imageWidth, uv.y * imageHeight};
}

bool PointOverlayInteract::draw(const DrawArgs& args)
{
    OfxDrawContextHandle context = args.drawContext;
    if (!OverlayDrawing::canDraw(context)) {
        return false;
    }
    refresh(args.time);
    const OfxPointD p = centerPixel(args.time);
    const OfxPointD& ps = args.pixelScale;

    if (dragging) {
        OverlayDrawing::setColour(context, 0.0f, 1.0f, 0.0f, 1.0f);
    } else {
        OverlayDrawing::setColour(context, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    OverlayDrawing::setSolidLine(context, 2.0f);
    OverlayDrawing::drawLines(context, {{p.x - kCrossReach * ps.x, p.y}, {p.x + kCrossReach * ps.x, p.y},
                                        {p.x, p.y - kCrossReach * ps.y}, {p.x, p.y + kCrossReach * ps.y}});
    OverlayDrawing::drawEllipse(context, OfxPointD{p.x - kCircleRadius * ps.x, p.y - kCircleRadius * ps.y},
                                OfxPointD{p.x + kCircleRadius * ps.x, p.y + kCircleRadius * ps.y});
    OverlayDrawing::drawTextBelow(context, "center", OfxPointD{p.x, p.y - kLabelDrop * ps.y});
    return true;
}

bool PointOverlayInteract::penDown(const PenArgs& args)
{
    refresh(args.time);
    if (centerParam == nullptr) {
        return false;
    }
    const OfxPointD p = centerPixel(args.time);
    if (std::fabs(args.penPosition.x - p.x) <= kHitTolerance && std::fabs(args.penPosition.y - p.y) <= kHitTolerance) {
        dragging = true;
        return true;
    }
    return false;
}

bool PointOverlayInteract::penMotion(const PenArgs& args)
{
    if (!dragging) {
        return false;
    }
    refresh(args.time);
    if (centerParam == nullptr) {
        return false;
    }
    const double u = imageWidth > 0.0 ? args.penPosition.x / imageWidth : 0.5;
    const double v = imageHeight > 0.0 ? args.penPosition.y / imageHeight : 0.5;
    writeValue(centerParam, u, v);
    requestRedraw();
    return true;
}

bool PointOverlayInteract::penUp(const PenArgs& /*args*/)
{
    if (!dragging) {
        return false;
    }
    dragging = false;
    requestRedraw();
    return true;
}

void PointOverlayInteract::gainFocus(const FocusArgs& /*args*/) { requestRedraw(); }

void PointOverlayInteract::loseFocus(const FocusArgs& /*args*/)
{
    if (dragging) {
        dragging = false;
        requestRedraw();
    }
}

} // namespace OFX
