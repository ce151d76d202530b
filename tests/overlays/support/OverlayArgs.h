#pragma once
// Draw and pen arguments as a viewer would pass them.

#include "host/DrawRecorder.h"

#include "openfx/support/Interact.h"

namespace overlaytest {

inline OFX::DrawArgs drawArgs(ofxhost::DrawContext& context, double psx = 1.0, double psy = 1.0, double time = 0.0)
{
    OFX::DrawArgs args;
    args.time = time;
    args.pixelScale = OfxPointD{psx, psy};
    args.drawContext = context.handle();
    return args;
}

inline OFX::PenArgs penAt(double x, double y, double time = 0.0)
{
    OFX::PenArgs args;
    args.time = time;
    args.penPosition = OfxPointD{x, y};
    return args;
}

} // namespace overlaytest
