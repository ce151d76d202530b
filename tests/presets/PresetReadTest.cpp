// Reading preset files: every rule of the reader and the messages it logs.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "presets/PresetManager.h"
#include "presets/RegularFileReader.h"
#include "tests/presets/PresetTestSupport.h"

using namespace presettest;

namespace {

std::string presetWith(const std::string& params) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<preset>\n"
           "\t<meta><effect>Edge Bleed</effect><version>1.0</version>"
           "<created>2024-03-05T14:07:09</created></meta>\n"
           "\t<parameters>\n" + params + "\t</parameters>\n"
           "</preset>\n";
}

std::string param(const std::string& name, const std::string& type, const std::string& value) {
    return "\t\t<param name=\"" + name + "\" type=\"" + type + "\" value=\"" + value + "\" />\n";
}

// The expected value of one entry, compared by kind and payload.
struct Expected {
    std::string kind;  // ParameterValue::getType()
    double a = 0, b = 0, c = 0, d = 0;
    std::string text;
};

Expected number(double v) { return {"double", v, 0, 0, 0, ""}; }
Expected integer(int v) { return {"int", static_cast<double>(v), 0, 0, 0, ""}; }
Expected boolean(bool v) { return {"bool", v ? 1.0 : 0.0, 0, 0, 0, ""}; }
Expected vec(int n, double a, double b, double c = 0, double d = 0) {
    return {n == 2 ? "vec2" : n == 3 ? "vec3" : "vec4", a, b, c, d, ""};
}
Expected text(const std::string& t) { return {"string", 0, 0, 0, 0, t}; }

void expectValue(const ParameterValue& value, const Expected& expected, const std::string& name) {
    SCOPED_TRACE(name);
    ASSERT_EQ(value.getType(), expected.kind);
    if (expected.kind == "double") {
        EXPECT_DOUBLE_EQ(value.asDouble(), expected.a);
    }
    if (expected.kind == "int") {
        EXPECT_EQ(value.asInt(), static_cast<int>(expected.a));
    }
    if (expected.kind == "bool") {
        EXPECT_EQ(value.asBool(), expected.a != 0.0);
    }
    if (expected.kind == "string") {
        EXPECT_EQ(value.asString(), expected.text);
    }
    float x = 0, y = 0, z = 0, w = 0;
    if (expected.kind == "vec2") {
        value.asVec2(x, y);
        EXPECT_FLOAT_EQ(x, static_cast<float>(expected.a));
        EXPECT_FLOAT_EQ(y, static_cast<float>(expected.b));
    }
    if (expected.kind == "vec3") {
        value.asVec3(x, y, z);
        EXPECT_FLOAT_EQ(x, static_cast<float>(expected.a));
        EXPECT_FLOAT_EQ(y, static_cast<float>(expected.b));
        EXPECT_FLOAT_EQ(z, static_cast<float>(expected.c));
    }
    if (expected.kind == "vec4") {
        value.asVec4(x, y, z, w);
        EXPECT_FLOAT_EQ(x, static_cast<float>(expected.a));
        EXPECT_FLOAT_EQ(y, static_cast<float>(expected.b));
        EXPECT_FLOAT_EQ(z, static_cast<float>(expected.c));
        EXPECT_FLOAT_EQ(w, static_cast<float>(expected.d));
    }
}

// One param element: read as the expected value, or left out (with or without a message).
struct ParamCase {
    const char* label;
    std::string type;
    std::string value;
    bool read;
    Expected expected;
    std::string message;  // the parse failure text logged, empty for none
};

class PresetParamReadTest : public ::testing::TestWithParam<ParamCase> {
protected:
    ScopedHome home;
    LogCapture log;
};

}  // namespace

