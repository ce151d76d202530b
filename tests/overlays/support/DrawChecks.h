#pragma once
// Comparing recorded draw-suite calls with the expected geometry.

#include "host/DrawRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace overlaytest {

using Kind = ofxhost::DrawCommand::Kind;

// Only the calls that put something on screen (draw and drawText), in order.
inline std::vector<ofxhost::DrawCommand> shapes(const std::vector<ofxhost::DrawCommand>& commands)
{
    std::vector<ofxhost::DrawCommand> out;
    for (const auto& c : commands) {
        if (c.kind == Kind::Draw || c.kind == Kind::DrawText) {
            out.push_back(c);
        }
    }
    return out;
}

inline std::vector<ofxhost::DrawCommand> ofKind(const std::vector<ofxhost::DrawCommand>& commands, Kind kind)
{
    std::vector<ofxhost::DrawCommand> out;
    for (const auto& c : commands) {
        if (c.kind == kind) {
            out.push_back(c);
        }
    }
    return out;
}

constexpr double kTol = 1e-9;

inline void expectPoints(const ofxhost::DrawCommand& c, OfxDrawPrimitive primitive,
                         const std::vector<OfxPointD>& expected, double tol = kTol)
{
    ASSERT_EQ(c.kind, Kind::Draw);
    EXPECT_EQ(c.primitive, primitive);
    ASSERT_EQ(c.points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(c.points[i].x, expected[i].x, tol) << "point " << i;
        EXPECT_NEAR(c.points[i].y, expected[i].y, tol) << "point " << i;
    }
}

inline void expectLines(const ofxhost::DrawCommand& c, const std::vector<OfxPointD>& expected, double tol = kTol)
{
    expectPoints(c, kOfxDrawPrimitiveLines, expected, tol);
}

inline void expectEllipse(const ofxhost::DrawCommand& c, OfxPointD centre, double rx, double ry, double tol = kTol)
{
    expectPoints(c, kOfxDrawPrimitiveEllipse, {{centre.x - rx, centre.y - ry}, {centre.x + rx, centre.y + ry}}, tol);
}

inline void expectRectangle(const ofxhost::DrawCommand& c, OfxPointD centre, double hx, double hy,
                            double tol = kTol)
{
    expectPoints(c, kOfxDrawPrimitiveRectangle, {{centre.x - hx, centre.y - hy}, {centre.x + hx, centre.y + hy}},
                 tol);
}

constexpr int kCentredBelow = kOfxDrawTextAlignmentLeft | kOfxDrawTextAlignmentRight | kOfxDrawTextAlignmentTop;

inline void expectText(const ofxhost::DrawCommand& c, const std::string& text, OfxPointD at, double tol = kTol)
{
    ASSERT_EQ(c.kind, Kind::DrawText);
    EXPECT_EQ(c.text, text);
    EXPECT_NEAR(c.position.x, at.x, tol);
    EXPECT_NEAR(c.position.y, at.y, tol);
    EXPECT_EQ(c.alignment, kCentredBelow);
}

// The colour set by the last setColour call.
inline void expectColour(const std::vector<ofxhost::DrawCommand>& commands, float r, float g, float b)
{
    const auto colours = ofKind(commands, Kind::SetColour);
    ASSERT_FALSE(colours.empty());
    EXPECT_NEAR(colours.back().colour.r, r, 1e-6);
    EXPECT_NEAR(colours.back().colour.g, g, 1e-6);
    EXPECT_NEAR(colours.back().colour.b, b, 1e-6);
    EXPECT_FLOAT_EQ(colours.back().colour.a, 1.0f);
}

// The line widths set, in order; each must be followed by a solid stipple.
inline std::vector<float> lineWidths(const std::vector<ofxhost::DrawCommand>& commands)
{
    std::vector<float> widths;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].kind == Kind::SetLineWidth) {
            widths.push_back(commands[i].lineWidth);
            EXPECT_TRUE(i + 1 < commands.size() && commands[i + 1].kind == Kind::SetLineStipple &&
                        commands[i + 1].stipple == kOfxDrawLineStipplePatternSolid);
        }
    }
    return widths;
}

} // namespace overlaytest
