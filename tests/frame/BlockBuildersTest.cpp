// The four per-pass parameter blocks: every written field, the source order, parameter
// packing by kind, and the failures that only drop a slot.

#include "gpu/KernelParameterBuilders.h"
#include "tests/frame/FrameTestSupport.h"

using frametest::FakeEffectAccess;
using frametest::FrameLog;
using frametest::definitionFrom;
using frametest::effectXml;

namespace {

bool allZero(const uint8_t* bytes, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

void* handle(uintptr_t v) { return reinterpret_cast<void*>(v); }

const char kTwoInputs[] = R"(<source name="A" noinput="error"/><source name="B" noinput="white" border_mode="mirror"/>)";

}  // namespace

TEST(SystemParametersTest, WithoutRenderArgumentsUsesNeutralValues) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.renderWindow = OfxRectI{1, 2, 30, 40};
  state.dstPixelAspectRatio = 2.0;
  FakeEffectAccess effect;
  effect.rate = 25.0;
  effect.blend = 0.3;

  const SystemParameters p = buildSystemParameters(state, effect, 64, 32);
  EXPECT_EQ(p.width, 64);
  EXPECT_EQ(p.height, 32);
  EXPECT_EQ(p.time, 0.0f);
  EXPECT_EQ(p.frameNumber, 0);
  EXPECT_EQ(p.renderScaleX, 1.0f);
  EXPECT_EQ(p.renderScaleY, 1.0f);
  EXPECT_EQ(p.isInteractive, 0);
  EXPECT_EQ(p.isSequential, 0);
  EXPECT_EQ(p.frameRate, 25.0f);
  EXPECT_EQ(p.reserved20, 100.0f);
  EXPECT_EQ(p.pixelAspectRatio, 2.0f);
  EXPECT_EQ(p.imageAspectRatio, 2.0f * 64.0f / 32.0f);
  EXPECT_EQ(p.renderWindowX1, 1);
  EXPECT_EQ(p.renderWindowY1, 2);
  EXPECT_EQ(p.renderWindowX2, 30);
  EXPECT_EQ(p.renderWindowY2, 40);
  // Pass defaults, overwritten per pass by the loop.
  EXPECT_EQ(p.currentExecution, 0);
  EXPECT_EQ(p.totalExecutions, 0);
  EXPECT_EQ(p.currentKernel, 0);
  EXPECT_EQ(p.totalKernels, 1);
  EXPECT_EQ(p.currentPass, 0);
  EXPECT_EQ(p.totalPasses, 1);
  // Hierarchy defaults of a fresh processor.
  EXPECT_EQ(p.currentPipelineExecution, 0);
  EXPECT_EQ(p.totalPipelineExecutions, 1);
  EXPECT_EQ(p.currentPipeline, 0);
  EXPECT_EQ(p.totalPipelines, 1);
  EXPECT_EQ(p.currentProcessExecution, 0);
  EXPECT_EQ(p.totalProcessExecutions, 1);
  EXPECT_EQ(p.reserved112, 32);
  EXPECT_EQ(p.reserved116, 32);
  EXPECT_EQ(p.reserved120, 3);
  EXPECT_EQ(p.reserved124, 0);
  EXPECT_EQ(p.reserved128, 1.0f);
  EXPECT_EQ(p.reserved132, 1);
  EXPECT_EQ(p.reserved136, 0);
  EXPECT_FLOAT_EQ(p.globalBlend, 0.3f);
  EXPECT_EQ(p.reserved144, 0);
  EXPECT_EQ(p.reserved148, 0);
  EXPECT_EQ(p.reserved152, -1);
  EXPECT_EQ(p.reserved156, -1);
  EXPECT_TRUE(allZero(p.padding42, sizeof(p.padding42)));
  EXPECT_TRUE(allZero(p.padding61, sizeof(p.padding61)));
  EXPECT_TRUE(allZero(p.padding125, sizeof(p.padding125)));
  EXPECT_TRUE(allZero(p.padding133, sizeof(p.padding133)));
  EXPECT_TRUE(allZero(p.padding145, sizeof(p.padding145)));
  EXPECT_TRUE(allZero(p.reserved160, sizeof(p.reserved160)));
  EXPECT_TRUE(log.contains("=== SYSTEMPARAMETERS STRUCT LAYOUT ==="));
  EXPECT_TRUE(log.contains("Struct size: 236 bytes"));
  EXPECT_TRUE(log.contains("  currentPipeline offset: 96, value: 0"));
  EXPECT_FALSE(log.contains("RenderScale:"));
}