TEST_P(PresetParamReadTest, ConvertsTheValueTextByType) {
    const ParamCase& c = GetParam();
    const std::string path = home.path() + "/case.xml";
    // A neighbour parameter shows that one bad entry never stops the rest.
    writeFile(path, presetWith(param("p", c.type, c.value) + param("other", "int", "5")));
    std::string effect, version;
    const auto values = PresetManager::loadPreset(path, effect, version);

    ASSERT_EQ(values.count("other"), 1u);
    expectValue(values.at("other"), integer(5), "other");
    EXPECT_EQ(values.count("p"), c.read ? 1u : 0u);
    if (c.read && values.count("p")) expectValue(values.at("p"), c.expected, "p");

    const auto parseLines = log.linesStartingWith("[INFO] Failed to parse preset param");
    if (c.message.empty()) {
        EXPECT_TRUE(parseLines.empty());
    } else {
        ASSERT_EQ(parseLines.size(), 1u);
        EXPECT_EQ(parseLines[0], "[INFO] Failed to parse preset param 'p': " + c.message);
    }
    EXPECT_TRUE(log.contains("[INFO] Preset loaded: " + path + " (" +
                             std::to_string(values.size()) + " parameters)"));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PresetParamReadTest,
    ::testing::Values(
        ParamCase{"float", "float", "0.5", true, number(0.5), ""},
        ParamCase{"double", "double", "1e+12", true, number(1e12), ""},
        ParamCase{"leading_blanks_and_tail", "float", "  1.5abc", true, number(1.5), ""},
        ParamCase{"float_no_number", "float", "abc", false, {}, "stod"},
        ParamCase{"float_empty", "float", "", false, {}, "stod"},
        ParamCase{"float_out_of_range", "float", "1e999", false, {}, "stod"},
        ParamCase{"int", "int", "-7", true, integer(-7), ""},
        ParamCase{"int_from_decimal", "int", "12.7", true, integer(12), ""},
        ParamCase{"choice", "choice", "2", true, integer(2), ""},
        ParamCase{"int_no_number", "int", "x1", false, {}, "stoi"},
        ParamCase{"int_out_of_range", "choice", "99999999999", false, {}, "stoi"},
        ParamCase{"bool_true", "bool", "true", true, boolean(true), ""},
        ParamCase{"bool_one", "bool", "1", true, boolean(true), ""},
        ParamCase{"bool_upper", "bool", "TRUE", true, boolean(false), ""},
        ParamCase{"bool_yes", "bool", "yes", true, boolean(false), ""},
        ParamCase{"bool_false", "bool", "false", true, boolean(false), ""},
        ParamCase{"vec2", "vec2", "0.1,0.25", true, vec(2, 0.1, 0.25), ""},
        ParamCase{"vec2_extra_pieces", "vec2", "1,2,3", true, vec(2, 1, 2), ""},
        ParamCase{"vec2_too_few", "vec2", "1", false, {}, ""},
        ParamCase{"vec2_bad_piece", "vec2", "1,abc", false, {}, "stod"},
        ParamCase{"vec3_too_few", "vec3", "1,2", false, {}, ""},
        ParamCase{"vec3_extra_pieces", "vec3", "1,2,3,4", true, vec(3, 1, 2, 3), ""},
        ParamCase{"vec3_empty_piece", "vec3", "1,,3", false, {}, "stod"},
        ParamCase{"vec3_trailing_comma", "vec3", "1,2,", false, {}, ""},
        ParamCase{"color", "color", " 1, 0.5 ,0", true, vec(3, 1, 0.5, 0), ""},
        ParamCase{"vec4", "vec4", "1,2,3,4", true, vec(4, 1, 2, 3, 4), ""},
        ParamCase{"color_rgba", "color_rgba", "0.25,0.5,0.75,1", true, vec(4, 0.25, 0.5, 0.75, 1), ""},
        ParamCase{"vec4_too_few", "color_rgba", "1,2,3", false, {}, ""},
        ParamCase{"string", "string", "Soft, edge &amp; more", true, text("Soft, edge & more"), ""},
        ParamCase{"filepath", "filepath", "/a b/c.exr", true, text("/a b/c.exr"), ""},
        ParamCase{"unknown_type", "curve", "1", false, {}, ""},
        ParamCase{"type_is_case_sensitive", "Float", "1", false, {}, ""}),
    [](const ::testing::TestParamInfo<ParamCase>& info) { return std::string(info.param.label); });

namespace {

class PresetReadTest : public ::testing::Test {
protected:
    std::map<std::string, ParameterValue> load(const std::string& contents) {
        writeFile(path, contents);
        return PresetManager::loadPreset(path, effect, version);
    }

    ScopedHome home;
    LogCapture log;
    std::string path = home.path() + "/preset.xml";
    std::string effect = "unchanged effect";
    std::string version = "unchanged version";
};

}  // namespace

TEST_F(PresetReadTest, MetaFillsTheOutputs) {
    const auto values = load(presetWith(param("threshold", "float", "0.5")));
    EXPECT_EQ(effect, "Edge Bleed");
    EXPECT_EQ(version, "1.0");
    EXPECT_EQ(values.size(), 1u);
}

TEST_F(PresetReadTest, MissingMetaLeavesTheOutputsAndReadsTheParameters) {
    const auto values = load("<preset><parameters>" + param("threshold", "float", "0.5") +
                             param("mode", "choice", "1") + "</parameters></preset>");
    EXPECT_EQ(effect, "unchanged effect");
    EXPECT_EQ(version, "unchanged version");
    ASSERT_EQ(values.size(), 2u);
    expectValue(values.at("threshold"), number(0.5), "threshold");
    expectValue(values.at("mode"), integer(1), "mode");
}

