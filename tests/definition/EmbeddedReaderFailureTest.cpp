// Every way a document can fail the embedded reader: a false result with the reason logged.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

using deftest::effectDocument;
using deftest::readEmbedded;

namespace {

struct FailureCase {
    const char* label;
    std::string document;
    std::string error; // the logged text after "[ERROR] "
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.label;
}

std::string failed(const std::string& reason)
{
    return "Failed to parse embedded XML: " + reason;
}

// Parameters that references and conditions below can name.
const std::string kParams = R"(<parameters><parameter name="p" type="float"/></parameters>)";

const FailureCase kFailures[] = {
    {"NotXml", "this is not xml", failed("No document element found")},
    {"EmptyText", "", failed("No document element found")},
    {"UnclosedElement", "<effect name=\"Fx\" category=\"Cat\">", failed("Start-end tags mismatch")},
    {"NoEffectElement", "<other/>", "Embedded XML does not contain an effect element"},
    {"EffectOnlyNested", "<root><effect name=\"Fx\" category=\"Cat\"><pipeline/></effect></root>",
     "Embedded XML does not contain an effect element"},
    {"EffectWithoutName", "<effect category=\"Cat\"><pipeline/></effect>", failed("Effect must have a name attribute")},
    {"EffectWithEmptyName", "<effect name=\"\" category=\"Cat\"><pipeline/></effect>",
     failed("Effect must have a name attribute")},
    {"EffectWithoutCategory", "<effect name=\"Fx\"><pipeline/></effect>", failed("Effect must have a category attribute")},
    {"SourceWithoutName", effectDocument("<inputs><source label=\"x\"/></inputs>"),
     failed("Input source must have a name attribute")},
    {"ParameterWithoutName", effectDocument("<parameters><parameter type=\"float\"/></parameters>"),
     failed("Parameter must have a name attribute")},
    {"ParameterWithoutType", effectDocument("<parameters><parameter name=\"p\"/></parameters>"),
     failed("Parameter must have a type attribute")},
    {"OptionWithoutValue",
     effectDocument("<parameters><parameter name=\"c\" type=\"choice\"><option label=\"A\"/></parameter></parameters>"),
     failed("Option must have a value attribute")},
    {"ComponentWithoutName",
     effectDocument("<parameters><parameter name=\"v\" type=\"vec2\"><component default=\"1\"/></parameter>"
                    "</parameters>"),
     failed("Component must have a name attribute")},
    {"ComponentListNotANumber",
     effectDocument("<parameters><parameter name=\"v\" type=\"vec2\" default=\"a,b\"/></parameters>"), failed("stod")},
    {"ComponentListTrailingComma",
     effectDocument("<parameters><parameter name=\"v\" type=\"vec3\" default=\"1,2,\"/></parameters>"),
     failed("stod")},
    {"ComponentMinNotANumber",
     effectDocument("<parameters><parameter name=\"v\" type=\"vec2\" default=\"1,2\" min=\"0,x\"/></parameters>"),
     failed("stod")},
    {"ComponentMaxOutOfRange",
     effectDocument("<parameters><parameter name=\"v\" type=\"vec2\" default=\"1,2\" max=\"1e999\"/></parameters>"),
     failed("stod")},
    {"GroupWithoutName", effectDocument(kParams + "<ui><group><parameter>p</parameter></group></ui>"),
     failed("group must have a name attribute")},
    {"ColumnWithoutName",
     effectDocument(kParams + "<ui><group name=\"G\"><column><parameter>p</parameter></column></group></ui>"),
     failed("Column must have a name attribute")},
    {"EmptyReference", effectDocument(kParams + "<ui><group name=\"G\"><parameter></parameter></group></ui>"),
     failed("Parameter reference cannot be empty")},
    {"EmptyReferenceInColumn",
     effectDocument(kParams + "<ui><group name=\"G\"><column name=\"C\"><parameter/></column></group></ui>"),
     failed("Parameter reference cannot be empty")},
    {"UnknownReference", effectDocument(kParams + "<ui><group name=\"G\"><parameter>q</parameter></group></ui>"),
     failed("Referenced parameter does not exist: q")},
    {"ReferenceWithBlanks", effectDocument(kParams + "<ui><group name=\"G\"><parameter> p </parameter></group></ui>"),
     failed("Referenced parameter does not exist:  p ")},
    {"ReferenceWithoutParameters", effectDocument("<ui><group name=\"G\"><parameter>p</parameter></group></ui>"),
     failed("Referenced parameter does not exist: p")},
    {"EmptyGroup", effectDocument(kParams + "<ui><group name=\"G\"/></ui>"),
     failed("group must contain either columns or direct parameter references")},
    {"NoPipeline", "<effect name=\"Fx\" category=\"Cat\"/>",
     failed("Effect must have a <pipeline> section with <process> children")},
    {"OnlyFileFormPipelines", "<effect name=\"Fx\" category=\"Cat\"><pipelines><process/></pipelines></effect>",
     failed("Effect must have a <pipeline> section with <process> children")},
    {"TextureWithoutName", effectDocument("<resources><texture file=\"a.exr\"/></resources>"),
     failed("Resource texture must have a name attribute")},
    {"TextureWithoutFile", effectDocument("<resources><texture name=\"t\"/></resources>"),
     failed("Resource texture must have a file attribute")},
    {"ConditionWithoutParameter", effectDocument(kParams + "<identity_conditions><condition/></identity_conditions>"),
     failed("Condition must have a parameter element")},
    {"ConditionParameterWithoutName",
     effectDocument(kParams + "<identity_conditions><condition><parameter operator=\"equal\"/></condition>"
                              "</identity_conditions>"),
     failed("Parameter in condition must have a name attribute")},
    {"ConditionParameterWithoutOperator",
     effectDocument(kParams + "<identity_conditions><condition><parameter name=\"p\"/></condition>"
                              "</identity_conditions>"),
     failed("Parameter in condition must have an operator attribute")},
    {"ConditionOnUnknownParameter",
     effectDocument(kParams + "<identity_conditions><condition><parameter name=\"q\" operator=\"equal\"/>"
                              "</condition></identity_conditions>"),
     failed("Referenced parameter does not exist: q")},
};

class EmbeddedReaderFailureTest : public ::testing::TestWithParam<FailureCase> {};

} // namespace

