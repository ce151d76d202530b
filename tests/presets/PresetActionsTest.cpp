// Save, load, factory load and delete through the host, with the selections each leaves
// behind and every refusal that leaves the presets and parameters untouched.
#include <gtest/gtest.h>

#include <ostream>

#include "presets/PresetManager.h"
#include "tests/presets/ControlsTestSupport.h"
#include "tests/presets/PresetTestSupport.h"

using namespace controlstest;
using presettest::readFile;
using presettest::ScopedHome;
using presettest::writeFile;

namespace {

class PresetActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        effect = std::make_unique<HostedEffect>(fixtureBundle(true));
        ASSERT_TRUE(effect->ok());
        effect->render();
    }
    std::string userFolder() const { return PresetManager::getUserPresetDirectory(fixtureEffectName()); }
    std::string userPath(const std::string& name) const { return userFolder() + "/" + name + ".xml"; }
    void writeUserPreset(const std::string& name, const std::string& text) {
        ASSERT_TRUE(PresetManager::createDirectoryRecursive(userFolder()));
        writeFile(userPath(name), text);
    }
    // A recognisable look, different from every default.
    void dialLook(double amount) {
        ofxhost::EffectInstance& i = effect->instance();
        i.setDouble("amount", amount);
        i.setDouble("gain", 3.5);
        i.setInt("count", -4);
        i.setBool("enabled", false);
        i.setInt("style", 2);
        i.setValues("center", {-1.5, 2.25});
        i.setValues("offset", {0.5, -0.5, 4});
        i.setValues("tint", {0.9, 0.8, 0.7});
        i.setValues("overlay", {0.125, 0.25, 0.375, 0.5});
        i.setString("caption", "look \"one\" & <two>");
        i.setString("lut_file", "/luts/show.cube");
    }
    std::vector<std::string> closeAndReadLog() { return effect->closeAndReadLog(fixtureEffectName()); }

    ScopedHome home;
    std::unique_ptr<HostedEffect> effect;
};

}  // namespace

