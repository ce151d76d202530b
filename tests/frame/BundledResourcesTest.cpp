// Bundled resources: EXR decoding, sampler and wrap modes, the block, lookup keys, failures
// that skip one resource, and the table embedded at build time.

#include "effect/BundledResources.h"
#include "tests/frame/FrameTestSupport.h"

#include <tinyexr.h>

#include <fstream>
#include <iterator>

using frametest::FrameLog;
using frametest::definitionFrom;
using frametest::effectXml;
using Site = gpu::HostRuntime::FaultSite;

namespace {

// An EXR file of width x height RGBA pixels (r = x, g = y, b = 0.5, a = 1), as bytes.
std::vector<unsigned char> makeExr(int width, int height) {
  std::vector<float> rgba(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      float* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      p[0] = static_cast<float>(x);
      p[1] = static_cast<float>(y);
      p[2] = 0.5f;
      p[3] = 1.0f;
    }
  const std::string path = "/tmp/eb_frametest_" + std::to_string(::getpid()) + "_" + std::to_string(width) + "x" +
                           std::to_string(height) + ".exr";
  const char* error = nullptr;
  EXPECT_EQ(SaveEXR(rgba.data(), width, height, 4, 0, path.c_str(), &error), TINYEXR_SUCCESS);
  if (error != nullptr) FreeEXRErrorMessage(error);
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  return bytes;
}

// A lookup over records made in the test, counting its calls.
struct TestTable {
  std::map<std::string, EmbeddedResource> records;
  std::vector<std::string> asked;
  EmbeddedResourceLookup lookup() {
    return [this](const char* key) -> const EmbeddedResource* {
      asked.push_back(key);
      const auto found = records.find(key);
      return found == records.end() ? nullptr : &found->second;
    };
  }
  void add(const std::string& key, const std::vector<unsigned char>& bytes, int channels = 4) {
    records[key] = EmbeddedResource{nullptr, bytes.data(), bytes.size(), 3, 2, channels};
  }
};

std::string texture(const std::string& name, const std::string& file, const std::string& sampler = "linear",
                    const std::string& wrap = "clamp") {
  return "<texture name=\"" + name + "\" file=\"" + file + "\" sampler=\"" + sampler + "\" wrap=\"" + wrap + "\"/>";
}

const char kInput[] = R"(<source name="Source"/>)";

}  // namespace

TEST(BundledResourcesTest, LookupKeyDropsTheLastExtensionOnly) {
  EXPECT_EQ(BundledResourceSet::lookupKey("noise.exr"), "noise");
  EXPECT_EQ(BundledResourceSet::lookupKey("tex/grad.hdr.exr"), "tex/grad.hdr");
  EXPECT_EQ(BundledResourceSet::lookupKey("plain"), "plain");
  EXPECT_EQ(BundledResourceSet::samplerModeFromText("nearest"), 1);
  EXPECT_EQ(BundledResourceSet::samplerModeFromText("Nearest"), 0);
  EXPECT_EQ(BundledResourceSet::wrapModeFromText("repeat"), 1);
  EXPECT_EQ(BundledResourceSet::wrapModeFromText("mirror"), 2);
  EXPECT_EQ(BundledResourceSet::wrapModeFromText("clamp"), 0);
}

TEST(BundledResourcesTest, WithoutResourcesTheBlockIsEmptyAndNothingIsLoggedAgain) {
  FrameLog log;
  auto def = definitionFrom(effectXml(kInput));
  BundledResourceSet set;
  EXPECT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime()));
  EXPECT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime()));
  EXPECT_EQ(log.count("No bundled resources to load"), 1u);
  BundledResources block{};
  block.resourceCount = 9;
  set.populateBundledResources(block);
  EXPECT_EQ(block.resourceCount, 0);
}

