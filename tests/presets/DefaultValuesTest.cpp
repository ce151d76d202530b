// ">> Load Defaults <<": the values built from a definition, and the reset through the host.
#include <gtest/gtest.h>

#include <ostream>

#include "presets/DefaultParameterValues.h"
#include "tests/presets/ControlsTestSupport.h"
#include "tests/presets/PresetTestSupport.h"

using namespace controlstest;

namespace {

struct DefaultCase {
    const char* label;
    std::string parameter;  // one <parameter> element named "p"
    bool included;
    std::string kind;       // ParameterValue type when included
    std::vector<double> numbers;
    std::string text;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DefaultCase& c, std::ostream* out) { *out << c.label; }

class DefaultValuesTest : public ::testing::TestWithParam<DefaultCase> {};

std::vector<double> numbersOf(const ParameterValue& value, const std::string& kind) {
    float c[4] = {0, 0, 0, 0};
    if (kind == "vec2") {
        value.asVec2(c[0], c[1]);
        return {c[0], c[1]};
    }
    if (kind == "vec3") {
        value.asVec3(c[0], c[1], c[2]);
        return {c[0], c[1], c[2]};
    }
    if (kind == "vec4") {
        value.asVec4(c[0], c[1], c[2], c[3]);
        return {c[0], c[1], c[2], c[3]};
    }
    return {value.asDouble()};
}

}  // namespace

