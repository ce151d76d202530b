// Definition-driven parameter creation through a fixture bundle whose definition uses every
// type text, and the layout of its groups.
#include "PluginHostTestSupport.h"

#include <gtest/gtest.h>

namespace {

using plugin_test::param;

const std::vector<std::string> kPresetSection = {"presetsHelp",  "factory_preset_list", "preset_list", "delete_preset",
                                                 "preset_name",  "save_preset",         "tutorialsButton"};

class AllTypesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::remove(plugin_test::logPathFor(identifier).c_str());
        bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("all_types"));
        ::testing::internal::CaptureStderr();
        described = plugin_test::describedContext(plugin_test::onlyPlugin(*bundle), plugin_test::kFilterContext);
        stderrText = ::testing::internal::GetCapturedStderr();
        ASSERT_NE(described, nullptr);
    }

    // Unloads the bundle, which closes its log, and returns the log.
    std::string closedLog()
    {
        described = nullptr;
        bundle.reset();
        return plugin_test::readWholeFile(plugin_test::logPathFor(identifier));
    }

    const ofxhost::PropertySet& props(const std::string& name) { return param(*described, name).props(); }

    const std::string identifier = plugin_test::fixtureIdentifier("all_types");
    std::unique_ptr<ofxhost::Bundle> bundle;
    ofxhost::ImageEffectObject* described = nullptr;
    std::string stderrText;
};

TEST_F(AllTypesFixture, CreatesEverySupportedTypeInDefinitionOrderAndSkipsTheUnsupported)
{
    std::vector<std::string> expected = kPresetSection;
    for (const char* name : {"Main", "amount", "gain", "count", "enabled", "style", "tint", "xyz_colour", "center",
                             "bare_point", "offset", "overlay_colour", "caption", "lut_file", "save_file", "reset",
                             "curve_linear", "curve_in", "curve_out", "curve_in_out", "curve_smooth", "loose",
                             "Basics", "Colours", "Global Blend", "Blend"}) {
        expected.push_back(name);
    }
    EXPECT_EQ(plugin_test::paramNames(*described), expected);
    EXPECT_EQ(described->params().find("unsupported"), nullptr);
    EXPECT_EQ(stderrText, "Warning: Unsupported parameter type: vec4\n");
}

struct KindCase {
    const char* name;
    const char* type;
    const char* label;
    const char* hint;
    const char* parent;
};

TEST_F(AllTypesFixture, EachTypeTextMakesItsKindWithLabelsHintAndParent)
{
    const KindCase cases[] = {
        {"amount", kOfxParamTypeDouble, "Amount", "How much (width-dependent)", "Basics"},
        {"gain", kOfxParamTypeDouble, "Gain", "Gain hint (height-dependent)", "Basics"},
        {"count", kOfxParamTypeInteger, "Count", "Truncated (dimension-dependent)", "Basics"},
        {"enabled", kOfxParamTypeBoolean, "Enabled", "Switch", "Basics"},
        {"style", kOfxParamTypeChoice, "Style", "Pick one\n\nSoft: Soft\nHard: Hard\n2: 2", "Basics"},
        {"tint", kOfxParamTypeRGB, "Tint", "Colour", "Colours"},
        {"xyz_colour", kOfxParamTypeRGB, "XYZ", "Wrong component names", "Colours"},
        {"center", kOfxParamTypeDouble2D, "Center", "Where (dimension-dependent)", ""},
        {"bare_point", kOfxParamTypeDouble2D, "Bare Point", "No components", ""},
        {"offset", kOfxParamTypeDouble3D, "Offset", "Three axes", ""},
        {"overlay_colour", kOfxParamTypeRGBA, "Overlay", "With alpha", "Colours"},
        {"caption", kOfxParamTypeString, "Caption", "Text", ""},
        {"lut_file", kOfxParamTypeString, "LUT", "A file", ""},
        {"save_file", kOfxParamTypeString, "Save To", "Maybe new", ""},
        // Referenced by both groups: the last one is its parent.
        {"reset", kOfxParamTypePushButton, "Reset", "Press me", "Colours"},
        {"curve_linear", kOfxParamTypeParametric, "Linear", "Curve", ""},
        {"curve_smooth", kOfxParamTypeParametric, "Smooth", "", ""},
        {"loose", kOfxParamTypeDouble, "Loose", "In no group", ""},
    };
    for (const KindCase& c : cases) {
        const ofxhost::Param& p = param(*described, c.name);
        EXPECT_EQ(p.ofxType(), c.type) << c.name;
        EXPECT_EQ(p.props().getString(kOfxPropLabel), c.label) << c.name;
        EXPECT_EQ(p.props().getString(kOfxPropShortLabel), c.label) << c.name;
        EXPECT_EQ(p.props().getString(kOfxPropLongLabel), c.label) << c.name;
        EXPECT_EQ(p.props().getString(kOfxParamPropHint), c.hint) << c.name;
        EXPECT_EQ(p.props().getString(kOfxParamPropParent), c.parent) << c.name;
    }
}