TEST_F(PresetActionsTest, SaveWritesTheLookAndSelectsIt) {
    dialLook(2.5);
    effect->instance().setDouble("Blend", 0.25);
    effect->select("factory_preset_list", 1);  // a factory preset applied first ...
    dialLook(2.5);                             // ... then overridden by hand
    effect->instance().clearChanges();
    effect->save("Soft Edge.xml");

    // The ending is not doubled; the list shows the saved preset, the factory list nothing.
    EXPECT_EQ(presettest::folderEntries(userFolder()), std::vector<std::string>{"Soft Edge.xml"});
    EXPECT_EQ(effect->options("preset_list"),
              (std::vector<std::string>{"Select from 1 preset", kLoadDefaults, "Soft Edge"}));
    EXPECT_EQ(effect->value("preset_list"), 2);
    EXPECT_EQ(effect->value("factory_preset_list"), 0);

    const std::string text = readFile(userPath("Soft Edge"));
    EXPECT_NE(text.find("<effect>" + fixtureEffectName() + "</effect>"), std::string::npos);
    EXPECT_NE(text.find("<version>2.5</version>"), std::string::npos);
    for (const char* expected :
         {"<param name=\"amount\" type=\"float\" value=\"2.5\" />",
          "<param name=\"gain\" type=\"float\" value=\"3.5\" />",
          "<param name=\"count\" type=\"int\" value=\"-4\" />",
          "<param name=\"enabled\" type=\"bool\" value=\"false\" />",
          "<param name=\"style\" type=\"choice\" value=\"2\" />",
          "<param name=\"center\" type=\"vec2\" value=\"-1.5,2.25\" />",
          "<param name=\"offset\" type=\"vec3\" value=\"0.5,-0.5,4\" />",
          "<param name=\"tint\" type=\"vec3\" value=\"0.8999999762,0.8000000119,0.6999999881\" />",
          "<param name=\"overlay\" type=\"vec4\" value=\"0.125,0.25,0.375,0.5\" />",
          "<param name=\"caption\" type=\"string\" value=\"look &quot;one&quot; &amp; &lt;two>\" />",
          "<param name=\"lut_file\" type=\"filepath\" value=\"/luts/show.cube\" />"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    // Only the definition's own parameters: no push button, no framework parameter.
    EXPECT_EQ(text.find("name=\"reset\""), std::string::npos);
    EXPECT_EQ(text.find("Blend"), std::string::npos);
    EXPECT_EQ(text.find("preset_"), std::string::npos);

    // The host reported the selection back synchronously, which re-applied the saved look.
    bool reported = false;
    for (const ofxhost::ChangeRecord& change : effect->instance().changes()) {
        if (change.name == "preset_list" && change.reason == kOfxChangePluginEdited && change.depth > 0) reported = true;
    }
    EXPECT_TRUE(reported);
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 2.5);

    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Save Preset button clicked!"));
    EXPECT_TRUE(hasLine(log, "[INFO] Saving preset to: " + userPath("Soft Edge")));
    EXPECT_TRUE(hasLine(log, "[INFO] Preset saved: " + userPath("Soft Edge")));
    EXPECT_TRUE(hasLine(log, "[INFO] Selected saved preset 'Soft Edge' at index 2"));
    EXPECT_TRUE(hasLine(log, "[INFO] Loading preset from dropdown: Soft Edge (index 2)"));
}

TEST_F(PresetActionsTest, SavingAnExistingNameReplacesItAndKeepsOneEntry) {
    dialLook(1.0);
    effect->save("look");
    dialLook(-3.0);
    effect->save("look");
    EXPECT_EQ(effect->options("preset_list"), (std::vector<std::string>{"Select from 1 preset", kLoadDefaults, "look"}));
    EXPECT_NE(readFile(userPath("look")).find("<param name=\"amount\" type=\"float\" value=\"-3\" />"),
              std::string::npos);
}

TEST_F(PresetActionsTest, SavedPositionFollowsTheSortedList) {
    effect->save("b");
    effect->save("A");
    effect->save("a");
    EXPECT_EQ(effect->options("preset_list"),
              (std::vector<std::string>{"Select from 3 presets", kLoadDefaults, "A", "a", "b"}));
    EXPECT_EQ(effect->value("preset_list"), 3);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Selected saved preset 'b' at index 2"));
    EXPECT_TRUE(hasLine(log, "[INFO] Selected saved preset 'A' at index 2"));
    EXPECT_TRUE(hasLine(log, "[INFO] Selected saved preset 'a' at index 3"));
}

TEST_F(PresetActionsTest, SaveWithoutANameIsRefused) {
    effect->save("");
    EXPECT_FALSE(PresetManager::fileExists(userFolder()));
    EXPECT_EQ(effect->options("preset_list"), (std::vector<std::string>{"(no presets found)", kLoadDefaults}));
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[ERROR] No preset name specified - enter a name in 'Preset Name' field"));
}

namespace {

struct RefusedName {
    const char* label;
    std::string name;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RefusedName& c, std::ostream* out) { *out << c.label; }

class RefusedNameTest : public PresetActionsTest, public ::testing::WithParamInterface<RefusedName> {};

}  // namespace

TEST_P(RefusedNameTest, NothingIsWrittenAnywhere) {
    effect->save(GetParam().name);
    EXPECT_EQ(filesUnder(home.path()), std::vector<std::string>{}) << GetParam().label;
    EXPECT_EQ(effect->options("preset_list"), (std::vector<std::string>{"(no presets found)", kLoadDefaults}));
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_EQ(countStartingWith(log, "[ERROR] Refused preset name '"), 1);
    EXPECT_EQ(countStartingWith(log, "[INFO] Saving preset to"), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, RefusedNameTest,
                         ::testing::Values(RefusedName{"parent", "../escaped"}, RefusedName{"nested", "a/b"},
                                           RefusedName{"absolute", "/tmp/escaped"},
                                           RefusedName{"backslash", "a\\b"}, RefusedName{"dot", "."},
                                           RefusedName{"dotdot", ".."}, RefusedName{"dotdot_xml", "...xml"},
                                           RefusedName{"only_ending", ".xml"}),
                         [](const ::testing::TestParamInfo<RefusedName>& info) { return std::string(info.param.label); });

TEST_F(PresetActionsTest, ChoosingAUserPresetAppliesItAndClearsTheFactoryList) {
    dialLook(4.0);
    effect->save("mine");
    effect->select("preset_list", 1);  // defaults
    effect->select("factory_preset_list", 1);
    ASSERT_DOUBLE_EQ(effect->instance().getDouble("amount"), 0.75);
    effect->select("preset_list", 2);
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 4.0);
    EXPECT_EQ(effect->instance().values("overlay"), (std::vector<double>{0.125, 0.25, 0.375, 0.5}));
    EXPECT_EQ(effect->instance().getString("caption"), "look \"one\" & <two>");
    EXPECT_EQ(effect->value("factory_preset_list"), 0);
    EXPECT_EQ(effect->value("preset_list"), 2);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Preset dropdown changed to index 2 - auto-loading"));
    EXPECT_TRUE(hasLine(log, "[INFO] Loading preset from: " + userPath("mine")));
    EXPECT_TRUE(hasLine(log, "[INFO] Preset loaded: " + userPath("mine") + " (11 parameters applied)"));
    EXPECT_EQ(countStartingWith(log, "[INFO] Preset was created for"), 0);
}

TEST_F(PresetActionsTest, ChoosingAFactoryPresetAppliesItAndClearsTheUserList) {
    effect->save("mine");
    ASSERT_EQ(effect->value("preset_list"), 2);
    effect->select("factory_preset_list", 1);  // "A": amount 0.75, style 2
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 0.75);
    EXPECT_EQ(effect->value("style"), 2);
    EXPECT_EQ(effect->value("preset_list"), 0);
    EXPECT_EQ(effect->value("factory_preset_list"), 1);
    effect->select("factory_preset_list", 3);  // "a"
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), -1.25);
    effect->select("factory_preset_list", 0);  // the summary: nothing happens
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), -1.25);

    const std::string folder = fixtureBundle(true) + "/Contents/Resources/presets";
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Factory preset dropdown changed to index 1 - auto-loading"));
    EXPECT_TRUE(hasLine(log, "[INFO] Loading factory preset: " + folder + "/A.xml"));
    EXPECT_TRUE(hasLine(log, "[INFO] Factory preset loaded: A (2 parameters applied)"));
    EXPECT_TRUE(hasLine(log, "[INFO] Factory preset loaded: a (2 parameters applied)"));
    // The effect name stored in a factory preset is not compared.
    EXPECT_EQ(countStartingWith(log, "[INFO] Preset was created for"), 0);
}

