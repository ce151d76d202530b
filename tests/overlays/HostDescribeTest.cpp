// The overlay interact each built bundle declares when described by a host, with and without
// overlay support.
#include "support/HostFixture.h"

#include <gtest/gtest.h>

#include "ofxImageEffect.h"

namespace {

using namespace overlaytest;

struct DescribeCase {
    const char* name;
    std::string (*path)();
    bool hostOverlays;
    bool declared;
};

void* declaredEntry(const std::string& bundlePath, bool hostOverlays)
{
    ofxhost::HostOptions options;
    options.supportsOverlays = hostOverlays;
    auto bundle = ofxhost::Bundle::open(bundlePath, options);
    EXPECT_EQ(bundle->pluginCount(), 1);
    ofxhost::PluginHandle& plugin = bundle->plugin(0);
    EXPECT_EQ(plugin.describe(), kOfxStatOK);
    return plugin.descriptor()->props().getPointer(kOfxImageEffectPluginPropOverlayInteractV1);
}

class HostDescribe : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(HostDescribe, DeclaresAnInteractOnlyWhereExpected)
{
    const DescribeCase& c = GetParam();
    void* entry = declaredEntry(c.path(), c.hostOverlays);
    EXPECT_EQ(entry != nullptr, c.declared);
}

std::string overlaysBundle() { return fixtureBundle("uv"); }
std::string centerBundle() { return fixtureBundle("center"); }

INSTANTIATE_TEST_SUITE_P(
    Table, HostDescribe,
    ::testing::Values(DescribeCase{"edge_bleed_overlay_host", &edgeBleedBundle, true, false},
                      DescribeCase{"edge_bleed_plain_host", &edgeBleedBundle, false, false},
                      DescribeCase{"overlays_overlay_host", &overlaysBundle, true, true},
                      DescribeCase{"overlays_plain_host", &overlaysBundle, false, false},
                      DescribeCase{"center_overlay_host", &centerBundle, true, true},
                      DescribeCase{"center_plain_host", &centerBundle, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostDescribeLog, OverlayDefinitionDeclaresTheXmlInteract)
{
    const std::string name = fixtureEffectName("uv");
    declaredEntry(fixtureBundle("uv"), true);
    const std::string log = readFile(startLogPath("uv"));
    EXPECT_NE(log.find("GenericEffectFactory::describe for '" + name +
                       "': hasXmlOverlays=1, hasCenterParam=0, supportsOverlays=1"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Registered 7 overlays for effect '" + name + "' (coordSystem=0)"), std::string::npos);
    EXPECT_NE(log.find("XML overlay interact registered for effect '" + name + "' with 7 overlays"),
              std::string::npos);
    EXPECT_EQ(log.find("Legacy overlay interact registered"), std::string::npos);
}

TEST(HostDescribeLog, EachCoordinateSystemIsRegistered)
{
    const struct {
        const char* fixture;
        int coordSystem;
    } cases[] = {{"uv", 0}, {"centered", 1}, {"centered_aspect", 2}};
    for (const auto& c : cases) {
        EXPECT_NE(declaredEntry(fixtureBundle(c.fixture), true), nullptr) << c.fixture;
        EXPECT_NE(readFile(startLogPath(c.fixture))
                      .find("Registered 7 overlays for effect '" + fixtureEffectName(c.fixture) +
                            "' (coordSystem=" + std::to_string(c.coordSystem) + ")"),
                  std::string::npos)
            << c.fixture;
    }
}

TEST(HostDescribeLog, CenterParameterDeclaresTheLegacyInteractOnlyOnAnOverlayHost)
{
    const std::string name = fixtureEffectName("center");
    declaredEntry(fixtureBundle("center"), false);
    std::string log = readFile(startLogPath("center"));
    EXPECT_NE(log.find("GenericEffectFactory::describe for '" + name +
                       "': hasXmlOverlays=0, hasCenterParam=1, supportsOverlays=0"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("Legacy overlay interact registered"), std::string::npos);

    declaredEntry(fixtureBundle("center"), true);
    log = readFile(startLogPath("center"));
    EXPECT_NE(log.find("Legacy overlay interact registered for effect '" + name + "'"), std::string::npos) << log;
    EXPECT_EQ(log.find("XML overlay interact registered"), std::string::npos);
}

} // namespace
