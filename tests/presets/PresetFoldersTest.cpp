// Preset folders, listing and the small helpers of PresetManager.
#include <gtest/gtest.h>

#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include "presets/PresetManager.h"
#include "tests/presets/PresetTestSupport.h"

using namespace presettest;

TEST(PresetFoldersTest, UserFolderIsUnderHome) {
    ScopedHome home;
    EXPECT_EQ(PresetManager::getUserPresetDirectory("Edge Bleed"),
              home.path() + "/.config/brightmoor/presets/Edge Bleed");
}

TEST(PresetFoldersTest, UserFolderFallsBackToTmpOnlyWhenHomeIsUnset) {
    {
        ScopedEnv unset("HOME", nullptr);
        EXPECT_EQ(PresetManager::getUserPresetDirectory("Edge Bleed"),
                  "/tmp/.config/brightmoor/presets/Edge Bleed");
    }
    {
        ScopedEnv empty("HOME", "");
        EXPECT_EQ(PresetManager::getUserPresetDirectory("Edge Bleed"),
                  "/.config/brightmoor/presets/Edge Bleed");
    }
}

TEST(PresetFoldersTest, FactoryFolderIsInTheStandardBundle) {
    EXPECT_EQ(PresetManager::getFactoryPresetDirectory("edge_bleed"),
              "/usr/OFX/Plugins/edge_bleed.ofx.bundle/Contents/Resources/presets");
}

TEST(PresetFoldersTest, StandardFactoryFolderKeepsPrecedence) {
    ScopedHome scratch;
    const std::string standard = scratch.path() + "/usr/edge_bleed.ofx.bundle/Contents/Resources/presets";
    const std::string loaded = scratch.path() + "/studio/plugins/edge_bleed.ofx.bundle";
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(standard));
    EXPECT_EQ(PresetManager::resolveFactoryPresetDirectory(standard, loaded), standard);
}

TEST(PresetFoldersTest, BundleElsewhereUsesItsOwnFactoryFolder) {
    ScopedHome scratch;
    const std::string standard = scratch.path() + "/usr/edge_bleed.ofx.bundle/Contents/Resources/presets";
    const std::string loaded = scratch.path() + "/studio/plugins/edge_bleed.ofx.bundle";
    EXPECT_EQ(PresetManager::resolveFactoryPresetDirectory(standard, loaded),
              loaded + "/Contents/Resources/presets");
    EXPECT_EQ(PresetManager::resolveFactoryPresetDirectory(standard, loaded + "//"),
              loaded + "/Contents/Resources/presets");
    // A file where the standard folder would be does not count as that folder.
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(scratch.path() + "/usr/edge_bleed.ofx.bundle/Contents/Resources"));
    writeFile(standard, "not a folder");
    EXPECT_EQ(PresetManager::resolveFactoryPresetDirectory(standard, loaded),
              loaded + "/Contents/Resources/presets");
}

TEST(PresetFoldersTest, WithoutALoadedBundleTheStandardFolderIsUsed) {
    EXPECT_EQ(PresetManager::resolveFactoryPresetDirectory("/nonexistent/presets", ""),
              "/nonexistent/presets");
    EXPECT_EQ(PresetManager::getFactoryPresetDirectory("edge_bleed", ""),
              "/usr/OFX/Plugins/edge_bleed.ofx.bundle/Contents/Resources/presets");
}

TEST(PresetFoldersTest, FactoryPresetsOfABundleElsewhereCanBeListedAndRead) {
    ScopedHome scratch;
    const std::string bundle = scratch.path() + "/plugins/edge_bleed.ofx.bundle";
    const std::string module = bundle + "/Contents/Linux-x86-64/edge_bleed.ofx";
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(bundle + "/Contents/Resources/presets"));
    writeFile(bundle + "/Contents/Resources/presets/Soft Stretch.xml",
              "<preset><parameters><param name=\"mode\" type=\"choice\" value=\"0\"/></parameters></preset>");
    // No bundle of this made-up name exists at the standard location.
    const std::string folder = PresetManager::getFactoryPresetDirectory(
        "eb_presettest_no_such_bundle", PresetManager::bundlePathFromModulePath(module));
    EXPECT_EQ(folder, bundle + "/Contents/Resources/presets");
    EXPECT_EQ(PresetManager::listPresetNames(folder), std::vector<std::string>{"Soft Stretch"});
    std::string effect, version;
    EXPECT_EQ(PresetManager::loadPreset(folder + "/Soft Stretch.xml", effect, version).size(), 1u);
}

