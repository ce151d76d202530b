// The point overlay: style parsing, the marker shape of every style, label placement, dragging
// inside one edit block, the vector child taking the pen first, and a drag dropped when hidden.
#include "overlays/PointOverlay.h"
#include "overlays/VectorOverlay.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using namespace overlaytest;
using Style = OFX::PointOverlay::Style;

struct StyleText {
    const char* text;
    Style style;
};

class StyleParsing : public ::testing::TestWithParam<StyleText> {};

TEST_P(StyleParsing, TextGivesStyle) { EXPECT_EQ(OFX::PointOverlay::parseStyle(GetParam().text), GetParam().style); }

INSTANTIATE_TEST_SUITE_P(Table, StyleParsing,
                         ::testing::Values(StyleText{"crosshair", Style::Crosshair}, StyleText{"TARGET", Style::Target},
                                           StyleText{"Cross", Style::Cross}, StyleText{"diamond", Style::Diamond},
                                           StyleText{"axis", Style::Axis}, StyleText{"dot", Style::Dot},
                                           StyleText{"sUn", Style::Sun}, StyleText{"star", Style::Crosshair},
                                           StyleText{"", Style::Crosshair}, StyleText{"circle", Style::Crosshair},
                                           StyleText{"dot ", Style::Crosshair}));

// Expected shapes around P with pixel scale (sx, sy): lines (flattened pairs) and circle radii.
struct ShapeCase {
    const char* name;
    Style style;
    std::function<std::vector<OfxPointD>(OfxPointD, double, double)> lines;
    std::vector<double> circles;
};

std::vector<OfxPointD> cross(OfxPointD p, double r, double sx, double sy)
{
    return {{p.x - r * sx, p.y}, {p.x + r * sx, p.y}, {p.x, p.y - r * sy}, {p.x, p.y + r * sy}};
}

std::vector<OfxPointD> sunRays(OfxPointD p, double sx, double sy)
{
    std::vector<OfxPointD> out;
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4.0;
        out.push_back({p.x + 11.25 * std::cos(a) * sx, p.y + 11.25 * std::sin(a) * sy});
        out.push_back({p.x + 21.0 * std::cos(a) * sx, p.y + 21.0 * std::sin(a) * sy});
    }
    return out;
}

class StyleShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(StyleShapes, DrawnAroundThePointAtPixelScale)
{
    const ShapeCase& c = GetParam();
    InProcessHost host; // no source connected: 1920 x 1080
    host.addDouble2D("pos", 0.25, 0.5);
    OFX::PointOverlay overlay(host.effect(), "pos", c.style);
    overlay.setLabel("Here");
    ofxhost::DrawContext context;
    const double sx = 2.0, sy = 3.0;
    overlay.draw(context.handle(), drawArgs(context, sx, sy));

