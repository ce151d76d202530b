// Bundled textures (with their corrections) and identity conditions.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ResourceCase {
    const char* label;
    const char* attributes;
    int channels;
    const char* sampler;
    const char* wrap;
    const char* correction; // the logged correction, or null
};

void PrintTo(const ResourceCase& c, std::ostream* out)
{
    *out << c.label;
}

const ResourceCase kResourceCases[] = {
    {"Defaults", "", 4, "linear", "mirror", nullptr},
    {"AllValid", R"(channels="1" sampler="nearest" wrap="clamp")", 1, "nearest", "clamp", nullptr},
    {"Repeat", R"(channels="3" wrap="repeat")", 3, "linear", "repeat", nullptr},
    {"ZeroChannels", R"(channels="0")", 4, "linear", "mirror", "[INFO] Resource 't': invalid channels 0, using 4"},
    {"FiveChannels", R"(channels="5")", 4, "linear", "mirror", "[INFO] Resource 't': invalid channels 5, using 4"},
    {"NegativeChannels", R"(channels="-2")", 4, "linear", "mirror",
     "[INFO] Resource 't': invalid channels -2, using 4"},
    {"BilinearSampler", R"(sampler="bilinear")", 4, "linear", "mirror",
     "[INFO] Resource 't': invalid sampler 'bilinear', using 'linear'"},
    {"CapitalSampler", R"(sampler="Nearest")", 4, "linear", "mirror",
     "[INFO] Resource 't': invalid sampler 'Nearest', using 'linear'"},
    {"BorderWrap", R"(wrap="border")", 4, "linear", "mirror", "[INFO] Resource 't': invalid wrap 'border', using 'mirror'"},
    {"EmptyWrap", R"(wrap="")", 4, "linear", "mirror", "[INFO] Resource 't': invalid wrap '', using 'mirror'"},
};

class ResourcesReaderTest : public ::testing::TestWithParam<ResourceCase> {};

} // namespace

TEST_P(ResourcesReaderTest, CorrectsOutOfRangeSettings)
{
    const ResourceCase& c = GetParam();
    const deftest::ReadResult result = deftest::readEmbedded(deftest::effectDocument(
        std::string("<resources><texture name=\"t\" file=\"noise.exr\" ") + c.attributes + "/></resources>"));
    ASSERT_TRUE(result.ok) << result.lastError();
    ASSERT_EQ(result.definition->getBundledResources().size(), 1u);
    const auto& resource = result.definition->getBundledResources()[0];
    EXPECT_EQ(resource.name, "t");
    EXPECT_EQ(resource.file, "noise.exr");
    EXPECT_EQ(resource.channels, c.channels);
    EXPECT_EQ(resource.sampler, c.sampler);
    EXPECT_EQ(resource.wrap, c.wrap);
    if (c.correction) {
        EXPECT_TRUE(result.logged(c.correction));
    }
    EXPECT_TRUE(result.logged("[INFO] Resource parsed - name: t, file: noise.exr, channels: " + std::to_string(c.channels)
                              + ", sampler: " + c.sampler + ", wrap: " + c.wrap));
    EXPECT_TRUE(result.logged("[INFO] Parsed 1 bundled resources"));
}

INSTANTIATE_TEST_SUITE_P(Attributes, ResourcesReaderTest, ::testing::ValuesIn(kResourceCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ResourcesReaderListTest, KeepsDocumentOrder)
{
    const deftest::ReadResult result = deftest::readEmbedded(deftest::effectDocument(
        R"(<resources><texture name="b" file="b.exr"/><lut name="x" file="x"/><texture name="a" file="a.exr"/>)"
        R"(</resources>)"));
    ASSERT_TRUE(result.ok) << result.lastError();
    const auto& resources = result.definition->getBundledResources();
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(resources[0].name, "b");
    EXPECT_EQ(resources[1].name, "a");
    EXPECT_TRUE(result.logged("[INFO] Parsed 2 bundled resources"));
}

TEST(IdentityConditionsReaderTest, ReadsConditionsInOrder)
{
    const deftest::ReadResult result = deftest::readEmbedded(deftest::effectDocument(
        R"(<parameters><parameter name="amount" type="float"/><parameter name="on" type="bool"/></parameters>)"
        R"(<identity_conditions>)"
        R"(<condition><parameter name="amount" operator="lessEqual" value="0.001"/></condition>)"
        R"(<condition><parameter name="on" operator="equal"/><parameter name="ignored" operator="x"/></condition>)"
        R"(<condition><parameter name="amount" operator="whatever" value="2"/></condition>)"
        R"(</identity_conditions>)"));
    ASSERT_TRUE(result.ok) << result.lastError();
    const auto& conditions = result.definition->getIdentityConditions();
    ASSERT_EQ(conditions.size(), 3u);
    EXPECT_EQ(conditions[0].parameter, "amount");
    EXPECT_EQ(conditions[0].op, "lessEqual");
    EXPECT_DOUBLE_EQ(conditions[0].value, 0.001);
    EXPECT_EQ(conditions[1].parameter, "on");
    EXPECT_EQ(conditions[1].op, "equal");
    EXPECT_DOUBLE_EQ(conditions[1].value, 0.0);
    // Operators are not validated when reading.
    EXPECT_EQ(conditions[2].op, "whatever");
}
