// User parameters: what each type reads, and the two forms of components.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

using Def = XMLEffectDefinition;

namespace {

// Reads one parameter element and returns the definition (the reading must succeed).
std::unique_ptr<XMLEffectDefinition> readParameters(const std::string& parameters)
{
    deftest::ReadResult result =
        deftest::readEmbedded(deftest::effectDocument("<parameters>" + parameters + "</parameters>"));
    EXPECT_TRUE(result.ok) << result.lastError();
    return std::move(result.definition);
}

struct NumericCase {
    const char* label;
    const char* element;
    double defaultValue, minValue, maxValue, displayMin, displayMax, increment;
};

void PrintTo(const NumericCase& c, std::ostream* out)
{
    *out << c.label;
}

const NumericCase kNumericCases[] = {
    {"FloatDefaults", R"(<parameter name="p" type="float"/>)", 0, 0, 1, 0, 1, 0.1},
    {"DoubleAllGiven",
     R"(<parameter name="p" type="double" default="2" min="-1" max="5" displayMin="0" displayMax="3" inc="0.5"/>)", 2,
     -1, 5, 0, 3, 0.5},
    {"DisplayRangeFollowsRange", R"(<parameter name="p" type="float" min="-2" max="8"/>)", 0, -2, 8, -2, 8, 0.1},
    {"IntKeepsFractions", R"(<parameter name="p" type="int" default="3.7" min="0" max="10"/>)", 3.7, 0, 10, 0, 10,
     0.1},
    // Types that do not use the numbers leave them at 0.
    {"BoolHasNoRange", R"(<parameter name="p" type="bool" min="3" max="4"/>)", 0, 0, 0, 0, 0, 0},
    {"StringHasNoRange", R"(<parameter name="p" type="string" default="7"/>)", 0, 0, 0, 0, 0, 0},
    {"ChoiceReadsOnlyTheDefault", R"(<parameter name="p" type="choice" default="2" max="9"/>)", 2, 0, 0, 0, 0, 0},
    {"UnknownTypeReadsNothing", R"(<parameter name="p" type="Float" default="2"/>)", 0, 0, 0, 0, 0, 0},
};

class NumericParameterTest : public ::testing::TestWithParam<NumericCase> {};

} // namespace

TEST_P(NumericParameterTest, ReadsTheRangeOfNumericTypesOnly)
{
    const NumericCase& c = GetParam();
    const auto def = readParameters(c.element);
    ASSERT_TRUE(def);
    const Def::ParameterDef& p = def->getParameter("p");
    EXPECT_DOUBLE_EQ(p.defaultValue, c.defaultValue);
    EXPECT_DOUBLE_EQ(p.minValue, c.minValue);
    EXPECT_DOUBLE_EQ(p.maxValue, c.maxValue);
    EXPECT_DOUBLE_EQ(p.displayMin, c.displayMin);
    EXPECT_DOUBLE_EQ(p.displayMax, c.displayMax);
    EXPECT_DOUBLE_EQ(p.increment, c.increment);
}

