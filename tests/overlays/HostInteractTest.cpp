// The overlay interact of the every-kind fixture driven through the host in each coordinate
// system: what it draws, and pen events that move parameters inside edit blocks.
#include "support/DrawChecks.h"
#include "support/HostFixture.h"

#include <gtest/gtest.h>

#include "ofxImageEffect.h"

#include <cmath>

namespace {

using namespace overlaytest;

// An 800 x 400 source: aspect 2, smaller dimension 400.
constexpr int kWidth = 800;
constexpr int kHeight = 400;

struct SystemCase {
    const char* fixture;
    int coordSystem;
};

// The parameter value of a normalised position in a coordinate system.
std::vector<double> paramFor(const std::string& fixture, double u, double v)
{
    if (fixture == "centered") return {u - 0.5, v - 0.5};
    if (fixture == "centered_aspect") return {(u - 0.5) * 2.0, v - 0.5};
    return {u, v};
}

class HostInteract : public ::testing::TestWithParam<SystemCase> {
protected:
    void SetUp() override
    {
        session = ProbeSession::open(GetParam().fixture, kWidth, kHeight);
        ASSERT_TRUE(session.instance);
        ASSERT_TRUE(session.overlay) << session.overlayStatus;
        ofxhost::EffectInstance& fx = *session.instance;
        ASSERT_EQ(fx.setValues("pos", at(0.25, 0.5)), kOfxStatOK); // P = (200, 200)
        fx.setDouble("angle", 0.0);                              // child tip (240, 200)
        fx.setDouble("len", 0.1);
        fx.setDouble("rad", 0.25);                               // R = 100 around P
        fx.setValues("box", {0.2, 0.2});
        fx.setValues("box_center", {0.5, 0.5});                  // read as 0-1 whatever the system: (400, 200)
        fx.setDouble("level", 0.5);                              // slider x = 720, handle y = 200
        fx.setDouble("dir", 90.0);
        fx.setValues("vec_center", at(0.75, 0.75));              // (600, 300), tip (600, 360)
        fx.setValues("oval", {0.2, 0.1});
        fx.setValues("oval_center", at(0.5, 0.25));              // (400, 100), RX 80, RY 40
        fx.clearChanges();
        ASSERT_EQ(overlay().draw(), kOfxStatOK); // builds the manager
    }

    std::vector<double> at(double u, double v) const { return paramFor(GetParam().fixture, u, v); }
    ofxhost::OverlayInteract& overlay() { return *session.overlay; }
    ofxhost::EffectInstance& fx() { return *session.instance; }
    void expectValues(const std::string& name, const std::vector<double>& expected)
    {
        const std::vector<double> actual = fx().values(name);
        ASSERT_EQ(actual.size(), expected.size()) << name;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(actual[i], expected[i], 1e-9) << name << "[" << i << "]";
        }
    }
    void expectOneBlock(const std::string& name)
    {
        const auto events = fx().editEvents();
        ASSERT_EQ(events.size(), 2u);
        EXPECT_TRUE(events[0].begin);
        EXPECT_EQ(events[0].name, name);
        EXPECT_FALSE(events[1].begin);
    }

    ProbeSession session;
};

