// GenericProcessor through the OpenFX support library against the in-memory fake host:
// which entry runs for each GPU mode (no GPU mode runs the passes on the host backend),
// the destination image as output target, "Blend", default textures and vector
// parameters read through the instance, and the support library's CPU entry.

#include "gpu/GenericProcessor.h"
#include "gpu/RenderBufferManager.h"
#include "openfx/support/Image.h"
#include "openfx/support/ImageEffect.h"
#include "openfx/support/Suites.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/openfx/SupportFakeHost.h"

using frametest::FrameLog;
using frametest::definitionFrom;
using frametest::effectXml;

namespace {

// An instance that is the framework's own as far as the processor can tell.
class HookedEffect : public OFX::ImageEffect, public GenericEffectHooks {
 public:
  explicit HookedEffect(OfxImageEffectHandle handle) : OFX::ImageEffect(handle) {}
  unsigned long long getDefaultTexture(int mode) override {
    lastMode = mode;
    return mode == 2 ? 0x7700 : 0;
  }
  int lastMode = -1;
};

struct PassSeen {
  gpu::Backend backend;
  void* stream;
  int pass;
};

XMLEffectDefinition::KernelDef kernel(const std::string& file, int executions) {
  XMLEffectDefinition::KernelDef k;
  k.platform = "cuda";
  k.file = file;
  k.executions = executions;
  return k;
}

const char kInputs[] = R"(<source name="Source" noinput="error"/><source name="Matte" noinput="white"/>)";
const char kParameters[] = R"(<parameter name="amount" type="float"/><parameter name="offset" type="vec2"/>)";

}  // namespace

class GenericProcessorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OFX::Private::setHost(host.host());
    fx = &host.newEffect();
    host.addParam(*fx, kOfxParamTypeDouble, "Blend", {0.4});
    host.addParam(*fx, kOfxParamTypeDouble2D, "offset", {1.5, -2.0});
    fakehost::Clip& out = host.addClip(*fx, "Output");
    outImage = &host.giveImage(out, OfxRectI{0, 0, 6, 4}, 0.0f, 32);
    fakehost::Clip& src = host.addClip(*fx, "Source");
    srcImage = &host.giveImage(src, OfxRectI{0, 0, 6, 4}, 0.0f, 0);
    for (size_t i = 0; i < srcImage->pixels.size(); ++i) srcImage->pixels[i] = static_cast<float>(i);
    effect = std::make_unique<HookedEffect>(fakehost::FakeHost::handle(*fx));
    output = std::make_unique<OFX::Image>(fakehost::FakeHost::handle(outImage->props));
    source = std::make_unique<OFX::Image>(fakehost::FakeHost::handle(srcImage->props));
    def = definitionFrom(effectXml(kInputs, kParameters));
  }
  void TearDown() override {
    output.reset();
    source.reset();
    effect.reset();
    OFX::Private::setHost(nullptr);
  }

  // A processor configured as the effect instance does, recording its passes and writing
  // (pass + 1) into every pixel of each pass's output surface.
  std::unique_ptr<GenericProcessor> makeProcessor(OFX::ImageEffect& instance, const OFX::RenderArguments& args) {
    auto p = std::make_unique<GenericProcessor>(instance, *def);
    p->setImages({{"output", output.get()}, {"Source", source.get()}});
    p->setBufferManager(&manager);
    p->setKernels({kernel("k.cu", 3)});
    p->setGPURenderArgs(args);
    p->setRenderWindow(OfxRectI{0, 0, 6, 4});
    p->setPassRunner([this](gpu::Runtime& runtime, void* stream, const SystemParameters& sp, const PipelineParameters&,
                            const SourceConnections&, const AnimatedParameters&, const BundledResources&,
                            const XMLEffectDefinition&, const char*, void*, void* out) {
      seen.push_back(PassSeen{runtime.backend(), stream, sp.currentPass});
      const float v = static_cast<float>(sp.currentPass + 1);
      auto* surface = reinterpret_cast<gpu::host::SurfaceObject*>(out);
      for (int y = 0; y < sp.height; ++y)
        for (int x = 0; x < sp.width; ++x) gpu::host::surfaceWrite(surface, make_float4(v, v, v, v), x * 16, y);
    });
    return p;
  }

  float outputAt(int x, int y, int c) const {
    const int rowFloats = (6 * 16 + 32) / 4;
    return outImage->pixels[static_cast<size_t>(y * rowFloats + x * 4 + c)];
  }

  fakehost::FakeHost host;
  fakehost::Effect* fx = nullptr;
  fakehost::Image* outImage = nullptr;
  fakehost::Image* srcImage = nullptr;
  std::unique_ptr<HookedEffect> effect;
  std::unique_ptr<OFX::Image> output;
  std::unique_ptr<OFX::Image> source;
  std::unique_ptr<XMLEffectDefinition> def;
  RenderBufferManager manager{gpu::hostRuntime()};
  std::vector<PassSeen> seen;
};

