// Reading a definition from a file, with the older pipeline forms and thrown failures.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

using deftest::LogCapture;
using deftest::TempFile;

namespace {

const char* const kHead = R"(<effect name="FileFx" category="Cat" debug_level="debug">)";

std::unique_ptr<XMLEffectDefinition> readFile(const std::string& body)
{
    const TempFile file("definition.xml", kHead + body + "</effect>");
    return std::make_unique<XMLEffectDefinition>(file.path());
}

} // namespace

TEST(FileReaderTest, ReadsAllSectionsAndLogs)
{
    LogCapture capture;
    const TempFile file("definition.xml",
                        std::string(kHead) + R"(<inputs><source name="Src" optional="1"/></inputs>)"
                            R"(<resources><texture name="t" file="t.exr"/></resources>)"
                            R"(<parameters><parameter name="p" type="float"/></parameters>)"
                            R"(<ui><group name="G"><parameter>p</parameter></group></ui>)"
                            R"(<identity_conditions><condition><parameter name="p" operator="equal"/>)"
                            R"(</condition></identity_conditions>)"
                            R"(<overlays><point param="p"/></overlays></effect>)");
    const XMLEffectDefinition def(file.path());
    EXPECT_EQ(def.getName(), "FileFx");
    EXPECT_EQ(def.getDebugLevel(), "debug");
    ASSERT_EQ(def.getInputs().size(), 1u);
    EXPECT_EQ(def.getInputs()[0].noInputMode, "white");
    EXPECT_EQ(def.getBundledResources().size(), 1u);
    EXPECT_EQ(def.getParameters().size(), 1u);
    EXPECT_EQ(def.getUIGroups().size(), 1u);
    EXPECT_EQ(def.getIdentityConditions().size(), 1u);
    EXPECT_EQ(def.getOverlays().size(), 1u);
    // No pipeline form is required in a file.
    EXPECT_FALSE(def.hasPipeline());
    EXPECT_FALSE(def.hasMultiPipeline());
    EXPECT_TRUE(def.getKernels().empty());
    EXPECT_EQ(def.getEffectExecutions(), "");

    EXPECT_TRUE(capture.logged("[INFO] XMLEffectDefinition constructor called with file: " + file.path()));
    EXPECT_TRUE(capture.logged("[INFO] XMLEffectDefinition parseXML completed successfully"));
    EXPECT_TRUE(capture.logged("[INFO] Debug level from XML: debug"));
}

TEST(FileReaderTest, ProcessFormUnderPipelines)
{
    LogCapture capture;
    const auto def = readFile(R"(<pipelines executions="2"><process name="a"><cuda file="a.cu" executions="3"/>)"
                              R"(</process><process name="b"/></pipelines>)"
                              R"(<kernels><cuda file="ignored.cu"/></kernels>)");
    ASSERT_EQ(def->getPipelines().size(), 2u);
    EXPECT_EQ(def->getPipelines()[0].kernels.at(0).executions, 3);
    EXPECT_EQ(def->getEffectExecutions(), "2");
    EXPECT_TRUE(def->hasMultiPipeline());
    // With both forms present only the processes are read.
    EXPECT_TRUE(def->getKernels().empty());
    EXPECT_TRUE(capture.logged("[INFO] Parsed 2 pipelines (new multipipeline architecture)"));
}

TEST(FileReaderTest, StepForm)
{
    const auto def = readFile(R"(<pipeline><step name="one" executions="4"><kernels><cuda file="a.cu"/>)"
                              R"(<metal file="a.metal"/></kernels></step><step name="two"/></pipeline>)");
    EXPECT_TRUE(def->hasPipeline());
    EXPECT_FALSE(def->hasMultiPipeline());
    const auto& steps = def->getPipelineSteps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].name, "one");
    EXPECT_EQ(steps[0].executions, 4);
    ASSERT_EQ(steps[0].kernels.size(), 2u);
    EXPECT_EQ(steps[0].kernels[0].platform, "cuda");
    EXPECT_EQ(steps[0].kernels[0].file, "a.cu");
    EXPECT_EQ(steps[0].kernels[1].platform, "metal");
    EXPECT_EQ(steps[1].executions, 1);
    EXPECT_TRUE(steps[1].kernels.empty());
    // Steps never feed the flat kernel list.
    EXPECT_EQ(def->getTotalPasses("cuda"), 0);
}

