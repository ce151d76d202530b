// Static helpers and accessors of a definition that need no document.
#include "definition/XMLEffectDefinition.h"
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

TEST(NoInputModeTest, MapsModesCaseSensitively)
{
    struct Case {
        const char* mode;
        int expected;
    };
    const Case cases[] = {{"error", 0}, {"black", 1}, {"white", 2}, {"transparent", 3}, {"Black", 2},
                          {"ERROR", 2}, {"", 2},     {"none", 2},  {" black", 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(XMLEffectDefinition::noInputModeToInt(c.mode), c.expected) << '"' << c.mode << '"';
    }
}

TEST(DefinitionDefaultsTest, EmptyDefinition)
{
    deftest::LogCapture capture;
    const XMLEffectDefinition def;
    EXPECT_TRUE(capture.logged("[INFO] XMLEffectDefinition default constructor (for embedded XML)"));
    EXPECT_EQ(def.getName(), "");
    EXPECT_EQ(def.getDebugLevel(), "");
    EXPECT_EQ(def.getEffectExecutions(), "");
    EXPECT_EQ(def.getOverlayCoordSystem(), XMLEffectDefinition::UV);
    EXPECT_FALSE(def.hasMultiPipeline());
    EXPECT_FALSE(def.hasOverlays());
    EXPECT_FALSE(def.hasPipeline());
    EXPECT_EQ(def.getTotalPasses("cuda"), 0);
    EXPECT_THROW(def.getParameter("x"), std::out_of_range);
}

TEST(DefinitionDefaultsTest, RecordsBuiltOutsideTheReader)
{
    const XMLEffectDefinition::ParameterDef parameter;
    EXPECT_EQ(parameter.defaultValue, 0.0);
    EXPECT_EQ(parameter.maxValue, 0.0);
    EXPECT_EQ(parameter.increment, 0.0);
    EXPECT_TRUE(parameter.mustExist);
    EXPECT_FALSE(parameter.defaultBool);

    const XMLEffectDefinition::InputDef input;
    EXPECT_EQ(input.borderMode, "clamp");
    EXPECT_EQ(input.noInputMode, "error");
    EXPECT_FALSE(input.optional);

    const XMLEffectDefinition::ResourceDef resource;
    EXPECT_EQ(resource.channels, 4);
    EXPECT_EQ(resource.sampler, "linear");
    EXPECT_EQ(resource.wrap, "mirror");

    const XMLEffectDefinition::ParameterComponentDef component;
    EXPECT_EQ(component.maxValue, 1.0);
    EXPECT_EQ(component.increment, 0.01);

    const XMLEffectDefinition::OverlayDef overlay;
    EXPECT_EQ(overlay.type, XMLEffectDefinition::Point);
    EXPECT_FLOAT_EQ(overlay.fixedX, 0.5f);
    EXPECT_FLOAT_EQ(overlay.fixedMagnitude, 0.1f);
    EXPECT_FALSE(overlay.color.isSet);
    EXPECT_FLOAT_EQ(overlay.color.r, 1.0f);

    const XMLEffectDefinition::KernelDef kernel;
    EXPECT_EQ(kernel.executions, 1);
    EXPECT_TRUE(XMLEffectDefinition::UIGroupDef().open);
}