TEST(BundledResourcesTest, DecodesUploadsAndDescribesEachResource) {
  FrameLog log;
  const std::vector<unsigned char> exr = makeExr(3, 2);
  TestTable table;
  table.add("grad", exr, 3);
  table.add("tex/noise.hdr", exr, 4);
  auto def = definitionFrom(effectXml(
      kInput, "", texture("g", "grad.exr", "nearest", "repeat") + texture("n", "tex/noise.hdr.exr", "linear", "mirror") +
                      texture("c", "grad.exr", "linear", "clamp")));
  BundledResourceSet set;
  ASSERT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime(), table.lookup()));
  EXPECT_EQ(table.asked, (std::vector<std::string>{"grad", "tex/noise.hdr", "grad"}));
  ASSERT_EQ(set.resources().size(), 3u);

  BundledResources block{};
  set.populateBundledResources(block);
  ASSERT_EQ(block.resourceCount, 3);
  const struct {
    const char* name;
    int channels, sampler, wrap;
    gpu::FilterMode filter;
    gpu::AddressMode address;
  } expected[] = {{"g", 3, 1, 1, gpu::FilterMode::Point, gpu::AddressMode::Wrap},
                  {"n", 4, 0, 2, gpu::FilterMode::Linear, gpu::AddressMode::Mirror},
                  {"c", 3, 0, 0, gpu::FilterMode::Linear, gpu::AddressMode::Clamp}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const BundledResource& r = block.resources[i];
    EXPECT_STREQ(r.name, expected[i].name);
    EXPECT_EQ(r.width, 3);
    EXPECT_EQ(r.height, 2);
    EXPECT_EQ(r.channels, expected[i].channels);
    EXPECT_EQ(r.samplerMode, expected[i].sampler);
    EXPECT_EQ(r.wrapMode, expected[i].wrap);
    const auto& tex = frametest::textureOf(r.textureObject);
    EXPECT_EQ(tex.filter, expected[i].filter);
    EXPECT_EQ(tex.addressX, expected[i].address);
    EXPECT_EQ(tex.addressY, expected[i].address);
    EXPECT_EQ(tex.coordScaleX, 3.0f);  // normalised coordinates
    const float4 texel = frametest::texelOf(tex, 2, 1);
    EXPECT_EQ(texel.x, 2.0f);
    EXPECT_EQ(texel.y, 1.0f);
    EXPECT_EQ(texel.z, 0.5f);
    EXPECT_EQ(texel.w, 1.0f);
  }
  EXPECT_TRUE(log.contains("[INFO] Loading 3 bundled resources..."));
  EXPECT_TRUE(log.contains("Loading resource 'g': 3x2, 3 channels, " + std::to_string(exr.size()) + " bytes"));
  EXPECT_TRUE(log.contains("[INFO] Created CUDA texture for resource 'n'"));
  EXPECT_TRUE(log.contains("[INFO] Loaded 3/3 bundled resources successfully"));

  const auto live = gpu::hostRuntime().liveObjects();
  set.freeBundledResources();
  EXPECT_EQ(gpu::hostRuntime().liveObjects().textures, live.textures - 3);
  EXPECT_EQ(gpu::hostRuntime().liveObjects().arrays, live.arrays - 3);
  EXPECT_FALSE(set.loaded());
  EXPECT_TRUE(log.contains("Freeing 3 bundled resources"));
}

TEST(BundledResourcesTest, AMissingResourceIsLoggedOnceAndNeverRetried) {
  FrameLog log;
  TestTable table;
  auto def = definitionFrom(effectXml(kInput, "", texture("grain", "grain.exr")));
  BundledResourceSet set;
  EXPECT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime(), table.lookup()));
  EXPECT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime(), table.lookup()));
  EXPECT_EQ(log.count("[ERROR] Bundled resource 'grain' (file: grain.exr, lookup: grain) not found in embedded data"), 1u);
  EXPECT_EQ(table.asked.size(), 1u);
  BundledResources block{};
  set.populateBundledResources(block);
  EXPECT_EQ(block.resourceCount, 0);
  EXPECT_TRUE(log.contains("Loaded 0/1 bundled resources successfully"));
}

TEST(BundledResourcesTest, UndecodableDataSkipsOnlyThatResource) {
  FrameLog log;
  const std::vector<unsigned char> garbage(64, 0x42);
  const std::vector<unsigned char> exr = makeExr(2, 2);
  TestTable table;
  table.add("bad", garbage);
  table.add("good", exr);
  auto def = definitionFrom(effectXml(kInput, "", texture("b", "bad.exr") + texture("ok", "good.exr")));
  BundledResourceSet set;
  ASSERT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime(), table.lookup()));
  ASSERT_EQ(set.resources().size(), 1u);
  EXPECT_EQ(set.resources()[0].name, "ok");
  EXPECT_TRUE(log.contains("[ERROR] Failed to decode EXR 'b': "));
  EXPECT_TRUE(log.contains("Loaded 1/2 bundled resources successfully"));
}

