// The three 1x1 default textures: values, lookup by no-input mode, and failures part-way
// that leave nothing behind.

#include "effect/DefaultTextures.h"
#include "tests/frame/FrameTestSupport.h"

using frametest::FrameLog;
using frametest::texelOf;
using Site = gpu::HostRuntime::FaultSite;

TEST(DefaultTexturesTest, BeforeCreationThereIsNone) {
  FrameLog log;
  DefaultTextures defaults;
  EXPECT_EQ(defaults.getDefaultTexture(2), 0u);
  EXPECT_TRUE(log.contains("[ERROR] Default textures not created yet"));
  EXPECT_FALSE(defaults.created());
}

TEST(DefaultTexturesTest, ModesGiveBlackWhiteAndTransparent) {
  DefaultTextures defaults;
  ASSERT_TRUE(defaults.createDefaultTextures(gpu::hostRuntime(), 1920, 1080));
  ASSERT_TRUE(defaults.created());
  const struct {
    int mode;
    float rgba[4];
  } cases[] = {{1, {0, 0, 0, 1}}, {2, {1, 1, 1, 1}}, {3, {0, 0, 0, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    const gpu::TextureObject t = defaults.getDefaultTexture(c.mode);
    ASSERT_NE(t, 0u);
    const float4 v = texelOf(t, 0, 0);
    EXPECT_EQ(v.x, c.rgba[0]);
    EXPECT_EQ(v.y, c.rgba[1]);
    EXPECT_EQ(v.z, c.rgba[2]);
    EXPECT_EQ(v.w, c.rgba[3]);
    const auto& tex = frametest::textureOf(t);
    EXPECT_EQ(tex.width, 1);
    EXPECT_EQ(tex.height, 1);
    EXPECT_EQ(tex.filter, gpu::FilterMode::Linear);
    EXPECT_EQ(tex.addressX, gpu::AddressMode::Clamp);
  }
  EXPECT_EQ(defaults.getDefaultTexture(0), 0u);  // "error" has no default
  EXPECT_EQ(defaults.getDefaultTexture(4), 0u);
  EXPECT_EQ(defaults.white().width, 1);
  EXPECT_FALSE(defaults.black().zeroCopy);
  EXPECT_EQ(defaults.transparent().platform, "cuda");
}

TEST(DefaultTexturesTest, CreatedOnceThenReused) {
  DefaultTextures defaults;
  ASSERT_TRUE(defaults.createDefaultTextures(gpu::hostRuntime(), 8, 8));
  const gpu::TextureObject white = defaults.getDefaultTexture(2);
  const frametest::CreatedSince since;
  ASSERT_TRUE(defaults.createDefaultTextures(gpu::hostRuntime(), 16, 16));
  EXPECT_EQ(since.total(), 0);
  EXPECT_EQ(defaults.getDefaultTexture(2), white);
}

struct DefaultFailureCase {
  const char* name;
  Site site;
  int nth;
  const char* line;
};

class DefaultTextureFailureTest : public ::testing::TestWithParam<DefaultFailureCase> {};

TEST_P(DefaultTextureFailureTest, ReleasesWhatWasMadeAndTheNextFrameStartsAgain) {
  FrameLog log;
  const DefaultFailureCase& c = GetParam();
  const auto live = gpu::hostRuntime().liveObjects();
  DefaultTextures defaults;
  gpu::hostRuntime().injectFault(c.site, c.nth, gpu::Error::MemoryAllocation);
  EXPECT_FALSE(defaults.createDefaultTextures(gpu::hostRuntime(), 4, 4));
  gpu::hostRuntime().clearFaults();
  (void)gpu::hostRuntime().getLastError();
  EXPECT_TRUE(log.contains(c.line)) << log.text();
  EXPECT_FALSE(defaults.created());
  EXPECT_EQ(defaults.getDefaultTexture(1), 0u);
  EXPECT_TRUE(frametest::sameLive(gpu::hostRuntime().liveObjects(), live));

  ASSERT_TRUE(defaults.createDefaultTextures(gpu::hostRuntime(), 4, 4));
  EXPECT_EQ(texelOf(defaults.getDefaultTexture(2), 0, 0).x, 1.0f);
  defaults.release();
  EXPECT_TRUE(frametest::sameLive(gpu::hostRuntime().liveObjects(), live));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultTextureFailureTest,
    ::testing::Values(
        DefaultFailureCase{"BlackArray", Site::Allocation, 1, "[ERROR] Failed to allocate black texture array: out of memory"},
        DefaultFailureCase{"BlackCopy", Site::CopyToArray, 1, "[ERROR] Failed to copy black texture data: out of memory"},
        DefaultFailureCase{"BlackObject", Site::ObjectCreation, 1,
                           "[ERROR] Failed to create black texture object: out of memory"},
        DefaultFailureCase{"WhiteArray", Site::Allocation, 2, "[ERROR] Failed to allocate white texture array: out of memory"},
        DefaultFailureCase{"WhiteCopy", Site::CopyToArray, 2, "[ERROR] Failed to copy white texture data: out of memory"},
        DefaultFailureCase{"WhiteObject", Site::ObjectCreation, 2,
                           "[ERROR] Failed to create white texture object: out of memory"},
        DefaultFailureCase{"TransparentArray", Site::Allocation, 3,
                           "[ERROR] Failed to allocate transparent texture array: out of memory"},
        DefaultFailureCase{"TransparentCopy", Site::CopyToArray, 3,
                           "[ERROR] Failed to copy transparent texture data: out of memory"},
        DefaultFailureCase{"TransparentObject", Site::ObjectCreation, 3,
                           "[ERROR] Failed to create transparent texture object: out of memory"}),
    [](const ::testing::TestParamInfo<DefaultFailureCase>& info) { return std::string(info.param.name); });

TEST(DefaultTexturesTest, AnotherRuntimeGetsItsOwnTextures) {
  gpu::HostRuntime other;
  DefaultTextures defaults;
  ASSERT_TRUE(defaults.createDefaultTextures(other, 4, 4));
  EXPECT_EQ(other.liveObjects().textures, 3);
  ASSERT_TRUE(defaults.createDefaultTextures(gpu::hostRuntime(), 4, 4));
  EXPECT_EQ(other.liveObjects().textures, 0);
  EXPECT_EQ(other.liveObjects().arrays, 0);
  EXPECT_EQ(defaults.black().runtime, static_cast<gpu::Runtime*>(&gpu::hostRuntime()));
}
