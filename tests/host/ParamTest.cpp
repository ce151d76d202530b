// Parameter storage: defaults of every kind, user and plug-in edits, synchronous
// change notification, choice option resets, the secret flag and edit blocks.
#include "host/HostError.h"
#include "host/MessageSuite.h"
#include "ProbeFixture.h"

namespace {

using ofxhost::ChangeRecord;

class ParamTest : public probe::ProbeTest {};

struct DefaultCase {
  const char *name;
  const char *kind;
  std::vector<double> values;
};

TEST_F(ParamTest, InstanceValuesStartAtTheDescriptorDefaults) {
  ofxhost::EffectInstance &fx = makeInstance();
  const DefaultCase cases[] = {
      {"gain", "double", {1.0}},       {"mirror", "double", {0.0}},         {"count", "int", {3}},
      {"enabled", "bool", {1}},        {"mode", "choice", {1}},             {"tint", "rgb", {0.1, 0.2, 0.3}},
      {"tint4", "rgba", {0.1, 0.2, 0.3, 0.4}}, {"offset", "double2d", {1.0, 2.0}}, {"pos3", "double3d", {1.0, 2.0, 3.0}},
      {"size", "int2d", {4, 5}},
  };
  for (const DefaultCase &c : cases) {
    ofxhost::Param *p = fx.param(c.name);
    ASSERT_NE(p, nullptr) << c.name;
    EXPECT_STREQ(ofxhost::paramKindName(p->kind()), c.kind) << c.name;
    EXPECT_EQ(fx.values(c.name), c.values) << c.name;
  }
  EXPECT_EQ(fx.getString("label"), "hello");
  EXPECT_EQ(fx.choiceOptions("mode"), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(fx.param("fill")->kind(), ofxhost::ParamKind::PushButton);
  EXPECT_EQ(fx.param("grp")->kind(), ofxhost::ParamKind::Group);
  EXPECT_EQ(fx.param("grp")->props().getInt(kOfxParamPropGroupOpen), 0);
  EXPECT_EQ(fx.param("Main")->props().getStrings(kOfxParamPropPageChild), std::vector<std::string>{"grp"});
  EXPECT_EQ(fx.param("gain")->props().getString(kOfxPropType), "OfxTypeParameterInstance");
  // Curves defined on the descriptor are the instance's starting curves.
  const auto curves = fx.curves("curve");
  ASSERT_EQ(curves.size(), 1u);
  EXPECT_EQ(curves[0].points, (std::vector<std::pair<double, double>>{{0.0, 0.0}, {1.0, 2.0}}));
  // Creating the instance sent no change notification.
  EXPECT_TRUE(fx.changes().empty());
}

TEST_F(ParamTest, UserEditIsBracketedAndThePluginsEditIsNotifiedSynchronously) {
  ofxhost::EffectInstance &fx = makeInstance();
  fx.setCurrentTime(7.0);
  ASSERT_EQ(fx.setDouble("gain", 1.5), kOfxStatOK);
  // The plug-in reacted by setting "mirror" inside its handler.
  EXPECT_EQ(fx.getDouble("mirror"), 3.0);
  const std::vector<ChangeRecord> &changes = fx.changes();
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0].action, kOfxActionBeginInstanceChanged);
  EXPECT_EQ(changes[0].reason, kOfxChangeUserEdited);
  EXPECT_EQ(changes[1].action, kOfxActionInstanceChanged);
  EXPECT_EQ(changes[1].name, "gain");
  EXPECT_EQ(changes[1].type, "OfxTypeParameter");
  EXPECT_EQ(changes[1].reason, kOfxChangeUserEdited);
  EXPECT_EQ(changes[1].time, 7.0);
  EXPECT_EQ(changes[1].depth, 0);
  EXPECT_EQ(changes[1].status, kOfxStatOK);
  // Nested, inside the first notification, before the end bracket.
  EXPECT_EQ(changes[2].action, kOfxActionInstanceChanged);
  EXPECT_EQ(changes[2].name, "mirror");
  EXPECT_EQ(changes[2].reason, kOfxChangePluginEdited);
  EXPECT_EQ(changes[2].depth, 1);
  EXPECT_EQ(changes[2].status, kOfxStatReplyDefault);
  EXPECT_EQ(changes[3].action, kOfxActionEndInstanceChanged);
}

