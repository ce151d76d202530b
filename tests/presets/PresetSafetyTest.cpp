// Names that would leave the preset folder, and replacing a preset without ever losing it.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <thread>

#include "presets/PresetManager.h"
#include "tests/presets/PresetTestSupport.h"

using namespace presettest;

namespace {

const char* const kEffect = "Edge Bleed";

class PresetSafetyTest : public ::testing::Test {
protected:
    std::string folder() const { return PresetManager::getUserPresetDirectory(kEffect); }

    bool save(const std::string& path, double threshold) {
        return PresetManager::savePreset(path, kEffect, "1.0",
                                         {{"mode", ParameterValue(1)},
                                          {"threshold", ParameterValue(threshold)},
                                          {"max_distance", ParameterValue(12.5)},
                                          {"preserve_inside", ParameterValue(false)},
                                          {"blur_radius", ParameterValue(3.0)},
                                          {"output_mode", ParameterValue(1)}},
                                         *definition);
    }

    ScopedHome home;
    LogCapture log;
    std::unique_ptr<XMLEffectDefinition> definition = makeEdgeBleedDefinition();
};

struct RefusedName {
    const char* label;
    std::string name;
    std::string shown;  // how the log line shows it
};

class PresetRefusedNameTest : public PresetSafetyTest,
                              public ::testing::WithParamInterface<RefusedName> {};

}  // namespace

TEST_P(PresetRefusedNameTest, PathIsRefusedAndLogged) {
    const RefusedName& c = GetParam();
    std::string path = "untouched";
    EXPECT_FALSE(PresetManager::getUserPresetPath(kEffect, c.name, path));
    EXPECT_EQ(path, "untouched");
    EXPECT_TRUE(log.contains("[ERROR] Refused preset name '" + c.shown +
                             "' - a preset name must be a plain file name (not empty, not '.' or "
                             "'..', without '/', '\\' or NUL)"))
        << c.label;
}

TEST_P(PresetRefusedNameTest, DeleteRemovesNothing) {
    const RefusedName& c = GetParam();
    // Files a refused name could reach: in the preset folder, above it and in HOME.
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(folder()));
    const std::vector<std::string> victims = {
        folder() + "/a.xml", folder() + "/..xml", folder() + "/...xml", folder() + "/.xml",
        folder() + "/../victim.xml", home.path() + "/victim.xml", folder() + "/a\\b.xml"};
    for (const std::string& victim : victims) writeFile(victim, "keep");
    EXPECT_FALSE(PresetManager::deleteUserPreset(kEffect, c.name));
    for (const std::string& victim : victims) EXPECT_EQ(readFile(victim), "keep") << victim;
    EXPECT_EQ(log.linesStartingWith("[ERROR] Refused preset name").size(), 1u);
    EXPECT_TRUE(log.linesStartingWith("[INFO] Deleted preset").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, PresetRefusedNameTest,
    ::testing::Values(RefusedName{"parent", "../victim", "../victim"},
                      RefusedName{"deep_parent", "../../../victim", "../../../victim"},
                      RefusedName{"absolute", "/tmp/victim", "/tmp/victim"},
                      RefusedName{"subfolder", "a/b", "a/b"},
                      RefusedName{"trailing_slash", "a/", "a/"},
                      RefusedName{"backslash", "a\\b", "a\\b"},
                      RefusedName{"dot", ".", "."},
                      RefusedName{"dot_dot", "..", ".."},
                      RefusedName{"empty", "", ""},
                      RefusedName{"nul", std::string("a\0b", 3), "a\\0b"},
                      RefusedName{"nul_then_parent", std::string("a\0/../../x", 10), "a\\0/../../x"}),
    [](const ::testing::TestParamInfo<RefusedName>& info) { return std::string(info.param.label); });

TEST_F(PresetSafetyTest, TypedNamesThatBecomeDotNamesAreRefused) {
    // One ".xml" ending is removed before the check.
    for (const char* typed : {".xml", "..xml", "...xml", "../x.xml"}) {
        std::string path;
        EXPECT_FALSE(PresetManager::getUserPresetPath(kEffect, typed, path)) << typed;
    }
    EXPECT_EQ(log.linesStartingWith("[ERROR] Refused preset name").size(), 4u);
}