struct FrameNumberCase {
  double time;
  int frameNumber;
};

class FrameNumberTest : public ::testing::TestWithParam<FrameNumberCase> {};

TEST_P(FrameNumberTest, TruncatesTimeTimes24) {
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.hasRenderArgs = true;
  state.renderArgs.time = GetParam().time;
  FakeEffectAccess effect;
  const SystemParameters p = buildSystemParameters(state, effect, 8, 8);
  EXPECT_EQ(p.frameNumber, GetParam().frameNumber);
  EXPECT_EQ(p.time, static_cast<float>(GetParam().time));
  EXPECT_EQ(effect.lastBlendTime, static_cast<double>(static_cast<float>(GetParam().time)));
}

INSTANTIATE_TEST_SUITE_P(Times, FrameNumberTest,
                         ::testing::Values(FrameNumberCase{1.5, 36}, FrameNumberCase{0.99, 23},
                                           FrameNumberCase{10.5, 252}, FrameNumberCase{0.0, 0},
                                           FrameNumberCase{-0.5, -12}));

TEST(SystemParametersTest, RenderArgumentsAndHierarchyReachTheBlock) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.hasRenderArgs = true;
  state.renderArgs.time = 2.0;
  state.renderArgs.renderScale = OfxPointD{0.5, 0.25};
  state.renderArgs.interactiveRenderStatus = true;
  state.renderArgs.sequentialRenderStatus = true;
  state.currentPipelineExecution = 1;
  state.totalPipelineExecutions = 2;
  state.currentPipeline = 2;
  state.totalPipelines = 3;
  state.currentProcessExecution = 4;
  state.totalProcessExecutions = 5;
  FakeEffectAccess effect;
  const SystemParameters p = buildSystemParameters(state, effect, 8, 8);
  EXPECT_EQ(p.renderScaleX, 0.5f);
  EXPECT_EQ(p.renderScaleY, 0.25f);
  EXPECT_EQ(p.isInteractive, 1);
  EXPECT_EQ(p.isSequential, 1);
  EXPECT_EQ(p.currentPipelineExecution, 1);
  EXPECT_EQ(p.totalPipelineExecutions, 2);
  EXPECT_EQ(p.currentPipeline, 2);
  EXPECT_EQ(p.totalPipelines, 3);
  EXPECT_EQ(p.currentProcessExecution, 4);
  EXPECT_EQ(p.totalProcessExecutions, 5);
  EXPECT_TRUE(log.contains("RenderScale: 0.500 x 0.250, Interactive: 1, Sequential: 1"));
  EXPECT_TRUE(log.contains("  totalProcessExecutions offset: 108, value: 5"));
}

TEST(SystemParametersTest, GlobalBlendFallsBackToOneAndHostFailuresPropagate) {
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  FakeEffectAccess effect;
  effect.blend = 0.25;
  effect.generic = false;  // not the framework's instance: "Blend" is not read
  EXPECT_EQ(buildSystemParameters(state, effect, 4, 4).globalBlend, 1.0f);
  EXPECT_EQ(effect.lastBlendTime, -1.0);

  effect.generic = true;
  effect.blend.reset();  // the host hands back no parameter
  EXPECT_EQ(buildSystemParameters(state, effect, 4, 4).globalBlend, 1.0f);

  effect.blendThrows = true;  // the host has no "Blend": the frame fails
  EXPECT_THROW(buildSystemParameters(state, effect, 4, 4), std::runtime_error);
}