TEST_F(PresetActionsTest, AnEmptyFactoryPresetChangesNothing) {
    dialLook(1.5);
    effect->select("factory_preset_list", 2);  // "Broken": no parameters
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 1.5);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[ERROR] Failed to load factory preset or preset is empty"));
}

TEST_F(PresetActionsTest, DeleteRemovesTheSelectedPreset) {
    effect->save("keep");
    effect->save("drop");
    ASSERT_EQ(effect->value("preset_list"), 2);  // drop, keep
    effect->press("delete_preset");
    EXPECT_EQ(presettest::folderEntries(userFolder()), std::vector<std::string>{"keep.xml"});
    EXPECT_EQ(effect->options("preset_list"), (std::vector<std::string>{"Select from 1 preset", kLoadDefaults, "keep"}));
    EXPECT_EQ(effect->value("preset_list"), 0);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Delete Preset button clicked!"));
    EXPECT_TRUE(hasLine(log, "[INFO] Deleted preset: drop"));
}

TEST_F(PresetActionsTest, DeleteIsRefusedWhileAFactoryPresetIsSelected) {
    effect->save("mine");
    ASSERT_EQ(effect->value("preset_list"), 2);
    // A factory preset that fails to load stays selected and leaves the user list as it was.
    effect->select("factory_preset_list", 2);
    ASSERT_EQ(effect->value("preset_list"), 2);
    effect->press("delete_preset");
    EXPECT_TRUE(PresetManager::fileExists(userPath("mine")));
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Cannot delete factory presets - select a user preset to delete"));
    EXPECT_EQ(countStartingWith(log, "[INFO] Deleted preset"), 0);
}

TEST_F(PresetActionsTest, DeleteWithoutASelectedUserPresetIsRefused) {
    effect->save("mine");
    effect->select("preset_list", 0);
    effect->press("delete_preset");
    effect->select("preset_list", 1);  // ">> Load Defaults <<" is not a preset either
    effect->press("delete_preset");
    EXPECT_TRUE(PresetManager::fileExists(userPath("mine")));
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_EQ(countStartingWith(log, "[ERROR] No user preset selected - choose a preset from 'My Presets' dropdown first"), 2);
}

TEST_F(PresetActionsTest, DeletingAPresetThatIsAlreadyGoneFails) {
    effect->save("mine");
    ASSERT_EQ(std::remove(userPath("mine").c_str()), 0);
    effect->press("delete_preset");
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[ERROR] Failed to delete preset: " + userPath("mine")));
}

TEST_F(PresetActionsTest, APresetOfAnotherEffectAppliesTheMatchingParameters) {
    writeUserPreset("foreign",
                    "<?xml version=\"1.0\"?><preset><meta><effect>Other Effect</effect><version>9</version></meta>"
                    "<parameters><param name=\"amount\" type=\"float\" value=\"-2\"/>"
                    "<param name=\"bogus\" type=\"float\" value=\"7\"/>"
                    "<param name=\"count\" type=\"float\" value=\"5.9\"/></parameters></preset>");
    effect = nullptr;
    effect = std::make_unique<HostedEffect>(fixtureBundle(true));
    effect->render();
    effect->select("preset_list", 2);
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), -2.0);
    EXPECT_EQ(effect->value("count"), 5);  // a value stored as another kind is converted
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Preset was created for 'Other Effect' but loading into '" + fixtureEffectName() +
                                 "' - some parameters may not apply"));
    EXPECT_TRUE(hasLine(log, "[INFO] Preset parameter 'bogus' not found in effect - skipping"));
    EXPECT_TRUE(hasLine(log, "[INFO] Preset loaded: " + userPath("foreign") + " (3 parameters applied)"));
}

