// The fixture definition that uses every section reads into the expected model; other
// suites build a second bundle from it.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using Def = XMLEffectDefinition;

namespace {

std::string fixtureText()
{
    std::ifstream in(EB_OVERLAY_FIXTURE, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void expectFixtureModel(const XMLEffectDefinition& def)
{
    EXPECT_EQ(def.getName(), "Fixture Overlays");
    EXPECT_TRUE(def.supportsTimeline());
    ASSERT_EQ(def.getInputs().size(), 3u);
    EXPECT_FALSE(def.getInputs()[0].optional);
    EXPECT_EQ(def.getInputs()[1].label, "Mask Image");
    EXPECT_EQ(def.getInputs()[1].noInputMode, "white");
    EXPECT_TRUE(def.getInputs()[2].optional);
    ASSERT_EQ(def.getBundledResources().size(), 1u);
    EXPECT_EQ(def.getBundledResources()[0].channels, 1);
    EXPECT_EQ(def.getParameter("center").components.size(), 2u);
    EXPECT_EQ(def.getParameter("tint").components.size(), 3u);
    EXPECT_EQ(def.getParameter("shape").options.at(1).label, "square");
    ASSERT_EQ(def.getUIGroups().size(), 2u);
    EXPECT_EQ(def.getUIGroups()[0].columns.size(), 2u);
    EXPECT_EQ(def.getIdentityConditions().size(), 2u);
    EXPECT_EQ(def.getOverlayCoordSystem(), Def::Centered);
    ASSERT_EQ(def.getOverlays().size(), 2u);
    EXPECT_EQ(def.getOverlays()[0].children.size(), 2u);
    EXPECT_EQ(def.getOverlays()[1].type, Def::VSlider);
}

} // namespace

TEST(FixtureDefinitionTest, ReadsAsEmbeddedDocument)
{
    const deftest::ReadResult result = deftest::readEmbedded(fixtureText());
    ASSERT_TRUE(result.ok) << result.lastError();
    expectFixtureModel(*result.definition);
    EXPECT_EQ(result.definition->getEffectExecutions(), "param:iterations");
    EXPECT_EQ(result.definition->getPipelines().size(), 2u);
}

TEST(FixtureDefinitionTest, FileReaderSkipsTheProcessFormUnderPipeline)
{
    // In a file, <pipeline> is the step form; these processes are not steps.
    const XMLEffectDefinition def(EB_OVERLAY_FIXTURE);
    expectFixtureModel(def);
    EXPECT_TRUE(def.hasPipeline());
    EXPECT_TRUE(def.getPipelineSteps().empty());
    EXPECT_FALSE(def.hasMultiPipeline());
}