struct DoubleCase {
    const char* name;
    double defaultValue, min, max, displayMin, displayMax, increment;
};

TEST_F(AllTypesFixture, DoublesAndFloatsTakeRangeDisplayRangeDefaultAndIncrement)
{
    for (const DoubleCase& c : {DoubleCase{"amount", 0.25, -1.0, 2.0, 0.0, 1.0, 0.05},
                                DoubleCase{"gain", 1.5, 0.0, 4.0, 0.0, 4.0, 0.5}}) {
        EXPECT_DOUBLE_EQ(props(c.name).getDouble(kOfxParamPropDefault), c.defaultValue) << c.name;
        EXPECT_DOUBLE_EQ(props(c.name).getDouble(kOfxParamPropMin), c.min) << c.name;
        EXPECT_DOUBLE_EQ(props(c.name).getDouble(kOfxParamPropMax), c.max) << c.name;
        EXPECT_DOUBLE_EQ(props(c.name).getDouble(kOfxParamPropDisplayMin), c.displayMin) << c.name;
        EXPECT_DOUBLE_EQ(props(c.name).getDouble(kOfxParamPropDisplayMax), c.displayMax) << c.name;
        EXPECT_DOUBLE_EQ(props(c.name).getDouble(kOfxParamPropIncrement), c.increment) << c.name;
        // The resolution dependency changes the hint only, never the double type.
        EXPECT_EQ(props(c.name).getString(kOfxParamPropDoubleType), kOfxParamDoubleTypePlain) << c.name;
    }
}

TEST_F(AllTypesFixture, IntegersTruncateRangesAndDefaultTowardZero)
{
    EXPECT_EQ(props("count").getInt(kOfxParamPropMin), 0);
    EXPECT_EQ(props("count").getInt(kOfxParamPropMax), 10);
    EXPECT_EQ(props("count").getInt(kOfxParamPropDefault), 2);
    EXPECT_EQ(props("count").getInt(kOfxParamPropDisplayMin), -3);
    EXPECT_EQ(props("count").getInt(kOfxParamPropDisplayMax), 7);
}

TEST_F(AllTypesFixture, BooleansAndChoicesTakeTheirDefaults)
{
    EXPECT_EQ(props("enabled").getInt(kOfxParamPropDefault), 1);
    EXPECT_EQ(props("style").getStrings(kOfxParamPropChoiceOption), (std::vector<std::string>{"Soft", "Hard", "2"}));
    // 1.9 is truncated to the second option.
    EXPECT_EQ(props("style").getInt(kOfxParamPropDefault), 1);
}

TEST_F(AllTypesFixture, ColoursTakeTheirDefaultsFromNamedComponents)
{
    // Of two components named r, the later wins; x, y and z are not colour channels.
    EXPECT_EQ(props("tint").getDoubles(kOfxParamPropDefault), (std::vector<double>{0.9, 0.2, 0.3}));
    EXPECT_EQ(props("xyz_colour").getDoubles(kOfxParamPropDefault), (std::vector<double>{0.0, 0.0, 0.0}));
    EXPECT_EQ(props("overlay_colour").getDoubles(kOfxParamPropDefault), (std::vector<double>{0.0, 0.5, 0.0, 1.0}));
}

