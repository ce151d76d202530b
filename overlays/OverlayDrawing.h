#pragma once
// Thin wrappers over the host's draw suite shared by every overlay. Each does nothing when the
// draw context is null or the host offers no draw suite, so callers need no checks of their own.

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxDrawSuite.h"

#include <string>
#include <vector>

namespace OFX {
namespace OverlayDrawing {

// True when drawing on `context` can reach the host.
bool canDraw(OfxDrawContextHandle context);

void setColour(OfxDrawContextHandle context, float r, float g, float b, float a);
// A line width and a solid stipple, the only line style overlays use.
void setSolidLine(OfxDrawContextHandle context, float width);
// Pairs of points, each pair one segment.
void drawLines(OfxDrawContextHandle context, const std::vector<OfxPointD>& points);
// An axis-aligned rectangle given by two opposite corners.
void drawRectangle(OfxDrawContextHandle context, const OfxPointD& corner1, const OfxPointD& corner2);
// The ellipse inscribed in the box given by two opposite corners.
void drawEllipse(OfxDrawContextHandle context, const OfxPointD& corner1, const OfxPointD& corner2);
// Text centred horizontally on `position` and hanging below it; empty text draws nothing.
void drawTextBelow(OfxDrawContextHandle context, const std::string& text, const OfxPointD& position);

} // namespace OverlayDrawing
} // namespace OFX
