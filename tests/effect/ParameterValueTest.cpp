#include "effect/ParameterValue.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

// What every accessor of one value should report.
struct ConversionCase {
    const char* label;
    ParameterValue value;
    const char* type;
    double asDouble;
    int asInt;
    bool asBool;
    const char* asString;
};

void PrintTo(const ConversionCase& c, std::ostream* out)
{
    *out << c.label;
}

class ParameterValueConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ParameterValueConversionTest, AccessorsFollowTheKind)
{
    const ConversionCase& c = GetParam();
    EXPECT_EQ(c.value.getType(), c.type);
    EXPECT_DOUBLE_EQ(c.value.asDouble(), c.asDouble);
    EXPECT_FLOAT_EQ(c.value.asFloat(), static_cast<float>(c.asDouble));
    EXPECT_EQ(c.value.asInt(), c.asInt);
    EXPECT_EQ(c.value.asBool(), c.asBool);
    EXPECT_EQ(c.value.asString(), c.asString);
}

const ConversionCase kConversionCases[] = {
    {"Default", ParameterValue(), "double", 0.0, 0, false, "0.000000"},
    {"DoubleHalf", ParameterValue(0.5), "double", 0.5, 0, true, "0.500000"},
    {"DoubleTwo", ParameterValue(2.0), "double", 2.0, 2, true, "2.000000"},
    {"DoubleTruncates", ParameterValue(2.9), "double", 2.9, 2, true, "2.900000"},
    {"NegativeDoubleTruncatesTowardZero", ParameterValue(-2.9), "double", -2.9, -2, true, "-2.900000"},
    {"NegativeZeroIsFalse", ParameterValue(-0.0), "double", -0.0, 0, false, "-0.000000"},
    {"DoubleRoundsInText", ParameterValue(1.23456789), "double", 1.23456789, 1, true, "1.234568"},
    {"HugeDoubleSaturates", ParameterValue(1e20), "double", 1e20, INT_MAX, true, "100000000000000000000.000000"},
    {"HugeNegativeDoubleSaturates", ParameterValue(-1e20), "double", -1e20, INT_MIN, true,
     "-100000000000000000000.000000"},
    {"IntPositive", ParameterValue(42), "int", 42.0, 42, true, "42"},
    {"IntNegative", ParameterValue(-7), "int", -7.0, -7, true, "-7"},
    {"IntZero", ParameterValue(0), "int", 0.0, 0, false, "0"},
    {"IntMin", ParameterValue(INT_MIN), "int", static_cast<double>(INT_MIN), INT_MIN, true, "-2147483648"},
    {"BoolTrue", ParameterValue(true), "bool", 1.0, 1, true, "true"},
    {"BoolFalse", ParameterValue(false), "bool", 0.0, 0, false, "false"},
    {"LiteralTRUEIsAString", ParameterValue("TRUE"), "string", 0.0, 0, true, "TRUE"},
    {"LiteralFALSE", ParameterValue("FALSE"), "string", 0.0, 0, false, "FALSE"},
    {"LiteralTrue", ParameterValue("True"), "string", 0.0, 0, true, "True"},
    {"LiteralFalseLower", ParameterValue("false"), "string", 0.0, 0, false, "false"},
    {"LiteralOne", ParameterValue("1"), "string", 1.0, 1, true, "1"},
    {"LiteralZero", ParameterValue("0"), "string", 0.0, 0, false, "0"},
    {"EmptyText", ParameterValue(""), "string", 0.0, 0, false, ""},
    {"TextNo", ParameterValue("no"), "string", 0.0, 0, true, "no"},
    {"TextYes", ParameterValue("yes"), "string", 0.0, 0, true, "yes"},
    {"TextBlankZero", ParameterValue(" 0"), "string", 0.0, 0, true, " 0"},
    {"TextAbc", ParameterValue(std::string("abc")), "string", 0.0, 0, true, "abc"},
    {"Text42", ParameterValue(std::string("42")), "string", 42.0, 42, true, "42"},
    {"Text3Point7", ParameterValue("3.7"), "string", 3.7, 3, true, "3.7"},
    {"Text12Point7", ParameterValue("12.7"), "string", 12.7, 12, true, "12.7"},
    {"TextPrefixNumber", ParameterValue("1.5abc"), "string", 1.5, 1, true, "1.5abc"},
    {"TextLeadingBlanks", ParameterValue("  \t-8.25"), "string", -8.25, -8, true, "  \t-8.25"},
    {"TextDoubleOutOfRange", ParameterValue("1e999"), "string", 0.0, 1, true, "1e999"},
    {"TextIntOutOfRange", ParameterValue("99999999999"), "string", 99999999999.0, 0, true, "99999999999"},
    {"TextIntOutOfLongRange", ParameterValue("-99999999999999999999"), "string", -99999999999999999999.0, 0, true,
     "-99999999999999999999"},
    {"Vec2", ParameterValue(1.0, 2.0), "vec2", 0.0, 0, false, "(1.000000, 2.000000)"},
    {"Vec2Fraction", ParameterValue(1.0, 2.5), "vec2", 0.0, 0, false, "(1.000000, 2.500000)"},
    {"Vec3", ParameterValue(1.0, 2.0, 3.0), "vec3", 0.0, 0, false, "(1.000000, 2.000000, 3.000000)"},
    {"Vec4", ParameterValue(1.0, -2.0, 3.0, 0.25), "vec4", 0.0, 0, false,
     "(1.000000, -2.000000, 3.000000, 0.250000)"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ParameterValueConversionTest, ::testing::ValuesIn(kConversionCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ParameterValueTest, NanDoubleIsTrueAndHasNoIntValue)
{
    const ParameterValue value(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(value.asBool());
    EXPECT_EQ(value.asInt(), 0);
    EXPECT_TRUE(std::isnan(value.asDouble()));
}

TEST(ParameterValueTest, AsFloatNarrowsToTheNearestSinglePrecisionNumber)
{
    EXPECT_EQ(ParameterValue(0.1).asFloat(), 0.1f);
    EXPECT_NE(static_cast<double>(ParameterValue(0.1).asFloat()), 0.1);
}

struct VectorCase {
    const char* label;
    ParameterValue value;
    float expected[4];
};

void PrintTo(const VectorCase& c, std::ostream* out)
{
    *out << c.label;
}

class ParameterValueVectorTest : public ::testing::TestWithParam<VectorCase> {};

TEST_P(ParameterValueVectorTest, ComponentsAreNarrowedAndUnsetOnesAreZero)
{
    const VectorCase& c = GetParam();
    float v[4] = {-1, -1, -1, -1};
    c.value.asVec4(v[0], v[1], v[2], v[3]);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i], c.expected[i]) << "component " << i;
    }
    float a = -1, b = -1, d = -1;
    c.value.asVec3(a, b, d);
    EXPECT_EQ(a, c.expected[0]);
    EXPECT_EQ(b, c.expected[1]);
    EXPECT_EQ(d, c.expected[2]);
    a = b = -1;
    c.value.asVec2(a, b);
    EXPECT_EQ(a, c.expected[0]);
    EXPECT_EQ(b, c.expected[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ParameterValueVectorTest,
    ::testing::Values(VectorCase {"Vec2", ParameterValue(1.0, 2.0), {1.0f, 2.0f, 0.0f, 0.0f}},
                      VectorCase {"Vec3", ParameterValue(1.0, 2.0, 3.0), {1.0f, 2.0f, 3.0f, 0.0f}},
                      VectorCase {"Vec4", ParameterValue(0.1, 0.2, 0.3, 0.4), {0.1f, 0.2f, 0.3f, 0.4f}},
                      // Every constructor fills the components, so non-vectors read as zeros.
                      VectorCase {"Double", ParameterValue(5.0), {0, 0, 0, 0}},
                      VectorCase {"Int", ParameterValue(5), {0, 0, 0, 0}},
                      VectorCase {"Bool", ParameterValue(true), {0, 0, 0, 0}},
                      VectorCase {"String", ParameterValue("1,2"), {0, 0, 0, 0}},
                      VectorCase {"Default", ParameterValue(), {0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ParameterValueTest, CopiedVec2CarriesZeroComponents)
{
    ParameterValue target(7.0, 8.0, 9.0, 10.0);
    target = ParameterValue(1.0, 2.0);
    EXPECT_EQ(target.getType(), "vec2");
    float x, y, z, w;
    target.asVec4(x, y, z, w);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(y, 2.0f);
    EXPECT_EQ(z, 0.0f);
    EXPECT_EQ(w, 0.0f);

    const ParameterValue copy(target);
    EXPECT_EQ(copy.asString(), "(1.000000, 2.000000)");
}

TEST(ParameterValueTest, CopyingAScalarKeepsTheTargetsOtherMembers)
{
    // Only the payload of the copied kind moves; the target's components stay as they were.
    ParameterValue target(1.0, 2.0, 3.0, 4.0);
    target.copyFrom(ParameterValue(5));
    EXPECT_EQ(target.getType(), "int");
    EXPECT_EQ(target.asInt(), 5);
    float x, y, z, w;
    target.asVec4(x, y, z, w);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(w, 4.0f);
}

TEST(ParameterValueTest, CopiesAreIndependent)
{
    ParameterValue original(std::string("first"));
    ParameterValue copy(original);
    original = ParameterValue("second");
    EXPECT_EQ(copy.asString(), "first");
    EXPECT_EQ(original.asString(), "second");

    std::vector<ParameterValue> values = {ParameterValue(1), ParameterValue("x"), ParameterValue(1.0, 2.0)};
    std::vector<ParameterValue> copies = values;
    values[1] = ParameterValue(3.5);
    EXPECT_EQ(copies[1].getType(), "string");
    EXPECT_EQ(copies[1].asString(), "x");
}

TEST(ParameterValueTest, SelfAssignmentLeavesTheValueUnchanged)
{
    const ParameterValue values[] = {ParameterValue(2.5), ParameterValue(3), ParameterValue(true),
                                     ParameterValue("text"), ParameterValue(1.0, 2.0, 3.0, 4.0)};
    for (const ParameterValue& original : values) {
        ParameterValue value(original);
        ParameterValue& alias = value;
        value = alias;
        EXPECT_EQ(value.getType(), original.getType());
        EXPECT_EQ(value.asString(), original.asString());
    }
}

TEST(ParameterValueTest, NullCStringIsAnEmptyText)
{
    const char* none = nullptr;
    const ParameterValue value(none);
    EXPECT_EQ(value.getType(), "string");
    EXPECT_EQ(value.asString(), "");
    EXPECT_FALSE(value.asBool());
}

} // namespace