INSTANTIATE_TEST_SUITE_P(Types, NumericParameterTest, ::testing::ValuesIn(kNumericCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ParametersReaderTest, CommonAttributes)
{
    const auto def = readParameters(R"(<parameter name="a" type="float"/>)"
                                    R"(<parameter name="b" type="float" label="Bee" hint="Tip" res_dependent="xy"/>)"
                                    R"(<parameter name="c" type="float" label=""/>)");
    ASSERT_TRUE(def);
    EXPECT_EQ(def->getParameter("a").label, "a");
    EXPECT_EQ(def->getParameter("a").hint, "");
    EXPECT_EQ(def->getParameter("a").resDependent, "none");
    EXPECT_EQ(def->getParameter("b").label, "Bee");
    EXPECT_EQ(def->getParameter("b").hint, "Tip");
    EXPECT_EQ(def->getParameter("b").resDependent, "xy");
    EXPECT_EQ(def->getParameter("c").label, "c");
}

TEST(ParametersReaderTest, BoolStringFilepathCurve)
{
    const auto def = readParameters(R"(<parameter name="b0" type="bool"/>)"
                                    R"(<parameter name="b1" type="bool" default="true"/>)"
                                    R"(<parameter name="s" type="string" default="hello, world"/>)"
                                    R"(<parameter name="f0" type="filepath"/>)"
                                    R"(<parameter name="f1" type="filepath" default="/a/b.exr" mustexist="true"/>)"
                                    R"(<parameter name="c0" type="curve"/>)"
                                    R"(<parameter name="c1" type="curve" default_shape="ease" curve_background="3"/>)"
                                    R"(<parameter name="pb" type="pushbutton"/>)");
    ASSERT_TRUE(def);
    EXPECT_FALSE(def->getParameter("b0").defaultBool);
    EXPECT_TRUE(def->getParameter("b1").defaultBool);
    EXPECT_EQ(def->getParameter("s").defaultString, "hello, world");
    EXPECT_TRUE(def->getParameter("s").mustExist);
    EXPECT_EQ(def->getParameter("f0").defaultString, "");
    EXPECT_FALSE(def->getParameter("f0").mustExist);
    EXPECT_EQ(def->getParameter("f1").defaultString, "/a/b.exr");
    EXPECT_TRUE(def->getParameter("f1").mustExist);
    EXPECT_EQ(def->getParameter("c0").defaultShape, "linear");
    EXPECT_EQ(def->getParameter("c0").curveBackground, 0);
    EXPECT_EQ(def->getParameter("c1").defaultShape, "ease");
    EXPECT_EQ(def->getParameter("c1").curveBackground, 3);
    EXPECT_EQ(def->getParameter("pb").type, "pushbutton");
    EXPECT_EQ(def->getParameter("pb").defaultShape, "");
}

TEST(ParametersReaderTest, ChoiceOptionsKeepOrderAndDefaultLabels)
{
    const auto def = readParameters(R"(<parameter name="c" type="choice" default="1">)"
                                    R"(<option value="a" label="Alpha"/><option value="b"/><option value="c" label=""/>)"
                                    R"(</parameter>)");
    ASSERT_TRUE(def);
    const auto& options = def->getParameter("c").options;
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0].value, "a");
    EXPECT_EQ(options[0].label, "Alpha");
    EXPECT_EQ(options[1].label, "b");
    EXPECT_EQ(options[2].label, "c");
    EXPECT_DOUBLE_EQ(def->getParameter("c").defaultValue, 1.0);
}

