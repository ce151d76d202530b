// The CUDA backend against the host backend, input by input: texture fetches of every filter
// and address mode, pitched textures, surfaces, the buffer manager's copies and the final
// blend pass. Runs only where a CUDA device exists (label "gpu"); elsewhere every test is
// skipped. The largest differences are printed as "[compare] ..." lines.

#include <gtest/gtest.h>

#include <ostream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gpu/KernelParameters.h"
#include "gpu/RenderBufferManager.h"
#include "gpu/RenderBufferManagerCUDA.h"
#include "gpu/runtime/HostRuntime.h"
#include "tests/gpu/CompareKernels.h"

namespace {

using gpu::Error;

#define REQUIRE_CUDA()                                                                   \
  gpu::Runtime* cuda = gpu::cudaRuntime();                                               \
  if (cuda == nullptr) GTEST_SKIP() << "no CUDA device: " << gpu::cudaUnavailableReason()

void ok(Error e, const char* what) { ASSERT_EQ(e, Error::Success) << what << ": " << gpu::errorString(e); }

float maxDiff(const std::vector<float>& a, const std::vector<float>& b) {
  float m = 0.0f;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::isnan(a[i]) && std::isnan(b[i])) continue;
    m = std::max(m, std::fabs(a[i] - b[i]));
    if (std::isnan(a[i]) != std::isnan(b[i])) return INFINITY;
  }
  return m;
}

std::vector<float> randomPixels(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> dist(0.0f, 1.0f);
  std::vector<float> v(static_cast<size_t>(count) * 4);
  for (float& f : v) f = dist(rng);
  return v;
}

// Device buffer of `bytes` on a runtime, filled from and read back into host vectors.
struct DeviceBuffer {
  DeviceBuffer(gpu::Runtime& r, size_t n) : rt(r), bytes(n) { EXPECT_EQ(rt.malloc(&ptr, n), Error::Success); }
  ~DeviceBuffer() { (void)rt.free(ptr); }
  void upload(const void* src) { EXPECT_EQ(rt.memcpy(ptr, src, bytes, gpu::MemcpyKind::HostToDevice), Error::Success); }
  template <class T>
  std::vector<T> download() {
    std::vector<T> v(bytes / sizeof(T));
    EXPECT_EQ(rt.memcpy(v.data(), ptr, bytes, gpu::MemcpyKind::DeviceToHost), Error::Success);
    return v;
  }
  gpu::Runtime& rt;
  size_t bytes;
  void* ptr = nullptr;
};

// Samples a width x height texture of `pixels` at `coords` on one runtime.
std::vector<float> sampleOn(gpu::Runtime& rt, const std::vector<float>& pixels, int width, int height,
                            const gpu::TextureDesc& desc, const std::vector<float2>& coords) {
  gpu::Array array = nullptr;
  EXPECT_EQ(rt.mallocArray(&array, gpu::float4ChannelDesc(), width, height), Error::Success);
  EXPECT_EQ(rt.memcpy2DToArray(array, 0, 0, pixels.data(), width * 16, width * 16, height, gpu::MemcpyKind::HostToDevice),
            Error::Success);
  gpu::TextureObject tex = 0;
  EXPECT_EQ(rt.createTextureObject(&tex, gpu::ResourceDesc::forArray(array), desc), Error::Success);
  DeviceBuffer c(rt, coords.size() * sizeof(float2)), out(rt, coords.size() * 16);
  c.upload(coords.data());
  launchSampleAt(rt, static_cast<int>(coords.size()), tex, static_cast<const float2*>(c.ptr), static_cast<float4*>(out.ptr));
  EXPECT_EQ(rt.getLastError(), Error::Success);
  EXPECT_EQ(rt.deviceSynchronize(), Error::Success);
  std::vector<float> result = out.download<float>();
  (void)rt.destroyTextureObject(tex);
  (void)rt.freeArray(array);
  return result;
}

struct FetchCase {
  gpu::FilterMode filter;
  gpu::AddressMode mode;
  bool normalized;
  const char* name;
};
void PrintTo(const FetchCase& c, std::ostream* os) { *os << c.name; }

class TextureCompareTest : public ::testing::TestWithParam<FetchCase> {};