TEST(FileReaderTest, FlatKernelListCountsPassesPerPlatform)
{
    LogCapture capture;
    const auto def = readFile(R"(<kernels><cuda file="jfa.cu" executions="13"/><metal file="jfa.metal" executions="13"/>)"
                              R"(<cuda file="blur.cu" executions="2"/><vulkan file="x.spv"/></kernels>)");
    ASSERT_EQ(def->getKernels().size(), 4u);
    EXPECT_EQ(def->getKernels()[3].platform, "vulkan");
    EXPECT_EQ(def->getKernels()[3].executions, 1);

    struct Case {
        const char* platform;
        int passes;
        int kernels;
    };
    for (const Case& c : {Case {"cuda", 15, 2}, Case {"metal", 13, 1}, Case {"vulkan", 1, 1}, Case {"CUDA", 0, 0},
                          Case {"opencl", 0, 0}, Case {"", 0, 0}}) {
        SCOPED_TRACE(c.platform);
        EXPECT_EQ(def->getTotalPasses(c.platform), c.passes);
        EXPECT_EQ(def->getTotalKernels(c.platform), c.kernels);
        EXPECT_EQ(def->getKernelsForPlatform(c.platform).size(), static_cast<size_t>(c.kernels));
    }
    const auto cuda = def->getKernelsForPlatform("cuda");
    EXPECT_EQ(cuda[0].file, "jfa.cu");
    EXPECT_EQ(cuda[1].file, "blur.cu");
    EXPECT_TRUE(capture.logged("[DEBUG] Effect 'FileFx' on cuda: 15 total passes across 2 kernels"));
}

TEST(FileReaderTest, PassCountSaturatesInsteadOfOverflowing)
{
    const auto def = readFile(R"(<kernels><cuda file="a.cu" executions="2147483647"/>)"
                              R"(<cuda file="b.cu" executions="2147483647"/></kernels>)");
    EXPECT_EQ(def->getTotalPasses("cuda"), 2147483647);
}

namespace {

struct FileFailureCase {
    const char* label;
    std::string content; // null-free document text; an empty label prefix means "no file"
    std::string error;
};

void PrintTo(const FileFailureCase& c, std::ostream* out)
{
    *out << c.label;
}

const FileFailureCase kFileFailures[] = {
    {"NotXml", "not xml at all", "Failed to load XML file: No document element found"},
    {"Unclosed", "<effect>", "Failed to load XML file: Start-end tags mismatch"},
    {"NoEffect", "<definition/>", "XML file does not contain an effect element"},
    {"NoName", "<effect category=\"C\"/>", "Effect must have a name attribute"},
    {"StepWithoutName", std::string(kHead) + "<pipeline><step/></pipeline></effect>",
     "Pipeline step must have a name attribute"},
    {"StepKernelWithoutFile",
     std::string(kHead) + "<pipeline><step name=\"s\"><kernels><cuda/></kernels></step></pipeline></effect>",
     "Kernel must have a file attribute"},
    {"FlatKernelWithoutFile", std::string(kHead) + "<kernels><cuda file=\"a.cu\"/><metal/></kernels></effect>",
     "Kernel must have a file attribute"},
    {"ConditionOnUnknownParameter",
     std::string(kHead) + "<identity_conditions><condition><parameter name=\"x\" operator=\"equal\"/></condition>"
                          "</identity_conditions></effect>",
     "Referenced parameter does not exist: x"},
    {"ComponentListNotANumber",
     std::string(kHead) + "<parameters><parameter name=\"v\" type=\"vec2\" default=\"a,b\"/></parameters></effect>",
     "stod"},
};

class FileReaderFailureTest : public ::testing::TestWithParam<FileFailureCase> {};

} // namespace

TEST_P(FileReaderFailureTest, ThrowsRuntimeErrorAndLogsIt)
{
    const FileFailureCase& c = GetParam();
    LogCapture capture;
    const TempFile file("bad.xml", c.content);
    try {
        XMLEffectDefinition def(file.path());
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), c.error);
    }
    EXPECT_TRUE(capture.logged("[ERROR] XMLEffectDefinition constructor failed: " + c.error));
}

INSTANTIATE_TEST_SUITE_P(Documents, FileReaderFailureTest, ::testing::ValuesIn(kFileFailures),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(FileReaderTest, MissingFileThrows)
{
    LogCapture capture;
    const std::string path = "/tmp/eb_no_such_definition_file.xml";
    EXPECT_THROW(XMLEffectDefinition def(path), std::runtime_error);
    try {
        XMLEffectDefinition def(path);
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to load XML file: File was not found");
    }
}

TEST(FileReaderTest, EncodingIsDetected)
{
    // UTF-16 little endian with a byte-order mark.
    const std::string text = std::string(kHead) + "<pipelines/></effect>";
    std::string utf16 = "\xff\xfe";
    for (char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    const TempFile file("utf16.xml", utf16);
    const XMLEffectDefinition def(file.path());
    EXPECT_EQ(def.getName(), "FileFx");
}