TEST_F(ParamTest, UserEditsClampToTheHardRange) {
  ofxhost::EffectInstance &fx = makeInstance();
  fx.setDouble("gain", 9.0);
  EXPECT_EQ(fx.getDouble("gain"), 4.0);
  fx.setInt("count", -3);
  EXPECT_EQ(fx.getInt("count"), 0);
  fx.setValues("size", {2.7, -1.2});
  EXPECT_EQ(fx.values("size"), (std::vector<double>{2.0, -1.0}));
  fx.setBool("enabled", false);
  EXPECT_FALSE(fx.getBool("enabled"));
  fx.setString("label", "changed");
  EXPECT_EQ(fx.getString("label"), "changed");
}

TEST_F(ParamTest, MisuseOfTheHostApiThrows) {
  ofxhost::EffectInstance &fx = makeInstance();
  EXPECT_THROW(fx.setDouble("nope", 1.0), ofxhost::HostError);
  EXPECT_THROW(fx.setValues("offset", {1.0}), ofxhost::HostError);
  EXPECT_THROW(fx.setInt("mode", 5), ofxhost::HostError);
  EXPECT_THROW(fx.setString("gain", "x"), ofxhost::HostError);
  EXPECT_THROW(fx.getString("gain"), ofxhost::HostError);
  EXPECT_THROW(fx.values("label"), ofxhost::HostError);
}

TEST_F(ParamTest, ChoiceOptionsAreResetAndAppendedByThePlugin) {
  ofxhost::EffectInstance &fx = makeInstance();
  ASSERT_EQ(fx.pressButton("fill"), kOfxStatOK);
  EXPECT_EQ(fx.choiceOptions("mode"), (std::vector<std::string>{"X", "Y", "Z"}));
  EXPECT_EQ(fx.getInt("mode"), 2);
  // The plug-in's set of the new index was notified as its own edit.
  bool sawMode = false;
  for (const auto &c : fx.changes())
    if (c.name == "mode") sawMode = c.reason == kOfxChangePluginEdited && c.depth == 1;
  EXPECT_TRUE(sawMode);
}

TEST_F(ParamTest, SecretFlagSetByThePlugin) {
  ofxhost::EffectInstance &fx = makeInstance();
  EXPECT_FALSE(fx.isSecret("count"));
  fx.pressButton("hide");
  EXPECT_TRUE(fx.isSecret("count"));
  EXPECT_TRUE(fx.isEnabled("count"));
}

TEST_F(ParamTest, EditBlockAroundNestedEdits) {
  ofxhost::EffectInstance &fx = makeInstance();
  fx.pressButton("chain");
  EXPECT_EQ(fx.getDouble("gain"), 2.0);
  EXPECT_EQ(fx.getDouble("mirror"), 4.0);
  const auto events = fx.editEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_TRUE(events[0].begin);
  EXPECT_EQ(events[0].name, "chain");
  EXPECT_EQ(events[0].status, kOfxStatOK);
  EXPECT_FALSE(events[1].begin);
  EXPECT_EQ(events[1].status, kOfxStatOK);
  int maxDepth = 0;
  for (const auto &c : fx.changes()) maxDepth = std::max(maxDepth, c.depth);
  EXPECT_EQ(maxDepth, 2);  // chain -> gain -> mirror
}

TEST_F(ParamTest, EditBlocksDoNotNestAndEndNeedsABegin) {
  ofxhost::EffectInstance &fx = makeInstance();
  const OfxParameterSuiteV1 *suite = ofxhost::parameterSuite();
  OfxParamSetHandle set = fx.object().params().handle();
  EXPECT_EQ(suite->paramEditEnd(set), kOfxStatFailed);
  EXPECT_EQ(suite->paramEditBegin(set, "a"), kOfxStatOK);
  EXPECT_EQ(suite->paramEditBegin(set, "b"), kOfxStatErrExists);
  EXPECT_EQ(suite->paramEditEnd(set), kOfxStatOK);
  EXPECT_FALSE(fx.object().params().editOpen());
}

TEST_F(ParamTest, AFeedbackLoopIsCutOffInsteadOfOverflowingTheStack) {
  ofxhost::EffectInstance &fx = makeInstance();
  fx.setInt("loopcount", 0);
  EXPECT_EQ(fx.getInt("loopcount"), 32);
  EXPECT_EQ(fx.changes()[fx.changes().size() - 2].status, kOfxStatErrFatal);
}