TEST_P(TextureCompareTest, HostFetchesMatchTheGpu) {
  REQUIRE_CUDA();
  const auto& c = GetParam();
  const int width = 37, height = 23;
  const auto pixels = randomPixels(width * height, 11);
  gpu::TextureDesc desc;
  desc.addressMode[0] = desc.addressMode[1] = c.mode;
  desc.filterMode = c.filter;
  desc.normalizedCoords = c.normalized;
  const float sx = c.normalized ? 1.0f / width : 1.0f, sy = c.normalized ? 1.0f / height : 1.0f;

  // Texel centres: must agree exactly.
  std::vector<float2> centres;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) centres.push_back(make_float2((i + 0.5f) * sx, (j + 0.5f) * sy));
  const auto hostCentres = sampleOn(gpu::hostRuntime(), pixels, width, height, desc, centres);
  const auto cudaCentres = sampleOn(*cuda, pixels, width, height, desc, centres);
  EXPECT_EQ(maxDiff(hostCentres, cudaCentres), 0.0f) << c.name;

  // Anywhere, including outside the texture.
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> ux(-6.0f, width + 6.0f), uy(-6.0f, height + 6.0f);
  std::vector<float2> anywhere;
  for (int k = 0; k < 4096; ++k) anywhere.push_back(make_float2(ux(rng) * sx, uy(rng) * sy));
  const auto hostAny = sampleOn(gpu::hostRuntime(), pixels, width, height, desc, anywhere);
  const auto cudaAny = sampleOn(*cuda, pixels, width, height, desc, anywhere);
  const float diff = maxDiff(hostAny, cudaAny);
  std::printf("[compare] texture %s: max difference %.3g\n", c.name, diff);
  // Linear filtering rounds to 1/256 of a texel on both sides; the GPU's interpolation is
  // lower precision, so allow one weight step on values in [0, 1].
  EXPECT_LE(diff, c.filter == gpu::FilterMode::Linear ? 1.0f / 128.0f : 0.0f) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    FiltersAndModes, TextureCompareTest,
    ::testing::Values(FetchCase{gpu::FilterMode::Linear, gpu::AddressMode::Clamp, true, "linear/clamp/normalised"},
                      FetchCase{gpu::FilterMode::Linear, gpu::AddressMode::Wrap, true, "linear/wrap/normalised"},
                      FetchCase{gpu::FilterMode::Linear, gpu::AddressMode::Mirror, true, "linear/mirror/normalised"},
                      FetchCase{gpu::FilterMode::Linear, gpu::AddressMode::Border, true, "linear/border/normalised"},
                      FetchCase{gpu::FilterMode::Linear, gpu::AddressMode::Clamp, false, "linear/clamp/texels"},
                      FetchCase{gpu::FilterMode::Point, gpu::AddressMode::Clamp, true, "point/clamp/normalised"},
                      FetchCase{gpu::FilterMode::Point, gpu::AddressMode::Wrap, true, "point/wrap/normalised"},
                      FetchCase{gpu::FilterMode::Point, gpu::AddressMode::Mirror, true, "point/mirror/normalised"},
                      FetchCase{gpu::FilterMode::Point, gpu::AddressMode::Border, false, "point/border/texels"}));

TEST(CudaCompareTest, PitchedTexturesMatch) {
  REQUIRE_CUDA();
  const int width = 37, height = 19;
  const size_t pitch = 1024;  // a multiple of every texture pitch alignment
  const auto pixels = randomPixels(static_cast<int>(pitch / 16) * height, 3);
  std::vector<float2> coords;
  for (int k = 0; k < 2000; ++k) coords.push_back(make_float2((k % 83) / 80.0f - 0.02f, (k / 83) / 24.0f));
  std::vector<float> results[2];
  gpu::Runtime* runtimes[2] = {&gpu::hostRuntime(), cuda};
  for (int b = 0; b < 2; ++b) {
    gpu::Runtime& rt = *runtimes[b];
    DeviceBuffer image(rt, pitch * height), c(rt, coords.size() * sizeof(float2)), out(rt, coords.size() * 16);
    image.upload(pixels.data());
    c.upload(coords.data());
    gpu::TextureObject tex = 0;
    ok(rt.createTextureObject(&tex, gpu::ResourceDesc::forPitch2D(image.ptr, width, height, pitch),
                              gpu::TextureDesc::standard()),
       "pitch2D texture");
    launchSampleAt(rt, static_cast<int>(coords.size()), tex, static_cast<const float2*>(c.ptr), static_cast<float4*>(out.ptr));
    ok(rt.deviceSynchronize(), "sync");
    results[b] = out.download<float>();
    (void)rt.destroyTextureObject(tex);
  }
  const float diff = maxDiff(results[0], results[1]);
  std::printf("[compare] pitched texture: max difference %.3g\n", diff);
  EXPECT_LE(diff, 1.0f / 128.0f);
}

