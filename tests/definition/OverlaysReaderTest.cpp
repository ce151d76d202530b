// On-screen overlays: coordinate systems, overlay records, nesting and the colour syntax.
#include "tests/definition/DefinitionTestSupport.h"

#include <gtest/gtest.h>

#include <ostream>

using Def = XMLEffectDefinition;

namespace {

deftest::ReadResult readOverlays(const std::string& overlays)
{
    return deftest::readEmbedded(deftest::effectDocument(overlays));
}

struct CoordinateCase {
    const char* attribute;
    Def::OverlayCoordSystem expected;
    const char* logLine;
};

void PrintTo(const CoordinateCase& c, std::ostream* out)
{
    *out << '"' << c.attribute << '"';
}

class OverlayCoordinatesTest : public ::testing::TestWithParam<CoordinateCase> {};

} // namespace

TEST_P(OverlayCoordinatesTest, SelectsTheSystemByExactText)
{
    const CoordinateCase& c = GetParam();
    const deftest::ReadResult result = readOverlays(std::string("<overlays ") + c.attribute + "/>");
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_EQ(result.definition->getOverlayCoordSystem(), c.expected);
    EXPECT_TRUE(result.logged(c.logLine));
    EXPECT_TRUE(result.logged("[INFO] Parsing <overlays> section"));
    EXPECT_TRUE(result.logged("[INFO] Parsed 0 overlays"));
    EXPECT_FALSE(result.definition->hasOverlays());
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, OverlayCoordinatesTest,
    ::testing::Values(
        CoordinateCase {"", Def::UV, "[INFO] Overlay coordinate system: uv (0-1 range)"},
        CoordinateCase {"coordinates=\"uv\"", Def::UV, "[INFO] Overlay coordinate system: uv (0-1 range)"},
        CoordinateCase {"coordinates=\"centered\"", Def::Centered,
                        "[INFO] Overlay coordinate system: centered (-0.5 to 0.5)"},
        CoordinateCase {"coordinates=\"centered_aspect\"", Def::CenteredAspect,
                        "[INFO] Overlay coordinate system: centered_aspect (aspect-corrected)"},
        CoordinateCase {"coordinates=\"CENTERED\"", Def::UV, "[INFO] Overlay coordinate system: uv (0-1 range)"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(OverlaysReaderTest, EveryKindAndItsAttributes)
{
    const deftest::ReadResult result = readOverlays(
        R"(<overlays><point param="pos" style="circle" visible_when="mode==1" label="Centre" color="red")"
        R"( center="c" fixed_x="0.25" direction="dir" magnitude="len" fixed_magnitude="0.3"/>)"
        R"(<radius param="r"/><scale2d param="s"/><vslider param="v"/><vector param="d"/>)"
        R"(<ellipse param="e"/><qualifier param="q"/></overlays>)");
    ASSERT_TRUE(result.ok) << result.lastError();
    const auto& overlays = result.definition->getOverlays();
    ASSERT_EQ(overlays.size(), 7u);

    const Def::OverlayDef& point = overlays[0];
    EXPECT_EQ(point.type, Def::Point);
    EXPECT_EQ(point.param, "pos");
    EXPECT_EQ(point.style, "circle");
    EXPECT_EQ(point.visibleWhen, "mode==1");
    EXPECT_EQ(point.label, "Centre");
    EXPECT_TRUE(point.color.isSet);
    EXPECT_FLOAT_EQ(point.color.r, 1.0f);
    EXPECT_FLOAT_EQ(point.color.g, 0.0f);
    EXPECT_EQ(point.center, "c");
    EXPECT_FLOAT_EQ(point.fixedX, 0.25f);
    EXPECT_EQ(point.direction, "dir");
    EXPECT_EQ(point.magnitude, "len");
    EXPECT_FLOAT_EQ(point.fixedMagnitude, 0.3f);

    const Def::OverlayType kinds[] = {Def::Point, Def::Radius, Def::Scale2D, Def::VSlider,
                                      Def::Vector, Def::Ellipse, Def::Qualifier};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(overlays[i].type, kinds[i]) << i;
    }
    // Defaults of a record read without attributes.
    const Def::OverlayDef& radius = overlays[1];
    EXPECT_EQ(radius.style, "crosshair");
    EXPECT_FALSE(radius.color.isSet);
    EXPECT_FLOAT_EQ(radius.fixedX, 0.5f);
    EXPECT_FLOAT_EQ(radius.fixedMagnitude, 0.1f);
    EXPECT_TRUE(radius.children.empty());

    EXPECT_TRUE(result.definition->hasOverlays());
    EXPECT_TRUE(result.logged("[INFO] Parsed overlay: type=point, param=pos, style=circle"));
    EXPECT_TRUE(result.logged("[INFO] Parsed 7 overlays"));
}

TEST(OverlaysReaderTest, OverlaysWithoutParamAndUnknownKindsAreDropped)
{
    const deftest::ReadResult result = readOverlays(
        R"(<overlays><point/><circle param="x"/><point param="kept">)"
        R"(<vector/><radius param="r"><scale2d param="s"/></radius><point param="ignored"/></point></overlays>)");
    ASSERT_TRUE(result.ok) << result.lastError();
    const auto& overlays = result.definition->getOverlays();
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(overlays[0].param, "kept");
    EXPECT_TRUE(result.logged("[INFO] Unknown overlay type 'circle', skipping"));
    EXPECT_TRUE(result.logged("[INFO] Parsed 1 overlays"));

    // Nested vector, radius and scale2d children stay, with or without a param.
    const auto& children = overlays[0].children;
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(children[0].type, Def::Vector);
    EXPECT_EQ(children[0].param, "");
    EXPECT_EQ(children[0].style, "crosshair");
    EXPECT_EQ(children[1].type, Def::Radius);
    ASSERT_EQ(children[1].children.size(), 1u);
    EXPECT_EQ(children[1].children[0].type, Def::Scale2D);
    EXPECT_EQ(children[1].children[0].param, "s");
}

namespace {

std::string nestedVectors(int depth)
{
    std::string open, close;
    for (int i = 0; i < depth; ++i) {
        open += "<vector param=\"v\">";
        close += "</vector>";
    }
    return "<overlays><point param=\"p\">" + open + close + "</point></overlays>";
}

} // namespace

TEST(OverlaysReaderTest, ReasonableNestingIsRead)
{
    const deftest::ReadResult result = readOverlays(nestedVectors(15));
    ASSERT_TRUE(result.ok) << result.lastError();
    int depth = 0;
    for (const Def::OverlayDef* overlay = &result.definition->getOverlays().at(0); !overlay->children.empty();
         overlay = &overlay->children[0]) {
        ++depth;
    }
    EXPECT_EQ(depth, 15);
}

TEST(OverlaysReaderTest, ExcessiveNestingFailsInsteadOfExhaustingTheStack)
{
    const deftest::ReadResult result = readOverlays(nestedVectors(100000));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.lastError(), "Failed to parse embedded XML: Overlays are nested too deeply");
}

namespace {

struct ColorCase {
    const char* text;
    float r, g, b;
    bool isSet;
};

void PrintTo(const ColorCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

const ColorCase kColorCases[] = {
    {"", 1, 1, 1, false},
    {"#ff8000", 1, 128 / 255.0f, 0, true},
    {"#f80", 1, 136 / 255.0f, 0, true},
    {"#000", 0, 0, 0, true},
    {"#FFFFFF", 1, 1, 1, true},
    {"#12345", 1, 1, 1, true},
    {"#", 1, 1, 1, true},
    {"#zz0000", 1, 1, 1, true},
    {"#00zz00", 0, 1, 1, true},
    {"#0z0", 0, 1, 1, true},
    {"Orange", 1, 0.5f, 0, true},
    {"red", 1, 0, 0, true},
    {"GREEN", 0, 1, 0, true},
    {"blue", 0, 0, 1, true},
    {"cyan", 0, 1, 1, true},
    {"magenta", 1, 0, 1, true},
    {"yellow", 1, 1, 0, true},
    {"white", 1, 1, 1, true},
    {"black", 0, 0, 0, true},
    {"gray", 0.5f, 0.5f, 0.5f, true},
    {"Grey", 0.5f, 0.5f, 0.5f, true},
    {"purple", 0.5f, 0, 0.5f, true},
    {"pink", 1, 0.5f, 0.5f, true},
    {"teal", 1, 1, 1, true},
    {"0.2,0.4", 0.2f, 0.4f, 1, true},
    {"0.1,0.2,0.3", 0.1f, 0.2f, 0.3f, true},
    {"2,-1,0.5", 2, -1, 0.5f, true},
    {"x,0.5,0.5", 1, 1, 1, true},
};

class OverlayColorTest : public ::testing::TestWithParam<ColorCase> {};

} // namespace

TEST_P(OverlayColorTest, ParsesTheColourSyntax)
{
    const ColorCase& c = GetParam();
    const Def::OverlayColorDef color = Def::parseOverlayColor(c.text);
    EXPECT_NEAR(color.r, c.r, 1e-6);
    EXPECT_NEAR(color.g, c.g, 1e-6);
    EXPECT_NEAR(color.b, c.b, 1e-6);
    EXPECT_EQ(color.isSet, c.isSet);
}

INSTANTIATE_TEST_SUITE_P(Texts, OverlayColorTest, ::testing::ValuesIn(kColorCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(OverlayColorLogTest, UnknownNameIsLogged)
{
    const deftest::ReadResult result = readOverlays(R"(<overlays><point param="p" color="teal"/></overlays>)");
    ASSERT_TRUE(result.ok) << result.lastError();
    EXPECT_TRUE(result.logged("[INFO] Unknown overlay color 'teal', using white"));
    EXPECT_TRUE(result.definition->getOverlays().at(0).color.isSet);
}
