// The overlay manager: one object per definition with its configuration, point children, draw
// order, topmost-first pen-down, drags routed to one overlay, hidden-mid-drag release.
#include "overlays/OverlayManager.h"

#include "overlays/EllipseOverlay.h"
#include "overlays/PointOverlay.h"
#include "overlays/RadiusOverlay.h"
#include "overlays/Scale2DOverlay.h"
#include "overlays/VSliderOverlay.h"
#include "overlays/VectorOverlay.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"
#include "support/OverlayDefs.h"
#include "support/OverlayLog.h"

#include <gtest/gtest.h>

namespace {

using namespace overlaytest;
using XD = XMLEffectDefinition;

TEST(OverlayManager, CreatesOneConfiguredObjectPerKind)
{
    OverlayLog log;
    InProcessHost host;
    std::vector<OverlayDef> defs;
    OverlayDef point = overlayDef(XD::Point, "pos");
    point.style = "Diamond";
    point.color = colourDef(1, 0, 0);
    point.label = "Centre";
    point.visibleWhen = "show";
    defs.push_back(point);
    OverlayDef radius = overlayDef(XD::Radius, "r");
    radius.center = "pos";
    defs.push_back(radius);
    OverlayDef scale = overlayDef(XD::Scale2D, "s");
    scale.center = "pos";
    defs.push_back(scale);
    OverlayDef slider = overlayDef(XD::VSlider, "level");
    slider.fixedX = 0.9f;
    defs.push_back(slider);
    OverlayDef vector = vectorDef("angle", "pos", "len", 0.3f);
    vector.param = "angle";
    defs.push_back(vector);
    OverlayDef ellipse = overlayDef(XD::Ellipse, "radii");
    ellipse.center = "pos";
    defs.push_back(ellipse);
    defs.push_back(overlayDef(XD::Qualifier, "q"));

    OFX::OverlayManager manager(host.effect(), defs, XD::CenteredAspect);
    const auto& overlays = manager.getOverlays();
    ASSERT_EQ(overlays.size(), 6u) << "the qualifier yields no object";
    EXPECT_TRUE(log.contains("QualifierOverlay not yet implemented for param 'q'"));
    EXPECT_TRUE(log.contains("OverlayManager created with 6 overlays"));

    auto* p = dynamic_cast<OFX::PointOverlay*>(overlays[0].get());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->getParamName(), "pos");
    EXPECT_EQ(p->getStyle(), OFX::PointOverlay::Diamond);
    EXPECT_TRUE(p->getColor().isSet);
    EXPECT_EQ(p->getColor().r, 1.0f);
    EXPECT_EQ(p->getColor().g, 0.0f);
    EXPECT_EQ(p->getLabel(), "Centre");
    EXPECT_EQ(p->getVisibleWhen(), "show");
    EXPECT_EQ(p->getVectorChild(), nullptr);

    auto* r = dynamic_cast<OFX::RadiusOverlay*>(overlays[1].get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->getParamName(), "r");
    EXPECT_EQ(r->getCenterName(), "pos");
    EXPECT_FALSE(r->getColor().isSet);
    EXPECT_TRUE(r->getLabel().empty());
    auto* s = dynamic_cast<OFX::Scale2DOverlay*>(overlays[2].get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->getParamName(), "s");
    auto* v = dynamic_cast<OFX::VSliderOverlay*>(overlays[3].get());
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->getFixedX(), 0.9f);
    auto* vec = dynamic_cast<OFX::VectorOverlay*>(overlays[4].get());
    ASSERT_NE(vec, nullptr);
    EXPECT_EQ(vec->getDirectionName(), "angle");
    EXPECT_EQ(vec->getCenterName(), "pos");
    EXPECT_EQ(vec->getMagnitudeName(), "len");
    EXPECT_EQ(vec->getFixedMagnitude(), 0.3f);
    auto* e = dynamic_cast<OFX::EllipseOverlay*>(overlays[5].get());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->getCenterName(), "pos");
    for (const auto& overlay : overlays) {
        EXPECT_EQ(overlay->getCoordSystem(), XD::CenteredAspect);
    }
}

TEST(OverlayManager, PointUsesOnlyItsFirstVectorChild)
{
    InProcessHost host;
    OverlayDef point = overlayDef(XD::Point, "pos");
    OverlayDef radiusChild = overlayDef(XD::Radius, "r");
    point.children.push_back(radiusChild);
    OverlayDef first = vectorDef("angle"); // no centre: starts at the point
    first.color = colourDef(0, 1, 0);
    first.label = "Arrow";
    first.visibleWhen = "arrow_on";
    point.children.push_back(first);
    point.children.push_back(vectorDef("other", "elsewhere"));
    OFX::OverlayManager manager(host.effect(), {point}, XD::Centered);

    auto* p = dynamic_cast<OFX::PointOverlay*>(manager.getOverlays().at(0).get());
    ASSERT_NE(p, nullptr);
    const OFX::VectorOverlay* child = p->getVectorChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->getDirectionName(), "angle");
    EXPECT_EQ(child->getCenterName(), "pos");
    EXPECT_EQ(child->getCoordSystem(), XD::Centered);
    EXPECT_TRUE(child->getColor().isSet);
    EXPECT_EQ(child->getColor().g, 1.0f);
    EXPECT_EQ(child->getLabel(), "Arrow");
    EXPECT_EQ(child->getVisibleWhen(), "arrow_on");
}

