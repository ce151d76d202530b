// Radius, scale and slider overlays: geometry, handle hit tests, clamped drags in one edit block.
#include "overlays/RadiusOverlay.h"
#include "overlays/Scale2DOverlay.h"
#include "overlays/VSliderOverlay.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"

#include <gtest/gtest.h>

namespace {

using namespace overlaytest;

void expectOneBlock(const InProcessHost& host, const std::string& name)
{
    const auto events = host.editEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].begin);
    EXPECT_EQ(events[0].name, name);
    EXPECT_FALSE(events[1].begin);
    for (const ParamWrite& w : host.writes()) {
        EXPECT_TRUE(w.insideEditBlock) << w.name;
    }
}

// ---- radius

TEST(RadiusOverlay, CircleHandleAndLabelGeometry)
{
    InProcessHost host;
    host.addDouble("radius", 0.25);
    OFX::RadiusOverlay overlay(host.effect(), "radius", "");
    overlay.setLabel("Size");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context, 2.0, 3.0));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 3u);
    expectEllipse(drawn[0], {960, 540}, 270, 270); // image pixels, not screen pixels
    expectRectangle(drawn[1], {1230, 540}, 8, 8);  // the x pixel scale serves both axes
    expectText(drawn[2], "Size", {960, 540 + 270 + 20 * 3.0});
    EXPECT_EQ(lineWidths(context.commands), (std::vector<float>{2.0f}));
}

struct PenCase {
    const char* name;
    OfxPointD pen;
    bool accepted;
};

class RadiusHit : public ::testing::TestWithParam<PenCase> {};