TEST_F(AllTypesFixture, Vec2IsANormalisedAbsolutePointWithRangesFromItsComponents)
{
    const ofxhost::PropertySet& center = props("center");
    EXPECT_EQ(center.getString(kOfxParamPropDoubleType), kOfxParamDoubleTypeXYAbsolute);
    EXPECT_EQ(center.getString(kOfxParamPropDefaultCoordinateSystem), kOfxParamCoordinatesNormalised);
    EXPECT_EQ(center.getDoubles(kOfxParamPropDefault), (std::vector<double>{0.25, 0.75}));
    EXPECT_EQ(center.getDoubles(kOfxParamPropMin), (std::vector<double>{-1.0, -3.0}));
    EXPECT_EQ(center.getDoubles(kOfxParamPropMax), (std::vector<double>{2.0, 4.0}));
    EXPECT_EQ(center.getDoubles(kOfxParamPropDisplayMin), (std::vector<double>{-1.0, -3.0}));
    EXPECT_EQ(center.getDoubles(kOfxParamPropDisplayMax), (std::vector<double>{2.0, 4.0}));
}

TEST_F(AllTypesFixture, Vec2WithoutComponentsDefaultsToTheOriginInTheUnitSquare)
{
    const ofxhost::PropertySet& bare = props("bare_point");
    EXPECT_EQ(bare.getString(kOfxParamPropDoubleType), kOfxParamDoubleTypeXYAbsolute);
    EXPECT_EQ(bare.getDoubles(kOfxParamPropDefault), (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(bare.getDoubles(kOfxParamPropMin), (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(bare.getDoubles(kOfxParamPropMax), (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(bare.getDoubles(kOfxParamPropDisplayMin), (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(bare.getDoubles(kOfxParamPropDisplayMax), (std::vector<double>{1.0, 1.0}));
}

TEST_F(AllTypesFixture, Vec3FillsMissingComponentsWithZeroZeroOneAndKeepsThePlainType)
{
    const ofxhost::PropertySet& offset = props("offset");
    EXPECT_EQ(offset.getDoubles(kOfxParamPropDefault), (std::vector<double>{1.0, 0.0, 3.0}));
    EXPECT_EQ(offset.getDoubles(kOfxParamPropMin), (std::vector<double>{-5.0, 0.0, -7.0}));
    EXPECT_EQ(offset.getDoubles(kOfxParamPropMax), (std::vector<double>{5.0, 1.0, 7.0}));
    EXPECT_EQ(offset.getDoubles(kOfxParamPropDisplayMin), (std::vector<double>{-5.0, 0.0, -7.0}));
    EXPECT_EQ(offset.getDoubles(kOfxParamPropDisplayMax), (std::vector<double>{5.0, 1.0, 7.0}));
    EXPECT_EQ(offset.getString(kOfxParamPropDoubleType), kOfxParamDoubleTypePlain);
    EXPECT_EQ(offset.getString(kOfxParamPropDefaultCoordinateSystem), kOfxParamCoordinatesCanonical);
}

TEST_F(AllTypesFixture, StringsAndFilePaths)
{
    EXPECT_EQ(props("caption").getString(kOfxParamPropDefault), "hello");
    EXPECT_EQ(props("caption").getString(kOfxParamPropStringMode), kOfxParamStringIsSingleLine);
    EXPECT_EQ(props("lut_file").getString(kOfxParamPropDefault), "/tmp/a.cube");
    EXPECT_EQ(props("lut_file").getString(kOfxParamPropStringMode), kOfxParamStringIsFilePath);
    EXPECT_EQ(props("lut_file").getInt(kOfxParamPropStringFilePathExists), 1);
    EXPECT_EQ(props("save_file").getString(kOfxParamPropDefault), "");
    EXPECT_EQ(props("save_file").getString(kOfxParamPropStringMode), kOfxParamStringIsFilePath);
    EXPECT_EQ(props("save_file").getInt(kOfxParamPropStringFilePathExists), 0);
}

struct CurveCase {
    const char* name;
    std::vector<std::pair<double, double>> points;
};

TEST_F(AllTypesFixture, CurvesGetOneUnitCurveWithTheirShapesPoints)
{
    const std::vector<std::pair<double, double>> linear = {{0.0, 0.0}, {1.0, 1.0}};
    const CurveCase cases[] = {
        {"curve_linear", linear},
        {"curve_in", {{0.0, 0.0}, {0.5, 0.25}, {1.0, 1.0}}},
        {"curve_out", {{0.0, 0.0}, {0.5, 0.75}, {1.0, 1.0}}},
        {"curve_in_out", {{0.0, 0.0}, {0.25, 0.1}, {0.5, 0.5}, {0.75, 0.9}, {1.0, 1.0}}},
        {"curve_smooth", linear},
    };
    for (const CurveCase& c : cases) {
        const ofxhost::Param& p = param(*described, c.name);
        EXPECT_EQ(p.props().getInt(kOfxParamPropParametricDimension), 1) << c.name;
        EXPECT_EQ(p.props().getDoubles(kOfxParamPropParametricRange), (std::vector<double>{0.0, 1.0})) << c.name;
        const std::vector<ofxhost::Curve> curves = p.curves();
        ASSERT_EQ(curves.size(), 1u) << c.name;
        EXPECT_EQ(curves[0].points, c.points) << c.name;
    }
}

TEST_F(AllTypesFixture, GroupsSitOnThePageMainWithTheirOpenStatesAndTooltips)
{
    EXPECT_EQ(props("Main").getString(kOfxPropLabel), "Main");
    EXPECT_EQ(props("Main").getString(kOfxPropShortLabel), "Main");
    EXPECT_EQ(props("Main").getString(kOfxPropLongLabel), "Main");
    EXPECT_EQ(props("Main").getStrings(kOfxParamPropPageChild), (std::vector<std::string>{"Basics", "Colours"}));
    EXPECT_EQ(props("Basics").getInt(kOfxParamPropGroupOpen), 1);
    EXPECT_EQ(props("Basics").getString(kOfxParamPropHint), "The basic controls");
    EXPECT_EQ(props("Basics").getString(kOfxPropShortLabel), "Basics");
    EXPECT_EQ(props("Colours").getInt(kOfxParamPropGroupOpen), 0);
    EXPECT_EQ(props("Colours").getString(kOfxParamPropHint), "");
    EXPECT_EQ(props("Basics").getString(kOfxParamPropParent), "");
}

TEST_F(AllTypesFixture, AGroupReferencingTheSkippedParameterLogsItAndKeepsTheRest)
{
    const std::string log = closedLog();
    EXPECT_NE(log.find("[DEBUG] Parameter not found: unsupported\n"), std::string::npos) << log;
    // Basics parents six, Colours four (reset counts in both).
    EXPECT_NE(log.find("[DEBUG] Created 2 UI groups with 10 total parameters\n"), std::string::npos) << log;
}

TEST_F(AllTypesFixture, DescriptionLogsEachStepInOrder)
{
    const std::string log = closedLog();
    const char* steps[] = {
        "[DEBUG] GenericEffectFactory::describeInContext called\n",
        "[INFO] ✓ XML clips created successfully!\n",
        "[INFO] ✓ XML clips created successfully!\n",
        "[INFO] ✓ Presets & Help section added (hardcoded)\n",
        "[INFO] XMLParameterManager::createParameters called\n",
        "[INFO] XMLParameterManager::createParameters completed successfully\n",
        "[INFO] XMLParameterManager::organizeUI called\n",
        "[DEBUG] Parameter not found: unsupported\n",
        "[DEBUG] Created 2 UI groups with 10 total parameters\n",
        "[INFO] XMLParameterManager::organizeUI completed successfully\n",
        "[INFO] ✓ XML effect parameters (middle section) added\n",
        "[INFO] ✓ Global Blend parameter added\n",
        "[INFO] ✓ XML parameters created successfully\n",
        "[INFO] GenericEffectFactory::describeInContext completed successfully\n",
    };
    std::string::size_type at = 0;
    for (const char* step : steps) {
        const auto found = log.find(step, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << step << "\nlog:\n" << log;
        at = found + 1;
    }
}

// A definition without inputs or groups: only the output clip, parameters at top level and a
// page without children.
TEST(NoInputsFixture, DeclaresOnlyTheOutputAndLeavesParametersAtTopLevel)
{
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("no_inputs"));
    ofxhost::ImageEffectObject* described =
        plugin_test::describedContext(plugin_test::onlyPlugin(*bundle), plugin_test::kGeneralContext);
    ASSERT_NE(described, nullptr);
    EXPECT_EQ(plugin_test::clipNames(*described), (std::vector<std::string>{"Output"}));

    std::vector<std::string> expected = kPresetSection;
    for (const char* name : {"Main", "level", "Global Blend", "Blend"}) expected.push_back(name);
    EXPECT_EQ(plugin_test::paramNames(*described), expected);
    EXPECT_EQ(param(*described, "level").props().getString(kOfxParamPropParent), "");
    EXPECT_TRUE(param(*described, "Main").props().getStrings(kOfxParamPropPageChild).empty());
}

}  // namespace
