// The older point interact for a "center" parameter: white crosshair turning green while dragged,
// "center" set to the pen position over the image size, redraw requests, no edit block.
#include "overlays/PointOverlayInteract.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"

#include <gtest/gtest.h>

namespace {

using namespace overlaytest;

class LegacyInteract : public ::testing::Test {
protected:
    LegacyInteract() { host.connectSource(1000, 500); }
    InProcessHost host;
    InteractHandle handle;
};

TEST_F(LegacyInteract, DrawsTheCrosshairWhiteAndGreenWhileDragging)
{
    host.addDouble2D("center", 0.25, 0.5); // read without any coordinate system
    OFX::PointOverlayInteract interact(handle.handle(), host.effect());
    ofxhost::DrawContext context;
    EXPECT_TRUE(interact.draw(drawArgs(context, 2.0, 3.0)));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 3u);
    expectLines(drawn[0], {{220, 250}, {280, 250}, {250, 205}, {250, 295}});
    expectEllipse(drawn[1], {250, 250}, 21, 31.5);
    expectText(drawn[2], "center", {250, 250 - 67.5});
    expectColour(context.commands, 1, 1, 1);
    EXPECT_EQ(lineWidths(context.commands), (std::vector<float>{2.0f}));

    ASSERT_TRUE(interact.penDown(penAt(265, 235)));
    ofxhost::DrawContext dragging;
    interact.draw(drawArgs(dragging));
    expectColour(dragging.commands, 0, 1, 0);
}

TEST_F(LegacyInteract, DragSetsCenterToThePenOverTheImageSizeWithoutAnEditBlock)
{
    host.addDouble2D("center", 0.5, 0.5); // (500, 250)
    OFX::PointOverlayInteract interact(handle.handle(), host.effect());
    EXPECT_FALSE(interact.penMotion(penAt(10, 10))) << "no drag yet";
    EXPECT_FALSE(interact.penDown(penAt(516, 250)));
    ASSERT_TRUE(interact.penDown(penAt(515, 265)));
    EXPECT_TRUE(interact.isDragging());
    const int redrawsBefore = handle.redrawRequests();
    EXPECT_TRUE(interact.penMotion(penAt(100, 400)));
    EXPECT_EQ(host.values("center"), (std::vector<double>{0.1, 0.8}));
    EXPECT_EQ(handle.redrawRequests(), redrawsBefore + 1);
    EXPECT_TRUE(interact.penUp(penAt(100, 400)));
    EXPECT_EQ(handle.redrawRequests(), redrawsBefore + 2);
    EXPECT_FALSE(interact.penUp(penAt(100, 400)));
    EXPECT_TRUE(host.editEvents().empty());
    ASSERT_EQ(host.writes().size(), 1u);
    EXPECT_FALSE(host.writes()[0].insideEditBlock);
}

TEST_F(LegacyInteract, FocusEvents)
{
    host.addDouble2D("center", 0.5, 0.5);
    OFX::PointOverlayInteract interact(handle.handle(), host.effect());
    interact.gainFocus(OFX::FocusArgs{});
    EXPECT_EQ(handle.redrawRequests(), 1);
    interact.loseFocus(OFX::FocusArgs{});
    EXPECT_EQ(handle.redrawRequests(), 1) << "nothing to cancel";
    ASSERT_TRUE(interact.penDown(penAt(500, 250)));
    interact.loseFocus(OFX::FocusArgs{});
    EXPECT_FALSE(interact.isDragging());
    EXPECT_EQ(handle.redrawRequests(), 2);
    EXPECT_FALSE(interact.penMotion(penAt(0, 0)));
}

TEST_F(LegacyInteract, WithoutCenterItDrawsAtTheImageCentreAndRefusesThePen)
{
    OFX::PointOverlayInteract interact(handle.handle(), host.effect());
    ofxhost::DrawContext context;
    EXPECT_TRUE(interact.draw(drawArgs(context)));
    expectEllipse(shapes(context.commands)[1], {500, 250}, 10.5, 10.5);
    EXPECT_FALSE(interact.penDown(penAt(500, 250)));
}

TEST_F(LegacyInteract, DrawIsRefusedWithoutAContext)
{
    host.addDouble2D("center", 0.5, 0.5);
    OFX::PointOverlayInteract interact(handle.handle(), host.effect());
    OFX::DrawArgs args;
    EXPECT_FALSE(interact.draw(args));
}

} // namespace