TEST_P(RadiusHit, WithinTenUnitsOfTheCircumference)
{
    InProcessHost host;
    host.addDouble("radius", 0.25);
    OFX::RadiusOverlay overlay(host.effect(), "radius", "");
    EXPECT_EQ(overlay.penDown(penAt(GetParam().pen.x, GetParam().pen.y)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Table, RadiusHit,
                         ::testing::Values(PenCase{"five_outside", {1235, 540}, true},
                                           PenCase{"fifteen_outside", {1245, 540}, false},
                                           PenCase{"ten_inside", {1220, 540}, true},
                                           PenCase{"eleven_inside", {1219, 540}, false},
                                           PenCase{"top_of_circle", {960, 812}, true},
                                           PenCase{"centre", {960, 540}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RadiusDragCase {
    const char* name;
    OfxPointD to;
    double radius;
};

class RadiusDrag : public ::testing::TestWithParam<RadiusDragCase> {};

TEST_P(RadiusDrag, ClampedFractionOfTheSmallerDimension)
{
    InProcessHost host;
    host.addDouble("radius", 0.25);
    OFX::RadiusOverlay overlay(host.effect(), "radius", "");
    ASSERT_TRUE(overlay.penDown(penAt(1230, 540)));
    EXPECT_TRUE(overlay.penMotion(penAt(GetParam().to.x, GetParam().to.y)));
    EXPECT_NEAR(host.values("radius")[0], GetParam().radius, 1e-12);
    EXPECT_TRUE(overlay.penUp(penAt(GetParam().to.x, GetParam().to.y)));
    EXPECT_EQ(host.writes().size(), 1u) << "the pen-up writes nothing";
    expectOneBlock(host, "Drag radius");
}

INSTANTIATE_TEST_SUITE_P(Table, RadiusDrag,
                         ::testing::Values(RadiusDragCase{"outward", {960 + 540, 540}, 0.5},
                                           RadiusDragCase{"onto_centre", {960, 540}, 0.001},
                                           RadiusDragCase{"far_outside", {9000, 9000}, 1.0},
                                           RadiusDragCase{"diagonal", {960 + 324, 540 + 432}, 0.5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RadiusOverlay, CentredCoordinatesPutCentreZeroAtTheImageCentre)
{
    InProcessHost host;
    host.addDouble("radius", 0.1);
    host.addDouble2D("c", 0.0, 0.0);
    OFX::RadiusOverlay overlay(host.effect(), "radius", "c");
    overlay.setCoordSystem(XMLEffectDefinition::Centered);
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectEllipse(shapes(context.commands)[0], {960, 540}, 108, 108);
}

TEST(RadiusOverlay, WithoutTheRadiusParameterItDrawsTheDefaultAndRefusesThePen)
{
    InProcessHost host;
    OFX::RadiusOverlay overlay(host.effect(), "missing", "");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectEllipse(shapes(context.commands)[0], {960, 540}, 108, 108);
    EXPECT_FALSE(overlay.penDown(penAt(1068, 540)));
}

TEST(RadiusOverlay, HiddenMidDragDropsIt)
{
    InProcessHost host;
    host.addDouble("radius", 0.25);
    host.addBoolean("show", true);
    OFX::RadiusOverlay overlay(host.effect(), "radius", "");
    overlay.setVisibleWhen("show");
    ASSERT_TRUE(overlay.penDown(penAt(1230, 540)));
    host.setValues("show", {0});
    EXPECT_FALSE(overlay.penMotion(penAt(1300, 540)));
    EXPECT_FALSE(overlay.isDragging());
    EXPECT_FALSE(host.editOpen());
    EXPECT_FALSE(overlay.penUp(penAt(1300, 540)));
    EXPECT_DOUBLE_EQ(host.values("radius")[0], 0.25);
}

// ---- scale

TEST(Scale2DOverlay, BoxHandlesCrossAndLabelGeometry)
{
    InProcessHost host;
    host.addDouble2D("scale", 0.2, 0.2);
    host.addDouble2D("c", 0.5, 0.5);
    OFX::Scale2DOverlay overlay(host.effect(), "scale", "c");
    overlay.setLabel("Box");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context, 2.0, 3.0));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 6u);
    const double l = 960 - 384, r = 960 + 384, b = 540 - 216, t = 540 + 216;
    expectLines(drawn[0], {{l, b}, {r, b}, {r, b}, {r, t}, {r, t}, {l, t}, {l, t}, {l, b}});
    expectRectangle(drawn[1], {r, 540}, 16, 16);
    expectRectangle(drawn[2], {960, t}, 16, 16);
    expectRectangle(drawn[3], {r, t}, 16, 16);
    expectLines(drawn[4], {{950, 540}, {970, 540}, {960, 530}, {960, 550}});
    expectText(drawn[5], "Box", {960, t + 15 * 3.0});
    EXPECT_EQ(lineWidths(context.commands), (std::vector<float>{1.5f}));
}

struct ScaleDragCase {
    const char* name;
    OfxPointD down;
    const char* block;
    OfxPointD to;
    double sx, sy;
};

class ScaleDrag : public ::testing::TestWithParam<ScaleDragCase> {};

TEST_P(ScaleDrag, HandleChoosesTheComponents)
{
    const ScaleDragCase& c = GetParam();
    InProcessHost host;
    host.addDouble2D("scale", 0.2, 0.2);
    OFX::Scale2DOverlay overlay(host.effect(), "scale", "");
    ASSERT_TRUE(overlay.penDown(penAt(c.down.x, c.down.y)));
    EXPECT_TRUE(overlay.penMotion(penAt(c.to.x, c.to.y)));
    EXPECT_NEAR(host.values("scale")[0], c.sx, 1e-12);
    EXPECT_NEAR(host.values("scale")[1], c.sy, 1e-12);
    EXPECT_TRUE(overlay.penUp(penAt(c.to.x, c.to.y)));
    EXPECT_EQ(overlay.getDragMode(), OFX::Scale2DOverlay::None);
    expectOneBlock(host, c.block);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScaleDrag,
    ::testing::Values(ScaleDragCase{"right_edge_only_x", {1344, 540}, "Drag scale X", {960 + 576, 900}, 0.3, 0.2},
                      ScaleDragCase{"top_edge_only_y", {960, 756}, "Drag scale Y", {100, 540 + 324}, 0.2, 0.3},
                      ScaleDragCase{"corner_both", {1344, 756}, "Drag scale corner", {960 + 192, 540 + 108}, 0.1, 0.1},
                      ScaleDragCase{"past_centre_mirrors", {1344, 540}, "Drag scale X", {960 - 192, 540}, 0.1, 0.2},
                      ScaleDragCase{"onto_centre_clamps_low", {1344, 756}, "Drag scale corner", {960, 540}, 0.01, 0.01},
                      ScaleDragCase{"far_clamps_high", {1344, 756}, "Drag scale corner", {-5000, 9000}, 1.0, 1.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Scale2DOverlay, CornerWinsWhereHandlesOverlapOnAFlatBox)
{
    InProcessHost host;
    host.addDouble2D("scale", 0.2, 0.01); // 21.6 units high
    OFX::Scale2DOverlay overlay(host.effect(), "scale", "");
    ASSERT_TRUE(overlay.penDown(penAt(1344, 545))); // within 12 of (1344, 550.8) and (1344, 540)
    EXPECT_EQ(overlay.getDragMode(), OFX::Scale2DOverlay::ScaleCorner);
    EXPECT_EQ(host.editEvents()[0].name, "Drag scale corner");
}

TEST(Scale2DOverlay, PenAwayFromHandlesAndMissingParameterAreRefused)
{
    InProcessHost host;
    host.addDouble2D("scale", 0.2, 0.2);
    OFX::Scale2DOverlay overlay(host.effect(), "scale", "");
    EXPECT_FALSE(overlay.penDown(penAt(1344 + 13, 540)));
    EXPECT_FALSE(overlay.penDown(penAt(960, 540)));
    EXPECT_FALSE(overlay.penMotion(penAt(1000, 540))) << "no drag, no motion";
    EXPECT_FALSE(overlay.penUp(penAt(1000, 540)));
    OFX::Scale2DOverlay unbound(host.effect(), "missing", "");
    EXPECT_FALSE(unbound.penDown(penAt(1344, 756)));
}

TEST(Scale2DOverlay, CentreIgnoresTheCoordinateSystem)
{
    InProcessHost host;
    host.addDouble2D("scale", 0.1, 0.1);
    host.addDouble2D("c", 0.0, 0.0);
    OFX::Scale2DOverlay overlay(host.effect(), "scale", "c");
    overlay.setCoordSystem(XMLEffectDefinition::Centered);
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    // The box is centred on the lower-left corner of the image.
    expectLines(shapes(context.commands)[4], {{-5, 0}, {5, 0}, {0, -5}, {0, 5}});
}

// ---- slider

TEST(VSliderOverlay, TrackTicksHandleAndLabel)
{
    InProcessHost host;
    host.connectSource(1000, 1000);
    host.addDouble("level", 0.25);
    OFX::VSliderOverlay overlay(host.effect(), "level", 0.5f);
    overlay.setLabel("Level");
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context, 2.0, 3.0));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 3u);
    expectLines(drawn[0], {{500, 100}, {500, 900}, {484, 100}, {516, 100}, {484, 900}, {516, 900},
                           {500 - 11.2, 500}, {500 + 11.2, 500}});
    expectRectangle(drawn[1], {500, 300}, 24, 18);
    expectText(drawn[2], "Level", {500, 900 + 45});
}

TEST(VSliderOverlay, HandleClampsValuesOutsideZeroToOne)
{
    InProcessHost host;
    host.connectSource(1000, 1000);
    host.addDouble("level", 1.7);
    OFX::VSliderOverlay overlay(host.effect(), "level", 0.25f);
    ofxhost::DrawContext context;
    overlay.draw(context.handle(), drawArgs(context));
    expectRectangle(shapes(context.commands)[1], {250, 900}, 12, 6);
}

class SliderHit : public ::testing::TestWithParam<PenCase> {};

TEST_P(SliderHit, AlongTheTrackAndFifteenBeyond)
{
    InProcessHost host;
    host.connectSource(1000, 1000);
    host.addDouble("level", 0.5);
    OFX::VSliderOverlay overlay(host.effect(), "level", 0.5f);
    EXPECT_EQ(overlay.penDown(penAt(GetParam().pen.x, GetParam().pen.y)), GetParam().accepted);
    EXPECT_TRUE(host.writes().empty()) << "the pen-down itself changes nothing";
}

INSTANTIATE_TEST_SUITE_P(Table, SliderHit,
                         ::testing::Values(PenCase{"on_handle", {500, 500}, true},
                                           PenCase{"corner_below", {515, 85}, true},
                                           PenCase{"corner_above", {485, 915}, true},
                                           PenCase{"too_far_right", {516, 500}, false},
                                           PenCase{"too_far_above", {500, 916}, false},
                                           PenCase{"too_far_below", {500, 84}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SliderDragCase {
    const char* name;
    double y;
    double value;
};

class SliderDrag : public ::testing::TestWithParam<SliderDragCase> {};

TEST_P(SliderDrag, PenHeightAlongTheTrackClamped)
{
    InProcessHost host;
    host.connectSource(1000, 1000);
    host.addDouble("level", 0.25);
    OFX::VSliderOverlay overlay(host.effect(), "level", 0.5f);
    ASSERT_TRUE(overlay.penDown(penAt(500, 300)));
    EXPECT_TRUE(overlay.penMotion(penAt(505, GetParam().y)));
    EXPECT_NEAR(host.values("level")[0], GetParam().value, 1e-12);
    EXPECT_TRUE(overlay.penUp(penAt(505, GetParam().y)));
    expectOneBlock(host, "Drag slider");
}

INSTANTIATE_TEST_SUITE_P(Table, SliderDrag,
                         ::testing::Values(SliderDragCase{"middle", 500, 0.5}, SliderDragCase{"below", 50, 0.0},
                                           SliderDragCase{"top", 900, 1.0}, SliderDragCase{"above", 2000, 1.0},
                                           SliderDragCase{"quarter", 300, 0.25}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
