// The overlay definition registry and the generic overlay interact that builds its manager from
// the registry's active effect on the first draw.
#include "overlays/GenericOverlayInteract.h"
#include "overlays/OverlayDefinitionRegistry.h"

#include "support/DrawChecks.h"
#include "support/InProcessHost.h"
#include "support/OverlayArgs.h"
#include "support/OverlayDefs.h"
#include "support/OverlayLog.h"

#include <gtest/gtest.h>

namespace {

using namespace overlaytest;
using XD = XMLEffectDefinition;
using Registry = OFX::OverlayDefinitionRegistry;

TEST(OverlayDefinitionRegistry, RegistersCopiesAndReplacesByName)
{
    OverlayLog log;
    Registry& registry = Registry::getInstance();
    EXPECT_EQ(&registry, &Registry::getInstance());
    EXPECT_FALSE(registry.getOverlays("registry never registered").has_value());
    EXPECT_EQ(registry.getCoordSystem("registry never registered"), XD::UV);

    std::vector<OverlayDef> defs{overlayDef(XD::Point, "a"), overlayDef(XD::Radius, "r")};
    registry.registerOverlays("registry effect", defs, XD::Centered);
    defs.clear(); // the registry keeps its own copy
    EXPECT_TRUE(log.contains("Registered 2 overlays for effect 'registry effect' (coordSystem=1)"));
    ASSERT_TRUE(registry.getOverlays("registry effect").has_value());
    EXPECT_EQ(registry.getOverlays("registry effect")->size(), 2u);
    EXPECT_EQ(registry.getOverlays("registry effect")->at(1).param, "r");
    EXPECT_EQ(registry.getCoordSystem("registry effect"), XD::Centered);

    registry.registerOverlays("registry effect", {overlayDef(XD::VSlider, "s")}, XD::CenteredAspect);
    EXPECT_TRUE(log.contains("Registered 1 overlays for effect 'registry effect' (coordSystem=2)"));
    EXPECT_EQ(registry.getOverlays("registry effect")->size(), 1u);
    EXPECT_EQ(registry.getCoordSystem("registry effect"), XD::CenteredAspect);

    registry.setActiveEffect("registry effect");
    EXPECT_EQ(registry.getActiveEffect(), "registry effect");
}

class GenericInteract : public ::testing::Test {
protected:
    GenericInteract()
    {
        host.addDouble2D("pos", 0.5, 0.5);
        host.addDouble("level", 0.5);
        Registry::getInstance().registerOverlays("interact effect",
                                                 {overlayDef(XD::Point, "pos"), overlayDef(XD::VSlider, "level")},
                                                 XD::Centered);
        Registry::getInstance().registerOverlays("interact empty effect", {}, XD::UV);
    }
    OverlayLog log;
    InProcessHost host;
    InteractHandle handle;
};

TEST_F(GenericInteract, LogsItsLifeAndBuildsTheManagerOnTheFirstDraw)
{
    Registry::getInstance().setActiveEffect("interact effect");
    {
        OFX::GenericOverlayInteract interact(handle.handle(), host.effect());
        EXPECT_TRUE(log.contains("GenericOverlayInteract constructor"));
        EXPECT_EQ(interact.getManager(), nullptr);
        EXPECT_FALSE(interact.penDown(penAt(1920, 1080))) << "pen events before the first draw";
        EXPECT_FALSE(interact.penMotion(penAt(960, 540)));
        EXPECT_FALSE(interact.penUp(penAt(960, 540)));

        ofxhost::DrawContext context;
        EXPECT_TRUE(interact.draw(drawArgs(context)));
        ASSERT_NE(interact.getManager(), nullptr);
        EXPECT_TRUE(log.contains("Created OverlayManager with 2 overlay definitions (coordSystem=1)"));
        EXPECT_EQ(log.count("OverlayManager created with 2 overlays"), 1u);
        // Centred coordinates: (0.5, 0.5) is the upper-right corner.
        expectLines(shapes(context.commands)[0], {{1905, 1080}, {1935, 1080}, {1920, 1065}, {1920, 1095}});

        ofxhost::DrawContext again;
        EXPECT_TRUE(interact.draw(drawArgs(again)));
        EXPECT_EQ(log.count("OverlayManager created with"), 1u) << "built once";

        ASSERT_TRUE(interact.penDown(penAt(1920, 1080)));
        EXPECT_TRUE(interact.penMotion(penAt(960, 540)));
        EXPECT_TRUE(interact.penUp(penAt(960, 540)));
        EXPECT_NEAR(host.values("pos")[0], 0.0, 1e-12);
        EXPECT_NEAR(host.values("pos")[1], 0.0, 1e-12);
    }
    EXPECT_TRUE(log.contains("GenericOverlayInteract destructor"));
}

TEST_F(GenericInteract, ActiveEffectWithoutDefinitionsNeverBuildsAManager)
{
    Registry::getInstance().setActiveEffect("interact other effect");
    OFX::GenericOverlayInteract interact(handle.handle(), host.effect());
    for (int i = 0; i < 3; ++i) {
        ofxhost::DrawContext context;
        EXPECT_FALSE(interact.draw(drawArgs(context)));
        EXPECT_TRUE(context.commands.empty());
    }
    EXPECT_EQ(interact.getManager(), nullptr);
    EXPECT_EQ(log.count("No overlay definitions found for effect 'interact other effect'"), 3u);
    EXPECT_FALSE(interact.penDown(penAt(960, 540)));
    EXPECT_FALSE(interact.penMotion(penAt(960, 540)));
    EXPECT_FALSE(interact.penUp(penAt(960, 540)));
    EXPECT_TRUE(host.writes().empty());

    // Registered later under the active name: the next draw finds it.
    Registry::getInstance().setActiveEffect("interact effect");
    ofxhost::DrawContext context;
    EXPECT_TRUE(interact.draw(drawArgs(context)));
    EXPECT_NE(interact.getManager(), nullptr);
}

TEST_F(GenericInteract, EmptyRegisteredListBuildsNoManager)
{
    Registry::getInstance().setActiveEffect("interact empty effect");
    OFX::GenericOverlayInteract interact(handle.handle(), host.effect());
    ofxhost::DrawContext context;
    EXPECT_FALSE(interact.draw(drawArgs(context)));
    EXPECT_EQ(interact.getManager(), nullptr);
    EXPECT_TRUE(log.contains("No overlay definitions found for effect 'interact empty effect'"));
}

TEST_F(GenericInteract, WithoutAnEffectNothingIsBuilt)
{
    Registry::getInstance().setActiveEffect("interact effect");
    OFX::GenericOverlayInteract interact(handle.handle(), nullptr);
    ofxhost::DrawContext context;
    EXPECT_FALSE(interact.draw(drawArgs(context)));
    EXPECT_EQ(interact.getManager(), nullptr);
    EXPECT_FALSE(log.contains("No overlay definitions found"));
}

} // namespace