TEST(OverlayManager, RadiusChildOfAPointIsIgnored)
{
    InProcessHost host;
    OverlayDef point = overlayDef(XD::Point, "pos");
    point.children.push_back(overlayDef(XD::Radius, "r"));
    OFX::OverlayManager manager(host.effect(), {point}, XD::UV);
    ASSERT_EQ(manager.getOverlays().size(), 1u);
    EXPECT_EQ(dynamic_cast<OFX::PointOverlay*>(manager.getOverlays()[0].get())->getVectorChild(), nullptr);
}

TEST(OverlayManager, VectorChildWithItsOwnCentreKeepsIt)
{
    InProcessHost host;
    OverlayDef point = overlayDef(XD::Point, "pos");
    point.children.push_back(vectorDef("angle", "anchor"));
    OFX::OverlayManager manager(host.effect(), {point}, XD::UV);
    auto* p = dynamic_cast<OFX::PointOverlay*>(manager.getOverlays().at(0).get());
    ASSERT_NE(p->getVectorChild(), nullptr);
    EXPECT_EQ(p->getVectorChild()->getCenterName(), "anchor");
}

TEST(OverlayManager, VectorChildIsDrawnFromThePoint)
{
    InProcessHost host;
    host.addDouble2D("pos", 0.25, 0.5);
    host.addDouble("angle", 0.0);
    OverlayDef point = overlayDef(XD::Point, "pos");
    point.style = "dot";
    point.children.push_back(vectorDef("angle"));
    OFX::OverlayManager manager(host.effect(), {point}, XD::UV);
    ofxhost::DrawContext context;
    EXPECT_TRUE(manager.draw(drawArgs(context)));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 4u);
    expectLines(drawn[1], {{480, 540}, {480 + 108, 540}}, 1e-4);
}

TEST(OverlayManager, DrawsInDefinitionOrderAndReportsWhetherAnythingExists)
{
    InProcessHost host;
    host.addDouble2D("a", 0.25, 0.25);
    host.addDouble2D("b", 0.75, 0.75);
    OverlayDef first = overlayDef(XD::Point, "a");
    first.style = "dot";
    OverlayDef second = overlayDef(XD::Point, "b");
    second.style = "dot";
    OFX::OverlayManager manager(host.effect(), {first, second}, XD::UV);
    ofxhost::DrawContext context;
    EXPECT_TRUE(manager.draw(drawArgs(context)));
    const auto drawn = shapes(context.commands);
    ASSERT_EQ(drawn.size(), 2u);
    expectEllipse(drawn[0], {480, 270}, 6, 6);
    expectEllipse(drawn[1], {1440, 810}, 6, 6);

    OFX::OverlayManager onlyQualifier(host.effect(), {overlayDef(XD::Qualifier, "q")}, XD::UV);
    ofxhost::DrawContext empty;
    EXPECT_FALSE(onlyQualifier.draw(drawArgs(empty)));
    EXPECT_TRUE(empty.commands.empty());
}

TEST(OverlayManager, DrawIsRefusedWithoutADrawSuite)
{
    InProcessHost host(HostFeatures{true, false, true});
    host.addDouble2D("a", 0.25, 0.25);
    OFX::OverlayManager manager(host.effect(), {overlayDef(XD::Point, "a")}, XD::UV);
    ofxhost::DrawContext context;
    EXPECT_FALSE(manager.draw(drawArgs(context)));
    EXPECT_TRUE(context.commands.empty());
}

class ManagerPen : public ::testing::Test {
protected:
    ManagerPen()
    {
        host.addDouble2D("a", 0.5, 0.5);
        host.addDouble2D("b", 0.5, 0.5);
        host.addBoolean("show", true);
    }
    InProcessHost host;
};

TEST_F(ManagerPen, OverlappingPointsDragTheOneDrawnOnTop)
{
    OFX::OverlayManager manager(host.effect(), {overlayDef(XD::Point, "a"), overlayDef(XD::Point, "b")}, XD::UV);
    const auto& overlays = manager.getOverlays();
    ASSERT_TRUE(manager.penDown(penAt(960, 540)));
    EXPECT_EQ(manager.getActiveOverlay(), overlays[1].get());
    EXPECT_EQ(overlays[0]->getState(), OFX::OverlayBase::Idle);
    EXPECT_TRUE(overlays[1]->isDragging());
    EXPECT_TRUE(manager.penMotion(penAt(192, 108)));
    EXPECT_TRUE(manager.penUp(penAt(192, 108)));
    EXPECT_EQ(manager.getActiveOverlay(), nullptr);
    EXPECT_EQ(host.values("a"), (std::vector<double>{0.5, 0.5}));
    EXPECT_NEAR(host.values("b")[0], 0.1, 1e-12);
    ASSERT_EQ(host.editEvents().size(), 2u);
    EXPECT_EQ(host.editEvents()[0].name, "Drag b");
}