TEST_P(EmbeddedReaderFailureTest, ReturnsFalseAndLogsTheReason)
{
    const FailureCase& c = GetParam();
    const deftest::ReadResult result = readEmbedded(c.document);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.lastError(), c.error);
    EXPECT_TRUE(result.logged("[INFO] Parsing XML from embedded string"));
    EXPECT_FALSE(result.logged("[INFO] Embedded XML parsed successfully: effect 'Fx'"));
}

INSTANTIATE_TEST_SUITE_P(Documents, EmbeddedReaderFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(EmbeddedReaderTest, NullTextIsRefused)
{
    const deftest::ReadResult result = readEmbedded(nullptr);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.lastError(), "Embedded XML content is null");
}

TEST(EmbeddedReaderTest, FailureKeepsWhatWasReadBefore)
{
    const deftest::ReadResult result = readEmbedded(effectDocument(
        "<inputs><source name=\"A\"/></inputs><parameters><parameter name=\"p\" type=\"float\"/>"
        "<parameter type=\"float\"/></parameters>"));
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.definition->getName(), "Fx");
    EXPECT_EQ(result.definition->getInputs().size(), 1u);
    EXPECT_EQ(result.definition->getParameters().size(), 1u);
}

TEST(EmbeddedReaderTest, MinimalDocumentReadsWithDefaults)
{
    const deftest::ReadResult result = readEmbedded("<effect name=\"Fx\" category=\"Cat\"><pipeline/></effect>");
    ASSERT_TRUE(result.ok) << result.lastError();
    const XMLEffectDefinition& def = *result.definition;
    EXPECT_EQ(def.getName(), "Fx");
    EXPECT_EQ(def.getCategory(), "Cat");
    EXPECT_EQ(def.getVersion(), "");
    EXPECT_EQ(def.getAuthor(), "");
    EXPECT_EQ(def.getCopyright(), "");
    EXPECT_EQ(def.getDescription(), "");
    EXPECT_EQ(def.getDebugLevel(), "none");
    EXPECT_FALSE(def.supportsTimeline());
    EXPECT_FALSE(def.supportsMatte());
    EXPECT_EQ(def.getEffectExecutions(), "1");
    EXPECT_FALSE(def.hasMultiPipeline());
    EXPECT_TRUE(result.logged("[INFO] Parsed 0 processes from <pipeline> section"));
    EXPECT_TRUE(result.logged("[INFO] Embedded XML parsed successfully: effect 'Fx'"));
    EXPECT_TRUE(result.logged("[INFO] Debug level from embedded XML: none"));
}

