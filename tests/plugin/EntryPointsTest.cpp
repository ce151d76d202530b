// The bundle's exported entry points as a host sees them: one plug-in record, built once, and
// a definition that cannot be read leads to no plug-in instead of a failure reaching the host.
#include "PluginHostTestSupport.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

namespace {

using plugin_test::countOccurrences;
using plugin_test::logPathFor;
using plugin_test::readWholeFile;

using GetNumberOfPlugins = int (*)();
using GetPlugin = OfxPlugin* (*)(int);

// The entry points of a binary that the bundle has already loaded.
struct EntryPoints {
    explicit EntryPoints(const std::string& binary)
    {
        library = dlopen(binary.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (library == nullptr) return;
        count = reinterpret_cast<GetNumberOfPlugins>(dlsym(library, "OfxGetNumberOfPlugins"));
        get = reinterpret_cast<GetPlugin>(dlsym(library, "OfxGetPlugin"));
    }
    ~EntryPoints()
    {
        if (library != nullptr) dlclose(library);
    }
    void* library = nullptr;
    GetNumberOfPlugins count = nullptr;
    GetPlugin get = nullptr;
};

TEST(EntryPoints, TheBundleOffersOneEdgeBleedPlugin)
{
    auto bundle = ofxhost::Bundle::open(plugin_test::edgeBleedBundlePath());
    ASSERT_EQ(bundle->pluginCount(), 1);
    ofxhost::PluginHandle& plugin = bundle->plugin(0);
    EXPECT_EQ(plugin.identifier(), "com.lanternkit.edge_bleed");
    EXPECT_EQ(plugin.api(), "OfxImageEffectPluginAPI");
    EXPECT_EQ(plugin.apiVersion(), 1);
    EXPECT_EQ(plugin.versionMajor(), 1u);
    EXPECT_EQ(plugin.versionMinor(), 0u);
    EXPECT_TRUE(plugin.isImageEffect());
    EXPECT_EQ(bundle->findPlugin("com.lanternkit.edge_bleed"), &plugin);
}

TEST(EntryPoints, TheBinaryExportsOnlyTheTwoEntryPoints)
{
    auto bundle = ofxhost::Bundle::open(plugin_test::edgeBleedBundlePath());
    EntryPoints entry(bundle->binaryPath());
    ASSERT_NE(entry.library, nullptr);
    EXPECT_NE(entry.count, nullptr);
    EXPECT_NE(entry.get, nullptr);
    for (const char* hidden : {"_ZN3OFX6Plugin12getPluginIDsERSt6vectorIPNS_13PluginFactoryESaIS3_EE",
                               "kEmbeddedEffectDefinition", "_ZN6Logger11getInstanceEv"}) {
        EXPECT_EQ(dlsym(entry.library, hidden), nullptr) << hidden;
    }
}

TEST(EntryPoints, CallingThemAgainReturnsTheSameRecordFromOneFactory)
{
    const std::string fixture = "all_types";
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath(fixture));
    {
        EntryPoints entry(bundle->binaryPath());
        ASSERT_NE(entry.count, nullptr);
        ASSERT_NE(entry.get, nullptr);
        EXPECT_EQ(entry.count(), 1);
        EXPECT_EQ(entry.count(), 1);
        OfxPlugin* first = entry.get(0);
        OfxPlugin* second = entry.get(0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first, second);
        EXPECT_EQ(std::string(first->pluginIdentifier), plugin_test::fixturePluginIdentifier(fixture));
        EXPECT_EQ(entry.get(1), nullptr);
        EXPECT_EQ(entry.get(-1), nullptr);
    }
    bundle.reset();  // unloading the binary closes its log

    const std::string log = readWholeFile(logPathFor(plugin_test::fixtureIdentifier(fixture)));
    EXPECT_EQ(countOccurrences(log, "[INFO] Creating factory for effect: " + plugin_test::fixtureIdentifier(fixture) + "\n"), 1);
    EXPECT_EQ(countOccurrences(log, "[INFO] Loaded XML from embedded binary (release build)\n"), 1);
}

TEST(EntryPoints, StartUpLogsTheFactoryConstruction)
{
    const std::string fixture = "all_types";
    const std::string identifier = plugin_test::fixtureIdentifier(fixture);
    ofxhost::Bundle::open(plugin_test::fixtureBundlePath(fixture)).reset();

    const std::string log = readWholeFile(logPathFor(identifier));
    const char* expectedInOrder[] = {
        "=== ",  // header
        "[INFO] Creating factory for effect: ",
        "[INFO] XML path: /usr/OFX/Plugins/fixture_all_types.ofx.bundle/Contents/effects/",
        "[INFO] Loaded XML from embedded binary (release build)\n",
        "[INFO] Debug level set from XML: debug\n",
        "[DEBUG] EffectDefinitionRegistry registered definition for 'All Types'\n",
        "[DEBUG] Registered XML definition for 'All Types' with EffectDefinitionRegistry\n",
    };
    std::string::size_type at = 0;
    for (const char* line : expectedInOrder) {
        const auto found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\nlog:\n" << log;
        at = found;
    }
    EXPECT_NE(log.find("Creating factory for effect: " + identifier + "\n"), std::string::npos);
    EXPECT_NE(log.find("XML path: /usr/OFX/Plugins/fixture_all_types.ofx.bundle/Contents/effects/" + identifier + ".xml\n"),
              std::string::npos);
}

TEST(EntryPoints, AQuotedIdentifierNamesTheSameLogFileAsTheBareOne)
{
    const std::string bare = std::string("eb_fixture_quoted_") + PLUGIN_FIXTURE_TAG;
    std::remove(logPathFor(bare).c_str());
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("quoted"));
    ASSERT_EQ(bundle->pluginCount(), 1);
    EXPECT_EQ(bundle->plugin(0).identifier(), "com.lanternkit." + bare);
    bundle.reset();
    const std::string log = readWholeFile(logPathFor(bare));
    EXPECT_NE(log.find("=== " + bare + " Plugin Session Started ==="), std::string::npos) << log;
    EXPECT_NE(log.find("[INFO] Creating factory for effect: " + bare + "\n"), std::string::npos) << log;
}

// The sound behaviour chosen for a definition that cannot be read: the binary offers no
// plug-in, nothing is thrown at the host, and the log says why.
TEST(EntryPoints, AnUnreadableDefinitionOffersNoPluginAndSaysWhy)
{
    const std::string identifier = plugin_test::fixtureIdentifier("broken");
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("broken"));
    EXPECT_EQ(bundle->pluginCount(), 0);
    {
        EntryPoints entry(bundle->binaryPath());
        ASSERT_NE(entry.count, nullptr);
        EXPECT_EQ(entry.count(), 0);
        EXPECT_EQ(entry.get(0), nullptr);
    }
    bundle.reset();

    const std::string log = readWholeFile(logPathFor(identifier));
    EXPECT_NE(log.find("[ERROR] Failed to parse embedded XML: "), std::string::npos) << log;
    EXPECT_NE(log.find("[ERROR] Plug-in not offered to the host: Failed to parse embedded XML\n"), std::string::npos)
        << log;
    EXPECT_EQ(log.find("Loaded XML from embedded binary"), std::string::npos);
}

}  // namespace
