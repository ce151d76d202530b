// The Edge Bleed effect described in each of its contexts: the exact clip set and the exact
// parameter list, in order, with what the host reads of each.
#include "PluginHostTestSupport.h"

#include <gtest/gtest.h>

namespace {

using plugin_test::param;

struct ExpectedParam {
    const char* name;
    const char* type;
    const char* label;
    const char* hint;
    const char* parent;
};

const char kModeHint[] = "How to extend beyond the boundary\n\nStretch: Stretch\nMirror: Mirror";
const char kOutputHint[] = "What to output\n\nResult: Result\nDistance Field: Distance Field\nSeed UV: Seed UV";

const ExpectedParam kExpectedParams[] = {
    {"presetsHelp", kOfxParamTypeGroup, "Presets & Help", "Save and load effect presets, access documentation", ""},
    {"factory_preset_list", kOfxParamTypeChoice, "Factory Presets", "Select a factory preset to apply it immediately",
     "presetsHelp"},
    {"preset_list", kOfxParamTypeChoice, "My Presets", "Select a user preset to apply it immediately", "presetsHelp"},
    {"delete_preset", kOfxParamTypePushButton, "Delete", "Delete the selected preset", "presetsHelp"},
    {"preset_name", kOfxParamTypeString, "Save As", "Enter name for new preset (e.g., misty_pane)", "presetsHelp"},
    {"save_preset", kOfxParamTypePushButton, "Save", "Save current parameters with the given name", "presetsHelp"},
    {"tutorialsButton", kOfxParamTypePushButton, "Tutorials & Documentation",
     "View tutorials, guides, and documentation for this effect", "presetsHelp"},
    {"Main", kOfxParamTypePage, "Main", "", ""},
    {"mode", kOfxParamTypeChoice, "Mode", kModeHint, "Edge Bleeding"},
    {"threshold", kOfxParamTypeDouble, "Alpha Threshold",
     "Alpha value threshold for boundary detection (pixels above = inside)", "Edge Bleeding"},
    {"max_distance", kOfxParamTypeDouble, "Max Distance",
     "Maximum extension distance as fraction of frame diagonal. 0 = unlimited", "Edge Bleeding"},
    {"preserve_inside", kOfxParamTypeBoolean, "Preserve Inside",
     "Keep original pixels inside the boundary (only extend outside)", "Edge Bleeding"},
    {"blur_radius", kOfxParamTypeDouble, "Edge Blur", "Blur the JFA distance field to smooth edge artifacts (in pixels)",
     "Edge Bleeding"},
    {"output_mode", kOfxParamTypeChoice, "Output", kOutputHint, "Debug"},
    {"Edge Bleeding", kOfxParamTypeGroup, "Edge Bleeding", "", ""},
    {"Debug", kOfxParamTypeGroup, "Debug", "", ""},
    {"Global Blend", kOfxParamTypeGroup, "Global Blend", "Blend the effect with the original image", ""},
    {"Blend", kOfxParamTypeDouble, "Blend", "Amount of effect to apply (0.0 = original image, 1.0 = full effect)",
     "Global Blend"},
};

struct ExpectedDouble {
    const char* name;
    double defaultValue, min, max, displayMin, displayMax, increment;
};

const ExpectedDouble kExpectedDoubles[] = {
    {"threshold", 0.5, 0.0, 1.0, 0.0, 1.0, 0.1},
    {"max_distance", 0.0, 0.0, 1.0, 0.0, 1.0, 0.1},
    {"blur_radius", 1.0, 0.0, 30.0, 0.0, 10.0, 0.1},
    {"Blend", 1.0, 0.0, 1.0, 0.0, 1.0, 0.01},
};

struct ExpectedChoice {
    const char* name;
    std::vector<std::string> options;
    int defaultIndex;
};

const ExpectedChoice kExpectedChoices[] = {
    {"factory_preset_list", {"(no factory presets)"}, 0},
    {"preset_list", {"(no presets found)"}, 0},
    {"mode", {"Stretch", "Mirror"}, 0},
    {"output_mode", {"Result", "Distance Field", "Seed UV"}, 0},
};

class EdgeBleedContext : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        bundle = ofxhost::Bundle::open(plugin_test::edgeBleedBundlePath());
        described = plugin_test::describedContext(plugin_test::onlyPlugin(*bundle), GetParam());
        ASSERT_NE(described, nullptr);
    }
    std::unique_ptr<ofxhost::Bundle> bundle;
    ofxhost::ImageEffectObject* described = nullptr;
};

