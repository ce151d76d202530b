// A document full of bytes that would break a C++ string literal comes through the build's
// embedding step unchanged, and reads as a definition.
#include "definition/EmbeddedDefinition.h"
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

TEST(EmbedDefinitionTest, ConstantHoldsTheFileBytesExactly)
{
    std::ifstream in(EB_ODD_BYTES_FIXTURE, std::ios::binary);
    ASSERT_TRUE(in) << EB_ODD_BYTES_FIXTURE;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string expected = bytes.str();
    ASSERT_EQ(std::strlen(kEmbeddedEffectDefinition), expected.size());
    EXPECT_EQ(std::string(kEmbeddedEffectDefinition), expected);
    // Sanity: the fixture really contains the troublesome bytes.
    for (const char* piece : {"\"", "\\", "*/", "?\?/", "\r\n", "\xc3\xa9"}) {
        EXPECT_NE(expected.find(piece), std::string::npos) << piece;
    }
}

TEST(EmbedDefinitionTest, EmbeddedDocumentReads)
{
    const deftest::ReadResult result = deftest::readEmbedded(kEmbeddedEffectDefinition);
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_EQ(result.definition->getName(), "Odd \xc3\x89" "ffect");
    EXPECT_EQ(result.definition->getDescription(),
              "Quote \" backslash \\ closer */ trigraph ?\?/ )\" R\"x( \xc3\xa9");
    ASSERT_EQ(result.definition->getPipelines().size(), 1u);
}