TEST(PipelineParametersTest, PointsAtTheProcessorsCopyOfTheNameAndVersion) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs, "", "", "Named Effect"));
  ProcessorState state(*def);
  const PipelineParameters p = buildPipelineParameters(state);
  EXPECT_STREQ(p.effectName, "Named Effect");
  EXPECT_EQ(p.effectName, state.effectName.c_str());
  EXPECT_STREQ(p.version, "1.0");
  EXPECT_TRUE(log.contains("Created PipelineParameters with effect name: 'Named Effect'"));
}

TEST(SourceConnectionsTest, InputsThenEffectOutputThenConsecutivePipelineOutputs) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.textures = {{"A", handle(0x100)},
                    {"effectOutput", handle(0x200)},
                    {"pipelineOutput_0", handle(0x300)},
                    {"pipelineOutput_2", handle(0x500)}};
  FakeEffectAccess effect;
  effect.defaults[2] = 0x999;

  const SourceConnections s = buildSourceConnections(state, effect);
  ASSERT_EQ(s.sourceCount, 4);
  const struct {
    unsigned long long texture;
    int connected;
    const char* name;
    int border;
    int noInput;
  } expected[] = {{0x100, 1, "A", 0, 0}, {0x999, 0, "B", 2, 2}, {0x200, 1, "effectOutput", 0, 0},
                  {0x300, 1, "pipelineOutput_0", 0, 0}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const SourceConnection& e = s.sources[i];
    EXPECT_EQ(e.textureObject, expected[i].texture);
    EXPECT_EQ(e.isConnected, expected[i].connected);
    EXPECT_STREQ(e.name, expected[i].name);
    EXPECT_EQ(e.borderMode, expected[i].border);
    EXPECT_EQ(e.noInputMode, expected[i].noInput);
    EXPECT_EQ(e.reserved32, 0);
    EXPECT_EQ(e.reserved36, -1);
    EXPECT_EQ(e.reserved40, 0);
    EXPECT_EQ(e.reserved44, 0);
    EXPECT_TRUE(allZero(e.padding9, sizeof(e.padding9)));
  }
  for (int i = 4; i < MAX_SOURCE_CONNECTIONS; ++i)
    EXPECT_TRUE(allZero(reinterpret_cast<const uint8_t*>(&s.sources[i]), sizeof(SourceConnection)));
  EXPECT_TRUE(log.contains("Using default texture for 'B' (mode=2, isConnected=false)"));
  EXPECT_TRUE(log.contains("Phase 3a.5: Added effectOutput to SourceConnections at index 2"));
  EXPECT_TRUE(log.contains("Phase 3a.5: Added pipelineOutput_0 to SourceConnections at index 3"));
  EXPECT_FALSE(log.contains("pipelineOutput_2 to SourceConnections"));
  EXPECT_TRUE(log.contains("Phase 3a.5: SourceConnections complete - 4 total sources (base inputs + pipeline outputs)"));
}

TEST(SourceConnectionsTest, ConnectionMapDecidesTheFlagOfInputsWithTextures) {
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.textures = {{"A", handle(0x10)}, {"B", handle(0x20)}};
  state.connectionStatus = {{"A", false}};  // B is absent: counts as connected
  FakeEffectAccess effect;
  const SourceConnections s = buildSourceConnections(state, effect);
  ASSERT_EQ(s.sourceCount, 2);
  EXPECT_EQ(s.sources[0].isConnected, 0);
  EXPECT_EQ(s.sources[1].isConnected, 1);
  EXPECT_EQ(effect.defaultTextureCalls, 0);
}