TEST_F(GenericProcessorTest, WithoutAGpuModeThePassesRunOnTheHostBackendIntoThePaddedOutput) {
  FrameLog log;
  OFX::RenderArguments args;  // no GPU mode enabled
  auto processor = makeProcessor(*effect, args);
  processor->process();
  ASSERT_EQ(seen.size(), 3u);
  for (const PassSeen& s : seen) EXPECT_EQ(s.backend, gpu::Backend::Host);
  EXPECT_EQ(processor->lastOutcome(), KernelPassLoop::Outcome::Completed);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(outputAt(x, y, 0), 3.0f) << x << "," << y;
  for (int y = 0; y < 4; ++y)
    for (int pad = 0; pad < 8; ++pad) EXPECT_EQ(outputAt(6, y, pad), 0.0f);  // row padding untouched
  EXPECT_FALSE(log.contains("CPU fallback called"));
  EXPECT_TRUE(log.contains("GenericProcessor created for effect: Frame Fixture"));
  EXPECT_TRUE(log.contains("GenericProcessor: Set 2 images"));
}

TEST_F(GenericProcessorTest, CudaRenderUsesTheCudaBackendWhenItCanRunElseTheHostBackend) {
  OFX::RenderArguments args;
  args.isEnabledCudaRender = true;
  args.pCudaStream = reinterpret_cast<void*>(0x5150);
  auto processor = makeProcessor(*effect, args);
  processor->setRuntime(gpu::hostRuntime());  // the instance's textures live there
  processor->process();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].backend, gpu::Backend::Host);
  EXPECT_EQ(seen[0].stream, nullptr);  // the host's CUDA stream means nothing to the host backend
  if (gpu::cudaRuntime() == nullptr) {
    seen.clear();
    auto chosen = makeProcessor(*effect, args);
    chosen->process();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].backend, gpu::Backend::Host);
  }
}

TEST_F(GenericProcessorTest, OpenCLIsRefusedAndMetalDoesNothing) {
  FrameLog log;
  OFX::RenderArguments args;
  args.isEnabledOpenCLRender = true;
  makeProcessor(*effect, args)->process();
  EXPECT_TRUE(log.contains("[ERROR] OpenCL no longer supported - use CUDA or Metal"));
  OFX::RenderArguments metal;
  metal.isEnabledMetalRender = true;
  makeProcessor(*effect, metal)->process();
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(outputAt(0, 0, 0), 0.0f);
}

TEST_F(GenericProcessorTest, BlocksReadBlendDefaultTexturesAndVectorsThroughTheInstance) {
  OFX::RenderArguments args;
  args.time = 3.0;
  auto processor = makeProcessor(*effect, args);
  processor->setTextures({{"Source", reinterpret_cast<void*>(0x1234)}});
  processor->setParameters({{"amount", ParameterValue(0.75)}});
  const SystemParameters sp = processor->createSystemParameters(6, 4);
  EXPECT_FLOAT_EQ(sp.globalBlend, 0.4f);
  EXPECT_EQ(sp.frameRate, 25.0f);
  EXPECT_EQ(sp.frameNumber, 72);
  const SourceConnections sc = processor->createSourceConnections();
  ASSERT_EQ(sc.sourceCount, 2);
  EXPECT_EQ(sc.sources[0].textureObject, 0x1234u);
  EXPECT_EQ(sc.sources[1].textureObject, 0x7700u);  // the white default of the instance
  EXPECT_EQ(effect->lastMode, 2);
  const AnimatedParameters ap = processor->createAnimatedParameters();
  EXPECT_EQ(ap.floatCount, 1);
  EXPECT_EQ(ap.floatValues[0], 0.75f);
  ASSERT_EQ(ap.vec2Count, 1);
  EXPECT_EQ(ap.vec2Values[0][0], 1.5f);
  EXPECT_EQ(ap.vec2Values[0][1], -2.0f);
  EXPECT_STREQ(processor->createPipelineParameters().effectName, "Frame Fixture");
}

TEST_F(GenericProcessorTest, AnInstanceThatIsNotTheFrameworksGetsNeutralBlocks) {
  FrameLog log;
  OFX::ImageEffect plain(fakehost::FakeHost::handle(host.newEffect()));
  OFX::RenderArguments args;
  auto processor = makeProcessor(plain, args);
  EXPECT_EQ(processor->createSystemParameters(6, 4).globalBlend, 1.0f);
  EXPECT_EQ(processor->createSourceConnections().sourceCount, 0);
  EXPECT_TRUE(log.contains("[ERROR] Failed to cast to GenericEffect"));
}

TEST_F(GenericProcessorTest, TheSupportLibrarysCpuEntryPassesTheFirstRequiredInputThrough) {
  FrameLog log;
  OFX::RenderArguments args;
  auto processor = makeProcessor(*effect, args);
  processor->multiThreadProcessImages(OfxRectI{1, 1, 4, 3});
  EXPECT_TRUE(log.contains("🔴 GenericProcessor: CPU fallback called! (GPU unavailable)"));
  const int srcRowFloats = 6 * 4;
  EXPECT_EQ(outputAt(1, 1, 2), srcImage->pixels[static_cast<size_t>(1 * srcRowFloats + 1 * 4 + 2)]);
  EXPECT_EQ(outputAt(3, 2, 0), srcImage->pixels[static_cast<size_t>(2 * srcRowFloats + 3 * 4)]);
  EXPECT_EQ(outputAt(0, 1, 0), 0.0f);  // outside the window
  EXPECT_EQ(outputAt(4, 2, 0), 0.0f);

  auto noSource = std::make_unique<GenericProcessor>(*effect, *def);
  noSource->setImages({{"output", output.get()}});
  noSource->multiThreadProcessImages(OfxRectI{0, 0, 6, 4});
  EXPECT_TRUE(log.contains("[ERROR] Missing source or destination image for CPU processing"));
}
