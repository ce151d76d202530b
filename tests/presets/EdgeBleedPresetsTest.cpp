// The real Edge Bleed bundle: the preset file of its default values, byte for byte, and the
// factory presets and documentation that ship inside it.
#include <gtest/gtest.h>

#include <regex>

#include "definition/EmbeddedDefinition.h"
#include "presets/PresetManager.h"
#include "tests/presets/ControlsTestSupport.h"
#include "tests/presets/PresetTestSupport.h"

using namespace controlstest;
using presettest::readFile;
using presettest::ScopedHome;

namespace {

const char* const kEffect = "Edge Bleed";

std::string shippedPresetFolder() { return edgeBleedBundle() + "/Contents/Resources/presets"; }

// The factory presets are taken from the standard location when a bundle is installed
// there; these tests look at the freshly built bundle only.
bool standardBundleInstalled() {
    return PresetManager::fileExists(PresetManager::getFactoryPresetDirectory("edge_bleed"));
}

std::unique_ptr<XMLEffectDefinition> edgeBleedDefinition() {
    auto definition = std::make_unique<XMLEffectDefinition>();
    EXPECT_TRUE(definition->parseFromEmbeddedXML(kEmbeddedEffectDefinition));
    return definition;
}

struct ShippedLook {
    const char* name;
    int mode;
    double threshold;
    double maxDistance;
    bool preserveInside;
    double blurRadius;
    int outputMode;
};

const std::vector<ShippedLook> kShippedLooks = {
    {"Distance Field View", 0, 0.5, 0.0, true, 1.0, 1}, {"Hard Edge Stretch", 0, 0.5, 0.0, true, 0.0, 0},
    {"Mirror", 1, 0.5, 0.0, true, 1.0, 0},              {"Short Reach", 0, 0.5, 0.05, true, 1.0, 0},
    {"Soft Stretch", 0, 0.5, 0.0, true, 4.0, 0}};

}  // namespace

TEST(EdgeBleedPresetsTest, DefaultValuesAreSavedByteForByte) {
    ScopedHome home;
    HostedEffect effect(edgeBleedBundle());
    ASSERT_TRUE(effect.ok());
    effect.render();
    effect.save("Defaults");
    const std::string path = PresetManager::getUserPresetDirectory(kEffect) + "/Defaults.xml";
    ASSERT_EQ(path, home.path() + "/.config/brightmoor/presets/Edge Bleed/Defaults.xml");
    const std::string text = readFile(path);

    std::smatch created;
    ASSERT_TRUE(std::regex_search(text, created, std::regex("<created>(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d)</created>")));
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<preset>\n"
        "\t<meta>\n"
        "\t\t<effect>Edge Bleed</effect>\n"
        "\t\t<version>1.0</version>\n"
        "\t\t<created>" + created[1].str() + "</created>\n"
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
    EXPECT_EQ(text, expected);
}

TEST(EdgeBleedPresetsTest, TheBundleOffersItsFactoryPresets) {
    if (standardBundleInstalled()) GTEST_SKIP() << "an installed bundle's factory presets take precedence";
    ScopedHome home;
    HostedEffect effect(edgeBleedBundle());
    ASSERT_TRUE(effect.ok());
    effect.render();
    std::vector<std::string> expected = {"Select from " + std::to_string(kShippedLooks.size()) + " presets"};
    for (const ShippedLook& look : kShippedLooks) expected.push_back(look.name);
    EXPECT_EQ(effect.options("factory_preset_list"), expected);
    EXPECT_FALSE(effect.instance().isSecret("factory_preset_list"));

    for (std::size_t i = 0; i < kShippedLooks.size(); ++i) {
        const ShippedLook& look = kShippedLooks[i];
        effect.select("preset_list", 1);  // defaults first, so every value below comes from the preset
        effect.instance().setDouble("threshold", 0.9);
        effect.select("factory_preset_list", static_cast<int>(i) + 1);
        ofxhost::EffectInstance& in = effect.instance();
        EXPECT_EQ(in.getInt("mode"), look.mode) << look.name;
        EXPECT_DOUBLE_EQ(in.getDouble("threshold"), look.threshold) << look.name;
        EXPECT_DOUBLE_EQ(in.getDouble("max_distance"), look.maxDistance) << look.name;
        EXPECT_EQ(in.getBool("preserve_inside"), look.preserveInside) << look.name;
        EXPECT_DOUBLE_EQ(in.getDouble("blur_radius"), look.blurRadius) << look.name;
        EXPECT_EQ(in.getInt("output_mode"), look.outputMode) << look.name;
    }
}