TEST_P(HostInteract, LogsTheInteractAndManagerLines)
{
    // The log reaches its file once the bundle is unloaded.
    session.close();
    const std::string log = readFile(instanceLogPath(GetParam().fixture));
    EXPECT_NE(log.find("Created OverlayManager with 7 overlay definitions (coordSystem=" +
                       std::to_string(GetParam().coordSystem) + ")"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("OverlayManager created with 6 overlays"), std::string::npos);
    EXPECT_NE(log.find("QualifierOverlay not yet implemented for param 'level'"), std::string::npos);
    EXPECT_NE(log.find("GenericOverlayInteract constructor"), std::string::npos);
    EXPECT_NE(log.find("GenericOverlayInteract destructor"), std::string::npos);
}

TEST_P(HostInteract, DrawsEveryKindAtItsPlace)
{
    const auto drawn = shapes(overlay().lastDraw());
    ASSERT_EQ(drawn.size(), 22u);
    // Point with its label and vector child.
    expectLines(drawn[0], {{185, 200}, {215, 200}, {200, 185}, {200, 215}});
    expectEllipse(drawn[1], {200, 200}, 10.5, 10.5);
    expectText(drawn[2], "Pos", {200, 177.5});
    expectLines(drawn[3], {{200, 200}, {240, 200}});
    expectEllipse(drawn[5], {200, 200}, 4, 4);
    // Radius around the point.
    expectEllipse(drawn[6], {200, 200}, 100, 100);
    expectRectangle(drawn[7], {300, 200}, 4, 4);
    expectText(drawn[8], "Reach", {200, 320});
    // Scale box around (400, 200) with three handles and the cross.
    expectLines(drawn[9], {{240, 120}, {560, 120}, {560, 120}, {560, 280}, {560, 280}, {240, 280}, {240, 280},
                           {240, 120}});
    expectRectangle(drawn[12], {560, 280}, 8, 8);
    expectLines(drawn[13], {{395, 200}, {405, 200}, {400, 195}, {400, 205}});
    // Slider at 0.9 (a float) of the width.
    expectLines(drawn[14], {{720, 40}, {720, 360}, {712, 40}, {728, 40}, {712, 360}, {728, 360}, {714.4, 200},
                            {725.6, 200}},
                1e-4);
    expectRectangle(drawn[15], {720, 200}, 12, 6, 1e-4);
    // Vector of fixed length 0.15 (a float) pointing up.
    expectLines(drawn[16], {{600, 300}, {600, 360}}, 1e-4);
    // Ellipse outline and ticks.
    ASSERT_EQ(drawn[19].points.size(), 96u);
    EXPECT_NEAR(drawn[19].points[0].x, 480, 1e-9);
    EXPECT_NEAR(drawn[19].points[0].y, 100, 1e-9);
    expectLines(drawn[20], {{476.4, 100}, {492, 100}});
    expectLines(drawn[21], {{400, 136.4}, {400, 152}});

    // Colours: the point red, its child cyan, the others white.
    const auto colours = ofKind(overlay().lastDraw(), Kind::SetColour);
    ASSERT_EQ(colours.size(), 7u);
    EXPECT_EQ(colours[0].colour.r, 1.0f);
    EXPECT_EQ(colours[0].colour.g, 0.0f);
    EXPECT_EQ(colours[1].colour.r, 0.0f);
    EXPECT_EQ(colours[1].colour.b, 1.0f);
    EXPECT_EQ(colours[2].colour.g, 1.0f);
}

TEST_P(HostInteract, ScreenSizesFollowThePixelScaleButToleranceStaysCanonical)
{
    ASSERT_EQ(overlay().draw(zoomed(2.0)), kOfxStatOK);
    const auto drawn = shapes(overlay().lastDraw());
    expectLines(drawn[0], {{170, 200}, {230, 200}, {200, 170}, {200, 230}});
    expectEllipse(drawn[1], {200, 200}, 21, 21);
    expectText(drawn[2], "Pos", {200, 155});
    EXPECT_EQ(overlay().penDown(pen(184, 200), zoomed(2.0)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penDown(pen(185, 185), zoomed(2.0)), kOfxStatOK);
}

TEST_P(HostInteract, PointDragIsOneEditBlockAndShowsTheDragColour)
{
    ASSERT_EQ(overlay().penDown(pen(205, 195)), kOfxStatOK);
    ASSERT_EQ(overlay().draw(), kOfxStatOK);
    const auto colours = ofKind(overlay().lastDraw(), Kind::SetColour);
    EXPECT_NEAR(colours[0].colour.g, 0.4f, 1e-6) << "red while dragged";
    EXPECT_NEAR(colours[0].colour.b, 0.2f, 1e-6);
    EXPECT_EQ(overlay().penMotion(pen(400, 300)), kOfxStatOK);
    EXPECT_EQ(overlay().penMotion(pen(600, 100)), kOfxStatOK);
    EXPECT_EQ(overlay().penUp(pen(600, 100)), kOfxStatOK);
    expectValues("pos", at(0.75, 0.25));
    expectOneBlock("Drag pos");
    int notified = 0;
    for (const ofxhost::ChangeRecord& change : fx().changes()) {
        if (change.name == "pos") {
            ++notified;
            EXPECT_EQ(change.reason, kOfxChangePluginEdited);
        }
    }
    EXPECT_EQ(notified, 3) << "two motions and the final write";
    expectValues("angle", {0.0});
}

TEST_P(HostInteract, VectorChildTakesThePenFirst)
{
    ASSERT_EQ(overlay().penDown(pen(240, 200)), kOfxStatOK);
    EXPECT_EQ(overlay().penMotion(pen(200, 100)), kOfxStatOK);
    EXPECT_EQ(overlay().penUp(pen(200, 100)), kOfxStatOK);
    expectValues("angle", {270.0});
    expectValues("len", {0.25});
    expectValues("pos", at(0.25, 0.5));
    expectOneBlock("Drag vector");
}

TEST_P(HostInteract, HiddenMidDragDropsTheDragAndRefusesThePenUp)
{
    ASSERT_EQ(overlay().penDown(pen(200, 200)), kOfxStatOK);
    ASSERT_EQ(overlay().penMotion(pen(210, 200)), kOfxStatOK);
    fx().setBool("show", false);
    EXPECT_EQ(overlay().penMotion(pen(220, 200)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penMotion(pen(230, 200)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penUp(pen(230, 200)), kOfxStatReplyDefault);
    expectOneBlock("Drag pos");
    expectValues("pos", at(210.0 / kWidth, 0.5));
    ASSERT_EQ(overlay().draw(), kOfxStatOK);
    EXPECT_EQ(shapes(overlay().lastDraw()).size(), 16u) << "the hidden point and its child draw nothing";
}

TEST_P(HostInteract, TopmostOverlayTakesThePenDown)
{
    fx().setDouble("rad", 0.025); // a circle of radius 10 around the point: both are hit at P
    ASSERT_EQ(overlay().penDown(pen(200, 200)), kOfxStatOK);
    EXPECT_EQ(overlay().penUp(pen(200, 200)), kOfxStatOK);
    expectOneBlock("Drag radius");
}

struct ClampCase {
    const char* name;
    OfxPointD down;
    OfxPointD to;
    const char* param;
    std::vector<double> value;
    const char* block;
};

TEST_P(HostInteract, DragsClampTheirValues)
{
    const ClampCase cases[] = {
        {"radius_onto_centre", {300, 200}, {200, 200}, "rad", {0.001}, "Drag radius"},
        {"radius_far_out", {300, 200}, {5000, 200}, "rad", {1.0}, "Drag radius"},
        {"slider_below", {720, 200}, {720, 0}, "level", {0.0}, "Drag slider"},
        {"slider_above", {720, 200}, {720, 1000}, "level", {1.0}, "Drag slider"},
        {"scale_corner_onto_centre", {560, 280}, {400, 200}, "box", {0.01, 0.01}, "Drag scale corner"},
        {"vector_down", {600, 360}, {600, 240}, "dir", {270.0}, "Drag vector"},
        {"ellipse_x_across_centre", {480, 100}, {300, 130}, "oval", {0.25, 0.1}, "Drag ellipse X"},
        {"ellipse_y_clamped", {400, 140}, {400, 100}, "oval", {0.2, 0.01}, "Drag ellipse Y"},
    };
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.name);
        fx().setDouble("rad", 0.25);
        fx().setDouble("level", 0.5);
        fx().setValues("box", {0.2, 0.2});
        fx().setDouble("dir", 90.0);
        fx().setValues("oval", {0.2, 0.1});
        const size_t blocksBefore = fx().editEvents().size();
        ASSERT_EQ(overlay().penDown(pen(c.down.x, c.down.y)), kOfxStatOK);
        EXPECT_EQ(overlay().penMotion(pen(c.to.x, c.to.y)), kOfxStatOK);
        EXPECT_EQ(overlay().penUp(pen(c.to.x, c.to.y)), kOfxStatOK);
        expectValues(c.param, c.value);
        const auto events = fx().editEvents();
        ASSERT_EQ(events.size(), blocksBefore + 2);
        EXPECT_EQ(events[blocksBefore].name, c.block);
    }
}

TEST_P(HostInteract, StrayPenEventsAreRefused)
{
    EXPECT_EQ(overlay().penUp(pen(200, 200)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penMotion(pen(200, 200)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penDown(pen(100, 380)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penMotion(pen(200, 200)), kOfxStatReplyDefault);
    EXPECT_EQ(overlay().penUp(pen(200, 200)), kOfxStatReplyDefault);
    EXPECT_TRUE(fx().editEvents().empty());
    EXPECT_TRUE(fx().changes().empty());
}

INSTANTIATE_TEST_SUITE_P(Systems, HostInteract,
                         ::testing::Values(SystemCase{"uv", 0}, SystemCase{"centered", 1},
                                           SystemCase{"centered_aspect", 2}),
                         [](const auto& info) { return std::string(info.param.fixture); });

TEST(HostInteractHost, NoOverlayInteractOnAHostWithoutOverlays)
{
    ProbeSession session = ProbeSession::open("uv", kWidth, kHeight, false);
    ASSERT_TRUE(session.instance);
    EXPECT_FALSE(session.overlay);
}

} // namespace
