// The value rules of parameter creation: integer truncation, component lookup, curve shapes,
// resolution-dependency hints and the framework's reserved names.
#include "plugin/FrameworkParameters.h"
#include "plugin/ParameterDefaults.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

struct TruncationCase {
    double value;
    int expected;
};

class TruncateToInt : public ::testing::TestWithParam<TruncationCase> {};

TEST_P(TruncateToInt, TruncatesTowardZeroAndSaturates)
{
    EXPECT_EQ(truncateToInt(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TruncateToInt,
    ::testing::Values(TruncationCase{-0.7, 0}, TruncationCase{10.9, 10}, TruncationCase{2.5, 2},
                      TruncationCase{1.9, 1}, TruncationCase{-2.5, -2}, TruncationCase{0.0, 0},
                      TruncationCase{-0.0, 0}, TruncationCase{7.0, 7}, TruncationCase{1e12, INT_MAX},
                      TruncationCase{-1e12, INT_MIN}, TruncationCase{std::numeric_limits<double>::infinity(), INT_MAX},
                      TruncationCase{-std::numeric_limits<double>::infinity(), INT_MIN},
                      TruncationCase{std::nan(""), 0}));

XMLEffectDefinition::ParameterComponentDef component(const char* name, double defaultValue)
{
    XMLEffectDefinition::ParameterComponentDef c;
    c.name = name;
    c.defaultValue = defaultValue;
    return c;
}

TEST(FindComponent, TheLaterOfTwoSameNamedComponentsWins)
{
    XMLEffectDefinition::ParameterDef param;
    param.components = {component("r", 0.1), component("g", 0.2), component("r", 0.9)};
    ASSERT_NE(findComponent(param, "r"), nullptr);
    EXPECT_DOUBLE_EQ(findComponent(param, "r")->defaultValue, 0.9);
    EXPECT_DOUBLE_EQ(componentDefault(param, "g", 5.0), 0.2);
    EXPECT_EQ(findComponent(param, "b"), nullptr);
    EXPECT_DOUBLE_EQ(componentDefault(param, "b", 5.0), 5.0);
    EXPECT_EQ(findComponent(param, "R"), nullptr);  // names compare exactly
}

struct ShapeCase {
    const char* shape;
    std::vector<std::pair<double, double>> points;
};

class CurveShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(CurveShapes, GiveTheControlPointsInOrder)
{
    EXPECT_EQ(curveShapePoints(GetParam().shape), GetParam().points);
}

const std::vector<std::pair<double, double>> kLinear = {{0.0, 0.0}, {1.0, 1.0}};

INSTANTIATE_TEST_SUITE_P(
    Shapes, CurveShapes,
    ::testing::Values(ShapeCase{"linear", kLinear}, ShapeCase{"ease_in", {{0.0, 0.0}, {0.5, 0.25}, {1.0, 1.0}}},
                      ShapeCase{"ease_out", {{0.0, 0.0}, {0.5, 0.75}, {1.0, 1.0}}},
                      ShapeCase{"ease_in_out", {{0.0, 0.0}, {0.25, 0.1}, {0.5, 0.5}, {0.75, 0.9}, {1.0, 1.0}}},
                      ShapeCase{"smooth", kLinear}, ShapeCase{"", kLinear}, ShapeCase{"EASE_IN", kLinear}));

struct SuffixCase {
    const char* resDependent;
    const char* suffix;
};

class ResolutionSuffix : public ::testing::TestWithParam<SuffixCase> {};

TEST_P(ResolutionSuffix, NamesTheDependency)
{
    EXPECT_EQ(resolutionDependencySuffix(GetParam().resDependent), GetParam().suffix);
}

INSTANTIATE_TEST_SUITE_P(Dependencies, ResolutionSuffix,
                         ::testing::Values(SuffixCase{"width", " (width-dependent)"},
                                           SuffixCase{"height", " (height-dependent)"},
                                           SuffixCase{"xy", " (dimension-dependent)"}, SuffixCase{"none", ""},
                                           SuffixCase{"", ""}, SuffixCase{"Width", ""}));

TEST(FrameworkParameterNames, AreTheNineFrameworkParametersExactly)
{
    for (const char* name : {"presetsHelp", "factory_preset_list", "preset_list", "delete_preset", "preset_name",
                             "save_preset", "tutorialsButton", "Global Blend", "Blend"}) {
        EXPECT_TRUE(isFrameworkParameterName(name)) << name;
    }
    for (const char* name : {"blend", "Main", "mode", "load_preset", "", "Blend "}) {
        EXPECT_FALSE(isFrameworkParameterName(name)) << name;
    }
}

} // namespace