TEST(EmbeddedReaderTest, MetadataAttributes)
{
    const deftest::ReadResult result = readEmbedded(
        "<!-- comments are allowed anywhere --><effect name=\"My Fx\" category=\"Cat\" version=\"2.5\" author=\"A. B.\""
        " copyright=\"(c) 2024\" debug_level=\"DEBUG\" supports_timeline=\"yes\" supports_matte=\"1\">"
        "<!-- here too --><description>Line one &amp; two</description><description>ignored</description>"
        "<pipeline/></effect>");
    ASSERT_TRUE(result.ok) << result.lastError();
    const XMLEffectDefinition& def = *result.definition;
    EXPECT_EQ(def.getName(), "My Fx");
    EXPECT_EQ(def.getVersion(), "2.5");
    EXPECT_EQ(def.getAuthor(), "A. B.");
    EXPECT_EQ(def.getCopyright(), "(c) 2024");
    EXPECT_EQ(def.getDebugLevel(), "DEBUG");
    EXPECT_TRUE(def.supportsTimeline());
    EXPECT_TRUE(def.supportsMatte());
    EXPECT_EQ(def.getDescription(), "Line one & two");
}

TEST(EmbeddedReaderTest, BooleanAttributesFollowTheFirstCharacter)
{
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {{"true", true}, {"True", true}, {"yes", true}, {"Y", true}, {"1", true},
                          {"false", false}, {"no", false}, {"0", false}, {"", false}, {" true", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const deftest::ReadResult result = readEmbedded(std::string("<effect name=\"Fx\" category=\"Cat\" ")
                                                        + "supports_timeline=\"" + c.text + "\"><pipeline/></effect>");
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.definition->supportsTimeline(), c.expected);
    }
}

TEST(EmbeddedReaderTest, ChildrenAreReadInAFixedOrderWhateverTheDocumentOrder)
{
    // The UI refers to a parameter declared later in the document; a second `inputs` is ignored.
    const deftest::ReadResult result = readEmbedded(
        "<effect name=\"Fx\" category=\"Cat\"><pipeline/>"
        "<ui><group name=\"G\"><parameter>p</parameter></group></ui>"
        "<inputs><source name=\"A\"/></inputs><inputs><source name=\"B\"/></inputs>"
        "<parameters><parameter name=\"p\" type=\"float\"/></parameters></effect>");
    ASSERT_TRUE(result.ok) << result.lastError();
    ASSERT_EQ(result.definition->getInputs().size(), 1u);
    EXPECT_EQ(result.definition->getInputs()[0].name, "A");
    ASSERT_EQ(result.definition->getUIGroups().size(), 1u);
    EXPECT_EQ(result.definition->getUIGroups()[0].parameters[0].name, "p");
}
