// The plug-in identifier rule, the effect identifier's quotes and the start-up that builds the
// single factory.
#include "plugin/EffectIdentifier.h"
#include "plugin/GenericEffectFactory.h"
#include "plugin/PluginEntry.h"
#include "UnitLogFile.h"

#include <gtest/gtest.h>

namespace {

struct IdentifierCase {
    const char* path;
    const char* expected;
};

class GeneratePluginIdentifier : public ::testing::TestWithParam<IdentifierCase> {};

TEST_P(GeneratePluginIdentifier, KeepsTheFileNameWithoutItsLastExtension)
{
    EXPECT_EQ(GenericEffectFactory::generatePluginIdentifier(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GeneratePluginIdentifier,
    ::testing::Values(
        IdentifierCase{"/usr/OFX/Plugins/edge_bleed.ofx.bundle/Contents/effects/edge_bleed.xml",
                       "com.lanternkit.edge_bleed"},
        IdentifierCase{"C:\\fx\\my.effect.xml", "com.lanternkit.my.effect"},
        IdentifierCase{"plain", "com.lanternkit.plain"},
        IdentifierCase{"/some/folder/", "com.lanternkit."},
        IdentifierCase{"C:\\fx\\", "com.lanternkit."},
        IdentifierCase{"", "com.lanternkit."},
        // Only the file name counts: a point in a folder name is not an extension.
        IdentifierCase{"/a.b/c", "com.lanternkit.c"},
        IdentifierCase{"mixed\\seps/name.tar.gz", "com.lanternkit.name.tar"},
        IdentifierCase{"/x/.hidden", "com.lanternkit."},
        // Nothing is lower-cased, replaced or validated.
        IdentifierCase{"/x/Mixed Case!.XML", "com.lanternkit.Mixed Case!"}));

struct QuoteCase {
    const char* identifier;
    const char* expected;
};

class EffectIdentifierQuotes : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(EffectIdentifierQuotes, RemovesOnlyAPairOfSurroundingQuotes)
{
    EXPECT_EQ(effectIdentifierWithoutQuotes(GetParam().identifier), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Identifiers, EffectIdentifierQuotes,
                         ::testing::Values(QuoteCase{"edge_bleed", "edge_bleed"},
                                           QuoteCase{"\"edge_bleed\"", "edge_bleed"},
                                           QuoteCase{"\"\"", ""},
                                           QuoteCase{"\"", "\""},
                                           QuoteCase{"\"edge_bleed", "\"edge_bleed"},
                                           QuoteCase{"edge_bleed\"", "edge_bleed\""},
                                           QuoteCase{"\"a\"b\"", "a\"b"},
                                           QuoteCase{"", ""}));

// The start-up shared by every bundle: a quoted identifier names the same log file as the bare
// one, and a second call hands back the same factory instead of building another.
TEST(AppendEffectFactory, BuildsOneFactoryAndLogsUnderTheUnquotedIdentifier)
{
    const std::string name = plugin_test::uniqueEffectName("eb_plugin_unit_start");
    const std::string quoted = "\"" + name + "\"";
    const char* path = "/usr/OFX/Plugins/x.ofx.bundle/Contents/effects/edge_bleed.xml";

    OFX::PluginFactoryArray first;
    appendEffectFactory(first, quoted.c_str(), path);
    ASSERT_EQ(first.size(), 1u);
    OFX::PluginFactoryArray second;
    appendEffectFactory(second, quoted.c_str(), path);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[0], second[0]);
    EXPECT_EQ(currentEffectFactory(), first[0]);
    EXPECT_EQ(first[0]->getID(), "com.lanternkit.edge_bleed");
    EXPECT_EQ(first[0]->getMajorVersion(), 1u);
    EXPECT_EQ(first[0]->getMinorVersion(), 0u);

    auto* factory = currentEffectFactory();
    EXPECT_EQ(factory->getPluginIdentifier(), "com.lanternkit.edge_bleed");
    EXPECT_EQ(factory->getXmlPath(), path);
    EXPECT_EQ(factory->getDefinition().getName(), "Edge Bleed");

    const std::string log = plugin_test::flushedLog(name);
    EXPECT_NE(log.find("=== " + name + " Plugin Session Started ==="), std::string::npos);
    EXPECT_NE(log.find("[INFO] Creating factory for effect: " + name + "\n"), std::string::npos);
    EXPECT_NE(log.find(std::string("[INFO] XML path: ") + path + "\n"), std::string::npos);
    // The second call rotated the first file away; its own file has no construction lines.
    EXPECT_EQ(log.find("Loaded XML from embedded binary"), std::string::npos);
    const std::string firstLog = plugin_test::readWholeFile(Logger::backupPathFor(name));
    EXPECT_EQ(plugin_test::countOccurrences(firstLog, "[INFO] Loaded XML from embedded binary (release build)\n"), 1);
    EXPECT_NE(firstLog.find("[INFO] Debug level set from XML: info\n"), std::string::npos);
    plugin_test::removeLogFiles(name);
}

} // namespace
