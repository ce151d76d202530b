// Overlay interacts: description, creation, recorded drawing, pen and focus
// events, and redraw requests from slaved parameters.
#include "host/OverlayInteract.h"
#include "ProbeFixture.h"

namespace {

using ofxhost::DrawCommand;
using ofxhost::InteractView;
using ofxhost::PenEvent;

class OverlayTest : public probe::ProbeTest {};

TEST_F(OverlayTest, DrawIsRecordedCallByCall) {
  makeInstance();
  OfxStatus status = kOfxStatFailed;
  auto overlay = instance->createOverlay(&status);
  ASSERT_EQ(status, kOfxStatOK);
  ASSERT_TRUE(overlay);
  InteractView view;
  view.pixelScale = {1.5, 1.5};
  view.background = {0.2, 0.3, 0.4};
  ASSERT_EQ(overlay->draw(view), kOfxStatOK);
  const std::vector<DrawCommand> &cmds = overlay->lastDraw();
  ASSERT_EQ(cmds.size(), 6u);
  EXPECT_EQ(cmds[0].kind, DrawCommand::Kind::GetColour);
  EXPECT_EQ(cmds[0].standardColour, kOfxStandardColourOverlayActive);
  EXPECT_EQ(cmds[0].colour.g, ofxhost::standardColour(kOfxStandardColourOverlayActive).g);
  EXPECT_EQ(cmds[1].kind, DrawCommand::Kind::SetColour);
  EXPECT_EQ(cmds[1].colour.r, 1.0f);
  EXPECT_EQ(cmds[1].colour.g, 0.0f);
  EXPECT_EQ(cmds[2].kind, DrawCommand::Kind::SetLineWidth);
  EXPECT_EQ(cmds[2].lineWidth, 3.0f);  // 2 screen pixels at pixel scale 1.5
  EXPECT_EQ(cmds[3].kind, DrawCommand::Kind::SetLineStipple);
  EXPECT_EQ(cmds[3].stipple, kOfxDrawLineStipplePatternDash);
  EXPECT_EQ(cmds[4].kind, DrawCommand::Kind::Draw);
  EXPECT_EQ(cmds[4].primitive, kOfxDrawPrimitiveLines);
  ASSERT_EQ(cmds[4].points.size(), 2u);
  EXPECT_EQ(cmds[4].points[1].x, 1.0);
  EXPECT_EQ(cmds[4].points[1].y, 2.0);
  EXPECT_EQ(cmds[5].kind, DrawCommand::Kind::DrawText);
  EXPECT_EQ(cmds[5].text, "gain=1.00");
  EXPECT_EQ(cmds[5].position.x, 1.0);
  EXPECT_EQ(cmds[5].alignment, kOfxDrawTextAlignmentLeft | kOfxDrawTextAlignmentBottom);
  for (const DrawCommand &c : cmds) EXPECT_EQ(c.status, kOfxStatOK);
  const double *background = probe::exported<const double *(*)()>(*bundle, "hostprobe_background")();
  EXPECT_EQ(background[2], 0.4);
  EXPECT_EQ(overlay->drawCount(), 1);
}

TEST_F(OverlayTest, PenDragsTheOffsetAndNotifiesIt) {
  makeInstance();
  auto overlay = instance->createOverlay();
  ASSERT_TRUE(overlay);
  InteractView view;
  view.pixelScale = {2.0, 2.0};
  PenEvent miss;
  miss.position = {30.0, 30.0};
  EXPECT_EQ(overlay->penDown(miss, view), kOfxStatReplyDefault);
  EXPECT_EQ(overlay->penMotion(miss, view), kOfxStatReplyDefault);
  PenEvent grab;
  grab.position = {1.0 + 8.0, 2.0};  // 4 screen pixels away at pixel scale 2
  EXPECT_EQ(overlay->penDown(grab, view), kOfxStatOK);
  PenEvent move;
  move.position = {10.0, 20.0};
  instance->clearChanges();
  EXPECT_EQ(overlay->penMotion(move, view), kOfxStatOK);
  EXPECT_EQ(instance->values("offset"), (std::vector<double>{10.0, 20.0}));
  ASSERT_FALSE(instance->changes().empty());
  EXPECT_EQ(instance->changes()[1].name, "offset");
  EXPECT_EQ(instance->changes()[1].reason, kOfxChangePluginEdited);
  EXPECT_EQ(overlay->penUp(move, view), kOfxStatOK);
  EXPECT_EQ(overlay->penMotion(move, view), kOfxStatReplyDefault);
}

TEST_F(OverlayTest, FocusAndKeys) {
  makeInstance();
  auto overlay = instance->createOverlay();
  ASSERT_TRUE(overlay);
  auto focus = probe::exported<int (*)()>(*bundle, "hostprobe_focus");
  const int before = focus();
  EXPECT_EQ(overlay->gainFocus(), kOfxStatOK);
  EXPECT_EQ(focus(), before + 1);
  EXPECT_EQ(overlay->loseFocus(), kOfxStatOK);
  EXPECT_EQ(focus(), before);
  EXPECT_EQ(overlay->keyDown(kOfxKey_a, "a"), kOfxStatReplyDefault);
}

TEST_F(OverlayTest, SlavedParametersRequestRedraws) {
  makeInstance();
  auto overlay = instance->createOverlay();
  ASSERT_TRUE(overlay);
  EXPECT_EQ(overlay->slaveParams(), (std::vector<std::string>{"gain", "offset"}));
  EXPECT_EQ(overlay->redrawRequests(), 0);
  instance->setInt("count", 5);
  EXPECT_EQ(overlay->redrawRequests(), 0);
  instance->setDouble("gain", 2.0);
  EXPECT_EQ(overlay->redrawRequests(), 1);
  instance->setValues("offset", {3.0, 4.0});
  EXPECT_EQ(overlay->redrawRequests(), 2);
  // The interact suite's own calls count too.
  EXPECT_EQ(ofxhost::interactSuite()->interactRedraw(overlay->object().handle()), kOfxStatOK);
  EXPECT_EQ(ofxhost::interactSuite()->interactSwapBuffers(overlay->object().handle()), kOfxStatOK);
  EXPECT_EQ(overlay->redrawRequests(), 3);
  EXPECT_EQ(overlay->swapRequests(), 1);
  EXPECT_EQ(ofxhost::interactSuite()->interactRedraw(nullptr), kOfxStatErrBadHandle);
}

TEST_F(OverlayTest, OverlayOutlivingItsInstanceIsInert) {
  makeInstance();
  auto overlay = instance->createOverlay();
  ASSERT_TRUE(overlay);
  instance.reset();
  EXPECT_EQ(overlay->draw(), kOfxStatErrBadHandle);
  EXPECT_EQ(overlay->penDown(PenEvent{}), kOfxStatErrBadHandle);
}

class NoOverlayHostTest : public probe::ProbeTest {
  ofxhost::HostOptions options() override {
    ofxhost::HostOptions o;
    o.supportsOverlays = false;
    return o;
  }
};

TEST_F(NoOverlayHostTest, NoOverlayWithoutHostSupport) {
  makeInstance();
  OfxStatus status = kOfxStatOK;
  EXPECT_FALSE(instance->createOverlay(&status));
  EXPECT_EQ(status, kOfxStatErrMissingHostFeature);
}

TEST(DrawSuite, RefusesMalformedCallsAndRecordsThem) {
  ofxhost::DrawContext context;
  const OfxDrawSuiteV1 *draw = ofxhost::drawSuite();
  const OfxPointD one[1] = {{0, 0}};
  OfxRGBAColourF colour;
  EXPECT_EQ(draw->draw(context.handle(), kOfxDrawPrimitiveRectangle, one, 1), kOfxStatErrValue);
  EXPECT_EQ(draw->draw(context.handle(), kOfxDrawPrimitiveLines, nullptr, 2), kOfxStatErrValue);
  EXPECT_EQ(draw->draw(context.handle(), static_cast<OfxDrawPrimitive>(7), one, 1), kOfxStatErrValue);
  EXPECT_EQ(draw->drawText(context.handle(), nullptr, one, 0), kOfxStatErrValue);
  EXPECT_EQ(draw->setColour(context.handle(), nullptr), kOfxStatErrValue);
  EXPECT_EQ(draw->setLineWidth(context.handle(), -1.0f), kOfxStatErrValue);
  EXPECT_EQ(draw->setLineStipple(context.handle(), static_cast<OfxDrawLineStipplePattern>(7)), kOfxStatErrValue);
  EXPECT_EQ(draw->getColour(context.handle(), static_cast<OfxStandardColour>(7), &colour), kOfxStatErrValue);
  EXPECT_EQ(draw->getColour(nullptr, kOfxStandardColourOverlayText, &colour), kOfxStatErrBadHandle);
  ASSERT_EQ(context.commands.size(), 8u);
  for (const DrawCommand &c : context.commands) EXPECT_EQ(c.status, kOfxStatErrValue);
}

}  // namespace
