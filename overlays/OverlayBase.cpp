#include "overlays/OverlayBase.h"

#include "overlays/OverlayDrawing.h"
#include "overlays/SourceImageSize.h"

#include "openfx/support/ImageEffect.h"
#include "openfx/support/Param.h"

#include <algorithm>
#include <cmath>

namespace OFX {

OverlayBase::OverlayBase(ImageEffect* effectInstance) : effect(effectInstance) {}

OverlayBase::~OverlayBase() = default;

bool OverlayBase::isVisible(double time) const
{
    if (visibleWhen.empty() || effect == nullptr) {
        return true;
    }
    try {
        BooleanParam* toggle = effect->fetchBooleanParam(visibleWhen);
        if (toggle == nullptr) {
            return true;
        }
        return toggle->getValueAtTime(time);
    } catch (...) {
        // A switch that cannot be read must not make a control disappear.
        return true;
    }
}

void OverlayBase::updateImageDimensions(double time)
{
    refreshSourceImageSize(effect, time, imageWidth, imageHeight);
}

OfxPointD OverlayBase::normalizedToPixel(double u, double v) const
{
    return OfxPointD{u * imageWidth, v * imageHeight};
}

OfxPointD OverlayBase::pixelToNormalized(double px, double py) const
{
    return OfxPointD{imageWidth > 0.0 ? px / imageWidth : 0.5, imageHeight > 0.0 ? py / imageHeight : 0.5};
}

OfxPointD OverlayBase::paramToUV(double x, double y) const
{
    switch (coordSystem) {
    case XMLEffectDefinition::Centered:
        return OfxPointD{x + 0.5, y + 0.5};
    case XMLEffectDefinition::CenteredAspect:
        if (imageWidth > 0.0 && imageHeight > 0.0) {
            return OfxPointD{x / (imageWidth / imageHeight) + 0.5, y + 0.5};
        }
        return OfxPointD{x + 0.5, y + 0.5};
    case XMLEffectDefinition::UV:
    default:
        return OfxPointD{x, y};
    }
}

OfxPointD OverlayBase::uvToParam(double u, double v) const
{
    switch (coordSystem) {
    case XMLEffectDefinition::Centered:
        return OfxPointD{u - 0.5, v - 0.5};
    case XMLEffectDefinition::CenteredAspect:
        if (imageWidth > 0.0 && imageHeight > 0.0) {
            return OfxPointD{(u - 0.5) * (imageWidth / imageHeight), v - 0.5};
        }
        return OfxPointD{u - 0.5, v - 0.5};
    case XMLEffectDefinition::UV:
    default:
        return OfxPointD{u, v};
    }
}

void OverlayBase::getParam2D(Double2DParam* param, double time, double& u, double& v) const
{
    u = 0.5;
    v = 0.5;
    if (param == nullptr) {
        return;
    }
    try {
        double x = 0.0;
        double y = 0.0;
        param->getValueAtTime(time, x, y);
        const OfxPointD uv = paramToUV(x, y);
        u = uv.x;
        v = uv.y;
    } catch (...) {
        // An unreadable position shows the control at the image centre.
    }
}

void OverlayBase::setParam2D(Double2DParam* param, double /*time*/, double u, double v) const
{
    if (param == nullptr) {
        return;
    }
    const OfxPointD value = uvToParam(u, v);
    try {
        param->setValue(value.x, value.y);
    } catch (...) {
        // A refused write leaves the parameter as the host has it; the drag goes on.
    }
}

void OverlayBase::getStateColor(float& r, float& g, float& b) const
{
    r = color.isSet ? color.r : 1.0f;
    g = color.isSet ? color.g : 1.0f;
    b = color.isSet ? color.b : 1.0f;
    if (state != Dragging) {
        return;
    }
    const float brightness = (r + g + b) / 3.0f;
    if (brightness > 0.7f) {
        // Light colours darken while dragged so the change is visible on a light overlay.
        r = std::max(r - 0.3f, 0.0f);
        g = std::max(g - 0.3f, 0.0f);
        b = std::max(b - 0.3f, 0.0f);
    } else {
        r = std::min(r + 0.2f, 1.0f);
        g = std::min(g + 0.4f, 1.0f);
        b = std::min(b + 0.2f, 1.0f);
    }
}

void OverlayBase::setDrawColor(OfxDrawContext* context) const
{
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    getStateColor(r, g, b);
    OverlayDrawing::setColour(context, r, g, b, 1.0f);
}

void OverlayBase::setDrawLineWidth(OfxDrawContext* context, float width) const
{
    OverlayDrawing::setSolidLine(context, width);
}

void OverlayBase::drawCircle(OfxDrawContext* context, double cx, double cy, double radius,
                             const OfxPointD& pixelScale) const
{
    const double rx = radius * pixelScale.x;
    const double ry = radius * pixelScale.y;
    OverlayDrawing::drawEllipse(context, OfxPointD{cx - rx, cy - ry}, OfxPointD{cx + rx, cy + ry});
}

void OverlayBase::drawLabel(OfxDrawContext* context, double x, double y, const OfxPointD& /*pixelScale*/) const
{
    OverlayDrawing::drawTextBelow(context, label, OfxPointD{x, y});
}

bool OverlayBase::isNear(const OfxPointD& a, const OfxPointD& b, double tolerance)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

void OverlayBase::beginDrag(const std::string& editBlockName)
{
    state = Dragging;
    if (effect != nullptr) {
        effect->beginEditBlock(editBlockName);
    }
}

void OverlayBase::endDrag()
{
    if (effect != nullptr) {
        effect->endEditBlock();
    }
    state = Idle;
}

bool OverlayBase::continueDrag(double time)
{
    if (!isDragging()) {
        return false;
    }
    if (!isVisible(time)) {
        endDrag();
        return false;
    }
    updateImageDimensions(time);
    return true;
}

bool OverlayBase::finishDrag()
{
    if (!isDragging()) {
        return false;
    }
    endDrag();
    return true;
}

double smallerDimension(const OverlayBase& overlay)
{
    return std::min(overlay.getImageWidth(), overlay.getImageHeight());
}

} // namespace OFX
