// The documentation page's address and the opener that hands it to xdg-open.
#include <gtest/gtest.h>

#include <ostream>

#include <climits>
#include <cstdlib>

#include "presets/DocumentationAddress.h"
#include "presets/PresetManager.h"
#include "presets/URLOpener.h"
#include "tests/presets/ControlsTestSupport.h"
#include "tests/presets/PresetTestSupport.h"

using namespace controlstest;
using presettest::ScopedEnv;
using presettest::ScopedHome;

namespace {

struct UrlCase {
    const char* label;
    std::string path;
    std::string url;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const UrlCase& c, std::ostream* out) { *out << c.label; }

class FileUrlTest : public ::testing::TestWithParam<UrlCase> {};

// A stand-in xdg-open first on PATH, recording what it receives.
class OpenerTest : public ::testing::Test {
protected:
    void install(int exitCode) { writeStandInXdgOpen(home.path(), record(), exitCode); }
    std::string record() const { return home.path() + "/received"; }

    ScopedHome home;  // a private folder for the stand-in and its record
    ScopedEnv path{"PATH", (home.path() + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")).c_str()};
};

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

}  // namespace

TEST_P(FileUrlTest, PathBecomesOneFileUrl) { EXPECT_EQ(DocumentationAddress::fileUrl(GetParam().path), GetParam().url); }

INSTANTIATE_TEST_SUITE_P(
    Paths, FileUrlTest,
    ::testing::Values(UrlCase{"plain", "/usr/OFX/Plugins/a.ofx.bundle/x.html", "file:///usr/OFX/Plugins/a.ofx.bundle/x.html"},
                      UrlCase{"blank", "/studio plugins/index.html", "file:///studio%20plugins/index.html"},
                      UrlCase{"quotes_and_semicolon", "/a\"b';c", "file:///a%22b%27%3Bc"},
                      UrlCase{"query_and_fragment", "/a?b#c", "file:///a%3Fb%23c"},
                      UrlCase{"percent", "/100%", "file:///100%25"},
                      UrlCase{"utf8", "/caf\xC3\xA9", "file:///caf%C3%A9"},
                      UrlCase{"unreserved", "/A-z_0.9~", "file:///A-z_0.9~"}),
    [](const ::testing::TestParamInfo<UrlCase>& info) { return std::string(info.param.label); });

TEST(DocumentationAddressTest, PageOfTheLoadedBundleOrTheStandardLocation) {
    ScopedHome home;
    const std::string bundle = home.path() + "/my plugins/x.ofx.bundle";
    // Neither page exists: the loaded bundle's page is still named, never an empty address.
    EXPECT_EQ(DocumentationAddress::pagePath("x", bundle), bundle + "/Contents/Resources/docs/index.html");
    EXPECT_EQ(DocumentationAddress::pagePath("x", ""), "/usr/OFX/Plugins/x.ofx.bundle/Contents/Resources/docs/index.html");
    ASSERT_TRUE(PresetManager::createDirectoryRecursive(bundle + "/Contents/Resources/docs"));
    presettest::writeFile(bundle + "/Contents/Resources/docs/index.html", "<html></html>");
    EXPECT_EQ(DocumentationAddress::address("x", bundle),
              "file://" + home.path() + "/my%20plugins/x.ofx.bundle/Contents/Resources/docs/index.html");
}

TEST_F(OpenerTest, TheAddressArrivesAsOneArgument) {
    install(0);
    for (const std::string& address :
         {std::string("file:///usr/OFX/Plugins/edge_bleed.ofx.bundle/Contents/Resources/docs/index.html"),
          std::string("https://example.invalid/a b\"c\"; touch '" + home.path() + "/pwned'; echo $(id) `id` & | > x"),
          std::string("-h"), std::string("a\nb"), std::string("'\"\\")}) {
        std::remove(record().c_str());
        EXPECT_TRUE(URLOpener::openURL(address)) << address;
        EXPECT_EQ(recordedArguments(record()), std::vector<std::string>{address});
    }
    EXPECT_FALSE(PresetManager::fileExists(home.path() + "/pwned"));
}

TEST_F(OpenerTest, AFailingCommandIsReported) {
    install(3);
    EXPECT_FALSE(URLOpener::openURL("file:///x"));
    EXPECT_EQ(recordedArguments(record()), std::vector<std::string>{"file:///x"});
}

TEST_F(OpenerTest, AnEmptyAddressRunsNothing) {
    install(0);
    EXPECT_FALSE(URLOpener::openURL(""));
    EXPECT_FALSE(PresetManager::fileExists(record()));
}

TEST(OpenerWithoutCommandTest, AMissingCommandIsReported) {
    ScopedHome home;  // an empty folder as the whole PATH
    ScopedEnv path("PATH", home.path().c_str());
    EXPECT_FALSE(URLOpener::openURL("file:///x"));
}

TEST_F(OpenerTest, TheButtonOpensThePageShippedWithTheLoadedBundle) {
    install(0);
    HostedEffect effect(fixtureBundle(true));
    ASSERT_TRUE(effect.ok());
    effect.press("tutorialsButton");
    const std::string page = realPath(fixtureBundle(true)) + "/Contents/Resources/docs/index.html";
    EXPECT_TRUE(PresetManager::fileExists(page));
    EXPECT_EQ(recordedArguments(record()), std::vector<std::string>{DocumentationAddress::fileUrl(page)});
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_EQ(countStartingWith(log, "[ERROR] Failed to open documentation"), 0);
}

TEST_F(OpenerTest, AFailedOpeningIsLogged) {
    install(4);
    HostedEffect effect(fixtureBundle(false));
    ASSERT_TRUE(effect.ok());
    effect.press("tutorialsButton");
    // This bundle ships no page and none is installed: the address still names its place.
    const std::string address = DocumentationAddress::fileUrl(realPath(fixtureBundle(false)) +
                                                              "/Contents/Resources/docs/index.html");
    EXPECT_EQ(recordedArguments(record()), std::vector<std::string>{address});
    const std::vector<std::string> log = effect.closeAndReadLog(fixtureEffectName());
    EXPECT_TRUE(hasLine(log, "[ERROR] Failed to open documentation: " + address));
}