struct ResourceFailureCase {
  const char* name;
  Site site;
  const char* line;
};

class ResourceFailureTest : public ::testing::TestWithParam<ResourceFailureCase> {};

TEST_P(ResourceFailureTest, LogsReleasesAndGoesOn) {
  FrameLog log;
  const std::vector<unsigned char> exr = makeExr(2, 2);
  TestTable table;
  table.add("a", exr);
  auto def = definitionFrom(effectXml(kInput, "", texture("first", "a.exr") + texture("second", "a.exr")));
  const auto live = gpu::hostRuntime().liveObjects();
  BundledResourceSet set;
  gpu::hostRuntime().injectFault(GetParam().site, 1, gpu::Error::MemoryAllocation);
  ASSERT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime(), table.lookup()));
  gpu::hostRuntime().clearFaults();
  (void)gpu::hostRuntime().getLastError();
  EXPECT_TRUE(log.contains(GetParam().line)) << log.text();
  ASSERT_EQ(set.resources().size(), 1u);
  EXPECT_EQ(set.resources()[0].name, "second");
  set.freeBundledResources();
  EXPECT_TRUE(frametest::sameLive(gpu::hostRuntime().liveObjects(), live));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResourceFailureTest,
    ::testing::Values(
        ResourceFailureCase{"Array", Site::Allocation, "[ERROR] Failed to allocate CUDA array for 'first': out of memory"},
        ResourceFailureCase{"Copy", Site::CopyToArray, "[ERROR] Failed to copy data to CUDA array for 'first': out of memory"},
        ResourceFailureCase{"Texture", Site::ObjectCreation,
                            "[ERROR] Failed to create CUDA texture object for 'first': out of memory"}),
    [](const ::testing::TestParamInfo<ResourceFailureCase>& info) { return std::string(info.param.name); });

TEST(BundledResourcesTest, SeventeenResourcesFillTheBlockWithTheFirstSixteen) {
  FrameLog log;
  const std::vector<unsigned char> exr = makeExr(1, 1);
  TestTable table;
  table.add("one", exr);
  std::string textures;
  for (int i = 0; i < 17; ++i) textures += texture("r" + std::to_string(i), "one.exr");
  auto def = definitionFrom(effectXml(kInput, "", textures));
  BundledResourceSet set;
  ASSERT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime(), table.lookup()));
  ASSERT_EQ(set.resources().size(), 17u);
  BundledResources block{};
  set.populateBundledResources(block);
  EXPECT_EQ(block.resourceCount, 16);
  EXPECT_STREQ(block.resources[15].name, "r15");
  EXPECT_TRUE(log.contains("[ERROR] WARNING: 17 bundled resources exceed MAX_BUNDLED_RESOURCES (16), truncated"));
}

TEST(BundledResourcesTest, TheBuildTimeTableIsTheDefaultLookup) {
  // tests/frame/CMakeLists.txt embeds a generated 4x3 EXR under the key "fixture_gradient".
  const EmbeddedResource* record = findEmbeddedResource("fixture_gradient");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->width, 4);
  EXPECT_EQ(record->height, 3);
  EXPECT_EQ(record->channels, 4);
  EXPECT_EQ(findEmbeddedResource("fixture_gradient.exr"), nullptr);
  EXPECT_EQ(findEmbeddedResource(nullptr), nullptr);

  auto def = definitionFrom(effectXml(kInput, "", texture("grad", "fixture_gradient.exr", "nearest", "repeat")));
  BundledResourceSet set;
  ASSERT_TRUE(set.loadBundledResources(*def, gpu::hostRuntime()));
  ASSERT_EQ(set.resources().size(), 1u);
  BundledResources block{};
  set.populateBundledResources(block);
  ASSERT_EQ(block.resourceCount, 1);
  EXPECT_EQ(block.resources[0].samplerMode, 1);
  EXPECT_EQ(block.resources[0].wrapMode, 1);
  EXPECT_EQ(frametest::texelOf(block.resources[0].textureObject, 3, 2).x, 3.0f);
}
