// Clip declaration from a definition's inputs: optional inputs, masks by name, and the
// fall-back clip set when an input cannot be declared.
#include "PluginHostTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct ClipCase {
    const char* name;
    int optional;
    int mask;
    int tiles;
};

void expectClip(const ofxhost::ImageEffectObject& described, const ClipCase& expected)
{
    const ofxhost::Clip* clip = described.findClip(expected.name);
    ASSERT_NE(clip, nullptr) << expected.name;
    EXPECT_EQ(clip->props().getStrings(kOfxImageEffectPropSupportedComponents),
              (std::vector<std::string>{kOfxImageComponentRGBA}))
        << expected.name;
    EXPECT_EQ(clip->props().getInt(kOfxImageClipPropOptional), expected.optional) << expected.name;
    EXPECT_EQ(clip->props().getInt(kOfxImageClipPropIsMask), expected.mask) << expected.name;
    EXPECT_EQ(clip->props().getInt(kOfxImageEffectPropSupportsTiles), expected.tiles) << expected.name;
    EXPECT_EQ(clip->props().getInt(kOfxImageEffectPropTemporalClipAccess), 0) << expected.name;
}

TEST(FixtureClips, InputsInDefinitionOrderWithOptionalAndMaskByName)
{
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("all_types"));
    ofxhost::ImageEffectObject* described =
        plugin_test::describedContext(plugin_test::onlyPlugin(*bundle), plugin_test::kGeneralContext);
    ASSERT_NE(described, nullptr);
    EXPECT_EQ(plugin_test::clipNames(*described),
              (std::vector<std::string>{"Source", "AlphaMatte", "GarbageMASK", "Plate", "Output"}));
    const ClipCase cases[] = {
        {"Source", 0, 0, 1},
        {"AlphaMatte", 1, 1, 1},   // "matte" anywhere, any case
        {"GarbageMASK", 1, 1, 1},  // optional inferred from its no-input mode; "mask" in capitals
        {"Plate", 0, 0, 1},        // explicitly not optional
        {"Output", 0, 0, 1},       // the output clip is never optional
    };
    for (const ClipCase& c : cases) expectClip(*described, c);
}

class OutputNamedInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("output_input"));
        described = plugin_test::describedContext(plugin_test::onlyPlugin(*bundle), plugin_test::kFilterContext);
        ASSERT_NE(described, nullptr);
    }
    std::unique_ptr<ofxhost::Bundle> bundle;
    ofxhost::ImageEffectObject* described = nullptr;
};

// An input may not take the output clip's name; its definition falls back to the fixed clip
// set, and the input declared before the failure keeps its first declaration.
TEST_F(OutputNamedInput, FallsBackToTheFixedClipSet)
{
    EXPECT_EQ(plugin_test::clipNames(*described), (std::vector<std::string>{"Source", "Output", "mask"}));
    expectClip(*described, {"Source", 0, 0, 1});
    expectClip(*described, {"Output", 0, 0, 0});
    expectClip(*described, {"mask", 1, 1, 0});
    EXPECT_EQ(described->findClip("Later"), nullptr);
    // Description goes on after the fall-back.
    EXPECT_NE(described->params().find("level"), nullptr);
    EXPECT_NE(described->params().find("Blend"), nullptr);
}

TEST_F(OutputNamedInput, LogsWhyAndTheFallBack)
{
    described = nullptr;
    bundle.reset();
    const std::string log =
        plugin_test::readWholeFile(plugin_test::logPathFor(plugin_test::fixtureIdentifier("output_input")));
    const char* steps[] = {
        "[ERROR] XMLInputManager: ERROR - input 'Output' takes the name of the output clip\n",
        "[DEBUG] XMLInputManager: ERROR - createClip returned null for 'Output'\n",
        "[DEBUG] XML clips failed, falling back to manual clips\n",
        "[DEBUG] ✓ Fallback manual clips created\n",
        "[INFO] GenericEffectFactory::describeInContext completed successfully\n",
    };
    std::string::size_type at = 0;
    for (const char* step : steps) {
        const auto found = log.find(step, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << step << "\nlog:\n" << log;
        at = found;
    }
    EXPECT_EQ(log.find("✓ XML clips created successfully!"), std::string::npos);
}

}  // namespace