TEST_P(EdgeBleedContext, DeclaresSourceMatteAndOutput)
{
    EXPECT_EQ(plugin_test::clipNames(*described), (std::vector<std::string>{"Source", "Matte", "Output"}));
    struct ExpectedClip {
        const char* name;
        int optional, mask, tiles, temporal;
    };
    for (const ExpectedClip& expected : {ExpectedClip{"Source", 0, 0, 1, 0}, ExpectedClip{"Matte", 0, 1, 1, 0},
                                         ExpectedClip{"Output", 0, 0, 1, 0}}) {
        const ofxhost::Clip* clip = described->findClip(expected.name);
        ASSERT_NE(clip, nullptr) << expected.name;
        EXPECT_EQ(clip->props().getStrings(kOfxImageEffectPropSupportedComponents),
                  (std::vector<std::string>{kOfxImageComponentRGBA}))
            << expected.name;
        EXPECT_EQ(clip->props().getInt(kOfxImageClipPropOptional), expected.optional) << expected.name;
        EXPECT_EQ(clip->props().getInt(kOfxImageClipPropIsMask), expected.mask) << expected.name;
        EXPECT_EQ(clip->props().getInt(kOfxImageEffectPropSupportsTiles), expected.tiles) << expected.name;
        EXPECT_EQ(clip->props().getInt(kOfxImageEffectPropTemporalClipAccess), expected.temporal) << expected.name;
        // The label is left to the host, which shows the clip name.
        EXPECT_EQ(clip->props().getString(kOfxPropLabel), expected.name);
    }
}

TEST_P(EdgeBleedContext, DeclaresTheParametersInOrderWithLabelsHintsAndParents)
{
    std::vector<std::string> expectedNames;
    for (const ExpectedParam& expected : kExpectedParams) expectedNames.push_back(expected.name);
    ASSERT_EQ(plugin_test::paramNames(*described), expectedNames);

    for (const ExpectedParam& expected : kExpectedParams) {
        const ofxhost::Param& p = param(*described, expected.name);
        EXPECT_EQ(p.ofxType(), expected.type) << expected.name;
        EXPECT_EQ(p.props().getString(kOfxPropLabel), expected.label) << expected.name;
        EXPECT_EQ(p.props().getString(kOfxPropShortLabel), expected.label) << expected.name;
        EXPECT_EQ(p.props().getString(kOfxPropLongLabel), expected.label) << expected.name;
        EXPECT_EQ(p.props().getString(kOfxParamPropHint), expected.hint) << expected.name;
        EXPECT_EQ(p.props().getString(kOfxParamPropParent), expected.parent) << expected.name;
    }
}

TEST_P(EdgeBleedContext, OnlyTheDefinitionGroupsAreOnThePageWithTheirOpenStates)
{
    EXPECT_EQ(param(*described, "Main").props().getStrings(kOfxParamPropPageChild),
              (std::vector<std::string>{"Edge Bleeding", "Debug"}));
    EXPECT_EQ(param(*described, "presetsHelp").props().getInt(kOfxParamPropGroupOpen), 0);
    EXPECT_EQ(param(*described, "Edge Bleeding").props().getInt(kOfxParamPropGroupOpen), 1);
    EXPECT_EQ(param(*described, "Debug").props().getInt(kOfxParamPropGroupOpen), 0);
    EXPECT_EQ(param(*described, "Global Blend").props().getInt(kOfxParamPropGroupOpen), 1);
}