    const OfxPointD p{480, 540};
    const auto drawn = shapes(context.commands);
    size_t at = 0;
    const std::vector<OfxPointD> lines = c.lines ? c.lines(p, sx, sy) : std::vector<OfxPointD>{};
    ASSERT_EQ(drawn.size(), (lines.empty() ? 0u : 1u) + c.circles.size() + 1u);
    if (!lines.empty()) {
        expectLines(drawn[at++], lines, 1e-9);
    }
    for (double r : c.circles) {
        expectEllipse(drawn[at++], p, r * sx, r * sy);
    }
    expectText(drawn[at], "Here", {480, 540 - 22.5 * sy});
    EXPECT_EQ(lineWidths(context.commands), (std::vector<float>{2.0f}));
    expectColour(context.commands, 1, 1, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StyleShapes,
    ::testing::Values(
        ShapeCase{"crosshair", Style::Crosshair, [](OfxPointD p, double sx, double sy) { return cross(p, 15, sx, sy); }, {10.5}},
        ShapeCase{"target", Style::Target, [](OfxPointD p, double sx, double sy) { return cross(p, 4.5, sx, sy); }, {7.5, 15}},
        ShapeCase{"cross", Style::Cross, [](OfxPointD p, double sx, double sy) { return cross(p, 15, sx, sy); }, {}},
        ShapeCase{"diamond", Style::Diamond,
                  [](OfxPointD p, double sx, double sy) {
                      const OfxPointD up{p.x, p.y + 15 * sy}, right{p.x + 15 * sx, p.y}, down{p.x, p.y - 15 * sy},
                          left{p.x - 15 * sx, p.y};
                      return std::vector<OfxPointD>{up, right, right, down, down, left, left, up};
                  },
                  {}},
        ShapeCase{"axis", Style::Axis,
                  [](OfxPointD p, double, double) {
                      return std::vector<OfxPointD>{{0, p.y}, {1920, p.y}, {p.x, 0}, {p.x, 1080}};
                  },
                  {3.75}},
        ShapeCase{"dot", Style::Dot, nullptr, {6}},
        ShapeCase{"sun", Style::Sun, [](OfxPointD p, double sx, double sy) { return sunRays(p, sx, sy); }, {3.75, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

class PointDrag : public ::testing::Test {
protected:
    PointDrag()
    {
        host.addDouble2D("pos", 0.5, 0.5); // P = (960, 540)
        host.addBoolean("show", true);
        host.addDouble("angle", 0.0);
    }
    InProcessHost host;
};

struct PenCase {
    const char* name;
    OfxPointD pen;
    bool accepted;
};

class PointHit : public PointDrag, public ::testing::WithParamInterface<PenCase> {};

TEST_P(PointHit, CanonicalToleranceOf15)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    for (double zoom : {0.5, 1.0, 2.0}) {
        OFX::PenArgs pen = penAt(GetParam().pen.x, GetParam().pen.y);
        pen.pixelScale = OfxPointD{zoom, zoom};
        EXPECT_EQ(overlay.penDown(pen), GetParam().accepted) << "pixel scale " << zoom;
        EXPECT_EQ(overlay.isDragging(), GetParam().accepted);
        overlay.penUp(pen);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, PointHit,
                         ::testing::Values(PenCase{"on_marker", {960, 540}, true},
                                           PenCase{"right15_up15", {975, 555}, true},
                                           PenCase{"left15_down15", {945, 525}, true},
                                           PenCase{"right16", {976, 540}, false},
                                           PenCase{"down15_01", {960, 524.99}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointDrag, WholeDragIsOneEditBlockAndEndsWithTheFinalPosition)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    ASSERT_TRUE(overlay.penDown(penAt(970, 550)));
    EXPECT_TRUE(host.writes().empty()) << "pen-down itself writes nothing";
    EXPECT_TRUE(overlay.penMotion(penAt(1000, 600)));
    EXPECT_TRUE(overlay.penMotion(penAt(1152, 810)));
    EXPECT_TRUE(overlay.penUp(penAt(1152, 810)));
    EXPECT_EQ(overlay.getState(), OFX::OverlayBase::Idle);

    const auto events = host.editEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].begin);
    EXPECT_EQ(events[0].name, "Drag pos");
    EXPECT_FALSE(events[1].begin);
    ASSERT_EQ(host.writes().size(), 3u);
    for (const ParamWrite& w : host.writes()) {
        EXPECT_EQ(w.name, "pos");
        EXPECT_TRUE(w.insideEditBlock);
    }
    EXPECT_NEAR(host.writes()[0].values[0], 1000.0 / 1920.0, 1e-12);
    EXPECT_NEAR(host.writes()[0].values[1], 600.0 / 1080.0, 1e-12);
    EXPECT_NEAR(host.values("pos")[0], 0.6, 1e-12);
    EXPECT_NEAR(host.values("pos")[1], 0.75, 1e-12);
    EXPECT_FALSE(overlay.penUp(penAt(0, 0))) << "a second pen-up is refused";
}

TEST_F(PointDrag, DraggingOffTheImageIsNotClamped)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    ASSERT_TRUE(overlay.penDown(penAt(960, 540)));
    ASSERT_TRUE(overlay.penMotion(penAt(2112, -54)));
    EXPECT_NEAR(host.values("pos")[0], 1.1, 1e-12);
    EXPECT_NEAR(host.values("pos")[1], -0.05, 1e-12);
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectLines(shapes(context.commands)[0], cross({2112, -54}, 15, 1, 1));
}

TEST_F(PointDrag, CenteredDragToTheImageCentreSetsZero)
{
    host.setValues("pos", {0.25, 0.25}); // centred: P = (1440, 810)
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    overlay.setCoordSystem(XMLEffectDefinition::Centered);
    ASSERT_TRUE(overlay.penDown(penAt(1440, 810)));
    ASSERT_TRUE(overlay.penMotion(penAt(960, 540)));
    EXPECT_NEAR(host.values("pos")[0], 0.0, 1e-12);
    EXPECT_NEAR(host.values("pos")[1], 0.0, 1e-12);
}

TEST_F(PointDrag, MarkerFollowsTheDragBeforeTheHostReportsTheValue)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Cross);
    overlay.setColor(OFX::OverlayColor(1, 0, 0));
    ASSERT_TRUE(overlay.penDown(penAt(960, 540)));
    ASSERT_TRUE(overlay.penMotion(penAt(192, 108)));
    host.setValues("pos", {0.5, 0.5}); // the host still shows the old value
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectLines(shapes(context.commands)[0], cross({192, 108}, 15, 1, 1));
    expectColour(context.commands, 1.0f, 0.4f, 0.2f);
}

TEST_F(PointDrag, HiddenOverlayDrawsNothingAndRefusesThePen)
{
    host.setValues("show", {0.0});
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    overlay.setVisibleWhen("show");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    EXPECT_TRUE(context.commands.empty());
    EXPECT_FALSE(overlay.penDown(penAt(960, 540)));
}

TEST_F(PointDrag, HiddenMidDragDropsTheDragAndEndsTheEditBlock)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    overlay.setVisibleWhen("show");
    ASSERT_TRUE(overlay.penDown(penAt(960, 540)));
    host.setValues("show", {0.0});
    EXPECT_FALSE(overlay.penMotion(penAt(1000, 600)));
    EXPECT_EQ(overlay.getState(), OFX::OverlayBase::Idle);
    EXPECT_FALSE(host.editOpen());
    EXPECT_TRUE(host.writes().empty());
    EXPECT_FALSE(overlay.penUp(penAt(1000, 600)));
    EXPECT_EQ(host.editEvents().size(), 2u);
}

