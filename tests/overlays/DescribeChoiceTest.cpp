// The overlay step of the description: which interact a definition declares, on hosts with and
// without overlay support, with its log lines and the registry entry.
#include "overlays/GenericOverlayInteract.h"
#include "overlays/OverlayDefinitionRegistry.h"
#include "overlays/OverlayInteractChoice.h"
#include "overlays/PointOverlayInteract.h"

#include "support/InProcessHost.h"
#include "support/OverlayLog.h"

#include "openfx/support/ImageEffectDescriptor.h"

#include <gtest/gtest.h>

#include "ofxImageEffect.h"

namespace {

using namespace overlaytest;

enum class Declared { None, Legacy, Xml };

struct ChoiceCase {
    const char* name;
    const char* parameters; // <parameter> elements
    const char* overlays;   // <overlays> element or empty
    bool hostSupportsOverlays;
    Declared declared;
    const char* flags; // hasXmlOverlays, hasCenterParam, supportsOverlays
};

std::string document(const ChoiceCase& c, const std::string& effectName)
{
    return "<effect name=\"" + effectName + "\" category=\"Tests\"><parameters>" + c.parameters +
           "</parameters><pipeline><process name=\"p\"><cuda file=\"p.cu\"/></process></pipeline>" + c.overlays +
           "</effect>";
}

class OverlayChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(OverlayChoice, DeclaresTheExpectedInteract)
{
    const ChoiceCase& c = GetParam();
    const std::string effectName = std::string("Choice ") + c.name;
    OverlayLog log;
    InProcessHost host(HostFeatures{c.hostSupportsOverlays, true, true});
    XMLEffectDefinition definition;
    ASSERT_TRUE(definition.parseFromEmbeddedXML(document(c, effectName).c_str()));

    OFX::ImageEffectDescriptor desc(host.descriptor().handle());
    declareOverlayInteract(desc, definition);

    void* entry = host.descriptor().props().getPointer(kOfxImageEffectPluginPropOverlayInteractV1);
    const auto xmlEntry = &OFX::InteractMainEntry<OFX::GenericOverlayDescriptor>::overlayInteractMainEntry;
    const auto legacyEntry = &OFX::InteractMainEntry<OFX::PointOverlayDescriptor>::overlayInteractMainEntry;
    switch (c.declared) {
    case Declared::None:
        EXPECT_EQ(entry, nullptr);
        break;
    case Declared::Legacy:
        EXPECT_EQ(entry, reinterpret_cast<void*>(legacyEntry));
        EXPECT_TRUE(log.contains("Legacy overlay interact registered for effect '" + effectName + "'"));
        break;
    case Declared::Xml:
        EXPECT_EQ(entry, reinterpret_cast<void*>(xmlEntry));
        EXPECT_TRUE(log.contains("XML overlay interact registered for effect '" + effectName + "' with 1 overlays"));
        EXPECT_TRUE(log.contains("Registered 1 overlays for effect '" + effectName + "' (coordSystem=0)"));
        EXPECT_EQ(OFX::OverlayDefinitionRegistry::getInstance().getActiveEffect(), effectName);
        break;
    }
    if (c.declared != Declared::Legacy) {
        EXPECT_FALSE(log.contains("Legacy overlay interact registered"));
    }
    if (c.declared != Declared::Xml) {
        EXPECT_FALSE(log.contains("XML overlay interact registered"));
        EXPECT_FALSE(OFX::OverlayDefinitionRegistry::getInstance().getOverlays(effectName).has_value());
    }
    EXPECT_TRUE(log.contains("GenericEffectFactory::describe for '" + effectName + "': " + c.flags));
}

const char kCenterVec2[] = R"(<parameter name="center" type="vec2" default="0.5,0.5"/>)";
const char kCenterDouble[] = R"(<parameter name="center" type="double" default="0.5"/>)";
const char kLevel[] = R"(<parameter name="level" type="double" default="0.5"/>)";
const char kOverlays[] = R"(<overlays><vslider param="level"/></overlays>)";

INSTANTIATE_TEST_SUITE_P(
    Table, OverlayChoice,
    ::testing::Values(
        ChoiceCase{"plain", kLevel, "", true, Declared::None, "hasXmlOverlays=0, hasCenterParam=0, supportsOverlays=1"},
        ChoiceCase{"center_vec2", kCenterVec2, "", true, Declared::Legacy,
                   "hasXmlOverlays=0, hasCenterParam=1, supportsOverlays=1"},
        ChoiceCase{"center_vec2_no_host_support", kCenterVec2, "", false, Declared::None,
                   "hasXmlOverlays=0, hasCenterParam=1, supportsOverlays=0"},
        ChoiceCase{"center_double", kCenterDouble, "", true, Declared::None,
                   "hasXmlOverlays=0, hasCenterParam=0, supportsOverlays=1"},
        ChoiceCase{"overlays", kLevel, kOverlays, true, Declared::Xml,
                   "hasXmlOverlays=1, hasCenterParam=0, supportsOverlays=1"},
        ChoiceCase{"overlays_no_host_support", kLevel, kOverlays, false, Declared::None,
                   "hasXmlOverlays=1, hasCenterParam=0, supportsOverlays=0"}),
    [](const auto& info) { return std::string(info.param.name); });

// Overlays and a "center" vec2 together: the centre is not even looked for.
const char kCenterAndLevel[] =
    R"(<parameter name="center" type="vec2" default="0.5,0.5"/><parameter name="level" type="double" default="0.5"/>)";

INSTANTIATE_TEST_SUITE_P(Both, OverlayChoice,
                         ::testing::Values(ChoiceCase{"overlays_with_center", kCenterAndLevel, kOverlays, true,
                                                      Declared::Xml,
                                                      "hasXmlOverlays=1, hasCenterParam=0, supportsOverlays=1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OverlayChoice, CenterParameterLookup)
{
    XMLEffectDefinition definition;
    ASSERT_TRUE(definition.parseFromEmbeddedXML(
        R"(<effect name="Lookup" category="Tests"><parameters><parameter name="centre" type="vec2" default="0.5,0.5"/><parameter name="center_point" type="vec2" default="0.5,0.5"/></parameters><pipeline><process name="p"><cuda file="p.cu"/></process></pipeline></effect>)"));
    EXPECT_FALSE(hasCenterParameter(definition)) << "only the exact name counts";
}

} // namespace
