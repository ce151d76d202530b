// Loading bundles, plug-in records, description actions and their failures.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "host/HostError.h"
#include "host/ParamDescription.h"
#include "ProbeFixture.h"

namespace {

using ofxhost::Bundle;
using ofxhost::HostError;

TEST(Bundle, BinaryPathFollowsTheBundleLayout) {
  EXPECT_EQ(Bundle::binaryPathFor("/x/edge_bleed.ofx.bundle"), "/x/edge_bleed.ofx.bundle/Contents/Linux-x86-64/edge_bleed.ofx");
  EXPECT_EQ(Bundle::binaryPathFor("/x/edge_bleed.ofx.bundle/"), "/x/edge_bleed.ofx.bundle/Contents/Linux-x86-64/edge_bleed.ofx");
  EXPECT_EQ(Bundle::binaryPathFor("rel.ofx.bundle"), "rel.ofx.bundle/Contents/Linux-x86-64/rel.ofx");
  EXPECT_EQ(Bundle::binaryPathFor("/x/folder"), "");
}

struct OpenFailure {
  const char *what;
  std::string path;
  std::string message;
};

TEST(Bundle, OpenFailuresAreClearErrors) {
  char dirTemplate[] = "/tmp/ofxhost_testXXXXXX";
  const std::string dir = mkdtemp(dirTemplate);
  const std::string plainFolder = dir + "/plain";
  const std::string emptyBundle = dir + "/empty.ofx.bundle";
  const std::string notElf = dir + "/text.ofx";
  mkdir(plainFolder.c_str(), 0700);
  mkdir(emptyBundle.c_str(), 0700);
  std::ofstream(notElf) << "not a library";

  const OpenFailure cases[] = {
      {"missing path", dir + "/nothing", "No such bundle or plug-in binary: " + dir + "/nothing"},
      {"folder without bundle suffix", plainFolder, "Not an OpenFX bundle (expected a folder named *.ofx.bundle): " + plainFolder},
      {"bundle without binary", emptyBundle, "Bundle has no Linux-x86-64 binary: " + emptyBundle + "/Contents/Linux-x86-64/empty.ofx"},
      {"not a shared library", notElf, "Cannot load " + notElf + ": "},
  };
  for (const OpenFailure &c : cases) {
    try {
      Bundle::open(c.path);
      ADD_FAILURE() << c.what << " opened";
    } catch (const HostError &e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.what << ": " << e.what();
    }
  }
  std::remove(notElf.c_str());
  rmdir(plainFolder.c_str());
  rmdir(emptyBundle.c_str());
  rmdir(dir.c_str());
}

TEST(Bundle, OpenAcceptsTheBinaryItself) {
  auto bundle = Bundle::open(Bundle::binaryPathFor(probe::bundlePath()));
  EXPECT_EQ(bundle->pluginCount(), 3);
}

TEST(Bundle, EnumeratesPluginRecords) {
  auto bundle = Bundle::open(probe::bundlePath());
  ASSERT_EQ(bundle->pluginCount(), 3);
  ofxhost::PluginHandle &p = bundle->plugin(0);
  EXPECT_EQ(p.identifier(), "com.test.hostprobe");
  EXPECT_EQ(p.api(), "OfxImageEffectPluginAPI");
  EXPECT_EQ(p.apiVersion(), 1);
  EXPECT_EQ(p.versionMajor(), 2u);
  EXPECT_EQ(p.versionMinor(), 3u);
  EXPECT_TRUE(p.isImageEffect());
  EXPECT_EQ(bundle->findPlugin("com.test.failing"), &bundle->plugin(1));
  EXPECT_EQ(bundle->findPlugin("com.test.none"), nullptr);
  EXPECT_THROW(bundle->plugin(3), HostError);
}

TEST(Bundle, ServesEverySuiteAndRefusesUnknownOnes) {
  auto bundle = Bundle::open(probe::bundlePath());
  const std::vector<std::string> fetched = bundle->fetchedSuites();
  for (const char *suite : {"OfxPropertySuite/1", "OfxImageEffectSuite/1", "OfxParameterSuite/1",
                            "OfxParametricParameterSuite/1", "OfxMultiThreadSuite/1", "OfxMessageSuite/2",
                            "OfxMemorySuite/1", "OfxInteractSuite/1", "OfxDrawSuite/1", "OfxNoSuchSuite/1 (refused)"}) {
    EXPECT_NE(std::find(fetched.begin(), fetched.end(), suite), fetched.end()) << suite;
  }
  EXPECT_NE(bundle->fetchSuite("OfxMessageSuite", 1), nullptr);
  EXPECT_EQ(bundle->fetchSuite("OfxPropertySuite", 2), nullptr);
}

TEST(Bundle, HostDescribesItself) {
  ofxhost::HostOptions options;
  options.supportsOverlays = false;
  options.cudaRender = true;
  auto bundle = Bundle::open(probe::bundlePath(), options);
  ofxhost::PropertySet &host = bundle->hostProperties();
  EXPECT_EQ(host.getString(kOfxPropType), "OfxTypeImageEffectHost");
  EXPECT_EQ(host.getString(kOfxPropName), "com.lanternkit.ofxhost");
  EXPECT_EQ(host.getInt(kOfxImageEffectPropSupportsOverlays), 0);
  EXPECT_EQ(host.getString("OfxImageEffectPropCudaRenderSupported"), "true");
  EXPECT_EQ(host.getStrings(kOfxImageEffectPropSupportedPixelDepths), std::vector<std::string>{kOfxBitDepthFloat});
  // The host's set is closed: known properties take values, new ones are refused.
  EXPECT_EQ(ofxhost::propertySuite()->propSetInt(host.handle(), kOfxImageEffectPropSupportsOverlays, 0, 1), kOfxStatOK);
  EXPECT_EQ(ofxhost::propertySuite()->propSetInt(host.handle(), "OfxSomethingNew", 0, 1), kOfxStatErrUnknown);
}

class DescribeTest : public probe::ProbeTest {};

TEST_F(DescribeTest, DescribeRunsLoadOnceThenDescribe) {
  ASSERT_EQ(plugin->describe(), kOfxStatOK);
  ASSERT_EQ(plugin->describe(), kOfxStatOK);
  std::vector<std::string> actions;
  for (const auto &a : plugin->actionLog()) actions.push_back(a.action);
  EXPECT_EQ(actions, (std::vector<std::string>{"OfxActionLoad", "OfxActionDescribe", "OfxActionDescribe"}));
  const ofxhost::PropertySet &props = plugin->descriptor()->props();
  EXPECT_EQ(props.getString(kOfxPropLabel), "Host Probe");
  EXPECT_EQ(props.getString(kOfxImageEffectPluginPropGrouping), "Tests");
  EXPECT_EQ(props.getStrings(kOfxImageEffectPropSupportedContexts),
            (std::vector<std::string>{kOfxImageEffectContextFilter, kOfxImageEffectContextGeneral}));
  EXPECT_EQ(props.getString("OfxImageEffectPropNoSpatialAwareness"), "false");
  EXPECT_EQ(props.getString(kOfxPluginPropFilePath), probe::bundlePath());
}

TEST_F(DescribeTest, ContextDescriptionDeclaresClipsAndParameters) {
  for (const char *context : {kOfxImageEffectContextFilter, kOfxImageEffectContextGeneral}) {
    ASSERT_EQ(plugin->describeInContext(context), kOfxStatOK) << context;
    const ofxhost::ImageEffectObject &effect = *plugin->contextDescriptor(context);
    const auto clips = ofxhost::describeClips(effect);
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(clips[0].name, "Source");
    EXPECT_FALSE(clips[0].optional);
    EXPECT_EQ(clips[1].name, "Matte");
    EXPECT_TRUE(clips[1].optional);
    EXPECT_TRUE(clips[1].mask);
    EXPECT_EQ(clips[2].name, "Output");
    EXPECT_EQ(clips[2].components, std::vector<std::string>{kOfxImageComponentRGBA});
    const auto params = ofxhost::describeParams(effect);
    ASSERT_GE(params.size(), 4u);
    EXPECT_EQ(params[0].name, "Main");
    EXPECT_EQ(params[0].kind, "page");
    EXPECT_EQ(params[1].name, "grp");
    EXPECT_EQ(params[2].name, "gain");
    EXPECT_EQ(params[2].kind, "double");
    EXPECT_EQ(params[2].label, "Gain");
    EXPECT_EQ(params[2].defaultText, "1");
    EXPECT_EQ(params[2].parent, "grp");
    EXPECT_EQ(params[2].hint, "Multiplies the source");
    EXPECT_EQ(params[2].order, 2);
  }
  EXPECT_EQ(plugin->describedContexts().size(), 2u);
}

TEST(BundleFailures, FailedContextDescriptionIsReportedAndNoInstanceIsMade) {
  auto bundle = Bundle::open(probe::bundlePath());
  ofxhost::PluginHandle &failing = bundle->plugin(1);
  EXPECT_EQ(failing.describe(), kOfxStatOK);
  EXPECT_EQ(failing.describeInContext(kOfxImageEffectContextFilter), kOfxStatFailed);
  EXPECT_EQ(failing.contextDescriptor(kOfxImageEffectContextFilter), nullptr);
  OfxStatus status = kOfxStatOK;
  EXPECT_EQ(failing.createInstance(kOfxImageEffectContextFilter, &status), nullptr);
  EXPECT_EQ(status, kOfxStatFailed);
}

TEST(BundleFailures, NonStandardLoadStatusIsReportedNotTrusted) {
  auto bundle = Bundle::open(probe::bundlePath());
  ofxhost::PluginHandle &unloadable = bundle->plugin(2);
  EXPECT_EQ(unloadable.load(), 42);
  EXPECT_FALSE(unloadable.loaded());
  EXPECT_EQ(unloadable.describe(), 42);
  EXPECT_EQ(ofxhost::statusName(42), "status 42");
  EXPECT_EQ(ofxhost::statusName(kOfxStatErrBadIndex), "kOfxStatErrBadIndex");
  // Unload is only sent to plug-ins that loaded.
  EXPECT_EQ(unloadable.unload(), kOfxStatOK);
  EXPECT_EQ(unloadable.actionLog().size(), 2u);
}

TEST(BundleFailures, UnloadFollowsLoad) {
  auto bundle = Bundle::open(probe::bundlePath());
  ofxhost::PluginHandle &p = bundle->plugin(0);
  EXPECT_EQ(p.load(), kOfxStatOK);
  EXPECT_TRUE(p.loaded());
  EXPECT_EQ(p.unload(), kOfxStatReplyDefault);
  EXPECT_FALSE(p.loaded());
  EXPECT_EQ(p.actionLog().back().action, "OfxActionUnload");
}

}  // namespace
