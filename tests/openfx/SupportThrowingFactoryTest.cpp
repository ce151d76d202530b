// A plug-in whose factory hook throws: the entry points contain the failure,
// report no plug-ins, and do not call the hook again.
#include "openfx/support/PluginFactory.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
int gHookCalls = 0;
}  // namespace

void OFX::Plugin::getPluginIDs(OFX::PluginFactoryArray&) {
  ++gHookCalls;
  throw std::runtime_error("Failed to parse embedded XML");
}

namespace {

TEST(SupportThrowingFactory, ReportsNoPluginsAndCallsTheHookOnce) {
  EXPECT_EQ(OfxGetNumberOfPlugins(), 0);
  EXPECT_EQ(OfxGetPlugin(0), nullptr);
  EXPECT_EQ(OfxGetNumberOfPlugins(), 0);
  EXPECT_EQ(gHookCalls, 1);
}

}  // namespace