namespace {

struct ExpectedComponent {
    const char* name;
    double defaultValue, minValue, maxValue, increment;
};

struct ComponentCase {
    const char* label;
    const char* element;
    std::vector<ExpectedComponent> components;
};

void PrintTo(const ComponentCase& c, std::ostream* out)
{
    *out << c.label;
}

const ComponentCase kComponentCases[] = {
    {"Vec3FromList", R"(<parameter name="p" type="vec3" default="1,2,3"/>)",
     {{"x", 1, 0, 1, 0.01}, {"y", 2, 0, 1, 0.01}, {"z", 3, 0, 1, 0.01}}},
    {"Vec2WithRanges", R"(<parameter name="p" type="vec2" default="0.5,0.25" min="0,0" max="1,2"/>)",
     {{"x", 0.5, 0, 1, 0.01}, {"y", 0.25, 0, 2, 0.01}}},
    {"ColorWithTwoPieces", R"(<parameter name="p" type="color" default="1,0"/>)",
     {{"r", 1, 0, 1, 0.01}, {"g", 0, 0, 1, 0.01}}},
    {"ExtraPiecesIgnored", R"(<parameter name="p" type="vec2" default="1,2,3,4"/>)",
     {{"x", 1, 0, 1, 0.01}, {"y", 2, 0, 1, 0.01}}},
    {"ShortRangeListsFallBack", R"(<parameter name="p" type="color" default="0.1,0.2,0.3" min="-1" max="5,6"/>)",
     {{"r", 0.1, -1, 5, 0.01}, {"g", 0.2, 0, 6, 0.01}, {"b", 0.3, 0, 1, 0.01}}},
    {"BlanksAndTrailingTextInPieces", R"(<parameter name="p" type="vec2" default=" 1.5px, 2"/>)",
     {{"x", 1.5, 0, 1, 0.01}, {"y", 2, 0, 1, 0.01}}},
    {"Vec4UsesColourNames", R"(<parameter name="p" type="vec4" default="1,2,3,4"/>)",
     {{"r", 1, 0, 1, 0.01}, {"g", 2, 0, 1, 0.01}, {"b", 3, 0, 1, 0.01}, {"a", 4, 0, 1, 0.01}}},
    {"ColorRgbaReadsComponents", R"(<parameter name="p" type="color_rgba" default="0.1,0.2,0.3,0.4"/>)",
     {{"r", 0.1, 0, 1, 0.01}, {"g", 0.2, 0, 1, 0.01}, {"b", 0.3, 0, 1, 0.01}, {"a", 0.4, 0, 1, 0.01}}},
    {"NoDefaultNoComponents", R"(<parameter name="p" type="vec2" min="0,0"/>)", {}},
    {"ComponentElements",
     R"(<parameter name="p" type="color" default="9,9,9"><component name="r" default="0.5" min="-1" max="2" inc="0.1"/>)"
     R"(<component name="g"/><component name="w" default="3"/></parameter>)",
     {{"r", 0.5, -1, 2, 0.1}, {"g", 0, 0, 1, 0.01}, {"w", 3, 0, 1, 0.01}}},
    {"ScalarTypesHaveNoComponents", R"(<parameter name="p" type="float" default="1,2"/>)", {}},
};

class ComponentsTest : public ::testing::TestWithParam<ComponentCase> {};

} // namespace

TEST_P(ComponentsTest, ReadsComponents)
{
    const ComponentCase& c = GetParam();
    const auto def = readParameters(c.element);
    ASSERT_TRUE(def);
    const auto& components = def->getParameter("p").components;
    ASSERT_EQ(components.size(), c.components.size());
    for (size_t i = 0; i < components.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(components[i].name, c.components[i].name);
        EXPECT_DOUBLE_EQ(components[i].defaultValue, c.components[i].defaultValue);
        EXPECT_DOUBLE_EQ(components[i].minValue, c.components[i].minValue);
        EXPECT_DOUBLE_EQ(components[i].maxValue, c.components[i].maxValue);
        EXPECT_DOUBLE_EQ(components[i].increment, c.components[i].increment);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, ComponentsTest, ::testing::ValuesIn(kComponentCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ParametersReaderTest, DuplicateNamesKeepBothAndTheLaterWinsTheLookup)
{
    const auto def = readParameters(R"(<parameter name="p" type="float" default="1"/>)"
                                    R"(<parameter name="q" type="bool"/>)"
                                    R"(<parameter name="p" type="int" default="2"/>)");
    ASSERT_TRUE(def);
    ASSERT_EQ(def->getParameters().size(), 3u);
    EXPECT_EQ(def->getParameter("p").type, "int");
    EXPECT_DOUBLE_EQ(def->getParameter("p").defaultValue, 2.0);
    EXPECT_EQ(def->getParameters()[0].type, "float");
}

TEST(ParametersReaderTest, UnknownNameThrowsOutOfRange)
{
    const auto def = readParameters(R"(<parameter name="p" type="float"/>)");
    ASSERT_TRUE(def);
    for (const char* name : {"q", "P", "", "p "}) {
        try {
            def->getParameter(name);
            ADD_FAILURE() << "no exception for '" << name << "'";
        } catch (const std::out_of_range& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Parameter not found: ") + name);
        }
    }
}
