// The preset file format: the document byte for byte, the type and value texts, numbers.
#include <gtest/gtest.h>

#include <regex>

#include "presets/PresetManager.h"
#include "presets/PresetNumberText.h"
#include "tests/presets/PresetTestSupport.h"

using namespace presettest;

namespace {

const char* const kDefaultPresetDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<preset>\n"
    "\t<meta>\n"
    "\t\t<effect>Edge Bleed</effect>\n"
    "\t\t<version>1.0</version>\n"
    "\t\t<created>2024-03-05T14:07:09</created>\n"
    "\t</meta>\n"
    "\t<parameters>\n"
    "\t\t<param name=\"mode\" type=\"choice\" value=\"0\" />\n"
    "\t\t<param name=\"threshold\" type=\"float\" value=\"0.5\" />\n"
    "\t\t<param name=\"max_distance\" type=\"float\" value=\"0\" />\n"
    "\t\t<param name=\"preserve_inside\" type=\"bool\" value=\"true\" />\n"
    "\t\t<param name=\"blur_radius\" type=\"float\" value=\"1\" />\n"
    "\t\t<param name=\"output_mode\" type=\"choice\" value=\"0\" />\n"
    "\t</parameters>\n"
    "</preset>\n";

// The default values as the instance collects them (the map is ordered by name, the file
// by the definition).
std::map<std::string, ParameterValue> edgeBleedDefaults() {
    return {{"mode", ParameterValue(0)},           {"threshold", ParameterValue(0.5)},
            {"max_distance", ParameterValue(0.0)}, {"preserve_inside", ParameterValue(true)},
            {"blur_radius", ParameterValue(1.0)},  {"output_mode", ParameterValue(0)}};
}

class PresetFormatTest : public ::testing::Test {
protected:
    ScopedHome home;
    LogCapture log;
};

}  // namespace

TEST_F(PresetFormatTest, DefaultValuesGiveTheExactDocument) {
    const auto definition = makeEdgeBleedDefinition();
    EXPECT_EQ(PresetManager::buildPresetDocument("Edge Bleed", "1.0", "2024-03-05T14:07:09",
                                                 edgeBleedDefaults(), *definition),
              kDefaultPresetDocument);
}

TEST_F(PresetFormatTest, SavedFileIsTheDocumentWithTheSavingTime) {
    const auto definition = makeEdgeBleedDefinition();
    const std::string path = PresetManager::getUserPresetDirectory("Edge Bleed") + "/Defaults.xml";
    const std::string before = PresetManager::getCurrentTimestamp();
    ASSERT_TRUE(PresetManager::savePreset(path, "Edge Bleed", "1.0", edgeBleedDefaults(), *definition));
    const std::string after = PresetManager::getCurrentTimestamp();

    std::string contents = readFile(path);
    std::smatch created;
    const std::regex createdLine("<created>([0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2})</created>");
    ASSERT_TRUE(std::regex_search(contents, created, createdLine)) << contents;
    // Fixed-width texts compare in time order.
    EXPECT_LE(before, created[1].str());
    EXPECT_GE(after, created[1].str());
    contents.replace(created.position(1), created.length(1), "2024-03-05T14:07:09");
    EXPECT_EQ(contents, kDefaultPresetDocument);
    EXPECT_TRUE(log.contains("[INFO] Preset saved: " + path));
}

TEST_F(PresetFormatTest, ControlsButtonsAndUnknownValuesAreNotWritten) {
    const auto definition = makeDefinition(
        "<parameter name=\"preset_file\" type=\"string\"/>\n"
        "<parameter name=\"load_preset\" type=\"pushbutton\"/>\n"
        "<parameter name=\"save_preset\" type=\"string\"/>\n"
        "<parameter name=\"reset_view\" type=\"pushbutton\"/>\n"
        "<parameter name=\"threshold\" type=\"float\" default=\"0.5\"/>\n"
        "<parameter name=\"not_in_map\" type=\"float\"/>\n");
    const std::map<std::string, ParameterValue> values = {
        {"preset_file", ParameterValue("x")},  {"load_preset", ParameterValue(true)},
        {"save_preset", ParameterValue("y")},  {"reset_view", ParameterValue(true)},
        {"threshold", ParameterValue(0.25)},   {"unknown", ParameterValue(3)}};
    const std::string document =
        PresetManager::buildPresetDocument("Edge Bleed", "1.0", "T", values, *definition);
    EXPECT_NE(document.find("\t<parameters>\n"
                            "\t\t<param name=\"threshold\" type=\"float\" value=\"0.25\" />\n"
                            "\t</parameters>\n"),
              std::string::npos)
        << document;
    for (const char* absent : {"preset_file", "load_preset", "save_preset", "reset_view",
                               "not_in_map", "unknown"}) {
        EXPECT_EQ(document.find(absent), std::string::npos) << absent;
    }
}

