// The two preset lists of an instance: filled on the first render, their option layouts,
// sorted order, and the factory list hidden when a bundle ships no factory presets.
#include <gtest/gtest.h>

#include <ostream>

#include "presets/PresetManager.h"
#include "tests/presets/ControlsTestSupport.h"
#include "tests/presets/PresetTestSupport.h"

using namespace controlstest;
using presettest::ScopedHome;
using presettest::writeFile;

namespace {

const std::string kPreset =
    "<?xml version=\"1.0\"?><preset><parameters><param name=\"amount\" type=\"float\" value=\"1\"/>"
    "</parameters></preset>";

class PresetListsTest : public ::testing::Test {
protected:
    std::string userFolder() const { return PresetManager::getUserPresetDirectory(fixtureEffectName()); }
    void addUserPreset(const std::string& fileName) {
        ASSERT_TRUE(PresetManager::createDirectoryRecursive(userFolder()));
        writeFile(userFolder() + "/" + fileName, kPreset);
    }
    std::string factoryFolder() const { return fixtureBundle(true) + "/Contents/Resources/presets"; }

    ScopedHome home;
};

struct UserListCase {
    const char* label;
    std::vector<std::string> files;  // entries created in the user preset folder
    std::vector<std::string> expectedOptions;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const UserListCase& c, std::ostream* out) { *out << c.label; }

class UserListLayoutTest : public PresetListsTest, public ::testing::WithParamInterface<UserListCase> {};

}  // namespace

TEST_P(UserListLayoutTest, FirstRenderFillsTheUserList) {
    const UserListCase& c = GetParam();
    for (const std::string& file : c.files) addUserPreset(file);
    // Not a preset: a folder whose name ends in ".xml".
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(userFolder() + "/folder"));

    HostedEffect effect(fixtureBundle(false));
    ASSERT_TRUE(effect.ok());
    effect.render();
    EXPECT_EQ(effect.options("preset_list"), c.expectedOptions) << c.label;
    EXPECT_EQ(effect.value("preset_list"), 0);

    const std::size_t presets = c.expectedOptions.size() - 2;
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_TRUE(hasLine(log, "[INFO] Found " + std::to_string(presets) + " presets in " + userFolder()));
    EXPECT_TRUE(hasLine(log, "[INFO] Preset list refreshed: " + std::to_string(presets) + " presets found"));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, UserListLayoutTest,
    ::testing::Values(
        UserListCase{"none", {}, {"(no presets found)", kLoadDefaults}},
        UserListCase{"one", {"Only.xml"}, {"Select from 1 preset", kLoadDefaults, "Only"}},
        // Byte-wise order: upper case before lower case.
        UserListCase{"sorted", {"b.xml", "A.xml", "a.xml"}, {"Select from 3 presets", kLoadDefaults, "A", "a", "b"}},
        // Only entries ending in ".xml" are presets.
        UserListCase{"filtered",
                     {"b.xml", "notes.txt", "a.xml.bak", "XML", "c.XML", "d.xml"},
                     {"Select from 2 presets", kLoadDefaults, "b", "d"}}),
    [](const ::testing::TestParamInfo<UserListCase>& info) { return std::string(info.param.label); });

TEST_F(PresetListsTest, ListsHoldTheirPlaceholderUntilTheFirstRender) {
    addUserPreset("a.xml");
    HostedEffect effect(fixtureBundle(true));
    ASSERT_TRUE(effect.ok());
    EXPECT_EQ(effect.options("preset_list"), std::vector<std::string>{"(no presets found)"});
    EXPECT_EQ(effect.options("factory_preset_list"), std::vector<std::string>{"(no factory presets)"});
    // Before the first render the parameter handles are not fetched: Save cannot work.
    effect.save("early");
    EXPECT_EQ(presettest::folderEntries(userFolder()), std::vector<std::string>{"a.xml"});
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_TRUE(hasLine(log, "[ERROR] preset_name parameter not found"));
}

TEST_F(PresetListsTest, FactoryListShowsTheBundlePresetsSorted) {
    HostedEffect effect(fixtureBundle(true));
    ASSERT_TRUE(effect.ok());
    effect.render();
    EXPECT_EQ(effect.options("factory_preset_list"),
              (std::vector<std::string>{"Select from 4 presets", "A", "Broken", "a", "b"}));
    EXPECT_FALSE(effect.instance().isSecret("factory_preset_list"));
    EXPECT_EQ(effect.value("factory_preset_list"), 0);
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    // The bundle is not at the standard location, so its own folder is used.
    EXPECT_TRUE(hasLine(log, "[INFO] Found 4 factory presets in " + factoryFolder()));
    EXPECT_TRUE(hasLine(log, "[INFO] Factory preset list refreshed: 4 presets found"));
}

TEST_F(PresetListsTest, FactoryListIsHiddenWithoutFactoryPresets) {
    HostedEffect effect(fixtureBundle(false));
    ASSERT_TRUE(effect.ok());
    effect.render();
    EXPECT_TRUE(effect.instance().isSecret("factory_preset_list"));
    EXPECT_EQ(effect.options("factory_preset_list"), std::vector<std::string>{"(no factory presets)"});
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_TRUE(hasLine(log, "[INFO] No factory presets found - hiding dropdown"));
    EXPECT_EQ(countStartingWith(log, "[INFO] Factory preset list refreshed"), 0);
}

TEST_F(PresetListsTest, LaterRendersDoNotRebuildTheLists) {
    addUserPreset("first.xml");
    HostedEffect effect(fixtureBundle(true));
    ASSERT_TRUE(effect.ok());
    effect.render();
    addUserPreset("second.xml");
    effect.render();
    EXPECT_EQ(effect.options("preset_list"),
              (std::vector<std::string>{"Select from 1 preset", kLoadDefaults, "first"}));
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_EQ(countStartingWith(log, "[INFO] Preset list refreshed"), 1);
    EXPECT_EQ(countStartingWith(log, "[INFO] Factory preset list refreshed"), 1);
}
