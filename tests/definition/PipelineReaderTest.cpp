// The process form of the pipeline in the embedded reader.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

namespace {

deftest::ReadResult readPipeline(const std::string& pipeline)
{
    return deftest::readEmbedded("<effect name=\"Fx\" category=\"Cat\"><parameters>"
                                 "<parameter name=\"iterations\" type=\"int\"/></parameters>"
                                 + pipeline + "</effect>");
}

} // namespace

TEST(PipelineReaderTest, ProcessesKernelsAndExecutions)
{
    const deftest::ReadResult result = readPipeline(
        R"(<pipeline executions="param:iterations">)"
        R"(<process name="first" executions="3" initialization="clear">)"
        R"(<cuda file="a.cu" executions="4"/><vulkan file="v.spv"/><metal file="a.metal"/><opencl file="a.cl"/>)"
        R"(</process><process executions="param:iterations"><cuda/></process><process executions="param:"/>)"
        R"(</pipeline>)");
    ASSERT_TRUE(result.ok) << result.lastError();
    const XMLEffectDefinition& def = *result.definition;
    EXPECT_EQ(def.getEffectExecutions(), "param:iterations");
    EXPECT_TRUE(def.hasMultiPipeline());
    const auto& processes = def.getPipelines();
    ASSERT_EQ(processes.size(), 3u);

    EXPECT_EQ(processes[0].name, "first");
    EXPECT_EQ(processes[0].executions, "3");
    EXPECT_EQ(processes[0].initialization, "clear");
    ASSERT_EQ(processes[0].kernels.size(), 3u);
    const char* platforms[] = {"cuda", "metal", "opencl"};
    const char* files[] = {"a.cu", "a.metal", "a.cl"};
    const int executions[] = {4, 1, 1};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(processes[0].kernels[i].platform, platforms[i]);
        EXPECT_EQ(processes[0].kernels[i].file, files[i]);
        EXPECT_EQ(processes[0].kernels[i].executions, executions[i]);
    }

    // A process without a name, and a kernel without a file, are accepted.
    EXPECT_EQ(processes[1].name, "unnamed_process");
    EXPECT_EQ(processes[1].executions, "param:iterations");
    ASSERT_EQ(processes[1].kernels.size(), 1u);
    EXPECT_EQ(processes[1].kernels[0].file, "");
    EXPECT_EQ(processes[2].executions, "param:");
    EXPECT_TRUE(processes[2].kernels.empty());

    EXPECT_TRUE(result.logged("[INFO] Parsing <pipeline> section (refactored structure)"));
    EXPECT_TRUE(result.logged("[INFO] Effect executions (from <pipeline>): param:iterations"));
    EXPECT_TRUE(result.logged("[DEBUG]     Kernel: a.cu (platform=cuda, executions=4)"));
    EXPECT_TRUE(result.logged("[INFO]   Process 'first': 3 kernels, executions=3, init=clear"));
    EXPECT_TRUE(result.logged("[INFO]   Process 'unnamed_process': 1 kernels, executions=param:iterations, init=none"));
    EXPECT_TRUE(result.logged("[INFO] Parsed 3 processes from <pipeline> section"));
    // Processes never feed the flat kernel list.
    EXPECT_EQ(def.getTotalPasses("cuda"), 0);
}

TEST(PipelineReaderTest, DefaultsOfPipelineAndProcess)
{
    const deftest::ReadResult result = readPipeline("<pipeline><process><cuda file=\"k.cu\"/></process></pipeline>");
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_EQ(result.definition->getEffectExecutions(), "1");
    EXPECT_FALSE(result.logged("[INFO] Effect executions (from <pipeline>): 1"));
    const auto& process = result.definition->getPipelines().at(0);
    EXPECT_EQ(process.executions, "");
    EXPECT_EQ(process.initialization, "");
    EXPECT_TRUE(result.logged("[INFO]   Process 'unnamed_process': 1 kernels, executions=1, init=none"));
}

TEST(PipelineReaderTest, PipelineWithoutProcessesReadsEmpty)
{
    const deftest::ReadResult result = readPipeline("<pipeline executions=\"2\"><step name=\"s\"/></pipeline>");
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_FALSE(result.definition->hasMultiPipeline());
    EXPECT_FALSE(result.definition->hasPipeline());
    EXPECT_TRUE(result.definition->getPipelineSteps().empty());
    EXPECT_EQ(result.definition->getEffectExecutions(), "2");
}

TEST(PipelineReaderTest, OnlyTheFirstPipelineCounts)
{
    const deftest::ReadResult result = readPipeline(
        "<pipeline><process name=\"a\"/></pipeline><pipeline><process name=\"b\"/><process name=\"c\"/></pipeline>");
    ASSERT_TRUE(result.ok) << result.lastError();
    ASSERT_EQ(result.definition->getPipelines().size(), 1u);
    EXPECT_EQ(result.definition->getPipelines()[0].name, "a");
}
