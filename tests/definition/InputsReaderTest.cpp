// Input clips: defaults, and the two inferences between `noinput` and `optional`.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct InputCase {
    const char* label;
    const char* attributes;
    bool optional;
    const char* noInputMode;
    const char* logLine; // the line that explains how the mode or the flag was settled
};

void PrintTo(const InputCase& c, std::ostream* out)
{
    *out << c.label;
}

const InputCase kInputCases[] = {
    {"NeitherAttribute", "", false, "error", "[INFO] No noinput attribute and not optional, using 'error'"},
    {"BlackWithoutOptional", "noinput=\"black\"", true, "black",
     "[INFO] Input 'In': optional inferred as 1 from noinput='black'"},
    {"ErrorWithoutOptional", "noinput=\"error\"", false, "error",
     "[INFO] Input 'In': optional inferred as 0 from noinput='error'"},
    {"OptionalTrueWithoutMode", "optional=\"true\"", true, "white",
     "[INFO] No noinput attribute, but optional=true, using 'white'"},
    {"OptionalFalseWithoutMode", "optional=\"false\"", false, "error",
     "[INFO] Input 'In': optional explicitly set to 0"},
    {"ExplicitFalseWinsOverWhite", "optional=\"false\" noinput=\"white\"", false, "white",
     "[INFO] Found noinput attribute: 'white'"},
    {"ExplicitTrueWithError", "optional=\"true\" noinput=\"error\"", true, "error",
     "[INFO] Input 'In': optional explicitly set to 1"},
    {"TransparentMode", "noinput=\"transparent\"", true, "transparent",
     "[INFO] Found noinput attribute: 'transparent'"},
    {"UnknownModeStoredAsWritten", "noinput=\"Black\"", true, "Black",
     "[INFO] Input 'In': optional inferred as 1 from noinput='Black'"},
    {"EmptyModeIsNotError", "noinput=\"\"", true, "", "[INFO] Found noinput attribute: ''"},
};

class InputsReaderTest : public ::testing::TestWithParam<InputCase> {};

} // namespace

TEST_P(InputsReaderTest, SettlesModeAndOptional)
{
    const InputCase& c = GetParam();
    const deftest::ReadResult result = deftest::readEmbedded(
        deftest::effectDocument(std::string("<inputs><source name=\"In\" ") + c.attributes + "/></inputs>"));
    ASSERT_TRUE(result.ok) << result.lastError();
    ASSERT_EQ(result.definition->getInputs().size(), 1u);
    const XMLEffectDefinition::InputDef& input = result.definition->getInputs()[0];
    EXPECT_EQ(input.optional, c.optional);
    EXPECT_EQ(input.noInputMode, c.noInputMode);
    EXPECT_TRUE(result.logged(c.logLine));
    EXPECT_TRUE(result.logged("[INFO] Parsing noinput for input: In"));
    EXPECT_TRUE(result.logged(std::string("[INFO] Input parsed - name: In, noInputMode: ") + c.noInputMode));
}

INSTANTIATE_TEST_SUITE_P(Attributes, InputsReaderTest, ::testing::ValuesIn(kInputCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(InputsReaderDefaultsTest, LabelAndBorderMode)
{
    const deftest::ReadResult result = deftest::readEmbedded(
        deftest::effectDocument("<inputs><source name=\"A\"/><source name=\"B\" label=\"Bee\" border_mode=\"weird\"/>"
                                "<source name=\"C\" label=\"\" border_mode=\"mirror\"/><other name=\"D\"/></inputs>"));
    ASSERT_TRUE(result.ok) << result.lastError();
    const auto& inputs = result.definition->getInputs();
    ASSERT_EQ(inputs.size(), 3u);
    EXPECT_EQ(inputs[0].label, "A");
    EXPECT_EQ(inputs[0].borderMode, "clamp");
    EXPECT_EQ(inputs[1].label, "Bee");
    EXPECT_EQ(inputs[1].borderMode, "weird");
    EXPECT_EQ(inputs[2].label, "C");
    EXPECT_EQ(inputs[2].borderMode, "mirror");
}
