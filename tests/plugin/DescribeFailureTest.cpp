// Failures during description reach the host as failed actions, with the reason in the log;
// instance creation builds the effect instance.
#include "PluginHostTestSupport.h"

#include "host/EffectInstance.h"

#include <gtest/gtest.h>

namespace {

struct FailureCase {
    const char* fixture;
    const char* reason;          // the text describeInContext fails with
    const char* detailLine;      // the log line that says which name was at fault
    const char* stderrText;      // what parameter creation wrote to stderr
};

class DescribeInContextFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DescribeInContextFailure, ReachesTheHostAsAFailedActionAndIsLogged)
{
    const FailureCase& c = GetParam();
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath(c.fixture));
    ofxhost::PluginHandle& plugin = plugin_test::onlyPlugin(*bundle);
    ASSERT_EQ(plugin.describe(), kOfxStatOK);
    for (const char* context : {plugin_test::kFilterContext, plugin_test::kGeneralContext}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(plugin.describeInContext(context), kOfxStatFailed) << context;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.stderrText) << context;
        EXPECT_EQ(plugin.contextDescriptor(context), nullptr) << context;
    }
    bundle.reset();

    const std::string log = plugin_test::readWholeFile(plugin_test::logPathFor(plugin_test::fixtureIdentifier(c.fixture)));
    EXPECT_EQ(plugin_test::countOccurrences(log, c.detailLine), 2) << log;
    EXPECT_EQ(plugin_test::countOccurrences(
                  log, std::string("[DEBUG] ✗ GenericEffectFactory::describeInContext failed: ") + c.reason + "\n"),
              2)
        << log;
    EXPECT_EQ(log.find("describeInContext completed successfully"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DescribeInContextFailure,
    ::testing::Values(
        FailureCase{"reserved_parameter", "Failed to create parameters from XML",
                    "[ERROR] Definition parameter 'preset_name' uses a name reserved by the framework\n",
                    "Error creating parameters: Definition parameter 'preset_name' uses a name reserved by the "
                    "framework\n"},
        FailureCase{"group_clash", "Failed to organize UI from XML",
                    "[ERROR] ERROR in organizeUI: parameter level is already defined as another kind\n", ""}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.fixture); });

TEST(CreateInstance, BuildsTheEffectInstanceFromTheDefinition)
{
    auto bundle = ofxhost::Bundle::open(plugin_test::fixtureBundlePath("no_inputs"));
    OfxStatus status = kOfxStatFailed;
    auto instance = plugin_test::onlyPlugin(*bundle).createInstance(plugin_test::kFilterContext, &status);
    EXPECT_NE(instance, nullptr);
    EXPECT_EQ(status, kOfxStatOK);
}

}  // namespace