TEST(PresetFoldersTest, BundleIsTwoFoldersAboveTheModule) {
    const struct {
        const char* module;
        const char* bundle;
    } cases[] = {
        {"/usr/OFX/Plugins/edge_bleed.ofx.bundle/Contents/Linux-x86-64/edge_bleed.ofx",
         "/usr/OFX/Plugins/edge_bleed.ofx.bundle"},
        {"/a/b.ofx.bundle/Contents/Linux-x86-64/b.ofx", "/a/b.ofx.bundle"},
        {"rel/b.ofx.bundle/Contents/Linux-x86-64/b.ofx", "rel/b.ofx.bundle"},
        {"/b.ofx.bundle/Contents/Linux-x86-64/b.ofx", "/b.ofx.bundle"},
        {"/Contents/Linux-x86-64/b.ofx", ""},
        {"b.ofx", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PresetManager::bundlePathFromModulePath(c.module), c.bundle) << c.module;
    }
}

TEST(PresetFoldersTest, CurrentModuleIsTheBinaryThisCodeIsLinkedInto) {
    char executable[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof(executable) - 1);
    ASSERT_GT(length, 0);
    const std::string module = PresetManager::currentModulePath();
    ASSERT_FALSE(module.empty());
    char resolved[4096] = {};
    ASSERT_NE(realpath(module.c_str(), resolved), nullptr) << module;
    EXPECT_EQ(std::string(resolved), std::string(executable));
}

TEST(PresetFoldersTest, CreatesTheWholeChainWithMode0755) {
    ScopedHome home;
    const mode_t previous = umask(022);
    const std::string folder = home.path() + "/a/b/c";
    EXPECT_TRUE(PresetManager::createDirectoryRecursive(folder));
    umask(previous);
    for (const std::string& path : {home.path() + "/a", home.path() + "/a/b", folder}) {
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
        EXPECT_TRUE(S_ISDIR(info.st_mode)) << path;
        EXPECT_EQ(info.st_mode & 0777, 0755u) << path;
    }
    EXPECT_TRUE(PresetManager::createDirectoryRecursive(folder));       // exists already
    EXPECT_TRUE(PresetManager::createDirectoryRecursive(folder + "/")); // trailing slash
}

TEST(PresetFoldersTest, AnExistingFileCountsAndAFileInTheWayFails) {
    ScopedHome home;
    writeFile(home.path() + "/file", "x");
    EXPECT_TRUE(PresetManager::createDirectoryRecursive(home.path() + "/file"));
    EXPECT_FALSE(PresetManager::createDirectoryRecursive(home.path() + "/file/sub"));
}

TEST(PresetFoldersTest, SavingCreatesTheMissingFolders) {
    ScopedHome home;
    LogCapture log;
    const auto definition = makeEdgeBleedDefinition();
    const std::string folder = PresetManager::getUserPresetDirectory("Edge Bleed");
    ASSERT_FALSE(PresetManager::fileExists(home.path() + "/.config"));
    EXPECT_TRUE(PresetManager::savePreset(folder + "/Look.xml", "Edge Bleed", "1.0",
                                          {{"threshold", ParameterValue(0.25)}}, *definition));
    EXPECT_EQ(folderEntries(folder), std::vector<std::string>{"Look.xml"});
}

TEST(PresetFoldersTest, FolderThatCannotBeCreatedWritesNothing) {
    ScopedHome home;
    LogCapture log;
    const auto definition = makeEdgeBleedDefinition();
    writeFile(home.path() + "/.config", "a file where a folder belongs");
    const std::string folder = PresetManager::getUserPresetDirectory("Edge Bleed");
    EXPECT_FALSE(PresetManager::savePreset(folder + "/Look.xml", "Edge Bleed", "1.0",
                                           {{"threshold", ParameterValue(0.25)}}, *definition));
    EXPECT_TRUE(log.contains("[ERROR] Failed to create preset directory: " + folder));
    EXPECT_TRUE(log.linesStartingWith("[INFO] Preset saved").empty());
    EXPECT_EQ(folderEntries(home.path()), std::vector<std::string>{".config"});
}

