#include "overlays/OverlayDrawing.h"

#include "openfx/support/Suites.h"

namespace OFX {
namespace OverlayDrawing {

namespace {

// Horizontally centred (left and right together) and hanging below the position (top).
constexpr int kCentredBelow = kOfxDrawTextAlignmentLeft | kOfxDrawTextAlignmentRight | kOfxDrawTextAlignmentTop;

const OfxDrawSuiteV1* suiteFor(OfxDrawContextHandle context)
{
    return context == nullptr ? nullptr : getDrawSuite();
}

} // namespace

bool canDraw(OfxDrawContextHandle context) { return suiteFor(context) != nullptr; }

void setColour(OfxDrawContextHandle context, float r, float g, float b, float a)
{
    if (const OfxDrawSuiteV1* suite = suiteFor(context)) {
        const OfxRGBAColourF colour{r, g, b, a};
        suite->setColour(context, &colour);
    }
}

void setSolidLine(OfxDrawContextHandle context, float width)
{
    if (const OfxDrawSuiteV1* suite = suiteFor(context)) {
        suite->setLineWidth(context, width);
        suite->setLineStipple(context, kOfxDrawLineStipplePatternSolid);
    }
}

void drawLines(OfxDrawContextHandle context, const std::vector<OfxPointD>& points)
{
    if (const OfxDrawSuiteV1* suite = suiteFor(context)) {
        if (!points.empty()) {
            suite->draw(context, kOfxDrawPrimitiveLines, points.data(), static_cast<int>(points.size()));
        }
    }
}

void drawRectangle(OfxDrawContextHandle context, const OfxPointD& corner1, const OfxPointD& corner2)
{
    if (const OfxDrawSuiteV1* suite = suiteFor(context)) {
        const OfxPointD corners[2] = {corner1, corner2};
        suite->draw(context, kOfxDrawPrimitiveRectangle, corners, 2);
    }
}

void drawEllipse(OfxDrawContextHandle context, const OfxPointD& corner1, const OfxPointD& corner2)
{
    if (const OfxDrawSuiteV1* suite = suiteFor(context)) {
        const OfxPointD corners[2] = {corner1, corner2};
        suite->draw(context, kOfxDrawPrimitiveEllipse, corners, 2);
    }
}

void drawTextBelow(OfxDrawContextHandle context, const std::string& text, const OfxPointD& position)
{
    if (text.empty()) {
        return;
    }
    if (const OfxDrawSuiteV1* suite = suiteFor(context)) {
        suite->drawText(context, text.c_str(), &position, kCentredBelow);
    }
}

} // namespace OverlayDrawing
} // namespace OFX