TEST(SourceConnectionsTest, MissingTexturesAreLoggedAndKeepTheirSlot) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  FakeEffectAccess effect;  // no default textures exist
  const SourceConnections s = buildSourceConnections(state, effect);
  ASSERT_EQ(s.sourceCount, 2);
  EXPECT_EQ(s.sources[0].textureObject, 0u);
  EXPECT_EQ(s.sources[1].textureObject, 0u);
  EXPECT_TRUE(log.contains("[ERROR] Required input 'A' not connected"));
  EXPECT_TRUE(log.contains("[ERROR] Failed to get default texture for 'B'"));
  EXPECT_EQ(effect.defaultTextureCalls, 1);  // never for mode "error"
}

TEST(SourceConnectionsTest, AnEffectThatIsNotTheFrameworksGetsAnEmptyBlock) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.textures = {{"A", handle(0x10)}};
  FakeEffectAccess effect;
  effect.generic = false;
  const SourceConnections s = buildSourceConnections(state, effect);
  EXPECT_EQ(s.sourceCount, 0);
  EXPECT_TRUE(allZero(reinterpret_cast<const uint8_t*>(&s), sizeof(s)));
  EXPECT_TRUE(log.contains("[ERROR] Failed to cast to GenericEffect"));
}

TEST(SourceConnectionsTest, BorderModeTexts) {
  const std::pair<const char*, int> cases[] = {{"clamp", 0}, {"", 0}, {"wobble", 0}, {"Repeat", 0},
                                               {"repeat", 1}, {"mirror", 2}, {"black", 3}};
  for (const auto& c : cases) EXPECT_EQ(sourceBorderModeFromText(c.first), c.second) << c.first;
}

TEST(SourceConnectionsTest, TheBlockHoldsAtMost32Sources) {
  auto def = definitionFrom(effectXml(kTwoInputs));
  ProcessorState state(*def);
  state.textures["effectOutput"] = handle(1);
  for (int k = 0; k < 40; ++k) state.textures["pipelineOutput_" + std::to_string(k)] = handle(0x1000 + k);
  FakeEffectAccess effect;
  const SourceConnections s = buildSourceConnections(state, effect);
  EXPECT_EQ(s.sourceCount, 32);
  EXPECT_STREQ(s.sources[31].name, "pipelineOutput_28");
}

namespace {
const char kMixedParameters[] = R"(
  <parameter name="a" type="float" default="0.5"/>
  <parameter name="b" type="int" default="3"/>
  <parameter name="c" type="double" default="0.25"/>
  <parameter name="d" type="choice" default="1"><option value="0" label="x"/><option value="1" label="y"/></parameter>
  <parameter name="e" type="bool" default="true"/>
  <parameter name="f" type="float" default="2"/>
  <parameter name="s" type="string" default="t"/>
  <parameter name="v1" type="vec2"/>
  <parameter name="v2" type="vec2"/>
  <parameter name="p3" type="vec3"/>
  <parameter name="col" type="color"/>
  <parameter name="rgba" type="color_rgba"/>)";
}  // namespace