TEST(PresetFoldersTest, ListingGivesEveryEntryButDotAndDotDot) {
    ScopedHome home;
    EXPECT_TRUE(PresetManager::listDirectory(home.path() + "/missing").empty());
    writeFile(home.path() + "/a.xml", "");
    writeFile(home.path() + "/.hidden", "");
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(home.path() + "/sub"));
    auto entries = PresetManager::listDirectory(home.path());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{".hidden", "a.xml", "sub"}));
}

TEST(PresetFoldersTest, PresetNamesAreXmlFilesSortedByteWise) {
    ScopedHome home;
    for (const char* file : {"b.xml", "A.xml", "a.xml", "Soft Edge.xml", "notes.txt", "x.xml.bak",
                             ".xml", "..xml", "...xml", "....xml", ".x.xml.tmp-1-0"}) {
        writeFile(home.path() + "/" + file, "");
    }
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(home.path() + "/folder"));
    EXPECT_EQ(PresetManager::listPresetNames(home.path()),
              (std::vector<std::string>{"...", "A", "Soft Edge", "a", "b"}));
    EXPECT_TRUE(PresetManager::listPresetNames(home.path() + "/missing").empty());
}

TEST(PresetHelpersTest, TypeStrings) {
    const std::pair<const char*, const char*> cases[] = {
        {"double", "float"}, {"color", "vec3"},   {"color_rgba", "vec4"}, {"float", "float"},
        {"int", "int"},      {"choice", "choice"}, {"bool", "bool"},       {"vec2", "vec2"},
        {"vec3", "vec3"},    {"vec4", "vec4"},     {"string", "string"},   {"curve", "curve"},
        {"Double", "Double"}, {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(PresetManager::getTypeString(c.first), c.second) << c.first;
}

TEST(PresetHelpersTest, SplitString) {
    const struct {
        const char* text;
        std::vector<std::string> pieces;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}}, {"a,,b", {"a", "", "b"}}, {"a,b,", {"a", "b"}},
        {"", {}},                   {",", {""}},              {",a", {"", "a"}},
        {" a , b", {" a ", " b"}},  {"abc", {"abc"}},
    };
    for (const auto& c : cases) EXPECT_EQ(PresetManager::splitString(c.text, ','), c.pieces) << c.text;
    EXPECT_EQ(PresetManager::splitString("1;2", ';'), (std::vector<std::string>{"1", "2"}));
}

TEST(PresetHelpersTest, EndsWith) {
    const struct {
        const char* text;
        const char* suffix;
        bool result;
    } cases[] = {{"a.xml", ".xml", true}, {".xml", ".xml", true},  {"xml", ".xml", false},
                 {"a.XML", ".xml", false}, {"a.xml ", ".xml", false}, {"", "", true},
                 {"abc", "", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(PresetManager::endsWith(c.text, c.suffix), c.result) << c.text << " " << c.suffix;
    }
}

TEST(PresetHelpersTest, FileExistsForAnyKind) {
    ScopedHome home;
    EXPECT_TRUE(PresetManager::fileExists(home.path()));
    EXPECT_FALSE(PresetManager::fileExists(home.path() + "/missing"));
    writeFile(home.path() + "/f", "");
    EXPECT_TRUE(PresetManager::fileExists(home.path() + "/f"));
}

TEST(PresetHelpersTest, TimestampIsLocalTimeWithoutZone) {
    // A zone five hours east of UTC: local time is UTC + 5 h.
    ScopedTimeZone zone("XYZ-05");
    auto utcPlusFive = [] {
        const time_t shifted = time(nullptr) + 5 * 3600;
        tm broken{};
        gmtime_r(&shifted, &broken);
        char text[32];
        strftime(text, sizeof(text), "%Y-%m-%dT%H:%M:%S", &broken);
        return std::string(text);
    };
    const std::string before = utcPlusFive();
    const std::string stamp = PresetManager::getCurrentTimestamp();
    const std::string after = utcPlusFive();
    EXPECT_TRUE(std::regex_match(stamp, std::regex("[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << stamp;
    EXPECT_LE(before, stamp);
    EXPECT_GE(after, stamp);
}
