// Vector and ellipse overlays: arrow and outline geometry, shaft and tick hit tests, angles into
// 0-360, clamped lengths and radii, missing parameters.
#include "overlays/EllipseOverlay.h"
#include "overlays/VectorOverlay.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace overlaytest;

class VectorTest : public ::testing::Test {
protected:
    VectorTest()
    {
        host.addDouble2D("c", 0.5, 0.5);
        host.addDouble("angle", 90.0);
        host.addDouble("length", 0.25);
    }
    InProcessHost host;
};

TEST_F(VectorTest, ShaftHeadCircleAndLabel)
{
    OFX::VectorOverlay overlay(host.effect(), "angle", "c", "length", 0.1f);
    overlay.setLabel("Dir");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context, 2.0, 3.0));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 4u);
    const OfxPointD tip{960, 810};
    expectLines(drawn[0], {{960, 540}, tip}, 1e-9);
    const double s = 24.0; // 12 screen pixels at x pixel scale 2, both axes
    const double a1 = (90 + 180 - 25) * M_PI / 180, a2 = (90 + 180 + 25) * M_PI / 180;
    expectLines(drawn[1], {tip, {tip.x + s * std::cos(a1), tip.y + s * std::sin(a1)}, tip,
                           {tip.x + s * std::cos(a2), tip.y + s * std::sin(a2)}},
                1e-9);
    expectEllipse(drawn[2], {960, 540}, 8, 12);
    expectText(drawn[3], "Dir", {960 + 20, 810}, 1e-9);
    EXPECT_EQ(lineWidths(context.commands), (std::vector<float>{2.0f}));
}

struct AngleCase {
    const char* name;
    OfxPointD to;
    double degrees;
    double length;
};

class VectorDrag : public VectorTest, public ::testing::WithParamInterface<AngleCase> {};