TEST(AnimatedParametersTest, PacksEachKindInDefinitionOrder) {
  auto def = definitionFrom(effectXml(kTwoInputs, kMixedParameters));
  ProcessorState state(*def);
  state.parameterValues = {{"a", ParameterValue(0.5)}, {"b", ParameterValue(3)},   {"c", ParameterValue(0.25)},
                           {"d", ParameterValue(1)},   {"e", ParameterValue(true)}, {"f", ParameterValue(2.0)},
                           {"s", ParameterValue("text")}};
  FakeEffectAccess effect;
  effect.vectors = {{"v1", {1, 2}}, {"v2", {3, 4}}, {"p3", {5, 6, 7}}, {"col", {0.1, 0.2, 0.3}},
                    {"rgba", {0.4, 0.5, 0.6, 0.7}}};

  const AnimatedParameters p = buildAnimatedParameters(state, effect);
  ASSERT_EQ(p.floatCount, 3);
  EXPECT_EQ(p.floatValues[0], 0.5f);
  EXPECT_EQ(p.floatValues[1], 0.25f);
  EXPECT_EQ(p.floatValues[2], 2.0f);
  ASSERT_EQ(p.intCount, 2);
  EXPECT_EQ(p.intValues[0], 3);
  EXPECT_EQ(p.intValues[1], 1);
  ASSERT_EQ(p.boolCount, 1);
  EXPECT_EQ(p.boolValues[0], 1);
  ASSERT_EQ(p.vec2Count, 2);
  EXPECT_EQ(p.vec2Values[0][0], 1.0f);
  EXPECT_EQ(p.vec2Values[1][1], 4.0f);
  ASSERT_EQ(p.vec3Count, 1);
  EXPECT_EQ(p.vec3Values[0][2], 7.0f);
  ASSERT_EQ(p.colorCount, 1);
  EXPECT_EQ(p.colorValues[0][1], 0.2f);
  ASSERT_EQ(p.rgbaCount, 1);
  EXPECT_EQ(p.rgbaValues[0][3], 0.7f);
}

TEST(AnimatedParametersTest, AMissingScalarShiftsLaterOrdinalsAndAFailedVectorTakesNoSlot) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kTwoInputs, kMixedParameters));
  ProcessorState state(*def);
  state.parameterValues = {{"c", ParameterValue(0.25)}, {"f", ParameterValue(2.0)}};  // "a" missing
  FakeEffectAccess effect;
  effect.vectors = {{"v2", {3, 4}}};  // v1 and the others cannot be read
  const AnimatedParameters p = buildAnimatedParameters(state, effect);
  ASSERT_EQ(p.floatCount, 2);
  EXPECT_EQ(p.floatValues[0], 0.25f);
  EXPECT_EQ(p.intCount, 0);
  EXPECT_EQ(p.boolCount, 0);
  ASSERT_EQ(p.vec2Count, 1);
  EXPECT_EQ(p.vec2Values[0][0], 3.0f);  // the next vec2 takes index 0
  EXPECT_EQ(p.vec3Count, 0);
  EXPECT_TRUE(log.contains("[ERROR] Failed to fetch vec2 param v1: host has no v1"));
  EXPECT_TRUE(log.contains("[ERROR] Failed to fetch vec3 param p3: host has no p3"));
  EXPECT_TRUE(log.contains("[ERROR] Failed to fetch color param col: host has no col"));
  EXPECT_TRUE(log.contains("[ERROR] Failed to fetch color_rgba param rgba: host has no rgba"));
}

TEST(AnimatedParametersTest, FullKindsDropFurtherValuesSilently) {
  std::string params;
  for (int i = 0; i < 70; ++i) params += "<parameter name=\"f" + std::to_string(i) + "\" type=\"float\"/>";
  for (int i = 0; i < 35; ++i) params += "<parameter name=\"i" + std::to_string(i) + "\" type=\"int\"/>";
  params += "<parameter name=\"last\" type=\"bool\"/>";
  auto def = definitionFrom(effectXml(kTwoInputs, params));
  ProcessorState state(*def);
  for (int i = 0; i < 70; ++i) state.parameterValues["f" + std::to_string(i)] = ParameterValue(double(i));
  for (int i = 0; i < 35; ++i) state.parameterValues["i" + std::to_string(i)] = ParameterValue(i);
  state.parameterValues["last"] = ParameterValue(true);
  FakeEffectAccess effect;
  const AnimatedParameters p = buildAnimatedParameters(state, effect);
  EXPECT_EQ(p.floatCount, 64);
  EXPECT_EQ(p.floatValues[63], 63.0f);
  EXPECT_EQ(p.intCount, 32);
  EXPECT_EQ(p.intValues[31], 31);
  EXPECT_EQ(p.boolCount, 1);  // a later kind still gets its slot
}