TEST_F(PointDrag, WithoutItsParameterTheMarkerSitsAtTheCentreAndRefusesDrags)
{
    OFX::PointOverlay overlay(host.effect(), "missing", Style::Dot);
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectEllipse(shapes(context.commands)[0], {960, 540}, 6, 6);
    EXPECT_FALSE(overlay.penDown(penAt(960, 540)));
    EXPECT_FALSE(overlay.penMotion(penAt(960, 540)));
}

TEST_F(PointDrag, ParameterAddedLaterIsFoundAtTheNextEvent)
{
    OFX::PointOverlay overlay(host.effect(), "late", Style::Crosshair);
    EXPECT_FALSE(overlay.penDown(penAt(480, 270)));
    host.addDouble2D("late", 0.25, 0.25);
    EXPECT_TRUE(overlay.penDown(penAt(480, 270)));
}

TEST_F(PointDrag, VectorChildTakesThePenFirst)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Crosshair);
    // A short arrow pointing right: its tip (970.8, 540) is within 15 units of the point too.
    overlay.setVectorChild(std::make_unique<OFX::VectorOverlay>(host.effect(), "angle", "pos", "", 0.01f));
    ASSERT_TRUE(overlay.penDown(penAt(966, 540)));
    EXPECT_EQ(overlay.getState(), OFX::OverlayBase::Idle);
    EXPECT_TRUE(overlay.getVectorChild()->isDragging());
    EXPECT_TRUE(overlay.isHandlingDrag());
    ASSERT_EQ(host.editEvents().size(), 1u);
    EXPECT_EQ(host.editEvents()[0].name, "Drag vector");

    EXPECT_TRUE(overlay.penMotion(penAt(960, 640)));
    EXPECT_NEAR(host.values("angle")[0], 90.0, 1e-9);
    EXPECT_EQ(host.values("pos"), (std::vector<double>{0.5, 0.5}));
    EXPECT_TRUE(overlay.penUp(penAt(960, 640)));
    EXPECT_FALSE(overlay.isHandlingDrag());
    EXPECT_FALSE(host.editOpen());
}

TEST_F(PointDrag, VectorChildIsDrawnAfterThePoint)
{
    OFX::PointOverlay overlay(host.effect(), "pos", Style::Dot);
    overlay.setVectorChild(std::make_unique<OFX::VectorOverlay>(host.effect(), "angle", "pos", "", 0.1f));
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 4u); // dot, then shaft, head, centre circle
    expectEllipse(drawn[0], {960, 540}, 6, 6);
    expectLines(drawn[1], {{960, 540}, {960 + 108, 540}}, 1e-4); // the fixed length is a float
}

} // namespace
