// The frame machinery used together the way the frame set-up uses it: pool lookup, default
// textures, input textures, bundled resources and a processor run per pipeline. A second
// frame of the same size, into the same output buffer, allocates no GPU memory at all.

#include "effect/BundledResources.h"
#include "effect/DefaultTextures.h"
#include "effect/InputTextures.h"
#include "effect/RenderBufferPool.h"
#include "gpu/KernelPassLoop.h"
#include "tests/frame/FrameTestSupport.h"

using frametest::CreatedSince;
using frametest::FakeEffectAccess;
using frametest::PitchedImage;
using frametest::definitionFrom;
using frametest::effectXml;

namespace {

XMLEffectDefinition::KernelDef kernel(const std::string& file, int executions) {
  XMLEffectDefinition::KernelDef k;
  k.platform = "cuda";
  k.file = file;
  k.executions = executions;
  return k;
}

// Copies the red channel of texel (0, 0) of source 0 into every pixel, plus the pass index.
void sampleSourcePass(gpu::Runtime&, void*, const SystemParameters& sp, const PipelineParameters&,
                      const SourceConnections& sc, const AnimatedParameters&, const BundledResources&,
                      const XMLEffectDefinition&, const char*, void*, void* out) {
  const float base = frametest::texelOf(sc.sources[0].textureObject, 0, 0).x;
  const float v = base + static_cast<float>(sp.currentPass);
  auto* surface = reinterpret_cast<gpu::host::SurfaceObject*>(out);
  for (int y = 0; y < sp.height; ++y)
    for (int x = 0; x < sp.width; ++x) gpu::host::surfaceWrite(surface, make_float4(v, v, v, v), x * 16, y);
}

}  // namespace

TEST(SteadyStateFrameTest, ASecondFrameOfTheSameSizeAllocatesNothing) {
  auto def = definitionFrom(effectXml(R"(<source name="Source"/><source name="Matte" noinput="black"/>)"));
  RenderBufferPool pool;
  DefaultTextures defaults;
  InputTextureCache inputs;
  BundledResourceSet resources;
  FakeEffectAccess effect;
  gpu::Runtime& runtime = gpu::hostRuntime();
  PitchedImage source(32, 16, 32 * 16 + 64);
  PitchedImage output(32, 16, 32 * 16 + 16);

  const auto renderFrame = [&](float sourceValue) {
    source.fill([sourceValue](int, int, int) { return sourceValue; });
    ASSERT_TRUE(defaults.createDefaultTextures(runtime, 32, 16));
    ASSERT_TRUE(resources.loadBundledResources(*def, runtime));
    RenderBufferManager* manager = pool.getOrCreateBufferMgr(output.pixels(), 32, 16, 0, runtime);
    const gpu::TextureObject texture =
        inputs.refreshInput(runtime, "Source", source.pixels(), source.rowBytes(), 32, 16);
    ASSERT_NE(texture, 0u);
    effect.defaults[1] = defaults.getDefaultTexture(1);

    ProcessorState state(*def);
    state.bufferManager = manager;
    state.textures = {{"Source", reinterpret_cast<void*>(static_cast<uintptr_t>(texture))}};
    state.kernels = {kernel("first.cu", 13), kernel("second.cu", 2)};
    resources.populateBundledResources(state.bundledResources);
    PassLoopDestination destination;
    destination.present = true;
    destination.width = 32;
    destination.height = 16;
    destination.pixels = output.pixels();
    destination.rowBytes = output.rowBytes();
    KernelPassLoop loop(state, effect, &sampleSourcePass);
    ASSERT_EQ(loop.run(runtime, nullptr, destination), KernelPassLoop::Outcome::Completed);
  };

  renderFrame(10.0f);
  EXPECT_EQ(output.pixel(31, 15)[0], 24.0f);  // 10 + pass 14
  const CreatedSince since;
  renderFrame(20.0f);
  EXPECT_EQ(since.linear(), 0);
  EXPECT_EQ(since.arrays(), 0);
  EXPECT_EQ(since.textures(), 0);
  EXPECT_EQ(since.surfaces(), 0);
  EXPECT_EQ(output.pixel(31, 15)[0], 34.0f);  // the new source reached the kernels
  EXPECT_TRUE(output.paddingUntouched());
  EXPECT_EQ(pool.size(), 1u);
}