TEST_F(PresetActionsTest, APresetCannotDriveTheControls) {
    writeUserPreset("sneaky",
                    "<?xml version=\"1.0\"?><preset><parameters>"
                    "<param name=\"factory_preset_list\" type=\"int\" value=\"3\"/>"
                    "<param name=\"preset_name\" type=\"string\" value=\"x\"/>"
                    "<param name=\"amount\" type=\"float\" value=\"1.25\"/></parameters></preset>");
    effect = nullptr;
    effect = std::make_unique<HostedEffect>(fixtureBundle(true));
    effect->render();
    effect->select("preset_list", 2);
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 1.25);
    EXPECT_EQ(effect->value("factory_preset_list"), 0);
    EXPECT_EQ(effect->instance().getString("preset_name"), "");
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[ERROR] Failed to apply preset parameter 'factory_preset_list': Parameter not found: "
                             "factory_preset_list"));
    EXPECT_TRUE(hasLine(log, "[ERROR] Failed to apply preset parameter 'preset_name': Parameter not found: preset_name"));
    // A file without meta counts as made for another effect.
    EXPECT_TRUE(hasLine(log, "[INFO] Preset was created for '' but loading into '" + fixtureEffectName() +
                                 "' - some parameters may not apply"));
}

TEST_F(PresetActionsTest, AnUnreadablePresetChangesNothing) {
    writeUserPreset("broken", "<preset><parameters><param name=\"amount\"");
    effect = nullptr;
    effect = std::make_unique<HostedEffect>(fixtureBundle(true));
    effect->render();
    effect->instance().setDouble("amount", 0.5);
    effect->select("preset_list", 2);
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 0.5);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[ERROR] Failed to load preset or preset is empty: " + userPath("broken")));
}

TEST_F(PresetActionsTest, LoadingLeavesTheFrameworkParametersAlone) {
    effect->instance().setDouble("Blend", 0.3);
    effect->save("look");
    effect->instance().setDouble("Blend", 0.6);
    effect->select("preset_list", 0);
    effect->select("preset_list", 2);
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("Blend"), 0.6);
}

TEST_F(PresetActionsTest, RefreshRereadsTheUserFolder) {
    writeUserPreset("added later", "<preset><parameters><param name=\"amount\" type=\"float\" value=\"1\"/></parameters></preset>");
    ASSERT_EQ(effect->options("preset_list"), (std::vector<std::string>{"(no presets found)", kLoadDefaults}));
    effect->press("refresh_presets");
    EXPECT_EQ(effect->options("preset_list"),
              (std::vector<std::string>{"Select from 1 preset", kLoadDefaults, "added later"}));
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Refresh Presets button clicked!"));
}

TEST_F(PresetActionsTest, LoadFallsBackToTheTypedName) {
    dialLook(3.0);
    effect->save("typed");
    effect->select("preset_list", 0);
    effect->instance().setDouble("amount", -1);
    effect->instance().setString("preset_name", "typed.xml");
    effect->press("load_preset");
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 3.0);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[INFO] Load Preset button clicked!"));
    EXPECT_TRUE(hasLine(log, "[INFO] Loading preset from: " + userPath("typed")));
}

TEST_F(PresetActionsTest, LoadWithoutSelectionOrNameIsRefused) {
    effect->press("load_preset");
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_TRUE(hasLine(log, "[ERROR] No preset selected - choose from dropdown or enter name"));
}

TEST_F(PresetActionsTest, LoadByARefusedTypedNameReadsNothing) {
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(home.path() + "/.config/brightmoor/presets"));
    presettest::writeFile(home.path() + "/.config/brightmoor/presets/outside.xml",
                          "<preset><parameters><param name=\"amount\" type=\"float\" value=\"9\"/></parameters></preset>");
    effect->instance().setString("preset_name", "../outside");
    effect->press("load_preset");
    EXPECT_DOUBLE_EQ(effect->instance().getDouble("amount"), 0.25);
    const std::vector<std::string> log = closeAndReadLog();
    EXPECT_EQ(countStartingWith(log, "[ERROR] Refused preset name '../outside'"), 1);
    EXPECT_EQ(countStartingWith(log, "[INFO] Loading preset from"), 0);
}
