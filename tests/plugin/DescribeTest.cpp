// The effect-wide description as the host reads it after the describe action.
#include "PluginHostTestSupport.h"

#include <gtest/gtest.h>

#include "ofxGPURender.h"

namespace {

using plugin_test::countOccurrences;
using plugin_test::readWholeFile;

#ifndef kOfxImageEffectPropNoSpatialAwareness
#define kOfxImageEffectPropNoSpatialAwareness "OfxImageEffectPropNoSpatialAwareness"
#endif

class EdgeBleedDescribe : public ::testing::Test {
protected:
    void SetUp() override
    {
        bundle = ofxhost::Bundle::open(plugin_test::edgeBleedBundlePath());
        plugin = &plugin_test::onlyPlugin(*bundle);
        ASSERT_EQ(plugin->describe(), kOfxStatOK);
        ASSERT_NE(plugin->descriptor(), nullptr);
    }
    ofxhost::PropertySet& props() { return plugin->descriptor()->props(); }

    std::unique_ptr<ofxhost::Bundle> bundle;
    ofxhost::PluginHandle* plugin = nullptr;
};

TEST_F(EdgeBleedDescribe, DeclaresFilterAndGeneralContextsAndFloatDepthOnly)
{
    EXPECT_EQ(props().getStrings(kOfxImageEffectPropSupportedContexts),
              (std::vector<std::string>{kOfxImageEffectContextFilter, kOfxImageEffectContextGeneral}));
    EXPECT_EQ(props().getStrings(kOfxImageEffectPropSupportedPixelDepths), (std::vector<std::string>{kOfxBitDepthFloat}));
}

struct IntFlag {
    const char* property;
    int value;
};

TEST_F(EdgeBleedDescribe, DeclaresTheFixedCapabilities)
{
    // Each flag is declared 0, including those whose host default is 1.
    const IntFlag flags[] = {
        {kOfxImageEffectPluginPropSingleInstance, 0},    {kOfxImageEffectPluginPropHostFrameThreading, 0},
        {kOfxImageEffectPropSupportsMultiResolution, 0}, {kOfxImageEffectPropSupportsTiles, 0},
        {kOfxImageEffectPropTemporalClipAccess, 0},      {kOfxImageEffectPluginPropFieldRenderTwiceAlways, 0},
        {kOfxImageEffectPropSupportsMultipleClipPARs, 0},
    };
    for (const IntFlag& flag : flags) {
        EXPECT_EQ(props().getInt(flag.property), flag.value) << flag.property;
    }
    EXPECT_EQ(props().getString(kOfxImageEffectPropNoSpatialAwareness), "false");
}

TEST_F(EdgeBleedDescribe, LeavesThreadSafetyAndClipDepthsToTheHost)
{
    EXPECT_EQ(props().getString(kOfxImageEffectPluginRenderThreadSafety), kOfxImageEffectRenderInstanceSafe);
    EXPECT_EQ(props().getInt(kOfxImageEffectPropSupportsMultipleClipDepths), 0);
}

TEST_F(EdgeBleedDescribe, TakesLabelGroupingAndDescriptionFromTheDefinition)
{
    EXPECT_EQ(props().getString(kOfxPropLabel), "Edge Bleed");
    EXPECT_EQ(props().getString(kOfxImageEffectPluginPropGrouping), "Brightmoor");
    EXPECT_EQ(props().getString(kOfxPropPluginDescription),
              "Extends image beyond its alpha boundary using JFA distance field. Stretch mode repeats boundary colors, "
              "Mirror mode reflects across the boundary.");
}

TEST_F(EdgeBleedDescribe, DeclaresCudaOnlyWithTheCudaBackendAndNeverOpenCL)
{
#ifdef EDGE_BLEED_HAS_CUDA
    const char* cuda = "true";
#else
    const char* cuda = "false";
#endif
    EXPECT_EQ(props().getString(kOfxImageEffectPropCudaRenderSupported), cuda);
    EXPECT_EQ(props().getString(kOfxImageEffectPropCudaStreamSupported), cuda);
    EXPECT_EQ(props().getString(kOfxImageEffectPropOpenCLRenderSupported), "false");
    EXPECT_EQ(props().getString(kOfxImageEffectPropMetalRenderSupported), "false");
}

// Each describe repeats the warm-up, and description goes on whatever the GPU.
TEST(FixtureDescribe, EveryDescribeWarmsUpAndCompletes)
{
    const std::string identifier = plugin_test::fixtureIdentifier("all_types");
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("all_types"));
    ofxhost::PluginHandle& plugin = plugin_test::onlyPlugin(*bundle);
    ASSERT_EQ(plugin.describe(), kOfxStatOK);
    ASSERT_EQ(plugin.describe(), kOfxStatOK);
    EXPECT_EQ(plugin.descriptor()->props().getString(kOfxPropLabel), "All Types");
    EXPECT_EQ(plugin.descriptor()->props().getString(kOfxImageEffectPluginPropGrouping), "Fixtures");
    EXPECT_EQ(plugin.descriptor()->props().getString(kOfxPropPluginDescription), "Fixture covering every parameter type.");
    bundle.reset();

    const std::string log = readWholeFile(plugin_test::logPathFor(identifier));
    EXPECT_EQ(countOccurrences(log, "[DEBUG] Initializing CUDA context (warm-up)...\n"), 2) << log;
    EXPECT_EQ(countOccurrences(log, "[DEBUG] CUDA context warm-up complete in "), 2) << log;
    EXPECT_EQ(countOccurrences(log, "[INFO] GenericEffectFactory::describe completed successfully\n"), 2) << log;
    // The timing line carries whole milliseconds.
    const auto at = log.find("warm-up complete in ");
    ASSERT_NE(at, std::string::npos);
    const std::string rest = log.substr(at + std::string("warm-up complete in ").size());
    EXPECT_TRUE(!rest.empty() && std::isdigit(static_cast<unsigned char>(rest[0]))) << rest;
    EXPECT_NE(rest.find(" ms\n"), std::string::npos);
}

}  // namespace