TEST_F(PresetSafetyTest, PlainNamesFormThePathInThePresetFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"Soft Edge", "Soft Edge.xml"}, {"Soft Edge.xml", "Soft Edge.xml"},
        {"a.xml.xml", "a.xml.xml"},     {"...", "....xml"},
        {".hidden", ".hidden.xml"},     {"Ström ✓", "Ström ✓.xml"},
        {"a.XML", "a.XML.xml"}};
    for (const auto& c : cases) {
        std::string path;
        EXPECT_TRUE(PresetManager::getUserPresetPath(kEffect, c.first, path)) << c.first;
        EXPECT_EQ(path, folder() + "/" + c.second);
    }
    EXPECT_TRUE(log.linesStartingWith("[ERROR]").empty());
}

TEST_F(PresetSafetyTest, DeleteRemovesTheNamedPreset) {
    ASSERT_TRUE(save(folder() + "/Look.xml", 0.5));
    ASSERT_TRUE(save(folder() + "/Other.xml", 0.5));
    EXPECT_TRUE(PresetManager::deleteUserPreset(kEffect, "Look"));
    EXPECT_EQ(folderEntries(folder()), std::vector<std::string>{"Other.xml"});
    EXPECT_TRUE(log.contains("[INFO] Deleted preset: Look"));

    EXPECT_FALSE(PresetManager::deleteUserPreset(kEffect, "Look"));
    EXPECT_TRUE(log.contains("[ERROR] Failed to delete preset: " + folder() + "/Look.xml"));
    EXPECT_EQ(folderEntries(folder()), std::vector<std::string>{"Other.xml"});
}

TEST_F(PresetSafetyTest, ReplacingLeavesOneCompleteFileAndNoTemporaries) {
    const std::string path = folder() + "/Look.xml";
    ASSERT_TRUE(save(path, 0.25));
    ASSERT_TRUE(save(path, 0.75));
    EXPECT_EQ(folderEntries(folder()), std::vector<std::string>{"Look.xml"});
    std::string effect, version;
    const auto values = PresetManager::loadPreset(path, effect, version);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_DOUBLE_EQ(values.at("threshold").asDouble(), 0.75);
}

TEST_F(PresetSafetyTest, AFailedWriteKeepsThePreviousPreset) {
    const std::string path = folder() + "/Look.xml";
    ASSERT_TRUE(save(path, 0.25));
    const std::string previous = readFile(path);

    // A full disk, simulated with the file-size limit: writes beyond 64 bytes fail with
    // EFBIG (the signal that would otherwise end the process is ignored meanwhile).
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = save(path, 0.75);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readFile(path), previous);
    EXPECT_EQ(folderEntries(folder()), std::vector<std::string>{"Look.xml"});
    std::string effect, version;
    const auto values = PresetManager::loadPreset(path, effect, version);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_DOUBLE_EQ(values.at("threshold").asDouble(), 0.25);
}

TEST_F(PresetSafetyTest, AFailedRenameKeepsWhatWasThereAndLogs) {
    // A non-empty folder where the preset file should be: rename cannot replace it.
    const std::string path = folder() + "/Look.xml";
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(path));
    writeFile(path + "/inside", "keep");
    EXPECT_FALSE(save(path, 0.5));
    EXPECT_TRUE(log.contains("[ERROR] Failed to save preset: " + path));
    EXPECT_TRUE(log.linesStartingWith("[INFO] Preset saved").empty());
    EXPECT_EQ(folderEntries(folder()), std::vector<std::string>{"Look.xml"});
    EXPECT_EQ(readFile(path + "/inside"), "keep");
}

TEST_F(PresetSafetyTest, ReadersNeverSeeAHalfWrittenPreset) {
    const std::string path = folder() + "/Look.xml";
    ASSERT_TRUE(save(path, 0.0));
    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    std::atomic<int> incomplete{0};
    std::thread reader([&] {
        while (!done.load()) {
            std::string effect, version;
            if (PresetManager::loadPreset(path, effect, version).size() != 6u) ++incomplete;
            ++reads;
        }
    });
    bool allSaved = true;
    for (int i = 0; i < 100; ++i) allSaved = save(path, i * 0.01) && allSaved;
    done = true;
    reader.join();
    EXPECT_TRUE(allSaved);
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(incomplete.load(), 0);
    EXPECT_EQ(folderEntries(folder()), std::vector<std::string>{"Look.xml"});
}
