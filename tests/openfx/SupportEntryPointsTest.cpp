// The two exported entry points: one plug-in record, built once.
#include "tests/openfx/SupportTestPlugin.h"

#include "openfx/include/ofxGPURender.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SupportEntryPoints, ReportsOnePluginAndBuildsTheFactoryListOnce) {
  EXPECT_EQ(OfxGetNumberOfPlugins(), 1);
  EXPECT_EQ(OfxGetNumberOfPlugins(), 1);
  ASSERT_NE(OfxGetPlugin(0), nullptr);
  EXPECT_EQ(supporttest::hooks().getPluginIDsCalls, 1);
}

TEST(SupportEntryPoints, PluginRecordCarriesApiIdentifierVersionAndEntries) {
  OfxPlugin* plugin = OfxGetPlugin(0);
  ASSERT_NE(plugin, nullptr);
  EXPECT_STREQ(plugin->pluginApi, "OfxImageEffectPluginAPI");
  EXPECT_EQ(plugin->apiVersion, 1);
  EXPECT_STREQ(plugin->pluginIdentifier, supporttest::kPluginId);
  EXPECT_EQ(plugin->pluginVersionMajor, 2u);
  EXPECT_EQ(plugin->pluginVersionMinor, 7u);
  EXPECT_NE(plugin->setHost, nullptr);
  EXPECT_NE(plugin->mainEntry, nullptr);
  EXPECT_EQ(OfxGetPlugin(0), plugin) << "the same record on every call";
}

TEST(SupportEntryPoints, OutOfRangeIndexesGiveNoRecord) {
  EXPECT_EQ(OfxGetPlugin(1), nullptr);
  EXPECT_EQ(OfxGetPlugin(-1), nullptr);
}

TEST(SupportEntryPoints, LoadFailsWithMissingHostFeatureWhenRequiredSuitesAreAbsent) {
  OfxHost bare{nullptr, [](OfxPropertySetHandle, const char*, int) -> const void* { return nullptr; }};
  OfxGetPlugin(0)->setHost(&bare);
  EXPECT_EQ(supporttest::send(kOfxActionLoad, nullptr), kOfxStatErrMissingHostFeature);
  fakehost::FakeHost host;
  EXPECT_EQ(supporttest::loadInto(host), kOfxStatOK);
}

TEST(SupportEntryPoints, LoadReadsTheHostDescription) {
  fakehost::FakeHost host;
  host.hostProps().set(kOfxImageEffectPropSupportsOverlays, {1});
  host.hostProps().set(kOfxImageEffectPropSupportedContexts,
                       {std::string(kOfxImageEffectContextFilter), std::string(kOfxImageEffectContextGeneral)});
  host.hostProps().set(kOfxImageEffectPropCudaRenderSupported, {std::string("needed")});
  host.hostProps().set(kOfxImageEffectPropOpenCLRenderSupported, {0});
  host.hostProps().set(kOfxPropAPIVersion, {1, 4});
  ASSERT_EQ(supporttest::loadInto(host), kOfxStatOK);
  const OFX::ImageEffectHostDescription* description = OFX::getImageEffectHostDescription();
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->hostName, "fake.host");
  EXPECT_TRUE(description->supportsOverlays);
  EXPECT_TRUE(description->supportsContext(OFX::eContextGeneral));
  EXPECT_FALSE(description->supportsContext(OFX::eContextGenerator));
  EXPECT_TRUE(description->supportsCudaRender) << "\"needed\" counts as support";
  EXPECT_FALSE(description->supportsOpenCLRender);
  EXPECT_FALSE(description->supportsMultiResolution) << "unreported flags default to false";
  EXPECT_EQ(description->APIVersionMajor, 1);
  EXPECT_EQ(description->APIVersionMinor, 4);
  EXPECT_TRUE(description->supportsDrawSuite);

  fakehost::FakeHost plain;
  plain.offerDrawSuite = false;
  ASSERT_EQ(supporttest::loadInto(plain), kOfxStatOK);
  EXPECT_FALSE(OFX::getImageEffectHostDescription()->supportsOverlays);
  EXPECT_FALSE(OFX::getImageEffectHostDescription()->supportsDrawSuite);
  EXPECT_EQ(OFX::getDrawSuite(), nullptr);
}

}  // namespace
