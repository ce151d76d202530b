// Input textures: the create/update/rebuild decisions, the zero-copy and array paths chosen
// by the pointer attributes, row pitches, and every failure row.

#include "effect/InputTextures.h"
#include "tests/frame/FrameTestSupport.h"

using frametest::CreatedSince;
using frametest::FrameLog;
using frametest::PitchedImage;
using frametest::texelOf;
using Refresh = InputTextureCache::Refresh;
using Site = gpu::HostRuntime::FaultSite;

namespace {

void fillWith(PitchedImage& image, float base) {
  image.fill([base](int x, int y, int c) { return base + static_cast<float>(x * 100 + y * 10 + c); });
}

struct DecideCase {
  const char* name;
  bool hasEntry;
  bool entryZeroCopy;
  bool isDevice;
  bool sameSource;
  int width;
  bool sameRuntime;
  Refresh expected;
};

}  // namespace

class TextureDecisionTest : public ::testing::TestWithParam<DecideCase> {};

TEST_P(TextureDecisionTest, Decides) {
  const DecideCase& c = GetParam();
  gpu::HostRuntime other;
  TextureCache entry;
  entry.source = reinterpret_cast<const void*>(0x1000);
  entry.width = 8;
  entry.height = 4;
  entry.zeroCopy = c.entryZeroCopy;
  entry.runtime = c.sameRuntime ? static_cast<gpu::Runtime*>(&gpu::hostRuntime()) : &other;
  const void* pixels = reinterpret_cast<const void*>(c.sameSource ? 0x1000 : 0x2000);
  EXPECT_EQ(InputTextureCache::decide(c.hasEntry ? &entry : nullptr, c.isDevice, pixels, c.width, 4, gpu::hostRuntime()),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextureDecisionTest,
    ::testing::Values(DecideCase{"NoEntry", false, false, false, true, 8, true, Refresh::Create},
                      DecideCase{"DeviceOverArray", true, false, true, true, 8, true, Refresh::Create},
                      DecideCase{"DeviceOverZeroCopy", true, true, true, true, 8, true, Refresh::Update},
                      DecideCase{"HostOverArray", true, false, false, true, 8, true, Refresh::Update},
                      DecideCase{"HostOverZeroCopy", true, true, false, true, 8, true, Refresh::Update},
                      DecideCase{"NewAddress", true, false, false, false, 8, true, Refresh::Rebuild},
                      DecideCase{"NewWidth", true, true, true, true, 9, true, Refresh::Rebuild},
                      DecideCase{"OtherRuntime", true, false, false, true, 8, false, Refresh::Create}),
    [](const ::testing::TestParamInfo<DecideCase>& info) { return std::string(info.param.name); });

TEST(InputTexturesTest, HostImageGivesAnArrayTextureRefilledEveryFrame) {
  FrameLog log;
  InputTextureCache cache;
  PitchedImage image(5, 3, 5 * 16 + 32);  // padded rows
  fillWith(image, 0.0f);
  const gpu::TextureObject first = cache.refreshInput(gpu::hostRuntime(), "Source", image.pixels(), image.rowBytes(), 5, 3);
  ASSERT_NE(first, 0u);
  const auto entry = cache.entry("Source");
  ASSERT_TRUE(entry.has_value());
  EXPECT_FALSE(entry->zeroCopy);
  EXPECT_NE(entry->array, nullptr);
  EXPECT_EQ(entry->platform, "cuda");
  EXPECT_EQ(texelOf(first, 4, 2).y, 421.0f);  // the row pitch was honoured
  EXPECT_TRUE(log.contains("Created texture for: Source"));

  fillWith(image, 1000.0f);
  const CreatedSince since;
  EXPECT_EQ(cache.refreshInput(gpu::hostRuntime(), "Source", image.pixels(), image.rowBytes(), 5, 3), first);
  EXPECT_EQ(since.total(), 0);  // same array, same texture object
  EXPECT_EQ(cache.entry("Source")->array, entry->array);
  EXPECT_EQ(texelOf(first, 4, 2).y, 1421.0f);
}

TEST(InputTexturesTest, DeviceImageGivesAZeroCopyViewRecreatedEveryFrame) {
  FrameLog log;
  InputTextureCache cache;
  PitchedImage image(4, 4, 4 * 16 + 64, /*device=*/true);
  fillWith(image, 0.0f);
  const CreatedSince since;
  const gpu::TextureObject view = cache.refreshInput(gpu::hostRuntime(), "Matte", image.pixels(), image.rowBytes(), 4, 4);
  ASSERT_NE(view, 0u);
  EXPECT_TRUE(cache.entry("Matte")->zeroCopy);
  EXPECT_EQ(cache.entry("Matte")->array, nullptr);
  EXPECT_EQ(since.arrays(), 0);
  EXPECT_EQ(since.textures(), 1);
  EXPECT_EQ(texelOf(view, 3, 3).x, 330.0f);
  EXPECT_TRUE(log.contains("✅ Created zero-copy pitch2D texture for 'Matte' (4x4, pitch=128, no GPU copy!)"));

  const int liveTextures = gpu::hostRuntime().liveObjects().textures;
  const gpu::TextureObject again = cache.refreshInput(gpu::hostRuntime(), "Matte", image.pixels(), image.rowBytes(), 4, 4);
  ASSERT_NE(again, 0u);
  EXPECT_EQ(since.arrays(), 0);
  EXPECT_EQ(since.textures(), 2);  // only the view is re-created
  EXPECT_EQ(gpu::hostRuntime().liveObjects().textures, liveTextures);  // the old view is gone
}

TEST(InputTexturesTest, AnArrayEntryWhoseImageMovesToDeviceMemoryBecomesZeroCopy) {
  InputTextureCache cache;
  PitchedImage host(4, 2, 64);
  PitchedImage device(4, 2, 64, true);
  fillWith(host, 0.0f);
  fillWith(device, 5.0f);
  ASSERT_NE(cache.refreshInput(gpu::hostRuntime(), "In", host.pixels(), 64, 4, 2), 0u);
  const auto live = gpu::hostRuntime().liveObjects();
  const gpu::TextureObject view = cache.refreshInput(gpu::hostRuntime(), "In", device.pixels(), 64, 4, 2);
  ASSERT_NE(view, 0u);
  EXPECT_TRUE(cache.entry("In")->zeroCopy);
  EXPECT_EQ(gpu::hostRuntime().liveObjects().arrays, live.arrays - 1);  // the old array is gone
  EXPECT_EQ(texelOf(view, 0, 0).x, 5.0f);
}

TEST(InputTexturesTest, ARefusedViewFallsBackToAnArrayAndIsRetriedEveryFrame) {
  FrameLog log;
  InputTextureCache cache;
  // A pitch that is not a multiple of 16 bytes: the runtime refuses a pitch2D view.
  PitchedImage image(3, 3, 3 * 16 + 8, true);
  fillWith(image, 0.0f);
  const gpu::TextureObject texture = cache.refreshInput(gpu::hostRuntime(), "In", image.pixels(), image.rowBytes(), 3, 3);
  ASSERT_NE(texture, 0u);
  EXPECT_FALSE(cache.entry("In")->zeroCopy);
  EXPECT_EQ(texelOf(texture, 2, 2).z, 222.0f);
  EXPECT_TRUE(log.contains("Zero-copy pitch2D failed (invalid argument), falling back to cudaArray copy"));
  EXPECT_EQ(gpu::hostRuntime().getLastError(), gpu::Error::Success);

  log.mark();
  const CreatedSince since;
  ASSERT_NE(cache.refreshInput(gpu::hostRuntime(), "In", image.pixels(), image.rowBytes(), 3, 3), 0u);
  EXPECT_EQ(since.arrays(), 1);  // created anew: device memory while cached as an array
  EXPECT_TRUE(log.contains("Zero-copy pitch2D failed"));
  EXPECT_TRUE(log.contains("Created texture for: In"));
}

TEST(InputTexturesTest, AChangedAddressOrSizeRebuilds) {
  FrameLog log;
  InputTextureCache cache;
  PitchedImage a(4, 4, 64), b(4, 4, 64), small(2, 4, 32);
  fillWith(a, 0.0f);
  fillWith(b, 7.0f);
  fillWith(small, 9.0f);
  ASSERT_NE(cache.refreshInput(gpu::hostRuntime(), "In", a.pixels(), 64, 4, 4), 0u);
  const gpu::TextureObject rebuilt = cache.refreshInput(gpu::hostRuntime(), "In", b.pixels(), 64, 4, 4);
  ASSERT_NE(rebuilt, 0u);
  EXPECT_EQ(cache.entry("In")->source, static_cast<const void*>(b.pixels()));
  EXPECT_EQ(texelOf(rebuilt, 0, 0).x, 7.0f);
  const gpu::TextureObject smaller = cache.refreshInput(gpu::hostRuntime(), "In", small.pixels(), 32, 2, 4);
  ASSERT_NE(smaller, 0u);
  EXPECT_EQ(cache.entry("In")->width, 2);
  EXPECT_EQ(log.count("Recreated texture for dimension change: In"), 2u);
  EXPECT_EQ(cache.size(), 1u);
}

struct CreateFailureCase {
  const char* name;
  bool device;
  int rowPadding;
  Site site;
  int nth;
  const char* line;
};

class TextureCreateFailureTest : public ::testing::TestWithParam<CreateFailureCase> {};

TEST_P(TextureCreateFailureTest, LogsLeavesNoEntryAndLeaksNothing) {
  FrameLog log;
  const CreateFailureCase& c = GetParam();
  InputTextureCache cache;
  PitchedImage image(4, 4, 64 + c.rowPadding, c.device);
  fillWith(image, 0.0f);
  const auto live = gpu::hostRuntime().liveObjects();
  gpu::hostRuntime().injectFault(c.site, c.nth, gpu::Error::MemoryAllocation);
  EXPECT_EQ(cache.refreshInput(gpu::hostRuntime(), "In", image.pixels(), image.rowBytes(), 4, 4), 0u);
  gpu::hostRuntime().clearFaults();
  (void)gpu::hostRuntime().getLastError();
  EXPECT_FALSE(cache.entry("In").has_value());
  EXPECT_TRUE(frametest::sameLive(gpu::hostRuntime().liveObjects(), live));
  EXPECT_TRUE(log.contains(c.line)) << log.text();
  EXPECT_TRUE(log.contains("[ERROR] Failed to create texture for: In"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextureCreateFailureTest,
    ::testing::Values(
        CreateFailureCase{"ArrayAllocation", false, 0, Site::Allocation, 1, "[ERROR] cudaMallocArray failed: out of memory"},
        CreateFailureCase{"HostCopy", false, 0, Site::CopyToArray, 1,
                          "[ERROR] cudaMemcpy2DToArray failed (HostToDevice): out of memory"},
        CreateFailureCase{"DeviceCopy", true, 8, Site::CopyToArray, 1,
                          "[ERROR] cudaMemcpy2DToArray failed (DeviceToDevice): out of memory"},
        CreateFailureCase{"TextureObject", false, 0, Site::ObjectCreation, 1,
                          "[ERROR] cudaCreateTextureObject failed: out of memory"}),
    [](const ::testing::TestParamInfo<CreateFailureCase>& info) { return std::string(info.param.name); });

TEST(InputTexturesTest, AFailedPointerQueryCountsAsHostMemory) {
  FrameLog log;
  InputTextureCache cache;
  PitchedImage image(2, 2, 32, true);
  gpu::hostRuntime().injectFault(Site::PointerAttributes, 1, gpu::Error::InvalidValue);
  ASSERT_TRUE(cache.createTexture(gpu::hostRuntime(), "In", 2, 2, image.pixels(), 32));
  gpu::hostRuntime().clearFaults();
  EXPECT_FALSE(cache.entry("In")->zeroCopy);
  EXPECT_TRUE(log.contains("[DEBUG] cudaPointerGetAttributes failed (assuming host memory): invalid argument"));
  EXPECT_EQ(gpu::hostRuntime().getLastError(), gpu::Error::Success);
}

TEST(InputTexturesTest, AFailedViewUpdateLeavesTheTextureAtZeroAndTheNextFrameRecovers) {
  FrameLog log;
  InputTextureCache cache;
  PitchedImage image(4, 4, 64, true);
  ASSERT_NE(cache.refreshInput(gpu::hostRuntime(), "In", image.pixels(), 64, 4, 4), 0u);
  const auto live = gpu::hostRuntime().liveObjects();
  gpu::hostRuntime().injectFault(Site::ObjectCreation, 1, gpu::Error::InvalidValue);
  EXPECT_EQ(cache.refreshInput(gpu::hostRuntime(), "In", image.pixels(), 64, 4, 4), 0u);
  gpu::hostRuntime().clearFaults();
  (void)gpu::hostRuntime().getLastError();
  EXPECT_TRUE(log.contains("[ERROR] cudaCreateTextureObject (pitch2D update) failed: invalid argument"));
  EXPECT_EQ(cache.entry("In")->texture, 0u);  // never names the destroyed object
  EXPECT_EQ(gpu::hostRuntime().liveObjects().textures, live.textures - 1);
  // Cleaning up now destroys nothing twice; the next frame makes a new view.
  EXPECT_NE(cache.refreshInput(gpu::hostRuntime(), "In", image.pixels(), 64, 4, 4), 0u);
  EXPECT_EQ(gpu::hostRuntime().liveObjects().textures, live.textures);
}

TEST(InputTexturesTest, UpdateFailuresAreReported) {
  FrameLog log;
  InputTextureCache cache;
  EXPECT_FALSE(cache.updateTextureData("Nope", nullptr, 16));
  EXPECT_TRUE(log.contains("[ERROR] No cached texture found for Nope"));

  PitchedImage image(4, 4, 64);
  ASSERT_TRUE(cache.createTexture(gpu::hostRuntime(), "In", 4, 4, image.pixels(), 64));
  gpu::hostRuntime().injectFault(Site::CopyToArray, 1, gpu::Error::InvalidValue);
  EXPECT_FALSE(cache.updateTextureData("In", image.pixels(), 64));
  gpu::hostRuntime().clearFaults();
  (void)gpu::hostRuntime().getLastError();
  EXPECT_TRUE(log.contains("[ERROR] cudaMemcpy2DToArray failed (HostToDevice): invalid argument"));
  EXPECT_NE(cache.entry("In")->texture, 0u);  // the texture object stays
  EXPECT_FALSE(cache.updateTextureData("In", image.pixels(), 16));  // a pitch smaller than a row
}

TEST(InputTexturesTest, UnusableImagesAreRefusedWithoutTouchingMemory) {
  FrameLog log;
  InputTextureCache cache;
  PitchedImage image(4, 4, 64);
  EXPECT_FALSE(cache.createTexture(gpu::hostRuntime(), "In", 4, 4, nullptr, 64));
  EXPECT_FALSE(cache.createTexture(gpu::hostRuntime(), "In", 0, 4, image.pixels(), 64));
  EXPECT_FALSE(cache.createTexture(gpu::hostRuntime(), "In", 4, 4, image.pixels(), 32));
  EXPECT_EQ(log.count("Unusable image for texture In"), 3u);
  EXPECT_EQ(cache.size(), 0u);
}

TEST(InputTexturesTest, CleanupReleasesEveryEntry) {
  const auto live = gpu::hostRuntime().liveObjects();
  {
    InputTextureCache cache;
    PitchedImage host(4, 4, 64), device(4, 4, 64, true);
    ASSERT_TRUE(cache.createTexture(gpu::hostRuntime(), "A", 4, 4, host.pixels(), 64));
    ASSERT_TRUE(cache.createTexture(gpu::hostRuntime(), "B", 4, 4, device.pixels(), 64));
    cache.cleanupTextures();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(gpu::hostRuntime().liveObjects().textures, live.textures);
    EXPECT_EQ(gpu::hostRuntime().liveObjects().arrays, live.arrays);
    ASSERT_TRUE(cache.createTexture(gpu::hostRuntime(), "A", 4, 4, host.pixels(), 64));
  }  // the destructor releases what is left
  EXPECT_TRUE(frametest::sameLive(gpu::hostRuntime().liveObjects(), live));
}