TEST(EdgeBleedPresetsTest, ShippedPresetsAreWrittenInThePresetFileFormat) {
    const std::unique_ptr<XMLEffectDefinition> owned = edgeBleedDefinition();
    const XMLEffectDefinition& definition = *owned;
    std::vector<std::string> files;
    for (const ShippedLook& look : kShippedLooks) files.push_back(std::string(look.name) + ".xml");
    EXPECT_EQ(presettest::folderEntries(shippedPresetFolder()), files);
    for (const ShippedLook& look : kShippedLooks) {
        const std::string path = shippedPresetFolder() + "/" + look.name + ".xml";
        std::string effectName;
        std::string version;
        const std::map<std::string, ParameterValue> values = PresetManager::loadPreset(path, effectName, version);
        EXPECT_EQ(effectName, kEffect);
        EXPECT_EQ(version, definition.getVersion());
        // Every definition parameter, and the file exactly as the plug-in itself writes it.
        EXPECT_EQ(values.size(), definition.getParameters().size()) << look.name;
        std::smatch created;
        const std::string text = readFile(path);
        ASSERT_TRUE(std::regex_search(text, created, std::regex("<created>([^<]*)</created>")));
        EXPECT_EQ(text, PresetManager::buildPresetDocument(kEffect, version, created[1].str(), values, definition))
            << look.name;
        // The built bundle's copy is the source file.
        EXPECT_EQ(text, readFile(std::string(EDGE_BLEED_SHIPPED_DIR) + "/presets/" + look.name + ".xml"));
    }
}

TEST(EdgeBleedPresetsTest, TheDocumentationPageExplainsEveryParameter) {
    const std::string page = readFile(edgeBleedBundle() + "/Contents/Resources/docs/index.html");
    ASSERT_FALSE(page.empty());
    EXPECT_TRUE(PresetManager::fileExists(edgeBleedBundle() + "/Contents/Resources/docs/style.css"));
    const std::unique_ptr<XMLEffectDefinition> definition = edgeBleedDefinition();
    for (const XMLEffectDefinition::ParameterDef& parameter : definition->getParameters()) {
        EXPECT_NE(page.find("<td>" + parameter.label + "</td>"), std::string::npos) << parameter.label;
    }
    for (const ShippedLook& look : kShippedLooks) {
        EXPECT_NE(page.find(std::string("<td>") + look.name + "</td>"), std::string::npos) << look.name;
    }
    // Every picture the page shows ships with it.
    const std::regex picture("<img src=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), picture); it != std::sregex_iterator(); ++it) {
        EXPECT_TRUE(PresetManager::fileExists(edgeBleedBundle() + "/Contents/Resources/docs/" + (*it)[1].str()))
            << (*it)[1].str();
    }
}

TEST(EdgeBleedPresetsTest, TheButtonOpensTheBuiltBundlesPage) {
    ScopedHome home;
    writeStandInXdgOpen(home.path(), home.path() + "/received", 0);
    presettest::ScopedEnv path("PATH", (home.path() + ":/usr/bin:/bin").c_str());
    HostedEffect effect(edgeBleedBundle());
    ASSERT_TRUE(effect.ok());
    effect.press("tutorialsButton");
    const std::vector<std::string> received = recordedArguments(home.path() + "/received");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].rfind("file:///", 0), 0u) << received[0];
    EXPECT_NE(received[0].find("/edge_bleed.ofx.bundle/Contents/Resources/docs/index.html"), std::string::npos)
        << received[0];
}