TEST_P(VectorDrag, DirectionInZeroTo360AndClampedLength)
{
    OFX::VectorOverlay overlay(host.effect(), "angle", "c", "length", 0.1f);
    ASSERT_TRUE(overlay.penDown(penAt(960, 810)));
    EXPECT_TRUE(overlay.penMotion(penAt(GetParam().to.x, GetParam().to.y)));
    const double angle = host.values("angle")[0];
    EXPECT_NEAR(angle, GetParam().degrees, 1e-9);
    EXPECT_GE(angle, 0.0);
    EXPECT_LT(angle, 360.0);
    EXPECT_NEAR(host.values("length")[0], GetParam().length, 1e-12);
    EXPECT_TRUE(overlay.penUp(penAt(0, 0)));
    const auto events = host.editEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].name, "Drag vector");
    for (const ParamWrite& w : host.writes()) {
        EXPECT_TRUE(w.insideEditBlock);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, VectorDrag,
    ::testing::Values(AngleCase{"down_is_270", {960, 540 - 540}, 270, 0.5},
                      AngleCase{"right_is_0", {960 + 108, 540}, 0, 0.1},
                      AngleCase{"left_is_180", {960 - 1080, 540}, 180, 1.0},
                      AngleCase{"down_left_225", {960 - 216, 540 - 216}, 225, std::hypot(216, 216) / 1080},
                      AngleCase{"hair_below_right_is_not_360", {960 + 540, 540 - 1e-13}, 0, 0.5},
                      AngleCase{"onto_centre", {960, 540}, 0, 0.01},
                      AngleCase{"far_away", {960, 540 + 5000}, 90, 1.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VectorTest, WithoutALengthParameterOnlyTheDirectionChanges)
{
    OFX::VectorOverlay overlay(host.effect(), "angle", "c", "", 0.2f);
    EXPECT_NEAR(overlay.getMagnitude(0.0), 0.2, 1e-7);
    ASSERT_TRUE(overlay.penDown(penAt(960, 540 + 216)));
    ASSERT_TRUE(overlay.penMotion(penAt(960 + 5, 540)));
    ASSERT_EQ(host.writes().size(), 1u);
    EXPECT_EQ(host.writes()[0].name, "angle");
    EXPECT_NEAR(host.values("angle")[0], 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(host.values("length")[0], 0.25);
}

struct ShaftCase {
    const char* name;
    OfxPointD pen;
    bool accepted;
};

class VectorShaft : public VectorTest, public ::testing::WithParamInterface<ShaftCase> {};

TEST_P(VectorShaft, OnlyTheOuterHalfGrabs)
{
    host.setValues("angle", {0.0});
    host.setValues("length", {0.5}); // C (960, 540), T (1500, 540)
    OFX::VectorOverlay overlay(host.effect(), "angle", "c", "length", 0.1f);
    EXPECT_EQ(overlay.penDown(penAt(GetParam().pen.x, GetParam().pen.y)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Table, VectorShaft,
                         ::testing::Values(ShaftCase{"thirty_percent", {960 + 162, 545}, false},
                                           ShaftCase{"seventy_percent", {960 + 378, 550}, true},
                                           ShaftCase{"seventy_percent_too_far", {960 + 378, 556}, false},
                                           ShaftCase{"tip_corner", {1515, 555}, true},
                                           ShaftCase{"beyond_tip", {1516, 540}, false},
                                           ShaftCase{"centre", {960, 540}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VectorTest, WithoutADirectionParameterItPointsRightAndRefusesThePen)
{
    OFX::VectorOverlay overlay(host.effect(), "missing", "c", "length", 0.1f);
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectLines(shapes(context.commands)[0], {{960, 540}, {960 + 270, 540}});
    EXPECT_FALSE(overlay.penDown(penAt(1230, 540)));
}

TEST_F(VectorTest, HiddenMidDragDropsIt)
{
    host.addBoolean("show", true);
    OFX::VectorOverlay overlay(host.effect(), "angle", "c", "length", 0.1f);
    overlay.setVisibleWhen("show");
    ASSERT_TRUE(overlay.penDown(penAt(960, 810)));
    host.setValues("show", {0});
    EXPECT_FALSE(overlay.penMotion(penAt(1200, 540)));
    EXPECT_FALSE(overlay.isDragging());
    EXPECT_FALSE(host.editOpen());
    EXPECT_TRUE(host.writes().empty());
}

// ---- ellipse

class EllipseTest : public ::testing::Test {
protected:
    EllipseTest()
    {
        host.addDouble2D("radii", 0.2, 0.1);
        host.addDouble2D("c", 0.5, 0.5);
    }
    InProcessHost host;
};

TEST_F(EllipseTest, OutlineTicksAndLabel)
{
    OFX::EllipseOverlay overlay(host.effect(), "radii", "c");
    overlay.setLabel("Oval");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context, 2.0, 3.0));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 4u);
    std::vector<OfxPointD> outline;
    for (int i = 0; i < 48; ++i) {
        for (int j : {i, i + 1}) {
            const double a = 2 * M_PI * j / 48;
            outline.push_back({960 + 216 * std::cos(a), 540 + 108 * std::sin(a)}); // both radii scale by 1080
        }
    }
    expectLines(drawn[0], outline, 1e-9);
    expectLines(drawn[1], {{960 + 216 - 7.2, 540}, {960 + 216 + 24, 540}});
    expectLines(drawn[2], {{960, 540 + 108 - 10.8}, {960, 540 + 108 + 36}});
    expectText(drawn[3], "Oval", {960, 540 - 108 - 45});
    EXPECT_EQ(lineWidths(context.commands), (std::vector<float>{1.5f, 2.5f}));
}

struct EllipseDragCase {
    const char* name;
    OfxPointD down;
    const char* block;
    OfxPointD to;
    double rx, ry;
};

class EllipseDrag : public EllipseTest, public ::testing::WithParamInterface<EllipseDragCase> {};

TEST_P(EllipseDrag, TickChoosesTheRadius)
{
    const EllipseDragCase& c = GetParam();
    OFX::EllipseOverlay overlay(host.effect(), "radii", "c");
    ASSERT_TRUE(overlay.penDown(penAt(c.down.x, c.down.y)));
    EXPECT_TRUE(overlay.penMotion(penAt(c.to.x, c.to.y)));
    EXPECT_NEAR(host.values("radii")[0], c.rx, 1e-12);
    EXPECT_NEAR(host.values("radii")[1], c.ry, 1e-12);
    EXPECT_TRUE(overlay.penUp(penAt(c.to.x, c.to.y)));
    EXPECT_EQ(overlay.getDragMode(), OFX::EllipseOverlay::None);
    EXPECT_FALSE(overlay.isDragging());
    const auto events = host.editEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].name, c.block);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EllipseDrag,
    ::testing::Values(EllipseDragCase{"x_tick_only_x", {1176, 540}, "Drag ellipse X", {960 + 324, 900}, 0.3, 0.1},
                      EllipseDragCase{"x_across_centre_positive", {1190, 554}, "Drag ellipse X", {960 - 108, 540}, 0.1, 0.1},
                      EllipseDragCase{"y_tick_only_y", {960, 648}, "Drag ellipse Y", {0, 540 + 216}, 0.2, 0.2},
                      EllipseDragCase{"clamped_low", {960, 648}, "Drag ellipse Y", {960, 541}, 0.2, 0.01},
                      EllipseDragCase{"clamped_high", {1176, 540}, "Drag ellipse X", {9000, 540}, 1.0, 0.1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EllipseTest, PenAwayFromTheTicksIsRefusedAndAPenUpWithoutDragToo)
{
    OFX::EllipseOverlay overlay(host.effect(), "radii", "c");
    EXPECT_FALSE(overlay.penDown(penAt(1176 + 16, 540)));
    EXPECT_FALSE(overlay.penDown(penAt(960, 540)));
    EXPECT_FALSE(overlay.penMotion(penAt(1000, 540)));
    EXPECT_FALSE(overlay.penUp(penAt(1000, 540)));
}

TEST_F(EllipseTest, MissingCentreDrawsAtTheImageCentreButCannotBeEdited)
{
    host.setValues("c", {0.1, 0.1});
    OFX::EllipseOverlay overlay(host.effect(), "radii", "nowhere");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectLines(shapes(context.commands)[1], {{960 + 216 - 3.6, 540}, {960 + 216 + 12, 540}});
    EXPECT_FALSE(overlay.penDown(penAt(1176, 540)));
    OFX::EllipseOverlay noRadii(host.effect(), "nothing", "c");
    EXPECT_FALSE(noRadii.penDown(penAt(192 + 108, 108)));
}

TEST_F(EllipseTest, HiddenMidDragDropsIt)
{
    host.addBoolean("show", true);
    OFX::EllipseOverlay overlay(host.effect(), "radii", "c");
    overlay.setVisibleWhen("show");
    ASSERT_TRUE(overlay.penDown(penAt(1176, 540)));
    host.setValues("show", {0});
    EXPECT_FALSE(overlay.penMotion(penAt(1300, 540)));
    EXPECT_EQ(overlay.getDragMode(), OFX::EllipseOverlay::None);
    EXPECT_FALSE(overlay.isDragging());
    EXPECT_FALSE(host.editOpen());
    EXPECT_FALSE(overlay.penUp(penAt(1300, 540)));
}

} // namespace