TEST_F(PresetReadTest, MetaWithoutChildrenGivesEmptyTexts) {
    load("<preset><meta/><parameters/></preset>");
    EXPECT_EQ(effect, "");
    EXPECT_EQ(version, "");
}

TEST_F(PresetReadTest, LaterDuplicateWins) {
    const auto values = load(presetWith(param("threshold", "float", "0.25") +
                                        param("threshold", "int", "3")));
    ASSERT_EQ(values.size(), 1u);
    expectValue(values.at("threshold"), integer(3), "threshold");
}

TEST_F(PresetReadTest, EmptyNamesMissingAttributesAndOtherElementsAreSkipped) {
    const auto values = load(presetWith(
        param("", "float", "1") + "\t\t<param type=\"float\" value=\"1\" />\n"
        "\t\t<param name=\"no_type\" value=\"1\" />\n"
        "\t\t<param name=\"no_value\" type=\"string\" />\n"
        "\t\t<parameter name=\"wrong_element\" type=\"float\" value=\"1\" />\n"));
    ASSERT_EQ(values.size(), 1u);
    expectValue(values.at("no_value"), text(""), "no_value");
    EXPECT_TRUE(log.contains("[INFO] Preset loaded: " + path + " (1 parameters)"));
}

TEST_F(PresetReadTest, MissingParametersElementGivesAnEmptyMap) {
    const auto values = load("<preset><meta><effect>E</effect></meta></preset>");
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(effect, "E");
    EXPECT_TRUE(log.contains("[INFO] Preset loaded: " + path + " (0 parameters)"));
}

TEST_F(PresetReadTest, EntitiesCdataAndLineEndsAreDecoded) {
    const auto values = load(
        "<preset><parameters>"
        "<param name=\"a&amp;b\" type=\"string\" value=\"x&#x41;&lt;\"/>"
        "<param name=\"c\" type=\"float\" value=\"\t2.5\"/>"
        "</parameters><meta><effect><![CDATA[Edge <Bleed>]]></effect></meta></preset>");
    ASSERT_EQ(values.size(), 2u);
    expectValue(values.at("a&b"), text("xA<"), "a&b");
    expectValue(values.at("c"), number(2.5), "c");
    EXPECT_EQ(effect, "Edge <Bleed>");
}

struct BrokenFileCase {
    const char* label;
    std::string contents;  // nullptr-like "<missing>" means no file at all
    const char* message;
};

class PresetBrokenFileTest : public ::testing::TestWithParam<BrokenFileCase> {
protected:
    ScopedHome home;
    LogCapture log;
};

TEST_P(PresetBrokenFileTest, GivesAnEmptyMapAndLogsWhy) {
    const BrokenFileCase& c = GetParam();
    const std::string path = home.path() + "/broken.xml";
    if (c.contents != "<missing>") writeFile(path, c.contents);
    std::string effect = "kept", version = "kept";
    EXPECT_TRUE(PresetManager::loadPreset(path, effect, version).empty());
    EXPECT_EQ(effect, "kept");
    EXPECT_EQ(version, "kept");
    EXPECT_TRUE(log.contains(std::string("[ERROR] ") + c.message + path)) << c.label;
    EXPECT_TRUE(log.linesStartingWith("[INFO] Preset loaded").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, PresetBrokenFileTest,
    ::testing::Values(
        BrokenFileCase{"missing", "<missing>", "Failed to load preset file: "},
        BrokenFileCase{"empty", "", "Failed to load preset file: "},
        BrokenFileCase{"no_element", "<?xml version=\"1.0\"?>\n<!-- only a comment -->\n",
                       "Failed to load preset file: "},
        BrokenFileCase{"malformed", "<preset><parameters></preset>", "Failed to load preset file: "},
        BrokenFileCase{"truncated", presetWith(param("a", "float", "1")).substr(0, 120),
                       "Failed to load preset file: "},
        BrokenFileCase{"other_root", "<settings><parameters/></settings>",
                       "Invalid preset file (no <preset> root): "}),
    [](const ::testing::TestParamInfo<BrokenFileCase>& info) { return std::string(info.param.label); });

TEST_F(PresetReadTest, AFolderIsNotAPreset) {
    const std::string folder = home.path() + "/folder.xml";
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(folder));
    EXPECT_TRUE(PresetManager::loadPreset(folder, effect, version).empty());
    EXPECT_TRUE(log.contains("[ERROR] Failed to load preset file: " + folder));
}

