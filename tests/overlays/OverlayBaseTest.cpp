// The overlay base: coordinate systems, image size, visibility, state colours, drawing helpers
// and the square hit test.
#include "overlays/OverlayBase.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"

#include <gtest/gtest.h>

namespace {

using namespace overlaytest;
using CS = XMLEffectDefinition::OverlayCoordSystem;

class ProbeOverlay : public OFX::OverlayBase {
public:
    using OverlayBase::OverlayBase;
    void draw(OfxDrawContext*, const OFX::DrawArgs&) override {}
    bool penMotion(const OFX::PenArgs&) override { return false; }
    bool penDown(const OFX::PenArgs&) override { return false; }
    bool penUp(const OFX::PenArgs&) override { return false; }
    void setState(State s) { state = s; }
};

TEST(OverlayColor, DefaultIsUnsetWhiteAndComponentsMarkItSet)
{
    const OFX::OverlayColor unset;
    EXPECT_FALSE(unset.isSet);
    EXPECT_EQ(unset.r, 1.0f);
    EXPECT_EQ(unset.g, 1.0f);
    EXPECT_EQ(unset.b, 1.0f);
    const OFX::OverlayColor red(1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(red.isSet);
    EXPECT_EQ(red.g, 0.0f);
}

TEST(OverlayBase, InitialState)
{
    ProbeOverlay overlay(nullptr);
    EXPECT_EQ(overlay.getState(), OFX::OverlayBase::Idle);
    EXPECT_FALSE(overlay.isDragging());
    EXPECT_EQ(overlay.getImageWidth(), 1920.0);
    EXPECT_EQ(overlay.getImageHeight(), 1080.0);
    EXPECT_FALSE(overlay.getColor().isSet);
    EXPECT_TRUE(overlay.getLabel().empty());
    EXPECT_TRUE(overlay.getVisibleWhen().empty());
    EXPECT_EQ(overlay.getCoordSystem(), XMLEffectDefinition::UV);
}

struct CoordCase {
    const char* name;
    CS system;
    double width, height;
    OfxPointD param;
    OfxPointD uv;
};

class CoordSystems : public ::testing::TestWithParam<CoordCase> {};

TEST_P(CoordSystems, ParamToUVAndBack)
{
    const CoordCase& c = GetParam();
    InProcessHost host;
    host.connectSource(c.width, c.height);
    ProbeOverlay overlay(host.effect());
    overlay.updateImageDimensions(0.0);
    overlay.setCoordSystem(c.system);
    const OfxPointD uv = overlay.paramToUV(c.param.x, c.param.y);
    EXPECT_NEAR(uv.x, c.uv.x, 1e-12);
    EXPECT_NEAR(uv.y, c.uv.y, 1e-12);
    const OfxPointD back = overlay.uvToParam(c.uv.x, c.uv.y);
    EXPECT_NEAR(back.x, c.param.x, 1e-12);
    EXPECT_NEAR(back.y, c.param.y, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CoordSystems,
    ::testing::Values(CoordCase{"uv", XMLEffectDefinition::UV, 1920, 1080, {0.25, 0.75}, {0.25, 0.75}},
                      CoordCase{"centered_origin_is_centre", XMLEffectDefinition::Centered, 1920, 1080, {0, 0}, {0.5, 0.5}},
                      CoordCase{"centered", XMLEffectDefinition::Centered, 1920, 1080, {-0.5, 0.25}, {0.0, 0.75}},
                      CoordCase{"centered_aspect_2048x1024", XMLEffectDefinition::CenteredAspect, 2048, 1024, {0.5, 0.25}, {0.75, 0.75}},
                      CoordCase{"centered_aspect_square", XMLEffectDefinition::CenteredAspect, 1000, 1000, {0.2, -0.1}, {0.7, 0.4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OverlayBase, CenteredAspectExampleReachesCanonicalPixels)
{
    InProcessHost host;
    host.connectSource(2048, 1024);
    ProbeOverlay overlay(host.effect());
    overlay.updateImageDimensions(0.0);
    overlay.setCoordSystem(XMLEffectDefinition::CenteredAspect);
    const OfxPointD uv = overlay.paramToUV(0.5, 0.25);
    const OfxPointD px = overlay.normalizedToPixel(uv.x, uv.y);
    EXPECT_DOUBLE_EQ(px.x, 1536.0);
    EXPECT_DOUBLE_EQ(px.y, 768.0);
    const OfxPointD n = overlay.pixelToNormalized(1536.0, 768.0);
    EXPECT_DOUBLE_EQ(n.x, 0.75);
    EXPECT_DOUBLE_EQ(n.y, 0.75);
}

TEST(OverlayBase, PixelConversionsUseTheImageSizeAndStartAtTheOrigin)
{
    ProbeOverlay overlay(nullptr);
    const OfxPointD px = overlay.normalizedToPixel(0.25, 0.5);
    EXPECT_DOUBLE_EQ(px.x, 480.0);
    EXPECT_DOUBLE_EQ(px.y, 540.0);
    const OfxPointD n = overlay.pixelToNormalized(-192.0, 2160.0);
    EXPECT_DOUBLE_EQ(n.x, -0.1);
    EXPECT_DOUBLE_EQ(n.y, 2.0);
}

struct SizeCase {
    const char* name;
    bool connect;
    OfxRectD rod;
    double width, height;
};

class ImageSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ImageSizes, ReadFromTheSourceClip)
{
    const SizeCase& c = GetParam();
    InProcessHost host;
    if (c.connect) {
        host.connectSource(c.rod.x1, c.rod.y1, c.rod.x2, c.rod.y2);
    }
    ProbeOverlay overlay(host.effect());
    overlay.updateImageDimensions(0.0);
    EXPECT_DOUBLE_EQ(overlay.getImageWidth(), c.width);
    EXPECT_DOUBLE_EQ(overlay.getImageHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImageSizes,
    ::testing::Values(SizeCase{"not_connected_keeps_default", false, {0, 0, 0, 0}, 1920, 1080},
                      SizeCase{"connected", true, {0, 0, 2048, 1024}, 2048, 1024},
                      SizeCase{"offset_region_uses_extent", true, {100, 50, 740, 530}, 640, 480},
                      SizeCase{"zero_height_keeps_width", true, {0, 0, 800, 0}, 800, 1080},
                      SizeCase{"negative_width", true, {10, 0, 0, 600}, 1920, 600}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OverlayBase, ImageSizeKeepsTheLastSizeWhenTheSourceGoes)
{
    InProcessHost host;
    host.connectSource(640, 480);
    ProbeOverlay overlay(host.effect());
    overlay.updateImageDimensions(0.0);
    host.disconnectSource();
    overlay.updateImageDimensions(0.0);
    EXPECT_DOUBLE_EQ(overlay.getImageWidth(), 640.0);
    EXPECT_DOUBLE_EQ(overlay.getImageHeight(), 480.0);
}

TEST(OverlayBase, ImageSizeWithoutASourceClipOrEffectStays)
{
    InProcessHost host(HostFeatures{true, true, false});
    ProbeOverlay overlay(host.effect());
    overlay.updateImageDimensions(0.0); // the clip fetch throws inside; nothing escapes
    EXPECT_DOUBLE_EQ(overlay.getImageWidth(), 1920.0);
    ProbeOverlay detached(nullptr);
    detached.updateImageDimensions(0.0);
    EXPECT_DOUBLE_EQ(detached.getImageHeight(), 1080.0);
}

TEST(OverlayBase, Visibility)
{
    InProcessHost host;
    host.addBoolean("show", false);
    host.addDouble("amount", 1.0);
    ProbeOverlay overlay(host.effect());
    EXPECT_TRUE(overlay.isVisible(0.0)) << "no switch";
    overlay.setVisibleWhen("show");
    EXPECT_FALSE(overlay.isVisible(0.0)) << "switch off";
    host.setValues("show", {1.0});
    EXPECT_TRUE(overlay.isVisible(0.0)) << "switch on";
    overlay.setVisibleWhen("missing");
    EXPECT_TRUE(overlay.isVisible(0.0)) << "unknown switch";
    overlay.setVisibleWhen("amount");
    EXPECT_TRUE(overlay.isVisible(0.0)) << "not a boolean";
    ProbeOverlay detached(nullptr);
    detached.setVisibleWhen("show");
    EXPECT_TRUE(detached.isVisible(0.0)) << "no effect";
}

TEST(OverlayBase, Param2DGoesThroughTheCoordinateSystem)
{
    InProcessHost host;
    host.addDouble2D("pos", 0.1, -0.2);
    ProbeOverlay overlay(host.effect());
    overlay.setCoordSystem(XMLEffectDefinition::Centered);
    OFX::Double2DParam* param = host.effect()->fetchDouble2DParam("pos");
    double u = 0, v = 0;
    overlay.getParam2D(param, 0.0, u, v);
    EXPECT_DOUBLE_EQ(u, 0.6);
    EXPECT_DOUBLE_EQ(v, 0.3);
    overlay.getParam2D(nullptr, 0.0, u, v);
    EXPECT_DOUBLE_EQ(u, 0.5);
    EXPECT_DOUBLE_EQ(v, 0.5);
    overlay.setParam2D(param, 0.0, 0.5, 0.5);
    EXPECT_EQ(host.values("pos"), (std::vector<double>{0.0, 0.0}));
    overlay.setParam2D(nullptr, 0.0, 0.1, 0.1); // nothing happens
    EXPECT_EQ(host.writes().size(), 1u);
}

struct ColourCase {
    const char* name;
    bool set;
    float r, g, b;
    bool dragging;
    float er, eg, eb;
};

class StateColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(StateColours, IdleAndDragging)
{
    const ColourCase& c = GetParam();
    ProbeOverlay overlay(nullptr);
    if (c.set) {
        overlay.setColor(OFX::OverlayColor(c.r, c.g, c.b));
    }
    overlay.setState(c.dragging ? OFX::OverlayBase::Dragging : OFX::OverlayBase::Idle);
    float r = 0, g = 0, b = 0;
    overlay.getStateColor(r, g, b);
    EXPECT_NEAR(r, c.er, 1e-6);
    EXPECT_NEAR(g, c.eg, 1e-6);
    EXPECT_NEAR(b, c.eb, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StateColours,
    ::testing::Values(ColourCase{"unset_idle_white", false, 0, 0, 0, false, 1, 1, 1},
                      ColourCase{"unset_dragging_grey", false, 0, 0, 0, true, 0.7f, 0.7f, 0.7f},
                      ColourCase{"red_idle", true, 1, 0, 0, false, 1, 0, 0},
                      ColourCase{"red_dragging", true, 1, 0, 0, true, 1, 0.4f, 0.2f},
                      ColourCase{"blueish_dragging", true, 0.2f, 0.2f, 0.8f, true, 0.4f, 0.6f, 1.0f},
                      ColourCase{"yellow_not_bright_enough", true, 1, 1, 0, true, 1, 1, 0.2f},
                      ColourCase{"set_black_idle", true, 0, 0, 0, false, 0, 0, 0},
                      ColourCase{"light_grey_darkens_to_zero_floor", true, 1, 1, 0.2f, true, 0.7f, 0.7f, 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

struct NearCase {
    const char* name;
    OfxPointD pen;
    bool hit;
};

class HitSquare : public ::testing::TestWithParam<NearCase> {};

TEST_P(HitSquare, InclusiveSquareOfTolerance15)
{
    const NearCase& c = GetParam();
    EXPECT_EQ(OFX::OverlayBase::isNear(c.pen, OfxPointD{100, 100}, 15.0), c.hit);
}

INSTANTIATE_TEST_SUITE_P(Table, HitSquare,
                         ::testing::Values(NearCase{"same", {100, 100}, true},
                                           NearCase{"diagonal_corner", {115, 115}, true},
                                           NearCase{"diagonal_corner_negative", {85, 85}, true},
                                           NearCase{"just_outside_x", {115.01, 100}, false},
                                           NearCase{"just_outside_y", {100, 84.99}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OverlayBase, DrawingHelpersRecordTheirCalls)
{
    InProcessHost host;
    ofxhost::DrawContext context;
    ProbeOverlay overlay(nullptr);
    overlay.setColor(OFX::OverlayColor(0.2f, 0.4f, 0.6f));
    overlay.setLabel("Centre");
    overlay.setDrawColor(context.handle());
    overlay.setDrawLineWidth(context.handle(), 2.5f);
    overlay.drawCircle(context.handle(), 100, 200, 10, OfxPointD{2, 3});
    overlay.drawLabel(context.handle(), 50, 60, OfxPointD{2, 3});

    const auto& cmds = context.commands;
    ASSERT_EQ(cmds.size(), 5u);
    expectColour(cmds, 0.2f, 0.4f, 0.6f);
    EXPECT_EQ(lineWidths(cmds), (std::vector<float>{2.5f}));
    expectEllipse(cmds[3], {100, 200}, 20, 30);
    expectText(cmds[4], "Centre", {50, 60});
}

TEST(OverlayBase, NothingIsDrawnWithoutAContextOrADrawSuite)
{
    ProbeOverlay overlay(nullptr);
    overlay.setLabel("x");
    {
        InProcessHost host(HostFeatures{true, false, true});
        ofxhost::DrawContext context;
        overlay.setDrawColor(context.handle());
        overlay.drawCircle(context.handle(), 0, 0, 5, OfxPointD{1, 1});
        overlay.drawLabel(context.handle(), 0, 0, OfxPointD{1, 1});
        EXPECT_TRUE(context.commands.empty());
    }
    InProcessHost host;
    overlay.setDrawColor(nullptr);
    overlay.drawCircle(nullptr, 0, 0, 5, OfxPointD{1, 1});
    overlay.setLabel("");
    ofxhost::DrawContext context;
    overlay.drawLabel(context.handle(), 0, 0, OfxPointD{1, 1});
    EXPECT_TRUE(context.commands.empty()) << "an empty label draws nothing";
}

} // namespace
