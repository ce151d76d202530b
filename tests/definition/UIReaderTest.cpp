// UI grouping: groups, columns and references, with defaults and document order.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string kParams = R"(<parameters><parameter name="a" type="float"/><parameter name="b" type="bool"/>)"
                            R"(<parameter name="c" type="int"/></parameters>)";

std::vector<std::string> names(const std::vector<XMLEffectDefinition::UIParameterDef>& references)
{
    std::vector<std::string> result;
    for (const auto& reference : references) {
        result.push_back(reference.name);
    }
    return result;
}

} // namespace

TEST(UIReaderTest, GroupsColumnsAndReferences)
{
    const deftest::ReadResult result = deftest::readEmbedded(deftest::effectDocument(
        kParams + R"(<ui><group name="One" tooltip="First" open="false"><parameter>c</parameter>)"
                  R"(<column name="Left" tooltip="L"><parameter>a</parameter><parameter>b</parameter></column>)"
                  R"(<parameter>a</parameter><column name="Right"><parameter>c</parameter></column></group>)"
                  R"(<group name="Two"><parameter>a</parameter></group>)"
                  R"(<group name="Three"><column name="Only"/></group></ui>)"));
    ASSERT_TRUE(result.ok) << result.lastError();
    const auto& groups = result.definition->getUIGroups();
    ASSERT_EQ(groups.size(), 3u);

    EXPECT_EQ(groups[0].name, "One");
    EXPECT_EQ(groups[0].tooltip, "First");
    EXPECT_FALSE(groups[0].open);
    ASSERT_EQ(groups[0].columns.size(), 2u);
    EXPECT_EQ(groups[0].columns[0].name, "Left");
    EXPECT_EQ(groups[0].columns[0].tooltip, "L");
    EXPECT_EQ(names(groups[0].columns[0].parameters), (std::vector<std::string> {"a", "b"}));
    EXPECT_EQ(groups[0].columns[1].name, "Right");
    EXPECT_EQ(groups[0].columns[1].tooltip, "");
    EXPECT_EQ(names(groups[0].columns[1].parameters), (std::vector<std::string> {"c"}));
    EXPECT_EQ(names(groups[0].parameters), (std::vector<std::string> {"c", "a"}));

    // A parameter may appear in several groups; groups are open unless told otherwise.
    EXPECT_EQ(groups[1].name, "Two");
    EXPECT_TRUE(groups[1].open);
    EXPECT_EQ(groups[1].tooltip, "");
    EXPECT_EQ(names(groups[1].parameters), (std::vector<std::string> {"a"}));
    EXPECT_TRUE(groups[1].columns.empty());

    // A column without references still makes the group valid.
    ASSERT_EQ(groups[2].columns.size(), 1u);
    EXPECT_TRUE(groups[2].columns[0].parameters.empty());

    EXPECT_TRUE(result.logged("[INFO] XMLEffectDefinition::parseUI called"));
    EXPECT_TRUE(result.logged("[INFO] XMLEffectDefinition::parseUI completed, parsed 3 groups"));
}

TEST(UIReaderTest, UIBeforeParametersReadsTheSame)
{
    const deftest::ReadResult result = deftest::readEmbedded(deftest::effectDocument(
        R"(<ui><group name="G"><parameter>b</parameter></group></ui>)" + kParams));
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_EQ(names(result.definition->getUIGroups()[0].parameters), (std::vector<std::string> {"b"}));
}

TEST(UIReaderTest, EmptyUIHasNoGroups)
{
    const deftest::ReadResult result = deftest::readEmbedded(deftest::effectDocument("<ui/>"));
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_TRUE(result.definition->getUIGroups().empty());
    EXPECT_TRUE(result.logged("[INFO] XMLEffectDefinition::parseUI completed, parsed 0 groups"));
}