TEST_P(DefaultValuesTest, ValueFromTheDefinition) {
    const DefaultCase& c = GetParam();
    const auto definition = presettest::makeDefinition(c.parameter);
    ASSERT_NE(definition, nullptr);
    const std::map<std::string, ParameterValue> values = defaultParameterValues(*definition);
    ASSERT_EQ(values.count("p"), c.included ? 1u : 0u);
    if (!c.included) return;
    const ParameterValue& value = values.at("p");
    EXPECT_EQ(value.getType(), c.kind);
    if (c.kind == "string") {
        EXPECT_EQ(value.asString(), c.text);
    } else {
        const std::vector<double> got = numbersOf(value, c.kind);
        ASSERT_EQ(got.size(), c.numbers.size());
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_FLOAT_EQ(got[i], c.numbers[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, DefaultValuesTest,
    ::testing::Values(
        DefaultCase{"double", R"(<parameter name="p" type="double" default="0.25"/>)", true, "double", {0.25}, ""},
        DefaultCase{"float", R"(<parameter name="p" type="float" default="-3.5"/>)", true, "double", {-3.5}, ""},
        DefaultCase{"int_truncated", R"(<parameter name="p" type="int" default="3.9"/>)", true, "int", {3}, ""},
        DefaultCase{"int_negative", R"(<parameter name="p" type="int" default="-2.7"/>)", true, "int", {-2}, ""},
        DefaultCase{"choice", R"(<parameter name="p" type="choice" default="1.7"><option value="0" label="a"/><option value="1" label="b"/></parameter>)",
                    true, "int", {1}, ""},
        DefaultCase{"bool", R"(<parameter name="p" type="bool" default="true"/>)", true, "bool", {1}, ""},
        DefaultCase{"vec2_missing_y", R"(<parameter name="p" type="vec2"><component name="x" default="0.5"/></parameter>)",
                    true, "vec2", {0.5, 0}, ""},
        DefaultCase{"vec3", R"(<parameter name="p" type="vec3"><component name="x" default="1"/><component name="y" default="2"/><component name="z" default="3"/></parameter>)",
                    true, "vec3", {1, 2, 3}, ""},
        DefaultCase{"color_none", R"(<parameter name="p" type="color"/>)", true, "vec3", {0, 0, 0}, ""},
        DefaultCase{"rgba_without_alpha", R"(<parameter name="p" type="color_rgba"><component name="r" default="0.4"/><component name="g" default="0.5"/><component name="b" default="0.6"/></parameter>)",
                    true, "vec4", {0.4, 0.5, 0.6, 1}, ""},
        DefaultCase{"rgba_none", R"(<parameter name="p" type="color_rgba"/>)", true, "vec4", {0, 0, 0, 1}, ""},
        DefaultCase{"rgba_with_alpha", R"(<parameter name="p" type="color_rgba"><component name="r" default="0.1"/><component name="g" default="0.2"/><component name="b" default="0.3"/><component name="a" default="0.25"/></parameter>)",
                    true, "vec4", {0.1, 0.2, 0.3, 0.25}, ""},
        DefaultCase{"string", R"(<parameter name="p" type="string" default="hi there"/>)", true, "string", {}, "hi there"},
        DefaultCase{"filepath", R"(<parameter name="p" type="filepath" default="/a/b.cube"/>)", true, "string", {}, "/a/b.cube"},
        DefaultCase{"pushbutton", R"(<parameter name="p" type="pushbutton"/>)", false, "", {}, ""},
        DefaultCase{"curve", R"(<parameter name="p" type="curve" default_shape="linear"/>)", false, "", {}, ""}),
    [](const ::testing::TestParamInfo<DefaultCase>& info) { return std::string(info.param.label); });

TEST(LoadDefaultsThroughHostTest, EveryParameterReturnsToItsDefault) {
    presettest::ScopedHome home;
    HostedEffect effect(fixtureBundle(true));
    ASSERT_TRUE(effect.ok());
    effect.render();
    ofxhost::EffectInstance& i = effect.instance();
    i.setDouble("amount", 7);
    i.setDouble("gain", 0.5);
    i.setInt("count", -8);
    i.setBool("enabled", false);
    i.setInt("style", 0);
    i.setValues("center", {3, 3});
    i.setValues("offset", {-1, -1, -1});
    i.setValues("tint", {1, 1, 1});
    i.setValues("overlay", {0.9, 0.9, 0.9, 0.1});
    i.setString("caption", "changed");
    i.setString("lut_file", "/elsewhere.cube");
    i.setDouble("Blend", 0.4);
    effect.select("factory_preset_list", 2);  // stays selected: that preset is empty

    effect.select("preset_list", 1);
    EXPECT_DOUBLE_EQ(i.getDouble("amount"), 0.25);
    EXPECT_DOUBLE_EQ(i.getDouble("gain"), 1.5);
    EXPECT_EQ(i.getInt("count"), 3);
    EXPECT_TRUE(i.getBool("enabled"));
    EXPECT_EQ(i.getInt("style"), 1);
    EXPECT_EQ(i.values("center"), (std::vector<double>{0.25, 0.75}));
    EXPECT_EQ(i.values("offset"), (std::vector<double>{1, 2, 3}));
    const std::vector<double> tint = i.values("tint");
    const std::vector<double> overlay = i.values("overlay");
    ASSERT_EQ(tint.size(), 3u);
    ASSERT_EQ(overlay.size(), 4u);
    for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(static_cast<float>(tint[k]), 0.1f * static_cast<float>(k + 1));
    EXPECT_FLOAT_EQ(static_cast<float>(overlay[0]), 0.4f);
    EXPECT_FLOAT_EQ(static_cast<float>(overlay[1]), 0.5f);
    EXPECT_FLOAT_EQ(static_cast<float>(overlay[2]), 0.6f);
    EXPECT_EQ(overlay[3], 1.0);  // the definition gives no alpha default
    EXPECT_EQ(i.getString("caption"), "hello");
    EXPECT_EQ(i.getString("lut_file"), "/tmp/a.cube");
    EXPECT_DOUBLE_EQ(i.getDouble("Blend"), 0.4);  // not a definition parameter
    EXPECT_EQ(effect.value("preset_list"), 1);
    EXPECT_EQ(effect.value("factory_preset_list"), 0);

    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_TRUE(hasLine(log, "[INFO] Load Defaults selected - resetting to XML defaults"));
    EXPECT_TRUE(hasLine(log, "[INFO] Loading default values from XML definition"));
    EXPECT_TRUE(hasLine(log, "[INFO] Default values loaded: 11 parameters reset"));
}
