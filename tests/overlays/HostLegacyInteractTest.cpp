// The older point interact declared for a definition with a "center" vec2 and no overlays,
// driven through the host.
#include "support/DrawChecks.h"
#include "support/HostFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace overlaytest;

TEST(HostLegacyInteract, CrosshairAtCenterAndDragWithoutEditBlock)
{
    ProbeSession session = ProbeSession::open("center", 800, 400);
    ASSERT_TRUE(session.instance);
    ASSERT_TRUE(session.overlay) << session.overlayStatus;
    ofxhost::EffectInstance& fx = *session.instance;
    ofxhost::OverlayInteract& overlay = *session.overlay;
    fx.setValues("center", {0.25, 0.75}); // (200, 300)

    ASSERT_EQ(overlay.draw(zoomed(2.0)), kOfxStatOK);
    auto drawn = shapes(overlay.lastDraw());
    ASSERT_EQ(drawn.size(), 3u);
    expectLines(drawn[0], {{170, 300}, {230, 300}, {200, 270}, {200, 330}});
    expectEllipse(drawn[1], {200, 300}, 21, 21);
    expectText(drawn[2], "center", {200, 255});
    expectColour(overlay.lastDraw(), 1, 1, 1);

    EXPECT_EQ(overlay.penDown(pen(216, 300)), kOfxStatReplyDefault);
    ASSERT_EQ(overlay.penDown(pen(215, 285)), kOfxStatOK);
    ASSERT_EQ(overlay.draw(), kOfxStatOK);
    expectColour(overlay.lastDraw(), 0, 1, 0);
    const int redraws = overlay.redrawRequests();
    EXPECT_EQ(overlay.penMotion(pen(400, 100)), kOfxStatOK);
    EXPECT_EQ(fx.values("center"), (std::vector<double>{0.5, 0.25}));
    EXPECT_EQ(overlay.penUp(pen(400, 100)), kOfxStatOK);
    EXPECT_GE(overlay.redrawRequests(), redraws + 2);
    EXPECT_EQ(overlay.penUp(pen(400, 100)), kOfxStatReplyDefault);
    EXPECT_TRUE(fx.editEvents().empty());
}

TEST(HostLegacyInteract, LosingFocusEndsTheDrag)
{
    ProbeSession session = ProbeSession::open("center", 800, 400);
    ASSERT_TRUE(session.overlay);
    ofxhost::OverlayInteract& overlay = *session.overlay;
    ASSERT_EQ(overlay.penDown(pen(400, 200)), kOfxStatOK);
    EXPECT_EQ(overlay.loseFocus(), kOfxStatOK);
    EXPECT_EQ(overlay.penMotion(pen(100, 100)), kOfxStatReplyDefault);
    EXPECT_EQ(session.instance->values("center"), (std::vector<double>{0.5, 0.5}));
}

} // namespace