TEST(CudaCompareTest, BufferManagerPassesAndPaddedFinalCopyMatch) {
  REQUIRE_CUDA();
  const int width = 45, height = 30, pitch = width * 16 + 112;
  std::vector<unsigned char> results[2];
  gpu::Runtime* runtimes[2] = {&gpu::hostRuntime(), cuda};
  for (int b = 0; b < 2; ++b) {
    gpu::Runtime& rt = *runtimes[b];
    RenderBufferManager manager(rt);
    ASSERT_TRUE(manager.initializeCUDA(width, height, nullptr, nullptr, 2));
    launchWritePattern(rt, width, height, manager.getOutputSurface(1));  // pass 1 writes array B
    ok(rt.getLastError(), "launch");
    ok(rt.deviceSynchronize(), "sync");
    DeviceBuffer dst(rt, static_cast<size_t>(pitch) * height);
    std::vector<unsigned char> fill(dst.bytes, 0x5A);
    dst.upload(fill.data());
    ASSERT_TRUE(manager.copyFinalArrayToBuffer(nullptr, 2, static_cast<float*>(dst.ptr), width, height, pitch));
    results[b] = dst.download<unsigned char>();
  }
  EXPECT_TRUE(results[0] == results[1]) << "pattern and untouched padding must be identical";
}

TEST(CudaCompareTest, FinalPassMatches) {
  REQUIRE_CUDA();
  const int width = 37, height = 29, pitch = width * 16 + 48;
  const auto effect = randomPixels(pitch / 16 * height, 21), source = randomPixels(pitch / 16 * height, 22);
  for (float blend : {0.0f, 0.25f, 0.5f, 0.999f, 1.0f, -0.5f, 1.5f, NAN}) {
    std::vector<float> results[2];
    gpu::Runtime* runtimes[2] = {&gpu::hostRuntime(), cuda};
    for (int b = 0; b < 2; ++b) {
      gpu::Runtime& rt = *runtimes[b];
      DeviceBuffer out(rt, effect.size() * 4), src(rt, source.size() * 4);
      out.upload(effect.data());
      src.upload(source.data());
      SystemParameters p;
      std::memset(&p, 0, sizeof(p));
      p.width = width;
      p.height = height;
      p.globalBlend = blend;
      ASSERT_TRUE(RenderBufferManagerCUDA::applyFinalProcessing(rt, nullptr, &p, static_cast<float*>(src.ptr),
                                                                static_cast<float*>(out.ptr), width, height, pitch,
                                                                pitch));
      results[b] = out.download<float>();
    }
    const float diff = maxDiff(results[0], results[1]);
    std::printf("[compare] final pass blend %g: max difference %.3g\n", blend, diff);
    EXPECT_LE(diff, 1e-6f) << blend;
  }
}

TEST(CudaCompareTest, ErrorCodesAgreeOnRefusedCalls) {
  REQUIRE_CUDA();
  gpu::Runtime* runtimes[2] = {&gpu::hostRuntime(), cuda};
  for (gpu::Runtime* rt : runtimes) {
    gpu::Array array = nullptr;
    ok(rt->mallocArray(&array, gpu::float4ChannelDesc(), 4, 4, 0), "array");
    std::vector<float> buffer(64);
    EXPECT_EQ(rt->memcpy2DToArray(array, 0, 0, buffer.data(), 32, 64, 4, gpu::MemcpyKind::HostToDevice),
              Error::InvalidPitchValue)
        << rt->name();
    EXPECT_EQ(rt->getLastError(), Error::InvalidPitchValue) << rt->name();
    EXPECT_EQ(rt->getLastError(), Error::Success) << rt->name();
    gpu::SurfaceObject s = 0;
    EXPECT_NE(rt->createSurfaceObject(&s, array), Error::Success) << rt->name() << ": no load/store flag";
    (void)rt->getLastError();
    gpu::MemoryType type = gpu::MemoryType::Managed;
    ok(rt->pointerGetAttributes(&type, buffer.data()), "attributes");
    EXPECT_NE(type, gpu::MemoryType::Device) << rt->name();
    void* device = nullptr;
    ok(rt->malloc(&device, 256), "malloc");
    ok(rt->pointerGetAttributes(&type, static_cast<char*>(device) + 16), "attributes");
    EXPECT_EQ(type, gpu::MemoryType::Device) << rt->name();
    (void)rt->free(device);
    (void)rt->freeArray(array);
  }
}

}  // namespace