TEST_F(ParamTest, SuiteRefusesBadHandlesAndValues) {
  ofxhost::EffectInstance &fx = makeInstance();
  const OfxParameterSuiteV1 *suite = ofxhost::parameterSuite();
  double d = 0;
  EXPECT_EQ(suite->paramGetValue(nullptr, &d), kOfxStatErrBadHandle);
  // Descriptor parameters carry no value.
  OfxParamHandle descriptorGain = plugin->contextDescriptor(kOfxImageEffectContextFilter)->params().find("gain")->handle();
  EXPECT_EQ(suite->paramGetValue(descriptorGain, &d), kOfxStatErrBadHandle);
  OfxParamHandle mode = fx.param("mode")->handle();
  EXPECT_EQ(suite->paramSetValue(mode, 2), kOfxStatErrValue);
  EXPECT_EQ(suite->paramSetValue(mode, -1), kOfxStatErrValue);
  EXPECT_EQ(suite->paramGetValue(fx.param("fill")->handle(), &d), kOfxStatErrUnsupported);
  OfxParamHandle found = nullptr;
  EXPECT_EQ(suite->paramGetHandle(fx.object().params().handle(), "nope", &found, nullptr), kOfxStatErrUnknown);
  unsigned int keys = 9;
  EXPECT_EQ(suite->paramGetNumKeys(fx.param("gain")->handle(), &keys), kOfxStatOK);
  EXPECT_EQ(keys, 0u);
  EXPECT_EQ(suite->paramGetValueAtTime(fx.param("gain")->handle(), 12.0, &d), kOfxStatOK);
  EXPECT_EQ(d, 1.0);
  double integral = 0;
  EXPECT_EQ(suite->paramGetIntegral(fx.param("gain")->handle(), 2.0, 5.0, &integral), kOfxStatOK);
  EXPECT_EQ(integral, 3.0);
  const char *text = nullptr;
  EXPECT_EQ(suite->paramGetValue(fx.param("label")->handle(), &text), kOfxStatOK);
  EXPECT_STREQ(text, "hello");
}

TEST_F(ParamTest, ParametricSuiteEditsCurves) {
  ofxhost::EffectInstance &fx = makeInstance();
  const OfxParametricParameterSuiteV1 *suite = ofxhost::parametricSuite();
  OfxParamHandle curve = fx.param("curve")->handle();
  double v = 0, key = 0;
  int n = 0;
  EXPECT_EQ(suite->parametricParamGetValue(curve, 0, 0.0, 0.25, &v), kOfxStatOK);
  EXPECT_DOUBLE_EQ(v, 0.5);
  EXPECT_EQ(suite->parametricParamGetNControlPoints(curve, 0, 0.0, &n), kOfxStatOK);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(suite->parametricParamGetNthControlPoint(curve, 0, 0.0, 1, &key, &v), kOfxStatOK);
  EXPECT_EQ(key, 1.0);
  EXPECT_EQ(v, 2.0);
  EXPECT_EQ(suite->parametricParamGetNthControlPoint(curve, 0, 0.0, 2, &key, &v), kOfxStatErrBadIndex);
  EXPECT_EQ(suite->parametricParamGetNControlPoints(curve, 1, 0.0, &n), kOfxStatErrBadIndex);
  EXPECT_EQ(suite->parametricParamDeleteControlPoint(curve, 0, 0), kOfxStatOK);
  EXPECT_EQ(suite->parametricParamDeleteAllControlPoints(curve, 0), kOfxStatOK);
  EXPECT_TRUE(fx.curves("curve")[0].points.empty());
  EXPECT_EQ(suite->parametricParamAddControlPoint(fx.param("gain")->handle(), 0, 0, 0, 0, false), kOfxStatErrBadHandle);
}

TEST_F(ParamTest, MessagesAndMemoryFromAHandler) {
  ofxhost::clearRecordedMessages();
  ofxhost::EffectInstance &fx = makeInstance();
  const int blocksBefore = ofxhost::outstandingMemoryBlocks();
  fx.pressButton("msg");
  const auto messages = ofxhost::recordedMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].type, kOfxMessageError);
  EXPECT_EQ(messages[0].id, "probe.msg");
  EXPECT_EQ(messages[0].text, "hello 42");
  EXPECT_EQ(messages[0].handle, fx.handle());
  EXPECT_EQ(ofxhost::outstandingMemoryBlocks(), blocksBefore);
}

TEST_F(ParamTest, ClipChangeIsNotified) {
  ofxhost::EffectInstance &fx = makeInstance();
  EXPECT_EQ(fx.clipChanged("Matte"), kOfxStatReplyDefault);
  ASSERT_EQ(fx.changes().size(), 3u);
  EXPECT_EQ(fx.changes()[1].type, "OfxTypeClip");
  EXPECT_EQ(fx.changes()[1].name, "Matte");
  EXPECT_THROW(fx.clipChanged("Nope"), ofxhost::HostError);
}

}  // namespace