TEST_P(EdgeBleedContext, DoublesCarryDefaultsRangesAndIncrements)
{
    for (const ExpectedDouble& expected : kExpectedDoubles) {
        const ofxhost::PropertySet& props = param(*described, expected.name).props();
        EXPECT_DOUBLE_EQ(props.getDouble(kOfxParamPropDefault), expected.defaultValue) << expected.name;
        EXPECT_DOUBLE_EQ(props.getDouble(kOfxParamPropMin), expected.min) << expected.name;
        EXPECT_DOUBLE_EQ(props.getDouble(kOfxParamPropMax), expected.max) << expected.name;
        EXPECT_DOUBLE_EQ(props.getDouble(kOfxParamPropDisplayMin), expected.displayMin) << expected.name;
        EXPECT_DOUBLE_EQ(props.getDouble(kOfxParamPropDisplayMax), expected.displayMax) << expected.name;
        EXPECT_DOUBLE_EQ(props.getDouble(kOfxParamPropIncrement), expected.increment) << expected.name;
        // Nothing is declared resolution dependent: the host's plain type stays.
        EXPECT_EQ(props.getString(kOfxParamPropDoubleType), kOfxParamDoubleTypePlain) << expected.name;
    }
}

TEST_P(EdgeBleedContext, ChoicesCarryTheirOptionsAndDefaults)
{
    for (const ExpectedChoice& expected : kExpectedChoices) {
        const ofxhost::PropertySet& props = param(*described, expected.name).props();
        EXPECT_EQ(props.getStrings(kOfxParamPropChoiceOption), expected.options) << expected.name;
        EXPECT_EQ(props.getInt(kOfxParamPropDefault), expected.defaultIndex) << expected.name;
    }
}

TEST_P(EdgeBleedContext, TheRemainingDefaults)
{
    EXPECT_EQ(param(*described, "preserve_inside").props().getInt(kOfxParamPropDefault), 1);
    EXPECT_EQ(param(*described, "preset_name").props().getString(kOfxParamPropDefault), "");
    EXPECT_EQ(param(*described, "preset_name").props().getString(kOfxParamPropStringMode), kOfxParamStringIsSingleLine);
}

INSTANTIATE_TEST_SUITE_P(Contexts, EdgeBleedContext,
                         ::testing::Values(plugin_test::kFilterContext, plugin_test::kGeneralContext));

TEST(EdgeBleedContexts, FilterAndGeneralDescribeIdentically)
{
    auto bundle = ofxhost::Bundle::open(plugin_test::edgeBleedBundlePath());
    ofxhost::PluginHandle& plugin = plugin_test::onlyPlugin(*bundle);
    ofxhost::ImageEffectObject* filter = plugin_test::describedContext(plugin, plugin_test::kFilterContext);
    ofxhost::ImageEffectObject* general = plugin_test::describedContext(plugin, plugin_test::kGeneralContext);
    ASSERT_NE(filter, nullptr);
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(plugin_test::clipNames(*filter), plugin_test::clipNames(*general));
    ASSERT_EQ(plugin_test::paramNames(*filter), plugin_test::paramNames(*general));
    for (const auto& p : filter->params().params()) {
        const ofxhost::Param* other = general->params().find(p->name());
        ASSERT_NE(other, nullptr) << p->name();
        for (const std::string& property : p->props().names()) {
            EXPECT_EQ(p->props().valueText(property), other->props().valueText(property)) << p->name() << " " << property;
        }
    }
    for (const auto& clip : filter->clips()) {
        const ofxhost::Clip* other = general->findClip(clip->name());
        ASSERT_NE(other, nullptr) << clip->name();
        for (const std::string& property : clip->props().names()) {
            EXPECT_EQ(clip->props().valueText(property), other->props().valueText(property))
                << clip->name() << " " << property;
        }
    }
}

}  // namespace