TEST_F(PresetReadTest, SavedValuesReadBackWithTheirKinds) {
    const auto definition = makeDefinition(
        "<parameter name=\"f\" type=\"float\"/>\n<parameter name=\"d\" type=\"double\"/>\n"
        "<parameter name=\"i\" type=\"int\"/>\n<parameter name=\"ch\" type=\"choice\">"
        "<option value=\"a\"/></parameter>\n<parameter name=\"b\" type=\"bool\"/>\n"
        "<parameter name=\"v2\" type=\"vec2\"/>\n<parameter name=\"v3\" type=\"vec3\"/>\n"
        "<parameter name=\"col\" type=\"color\"/>\n<parameter name=\"rgba\" type=\"color_rgba\"/>\n"
        "<parameter name=\"v4\" type=\"vec4\"/>\n<parameter name=\"s\" type=\"string\"/>\n"
        "<parameter name=\"fp\" type=\"filepath\"/>\n<parameter name=\"cv\" type=\"curve\"/>\n");
    const std::map<std::string, ParameterValue> saved = {
        {"f", ParameterValue(0.1)},
        {"d", ParameterValue(-2.5e-6)},
        {"i", ParameterValue(-12)},
        {"ch", ParameterValue(1)},
        {"b", ParameterValue(true)},
        {"v2", ParameterValue(0.1, 0.25)},
        {"v3", ParameterValue(1.0, 2.0, 3.0)},
        {"col", ParameterValue(0.5, 0.25, 0.125)},
        {"rgba", ParameterValue(0.1, 0.2, 0.3, 0.4)},
        {"v4", ParameterValue(4.0, 3.0, 2.0, 1.0)},
        {"s", ParameterValue("hello,\t<world> &\n\"you\"")},
        {"fp", ParameterValue("/tmp/a b.exr")},
        {"cv", ParameterValue(1.0)}};
    ASSERT_TRUE(PresetManager::savePreset(path, "Edge Bleed", "1.0", saved, *definition));
    const auto values = PresetManager::loadPreset(path, effect, version);
    EXPECT_EQ(effect, "Edge Bleed");
    EXPECT_EQ(version, "1.0");
    ASSERT_EQ(values.size(), 12u);  // the curve is written with an empty text and not read back
    EXPECT_EQ(values.count("cv"), 0u);
    expectValue(values.at("f"), number(0.1), "f");
    expectValue(values.at("d"), number(-2.5e-6), "d");
    expectValue(values.at("i"), integer(-12), "i");
    expectValue(values.at("ch"), integer(1), "ch");
    expectValue(values.at("b"), boolean(true), "b");
    expectValue(values.at("v2"), vec(2, 0.1, 0.25), "v2");
    expectValue(values.at("v3"), vec(3, 1, 2, 3), "v3");
    expectValue(values.at("col"), vec(3, 0.5, 0.25, 0.125), "col");
    expectValue(values.at("rgba"), vec(4, 0.1, 0.2, 0.3, 0.4), "rgba");
    expectValue(values.at("v4"), vec(4, 4, 3, 2, 1), "v4");
    expectValue(values.at("s"), text("hello,\t<world> &\n\"you\""), "s");
    expectValue(values.at("fp"), text("/tmp/a b.exr"), "fp");
}

TEST_F(PresetReadTest, AFifoIsRefusedWithoutWaitingForAWriter) {
    const std::string fifo = home.path() + "/pipe.xml";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Read in a child process so that a reader which blocks on the FIFO fails the test
    // instead of hanging it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string e, v;
        _exit(PresetManager::loadPreset(fifo, e, v).empty() ? 0 : 1);
    }
    int status = 0;
    bool exited = false;
    for (int waited = 0; waited < 500 && !exited; ++waited) {
        exited = waitpid(child, &status, WNOHANG) == child;
        if (!exited) usleep(10000);
    }
    if (!exited) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "loading a FIFO blocked";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(PresetReadTest, AFileTooLargeForAPresetIsRefused) {
    const std::string big = home.path() + "/big.xml";
    writeFile(big, presetWith(param("a", "float", "1")));
    // Sparse: the size is past the limit without writing the bytes.
    ASSERT_EQ(truncate(big.c_str(), static_cast<off_t>(regular_file::kMaxPresetFileBytes) + 1), 0);
    EXPECT_TRUE(PresetManager::loadPreset(big, effect, version).empty());
    EXPECT_TRUE(log.contains("[ERROR] Failed to load preset file: " + big));

    std::string contents = "unchanged";
    writeFile(big, "0123456789");
    EXPECT_TRUE(regular_file::read(big, contents, 10));
    EXPECT_EQ(contents, "0123456789");
    contents = "unchanged";
    EXPECT_FALSE(regular_file::read(big, contents, 9));
    EXPECT_EQ(contents, "unchanged");
    EXPECT_FALSE(regular_file::read(home.path() + "/missing", contents));
}