TEST_F(ManagerPen, PenDownNobodyAcceptsChangesNothing)
{
    OFX::OverlayManager manager(host.effect(), {overlayDef(XD::Point, "a"), overlayDef(XD::Point, "b")}, XD::UV);
    EXPECT_FALSE(manager.penDown(penAt(100, 100)));
    EXPECT_FALSE(manager.penMotion(penAt(960, 540)));
    EXPECT_FALSE(manager.penMotion(penAt(200, 200)));
    EXPECT_FALSE(manager.penUp(penAt(200, 200)));
    EXPECT_TRUE(host.writes().empty());
    EXPECT_TRUE(host.editEvents().empty());
    EXPECT_EQ(manager.getActiveOverlay(), nullptr);
}

TEST_F(ManagerPen, HiddenMidDragReleasesTheOverlayAndRefusesThePenUp)
{
    OverlayDef point = overlayDef(XD::Point, "a");
    point.visibleWhen = "show";
    OFX::OverlayManager manager(host.effect(), {point}, XD::UV);
    ASSERT_TRUE(manager.penDown(penAt(960, 540)));
    ASSERT_TRUE(manager.penMotion(penAt(970, 540)));
    host.setValues("show", {0});
    EXPECT_FALSE(manager.penMotion(penAt(980, 540))) << "the overlay drops the drag";
    EXPECT_NE(manager.getActiveOverlay(), nullptr);
    EXPECT_FALSE(manager.penMotion(penAt(990, 540))) << "the manager lets go";
    EXPECT_EQ(manager.getActiveOverlay(), nullptr);
    EXPECT_FALSE(manager.penUp(penAt(990, 540)));
    EXPECT_FALSE(host.editOpen());
    EXPECT_EQ(host.writes().size(), 1u);
}

TEST_F(ManagerPen, PenDownWithoutThePreviousPenUpClosesTheStaleDragFirst)
{
    host.setValues("b", {0.25, 0.25});
    OFX::OverlayManager manager(host.effect(), {overlayDef(XD::Point, "a"), overlayDef(XD::Point, "b")}, XD::UV);
    const auto& overlays = manager.getOverlays();
    ASSERT_TRUE(manager.penDown(penAt(960, 540)));
    ASSERT_TRUE(manager.penMotion(penAt(970, 540)));
    // The pen-up was lost; the next pen-down lands on the other point.
    ASSERT_TRUE(manager.penDown(penAt(480, 270)));
    EXPECT_EQ(overlays[0]->getState(), OFX::OverlayBase::Idle);
    EXPECT_TRUE(overlays[1]->isDragging());
    EXPECT_EQ(manager.getActiveOverlay(), overlays[1].get());
    EXPECT_TRUE(manager.penUp(penAt(480, 270)));
    const auto events = host.editEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].name, "Drag a");
    EXPECT_FALSE(events[1].begin);
    EXPECT_EQ(events[2].name, "Drag b");
    EXPECT_FALSE(events[3].begin);
    EXPECT_NEAR(host.values("a")[0], 970.0 / 1920.0, 1e-12);
}

TEST_F(ManagerPen, VectorChildDragIsRoutedUntilItsPenUp)
{
    host.addDouble("angle", 0.0);
    OverlayDef point = overlayDef(XD::Point, "a");
    point.children.push_back(vectorDef("angle"));
    OFX::OverlayManager manager(host.effect(), {point}, XD::UV);
    ASSERT_TRUE(manager.penDown(penAt(960 + 108, 540))); // the arrow tip
    EXPECT_TRUE(manager.penMotion(penAt(960, 640)));
    EXPECT_TRUE(manager.penMotion(penAt(860, 540)));
    EXPECT_NEAR(host.values("angle")[0], 180.0, 1e-9);
    EXPECT_TRUE(manager.penUp(penAt(860, 540)));
    EXPECT_EQ(host.values("a"), (std::vector<double>{0.5, 0.5}));
    const auto events = host.editEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].name, "Drag vector");
    EXPECT_FALSE(host.editOpen());
}

TEST_F(ManagerPen, DragsStayWithTheActiveOverlayEvenOverAnother)
{
    host.addDouble("r", 0.1);
    OverlayDef radius = overlayDef(XD::Radius, "r");
    radius.center = "a";
    OFX::OverlayManager manager(host.effect(), {radius, overlayDef(XD::Point, "b")}, XD::UV);
    ASSERT_TRUE(manager.penDown(penAt(960 + 108, 540))); // on the circle, away from the point
    EXPECT_EQ(manager.getActiveOverlay(), manager.getOverlays()[0].get());
    EXPECT_TRUE(manager.penMotion(penAt(960, 540 + 216)));
    EXPECT_TRUE(manager.penMotion(penAt(965, 540)));       // right over the point
    EXPECT_NEAR(host.values("r")[0], 5.0 / 1080.0, 1e-12);
    EXPECT_EQ(host.values("b"), (std::vector<double>{0.5, 0.5}));
    EXPECT_TRUE(manager.penUp(penAt(965, 540)));
}

} // namespace
