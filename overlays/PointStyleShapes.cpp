#include "overlays/PointStyleShapes.h"

#include <cmath>

namespace OFX {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A horizontal and a vertical segment through p reaching `reach` screen pixels to both sides.
void addCross(std::vector<OfxPointD>& out, const OfxPointD& p, double reach, const OfxPointD& ps)
{
    out.push_back({p.x - reach * ps.x, p.y});
    out.push_back({p.x + reach * ps.x, p.y});
    out.push_back({p.x, p.y - reach * ps.y});
    out.push_back({p.x, p.y + reach * ps.y});
}

} // namespace

PointStyleShape pointStyleShape(PointOverlay::Style style, const OfxPointD& p, const OfxPointD& ps,
                                double imageWidth, double imageHeight)
{
    PointStyleShape shape;
    switch (style) {
    case PointOverlay::Crosshair:
        addCross(shape.segments, p, 15.0, ps);
        shape.circleRadii = {10.5};
        break;
    case PointOverlay::Target:
        addCross(shape.segments, p, 4.5, ps);
        shape.circleRadii = {7.5, 15.0};
        break;
    case PointOverlay::Cross:
        addCross(shape.segments, p, 15.0, ps);
        break;
    case PointOverlay::Diamond: {
        const OfxPointD above{p.x, p.y + 15.0 * ps.y};
        const OfxPointD right{p.x + 15.0 * ps.x, p.y};
        const OfxPointD below{p.x, p.y - 15.0 * ps.y};
        const OfxPointD left{p.x - 15.0 * ps.x, p.y};
        shape.segments = {above, right, right, below, below, left, left, above};
        break;
    }
    case PointOverlay::Axis:
        shape.segments = {{0.0, p.y}, {imageWidth, p.y}, {p.x, 0.0}, {p.x, imageHeight}};
        shape.circleRadii = {3.75};
        break;
    case PointOverlay::Dot:
        shape.circleRadii = {6.0};
        break;
    case PointOverlay::Sun:
        shape.circleRadii = {3.75, 9.0};
        for (int k = 0; k < 8; ++k) {
            const double a = k * 45.0 * kPi / 180.0;
            const double c = std::cos(a);
            const double s = std::sin(a);
            shape.segments.push_back({p.x + 11.25 * c * ps.x, p.y + 11.25 * s * ps.y});
            shape.segments.push_back({p.x + 21.0 * c * ps.x, p.y + 21.0 * s * ps.y});
        }
        break;
    }
    return shape;
}

} // namespace OFX
