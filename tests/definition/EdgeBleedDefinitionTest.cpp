// The definition compiled into the plug-in reads into the model the Edge Bleed effect needs.
#include "definition/EmbeddedDefinition.h"
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>

using deftest::readEmbedded;
using Def = XMLEffectDefinition;

namespace {

class EdgeBleedDefinitionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { result = new deftest::ReadResult(readEmbedded(kEmbeddedEffectDefinition)); }
    static void TearDownTestSuite()
    {
        delete result;
        result = nullptr;
    }
    const XMLEffectDefinition& def() const { return *result->definition; }

    static deftest::ReadResult* result;
};

deftest::ReadResult* EdgeBleedDefinitionTest::result = nullptr;

} // namespace

TEST_F(EdgeBleedDefinitionTest, ReadsSuccessfully)
{
    ASSERT_TRUE(result->ok) << result->lastError();
    EXPECT_TRUE(result->logged("[INFO] Embedded XML parsed successfully: effect 'Edge Bleed'"));
    EXPECT_TRUE(result->logged("[INFO] Debug level from embedded XML: info"));
    EXPECT_TRUE(result->logged("[INFO] Parsed 3 processes from <pipeline> section"));
}

TEST_F(EdgeBleedDefinitionTest, Metadata)
{
    EXPECT_EQ(def().getName(), "Edge Bleed");
    EXPECT_EQ(def().getCategory(), "Brightmoor");
    EXPECT_EQ(def().getVersion(), "1.0");
    EXPECT_EQ(def().getDebugLevel(), "info");
    EXPECT_EQ(def().getDescription(),
              "Extends image beyond its alpha boundary using JFA distance field. Stretch mode repeats boundary "
              "colors, Mirror mode reflects across the boundary.");
    EXPECT_EQ(def().getAuthor(), "");
    EXPECT_EQ(def().getCopyright(), "");
    EXPECT_FALSE(def().supportsTimeline());
    EXPECT_FALSE(def().supportsMatte());
}

TEST_F(EdgeBleedDefinitionTest, TwoRequiredInputs)
{
    const auto& inputs = def().getInputs();
    ASSERT_EQ(inputs.size(), 2u);
    const char* names[] = {"Source", "Matte"};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(inputs[i].name, names[i]);
        EXPECT_EQ(inputs[i].label, names[i]);
        EXPECT_FALSE(inputs[i].optional);
        EXPECT_EQ(inputs[i].borderMode, "clamp");
        EXPECT_EQ(inputs[i].noInputMode, "error");
    }
}

namespace {

struct ExpectedParameter {
    const char* name;
    const char* type;
    const char* label;
    const char* hint;
    double defaultValue, minValue, maxValue, displayMin, displayMax;
    bool defaultBool;
};

// In slot order: the order fixes each parameter's place in the kernels' parameter block.
const ExpectedParameter kParameters[] = {
    {"mode", "choice", "Mode", "How to extend beyond the boundary", 0, 0, 0, 0, 0, false},
    {"threshold", "float", "Alpha Threshold", "Alpha value threshold for boundary detection (pixels above = inside)",
     0.5, 0, 1, 0, 1, false},
    {"max_distance", "float", "Max Distance",
     "Maximum extension distance as fraction of frame diagonal. 0 = unlimited", 0, 0, 1, 0, 1, false},
    {"preserve_inside", "bool", "Preserve Inside", "Keep original pixels inside the boundary (only extend outside)",
     0, 0, 0, 0, 0, true},
    {"blur_radius", "float", "Edge Blur", "Blur the JFA distance field to smooth edge artifacts (in pixels)", 1.0, 0,
     30, 0, 10, false},
    {"output_mode", "choice", "Output", "What to output", 0, 0, 0, 0, 0, false},
};

class EdgeBleedParameterTest : public EdgeBleedDefinitionTest,
                               public ::testing::WithParamInterface<size_t> {};

} // namespace

TEST_F(EdgeBleedDefinitionTest, ParametersInSlotOrder)
{
    const auto& parameters = def().getParameters();
    ASSERT_EQ(parameters.size(), std::size(kParameters));
    for (size_t i = 0; i < parameters.size(); ++i) {
        EXPECT_EQ(parameters[i].name, kParameters[i].name) << "slot " << i;
    }
}