TEST_F(PresetFormatTest, NoParametersGiveAnEmptyParametersElement) {
    const auto definition = makeDefinition("");
    EXPECT_EQ(PresetManager::buildPresetDocument("E", "2", "T", {}, *definition),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<preset>\n"
              "\t<meta>\n"
              "\t\t<effect>E</effect>\n"
              "\t\t<version>2</version>\n"
              "\t\t<created>T</created>\n"
              "\t</meta>\n"
              "\t<parameters />\n"
              "</preset>\n");
}

TEST_F(PresetFormatTest, MarkupCharactersAreEscaped) {
    const auto definition = makeDefinition("<parameter name=\"label\" type=\"string\"/>\n");
    const std::string document = PresetManager::buildPresetDocument(
        "A & B <x>", "1.0", "T", {{"label", ParameterValue("say \"hi\" & <bye>")}}, *definition);
    EXPECT_NE(document.find("<effect>A &amp; B &lt;x&gt;</effect>"), std::string::npos) << document;
    // '>' needs no escape inside an attribute value.
    EXPECT_NE(document.find("value=\"say &quot;hi&quot; &amp; &lt;bye>\""), std::string::npos)
        << document;
}

// One parameter of each definition type: the type attribute and the value text written.
struct TypeCase {
    const char* definitionType;
    ParameterValue value;
    const char* writtenType;
    const char* writtenValue;
};

class PresetTypeTextTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(PresetTypeTextTest, WritesTypeAndValueText) {
    const TypeCase& c = GetParam();
    const auto definition = makeDefinition(std::string("<parameter name=\"p\" type=\"") +
                                           c.definitionType + "\"/>\n");
    const std::string document =
        PresetManager::buildPresetDocument("E", "1", "T", {{"p", c.value}}, *definition);
    const std::string expected = std::string("<param name=\"p\" type=\"") + c.writtenType +
                                 "\" value=\"" + c.writtenValue + "\" />";
    EXPECT_NE(document.find(expected), std::string::npos) << document;
    EXPECT_EQ(PresetManager::getTypeString(c.definitionType), c.writtenType);
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, PresetTypeTextTest,
    ::testing::Values(
        TypeCase{"float", ParameterValue(0.1), "float", "0.1"},
        TypeCase{"double", ParameterValue(1e12), "float", "1e+12"},
        TypeCase{"float", ParameterValue(7), "float", "7"},
        TypeCase{"int", ParameterValue(-42), "int", "-42"},
        TypeCase{"int", ParameterValue(2.9), "int", "2"},
        TypeCase{"choice", ParameterValue(3), "choice", "3"},
        TypeCase{"bool", ParameterValue(true), "bool", "true"},
        TypeCase{"bool", ParameterValue(0), "bool", "false"},
        TypeCase{"vec2", ParameterValue(0.1, 0.25), "vec2", "0.1000000015,0.25"},
        TypeCase{"vec3", ParameterValue(1.0, -2.0, 2.5e-6), "vec3", "1,-2,2.499999937e-06"},
        TypeCase{"color", ParameterValue(1.0, 0.5, 0.0), "vec3", "1,0.5,0"},
        TypeCase{"color_rgba", ParameterValue(0.25, 0.5, 0.75, 1.0), "vec4", "0.25,0.5,0.75,1"},
        TypeCase{"vec4", ParameterValue(1.0, 2.0, 3.0, 4.0), "vec4", "1,2,3,4"},
        TypeCase{"string", ParameterValue("Soft, edge"), "string", "Soft, edge"},
        TypeCase{"filepath", ParameterValue("/a b/c.exr"), "filepath", "/a b/c.exr"},
        TypeCase{"string", ParameterValue(0.5), "string", "0.500000"},
        TypeCase{"curve", ParameterValue(1.0), "curve", ""}));

struct NumberCase {
    double value;
    const char* text;
};

class PresetNumberTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(PresetNumberTextTest, ScalarsUseTenSignificantDigits) {
    EXPECT_EQ(preset_text::formatNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, PresetNumberTextTest,
    ::testing::Values(NumberCase{0.1, "0.1"}, NumberCase{1e12, "1e+12"},
                      NumberCase{2.5e-06, "2.5e-06"}, NumberCase{0.1000000015, "0.1000000015"},
                      NumberCase{static_cast<double>(0.1f), "0.1000000015"},
                      NumberCase{0.5, "0.5"}, NumberCase{1.0, "1"}, NumberCase{0.0, "0"},
                      NumberCase{-0.0, "-0"}, NumberCase{-0.25, "-0.25"},
                      NumberCase{1234567890.0, "1234567890"},
                      NumberCase{12345678901.0, "1.23456789e+10"},
                      NumberCase{0.0001, "0.0001"}, NumberCase{0.00001, "1e-05"},
                      NumberCase{1.0 / 3.0, "0.3333333333"}, NumberCase{2.0 / 3.0, "0.6666666667"}));

TEST(PresetComponentTextTest, ComponentsPassThroughSinglePrecision) {
    const float components[4] = {0.1f, 0.25f, 1e12f, -3.0f};
    EXPECT_EQ(preset_text::formatComponents(components, 4), "0.1000000015,0.25,9.999999959e+11,-3");
    EXPECT_EQ(preset_text::formatComponents(components, 1), "0.1000000015");
}
