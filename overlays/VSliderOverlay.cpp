#include "overlays/VSliderOverlay.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/ParamAccess.h"

#include <algorithm>
#include <cmath>

namespace OFX {

namespace {

constexpr double kTrackBottom = 0.1;   // fraction of the image height
constexpr double kTrackTop = 0.9;
constexpr double kHitTolerance = 15.0; // canonical units
constexpr double kTickReach = 8.0;     // screen pixels
constexpr double kMiddleTickReach = 0.7 * kTickReach;
constexpr double kHandleHalfWidth = 12.0;  // screen pixels
constexpr double kHandleHalfHeight = 6.0;
constexpr double kLabelOffset = 15.0;  // screen pixels above the track

} // namespace

VSliderOverlay::VSliderOverlay(ImageEffect* effectInstance, const std::string& name, float x)
    : OverlayBase(effectInstance), paramName(name), fixedX(x)
{
}

void VSliderOverlay::ensureParam() { fetchIfMissing(effect, paramName, param); }

VSliderOverlay::Track VSliderOverlay::track() const
{
    return Track{imageWidth * static_cast<double>(fixedX), kTrackBottom * imageHeight, kTrackTop * imageHeight};
}

void VSliderOverlay::draw(OfxDrawContext* context, const DrawArgs& args)
{
    if (!OverlayDrawing::canDraw(context) || !isVisible(args.time)) {
        return;
    }
    updateImageDimensions(args.time);
    ensureParam();
    const Track t = track();
    const double value = std::clamp(readValue(param, args.time, 0.5), 0.0, 1.0);
    const double y = t.bottom + value * (t.top - t.bottom);
    const double middle = 0.5 * (t.bottom + t.top);
    const double tick = kTickReach * args.pixelScale.x;
    const double middleTick = kMiddleTickReach * args.pixelScale.x;
    const double psx = args.pixelScale.x;
    const double psy = args.pixelScale.y;

    setDrawColor(context);
    setDrawLineWidth(context, 2.0f);
    OverlayDrawing::drawLines(context, {{t.x, t.bottom},           {t.x, t.top},
                                        {t.x - tick, t.bottom},    {t.x + tick, t.bottom},
                                        {t.x - tick, t.top},       {t.x + tick, t.top},
                                        {t.x - middleTick, middle}, {t.x + middleTick, middle}});
    OverlayDrawing::drawRectangle(context, OfxPointD{t.x - kHandleHalfWidth * psx, y - kHandleHalfHeight * psy},
                                  OfxPointD{t.x + kHandleHalfWidth * psx, y + kHandleHalfHeight * psy});
    drawLabel(context, t.x, t.top + kLabelOffset * psy, args.pixelScale);
}

bool VSliderOverlay::penDown(const PenArgs& args)
{
    if (!isVisible(args.time)) {
        return false;
    }
    updateImageDimensions(args.time);
    ensureParam();
    if (param == nullptr) {
        return false;
    }
    const Track t = track();
    const OfxPointD& pen = args.penPosition;
    // Anywhere along the track (and a little beyond its ends) grabs the slider.
    if (std::fabs(pen.x - t.x) > kHitTolerance || pen.y < t.bottom - kHitTolerance || pen.y > t.top + kHitTolerance) {
        return false;
    }
    beginDrag("Drag slider");
    return true;
}

bool VSliderOverlay::penMotion(const PenArgs& args)
{
    if (!continueDrag(args.time)) {
        return false;
    }
    ensureParam();
    if (param == nullptr) {
        return false;
    }
    const Track t = track();
    writeValue(param, std::clamp((args.penPosition.y - t.bottom) / (t.top - t.bottom), 0.0, 1.0));
    return true;
}

bool VSliderOverlay::penUp(const PenArgs& /*args*/) { return finishDrag(); }

} // namespace OFX
