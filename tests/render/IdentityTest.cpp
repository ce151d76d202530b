// The identity action of a fixture definition whose conditions use every operator and
// parameter kind: each condition is false at the defaults, so changing one parameter shows
// that operator alone (and OR semantics: one holding condition is enough).
#include <gtest/gtest.h>

#include <string>

#include "tests/render/support/RenderHarness.h"

namespace render_test {
namespace {

struct OperatorCase {
  const char* parameter;
  double value;
  bool identity;
};

const OperatorCase kOperatorCases[] = {
    {"p_lessEqual", 0.5, true},   {"p_lessEqual", 0.4, true},   {"p_lessEqual", 0.6, false},
    {"p_equal", 0.5, true},       {"p_equal", 0.5000001, false}, {"p_lessThan", 0.4, true},
    {"p_lessThan", 0.5, false},   {"p_greaterThan", 0.6, true}, {"p_greaterThan", 0.5, false},
    {"p_greaterEqual", 0.5, true}, {"p_greaterEqual", 0.4, false}, {"p_notEqual", 0.4, true},
    {"p_notEqual", 0.5, false},   {"count", 0, true},           {"count", -3, true},
    {"count", 2, false},          {"look", 1, true},            {"look", 2, false},
    {"flag", 1, true},
    // "Equal" is not "equal": the operator is unknown and never holds, even with 0 == 0.
    {"p_case", 0, false},
};

ofxhost::RenderOptions at(double time) {
  ofxhost::RenderOptions options;
  options.time = time;
  return options;
}

class IdentityOperators : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(IdentityOperators, HoldExactlyWhenTheComparisonHolds) {
  const OperatorCase& c = GetParam();
  Session session("identity");
  ASSERT_EQ(session.instance().setValues(c.parameter, {c.value}), kOfxStatOK);
  const ofxhost::IdentityResult result = session.instance().isIdentity(at(7.5));
  if (c.identity) {
    EXPECT_EQ(result.status, kOfxStatOK);
    EXPECT_TRUE(result.identity);
    EXPECT_EQ(result.clip, "Source");  // always the first input, at the same time
    EXPECT_EQ(result.time, 7.5);
  } else {
    EXPECT_EQ(result.status, kOfxStatReplyDefault);
    EXPECT_FALSE(result.identity);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixture, IdentityOperators, ::testing::ValuesIn(kOperatorCases),
                         [](const ::testing::TestParamInfo<OperatorCase>& info) {
                           std::string name = std::string(info.param.parameter) + "_" + std::to_string(info.index);
                           return name;
                         });

TEST(Identity, NoConditionHoldsAtTheDefaults) {
  Session session("identity");
  EXPECT_FALSE(session.instance().isIdentity(at(1.0)).identity);
}

// The handles are fetched by the identity action itself: before any render, a condition sees
// the parameter's real value, not 0.0.
TEST(Identity, ReadsRealValuesBeforeTheFirstRender) {
  Session session("identity");
  ASSERT_EQ(session.instance().setDouble("p_equal", 0.5), kOfxStatOK);
  const ofxhost::IdentityResult result = session.instance().isIdentity(at(2.0));
  EXPECT_TRUE(result.identity);
  EXPECT_EQ(result.clip, "Source");
}

// Several holding conditions still give one identity, on the first input; the unknown
// operator is reported in the log.
TEST(Identity, AnyHoldingConditionIsEnoughAndUnknownOperatorsAreLogged) {
  {
    Session session("identity");
    ASSERT_EQ(session.instance().setDouble("p_greaterThan", 3.0), kOfxStatOK);
    ASSERT_EQ(session.instance().setBool("flag", true), kOfxStatOK);
    const ofxhost::IdentityResult result = session.instance().isIdentity(at(1.0));
    EXPECT_TRUE(result.identity);
    EXPECT_EQ(result.clip, "Source");
  }

  {
    Session fresh("identity");
    EXPECT_FALSE(fresh.instance().isIdentity(at(1.0)).identity);
  }
  // Debug lines reach the file when the session ends.
  const std::string log = readFile(logPathForEffect(fixtureEffectName("identity")));
  EXPECT_NE(log.find("[DEBUG] WARNING: Unknown identity operator: Equal\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace render_test