TEST_P(EdgeBleedParameterTest, ParameterFields)
{
    const ExpectedParameter& e = kParameters[GetParam()];
    const Def::ParameterDef& p = def().getParameter(e.name);
    EXPECT_EQ(p.type, e.type);
    EXPECT_EQ(p.label, e.label);
    EXPECT_EQ(p.hint, e.hint);
    EXPECT_EQ(p.resDependent, "none");
    EXPECT_DOUBLE_EQ(p.defaultValue, e.defaultValue);
    EXPECT_DOUBLE_EQ(p.minValue, e.minValue);
    EXPECT_DOUBLE_EQ(p.maxValue, e.maxValue);
    EXPECT_DOUBLE_EQ(p.displayMin, e.displayMin);
    EXPECT_DOUBLE_EQ(p.displayMax, e.displayMax);
    EXPECT_DOUBLE_EQ(p.increment, std::string(e.type) == "float" ? 0.1 : 0.0);
    EXPECT_EQ(p.defaultBool, e.defaultBool);
    EXPECT_TRUE(p.components.empty());
}

INSTANTIATE_TEST_SUITE_P(EachParameter, EdgeBleedParameterTest, ::testing::Range<size_t>(0, std::size(kParameters)),
                         [](const auto& info) { return std::string(kParameters[info.param].name); });

TEST_F(EdgeBleedDefinitionTest, ChoiceOptions)
{
    struct Case {
        const char* parameter;
        std::vector<std::pair<std::string, std::string>> options;
    };
    const Case cases[] = {
        {"mode", {{"0", "Stretch"}, {"1", "Mirror"}}},
        {"output_mode", {{"0", "Result"}, {"1", "Distance Field"}, {"2", "Seed UV"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameter);
        const auto& options = def().getParameter(c.parameter).options;
        ASSERT_EQ(options.size(), c.options.size());
        for (size_t i = 0; i < options.size(); ++i) {
            EXPECT_EQ(options[i].value, c.options[i].first);
            EXPECT_EQ(options[i].label, c.options[i].second);
        }
    }
}

TEST_F(EdgeBleedDefinitionTest, Groups)
{
    const auto& groups = def().getUIGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "Edge Bleeding");
    EXPECT_TRUE(groups[0].open);
    EXPECT_EQ(groups[1].name, "Debug");
    EXPECT_FALSE(groups[1].open);

    const std::vector<std::vector<std::string>> expected = {
        {"mode", "threshold", "max_distance", "preserve_inside", "blur_radius"}, {"output_mode"}};
    for (size_t g = 0; g < groups.size(); ++g) {
        EXPECT_TRUE(groups[g].columns.empty());
        ASSERT_EQ(groups[g].parameters.size(), expected[g].size());
        for (size_t i = 0; i < expected[g].size(); ++i) {
            EXPECT_EQ(groups[g].parameters[i].name, expected[g][i]);
        }
    }
}

TEST_F(EdgeBleedDefinitionTest, ThreeProcessesWithTheirKernels)
{
    struct ExpectedProcess {
        const char* name;
        const char* cudaFile;
        const char* metalFile;
        int executions;
    };
    const ExpectedProcess expected[] = {
        {"jfa", "jfa_core.cu", "jfa_core.metal", 13},
        {"blur", "jfa_blur.cu", "jfa_blur.metal", 2},
        {"extend", "edge_bleed.cu", "edge_bleed.metal", 1},
    };
    EXPECT_EQ(def().getEffectExecutions(), "1");
    EXPECT_TRUE(def().hasMultiPipeline());
    EXPECT_FALSE(def().hasPipeline());
    const auto& processes = def().getPipelines();
    ASSERT_EQ(processes.size(), std::size(expected));
    for (size_t i = 0; i < processes.size(); ++i) {
        const ExpectedProcess& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(processes[i].name, e.name);
        EXPECT_EQ(processes[i].executions, "");
        EXPECT_EQ(processes[i].initialization, "");
        ASSERT_EQ(processes[i].kernels.size(), 2u);
        EXPECT_EQ(processes[i].kernels[0].platform, "cuda");
        EXPECT_EQ(processes[i].kernels[0].file, e.cudaFile);
        EXPECT_EQ(processes[i].kernels[0].executions, e.executions);
        EXPECT_EQ(processes[i].kernels[1].platform, "metal");
        EXPECT_EQ(processes[i].kernels[1].file, e.metalFile);
        EXPECT_EQ(processes[i].kernels[1].executions, e.executions);
    }
}

TEST_F(EdgeBleedDefinitionTest, ProcessesAreNeverCountedAsFlatKernels)
{
    EXPECT_TRUE(def().getKernels().empty());
    EXPECT_EQ(def().getTotalPasses("cuda"), 0);
    EXPECT_EQ(def().getTotalKernels("cuda"), 0);
}

TEST_F(EdgeBleedDefinitionTest, NoResourcesConditionsOrOverlays)
{
    EXPECT_TRUE(def().getBundledResources().empty());
    EXPECT_TRUE(def().getIdentityConditions().empty());
    EXPECT_TRUE(def().getOverlays().empty());
    EXPECT_FALSE(def().hasOverlays());
    EXPECT_EQ(def().getOverlayCoordSystem(), Def::UV);
    EXPECT_TRUE(def().getPipelineSteps().empty());
}
