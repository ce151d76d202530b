// Texture semantics of the host backend against hand-computed values: CUDA's linear filter
// rule with 8-bit weights, every address mode, normalised and texel coordinates, point
// filtering, pitched linear sources.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "gpu/runtime/HostRuntime.h"
#include "gpu/runtime/KernelAccess.h"

namespace {

using gpu::AddressMode;
using gpu::Error;
using gpu::FilterMode;

// Texel (i, j) of the test images holds (i + 10 j, j, -i, 1 + i + j): each channel tells
// where a value came from.
float4 texelValue(int i, int j) {
  return make_float4(static_cast<float>(i + 10 * j), static_cast<float>(j), static_cast<float>(-i),
                     static_cast<float>(1 + i + j));
}

class HostTextureTest : public ::testing::Test {
 protected:
  // A width x height float4 array filled with texelValue, and a texture over it.
  gpu::TextureObject makeTexture(int width, int height, FilterMode filter, AddressMode mode, bool normalized) {
    gpu::Array array = nullptr;
    EXPECT_EQ(rt.mallocArray(&array, gpu::float4ChannelDesc(), width, height), Error::Success);
    std::vector<float4> pixels(static_cast<size_t>(width) * height);
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) pixels[static_cast<size_t>(j) * width + i] = texelValue(i, j);
    EXPECT_EQ(rt.memcpy2DToArray(array, 0, 0, pixels.data(), width * 16, width * 16, height,
                                 gpu::MemcpyKind::HostToDevice),
              Error::Success);
    gpu::TextureDesc desc;
    desc.addressMode[0] = desc.addressMode[1] = mode;
    desc.filterMode = filter;
    desc.normalizedCoords = normalized;
    gpu::TextureObject tex = 0;
    EXPECT_EQ(rt.createTextureObject(&tex, gpu::ResourceDesc::forArray(array), desc), Error::Success);
    return tex;
  }

  gpu::HostRuntime rt;
};

void expectTexel(const float4& got, const float4& want) {
  EXPECT_FLOAT_EQ(got.x, want.x);
  EXPECT_FLOAT_EQ(got.y, want.y);
  EXPECT_FLOAT_EQ(got.z, want.z);
  EXPECT_FLOAT_EQ(got.w, want.w);
}

TEST_F(HostTextureTest, TexelCentresReturnTheTexelExactly) {
  // Sizes whose reciprocals are not exact in binary, as real frame sizes are not.
  for (int size : {3, 37, 1080}) {
    const int width = size, height = 7;
    gpu::TextureObject tex = makeTexture(width, height, FilterMode::Linear, AddressMode::Clamp, true);
    for (int j = 0; j < height; ++j)
      for (int i = 0; i < width; ++i) {
        const float u = (i + 0.5f) / width, v = (j + 0.5f) / height;
        const float4 got = gpu::sampleTexture(tex, u, v);
        const float4 want = texelValue(i, j);
        ASSERT_EQ(std::memcmp(&got, &want, 16), 0) << "size " << size << " texel " << i << "," << j;
      }
  }
}

struct LinearCase {
  float x, y;      // texel coordinates (unnormalised)
  float alpha;     // expected horizontal weight of the right texel
  float beta;      // expected vertical weight of the lower texel
  int i0, j0;      // expected upper-left texel
};

TEST_F(HostTextureTest, LinearFilteringBlendsFourTexelsWithEightBitWeights) {
  const LinearCase cases[] = {
      {1.25f, 0.5f, 0.75f, 0.0f, 0, 0},                  // x_B = 0.75
      {1.0f, 1.0f, 0.5f, 0.5f, 0, 0},                     // corner between four texels
      {2.0f + 1.0f / 3.0f, 0.5f, 213.0f / 256.0f, 0.0f, 1, 0},  // 0.8333 held as 213/256
      {1.5f + 0.001f, 1.5f, 0.0f, 0.0f, 1, 1},            // within 1/512 of a centre: exact
      {2.5f + 0.1f, 2.5f - 0.1f, 26.0f / 256.0f, 230.0f / 256.0f, 2, 1},  // 0.1 -> 26/256
  };
  gpu::TextureObject tex = makeTexture(6, 5, FilterMode::Linear, AddressMode::Clamp, false);
  for (const auto& c : cases) {
    const float4 got = gpu::sampleTexture(tex, c.x, c.y);
    const float4 t00 = texelValue(c.i0, c.j0), t10 = texelValue(c.i0 + 1, c.j0);
    const float4 t01 = texelValue(c.i0, c.j0 + 1), t11 = texelValue(c.i0 + 1, c.j0 + 1);
    auto blend = [&](float a00, float a10, float a01, float a11) {
      return (1 - c.beta) * ((1 - c.alpha) * a00 + c.alpha * a10) + c.beta * ((1 - c.alpha) * a01 + c.alpha * a11);
    };
    SCOPED_TRACE(testing::Message() << "at " << c.x << "," << c.y);
    EXPECT_NEAR(got.x, blend(t00.x, t10.x, t01.x, t11.x), 1e-5);
    EXPECT_NEAR(got.y, blend(t00.y, t10.y, t01.y, t11.y), 1e-5);
    EXPECT_NEAR(got.z, blend(t00.z, t10.z, t01.z, t11.z), 1e-5);
    EXPECT_NEAR(got.w, blend(t00.w, t10.w, t01.w, t11.w), 1e-5);
  }
  // The weight is quantised: an exact 1/3 would give 1.8333 on channel x, the GPU 1.83203.
  EXPECT_FLOAT_EQ(gpu::sampleTexture(tex, 2.0f + 1.0f / 3.0f, 0.5f).x, 1.0f + 213.0f / 256.0f);
}

struct AddressCase {
  AddressMode mode;
  float x;          // texel coordinate along x (width 4), point filtering
  int expectedI;    // texel read, -1 for zero (border)
};

TEST_F(HostTextureTest, AddressModesMapOutsideCoordinatesAsCuda) {
  // Width 4, normalised u = x / 4; row 0.
  const AddressCase cases[] = {
      {AddressMode::Clamp, -3.5f, 0},  {AddressMode::Clamp, 5.5f, 3},   {AddressMode::Clamp, 2.5f, 2},
      {AddressMode::Wrap, -0.5f, 3},   {AddressMode::Wrap, 4.5f, 0},    {AddressMode::Wrap, 9.5f, 1},
      {AddressMode::Mirror, -0.5f, 0}, {AddressMode::Mirror, -1.5f, 1}, {AddressMode::Mirror, 4.5f, 3},
      {AddressMode::Mirror, 5.5f, 2},  {AddressMode::Mirror, 8.5f, 0},  {AddressMode::Border, -0.5f, -1},
      {AddressMode::Border, 4.5f, -1}, {AddressMode::Border, 3.5f, 3},
  };
  for (const auto& c : cases) {
    gpu::TextureObject tex = makeTexture(4, 1, FilterMode::Point, c.mode, true);
    const float4 got = gpu::sampleTexture(tex, c.x / 4.0f, 0.5f);
    const float4 want = c.expectedI < 0 ? make_float4(0, 0, 0, 0) : texelValue(c.expectedI, 0);
    SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode) << " x " << c.x);
    expectTexel(got, want);
  }
}

TEST_F(HostTextureTest, LinearFilteringAtEdgesFollowsTheAddressMode) {
  // Half a texel left of texel 0's centre, width 4: x_B = -0.5 -> texels -1 and 0, weight 1/2.
  struct EdgeCase {
    AddressMode mode;
    int left;  // texel standing in for index -1, or -1 for zero
  } cases[] = {{AddressMode::Clamp, 0}, {AddressMode::Wrap, 3}, {AddressMode::Mirror, 0}, {AddressMode::Border, -1}};
  for (const auto& c : cases) {
    gpu::TextureObject tex = makeTexture(4, 1, FilterMode::Linear, c.mode, true);
    const float4 got = gpu::sampleTexture(tex, 0.0f, 0.5f);
    const float leftW = c.left < 0 ? 0.0f : texelValue(c.left, 0).w;
    EXPECT_FLOAT_EQ(got.w, 0.5f * leftW + 0.5f * texelValue(0, 0).w) << static_cast<int>(c.mode);
  }
}

TEST_F(HostTextureTest, UnnormalisedCoordinatesClampWhereCudaSupportsOnlyClamp) {
  // Wrap and mirror exist for normalised coordinates only; in texel coordinates they clamp.
  for (AddressMode mode : {AddressMode::Wrap, AddressMode::Mirror}) {
    gpu::TextureObject tex = makeTexture(4, 2, FilterMode::Point, mode, false);
    expectTexel(gpu::sampleTexture(tex, 6.5f, 1.5f), texelValue(3, 1));
    expectTexel(gpu::sampleTexture(tex, -2.0f, 0.5f), texelValue(0, 0));
  }
}

TEST_F(HostTextureTest, PointFilteringTakesTheTexelUnderTheCoordinate) {
  gpu::TextureObject tex = makeTexture(5, 3, FilterMode::Point, AddressMode::Clamp, true);
  expectTexel(gpu::sampleTexture(tex, 2.99f / 5, 1.01f / 3), texelValue(2, 1));
  expectTexel(gpu::sampleTexture(tex, 3.0f / 5, 2.0f / 3), texelValue(3, 2));
  gpu::TextureObject texels = makeTexture(5, 3, FilterMode::Point, AddressMode::Clamp, false);
  expectTexel(gpu::sampleTexture(texels, 4.2f, 0.0f), texelValue(4, 0));
}

TEST_F(HostTextureTest, NonFiniteCoordinatesStayInsideTheTexture) {
  gpu::TextureObject tex = makeTexture(4, 4, FilterMode::Linear, AddressMode::Clamp, true);
  expectTexel(gpu::sampleTexture(tex, 1e30f, 0.5f / 4), texelValue(3, 0));
  expectTexel(gpu::sampleTexture(tex, -1e30f, 0.5f / 4), texelValue(0, 0));
  const float4 nanRead = gpu::sampleTexture(tex, std::nanf(""), 0.5f / 4);
  EXPECT_TRUE(std::isfinite(nanRead.x));
}

TEST_F(HostTextureTest, PitchedLinearSourceHonoursItsPitch) {
  const int width = 3, height = 4, pitchFloats = 4 * 6;  // 96-byte rows, 48 used
  void* memory = nullptr;
  ASSERT_EQ(rt.malloc(&memory, pitchFloats * 4 * height), Error::Success);
  auto* f = static_cast<float*>(memory);
  for (int k = 0; k < pitchFloats * height; ++k) f[k] = -99.0f;  // padding must never show
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      const float4 value = texelValue(i, j);
      std::memcpy(f + j * pitchFloats + i * 4, &value, 16);
    }
  gpu::TextureObject tex = 0;
  ASSERT_EQ(rt.createTextureObject(&tex, gpu::ResourceDesc::forPitch2D(memory, width, height, pitchFloats * 4),
                                   gpu::TextureDesc::standard()),
            Error::Success);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) expectTexel(gpu::sampleTexture(tex, (i + 0.5f) / width, (j + 0.5f) / height), texelValue(i, j));
  // Clamped at the right edge: never the padding.
  EXPECT_FLOAT_EQ(gpu::sampleTexture(tex, 1.0f, 0.5f / height).x, texelValue(2, 0).x);
  // Between rows 1 and 2, column 2.
  EXPECT_FLOAT_EQ(gpu::sampleTexture(tex, 2.5f / width, 2.0f / height).x, 0.5f * (12 + 22));
}

TEST_F(HostTextureTest, NullTextureReadsZero) {
  const float4 r = gpu::sampleTexture(0, 0.5f, 0.5f);
  expectTexel(r, make_float4(0, 0, 0, 0));
}

TEST_F(HostTextureTest, RefusedTextureDescriptions) {
  gpu::Array array = nullptr;
  ASSERT_EQ(rt.mallocArray(&array, gpu::float4ChannelDesc(), 4, 4), Error::Success);
  gpu::TextureObject tex = 0;
  gpu::TextureDesc normalizedRead = gpu::TextureDesc::standard();
  normalizedRead.readMode = gpu::ReadMode::NormalizedFloat;
  EXPECT_EQ(rt.createTextureObject(&tex, gpu::ResourceDesc::forArray(array), normalizedRead), Error::InvalidNormSetting);
  int notAnArray = 0;
  EXPECT_EQ(rt.createTextureObject(&tex, gpu::ResourceDesc::forArray(reinterpret_cast<gpu::Array>(&notAnArray)),
                                   gpu::TextureDesc::standard()),
            Error::InvalidResourceHandle);
  void* memory = nullptr;
  ASSERT_EQ(rt.malloc(&memory, 1024), Error::Success);
  EXPECT_EQ(rt.createTextureObject(&tex, gpu::ResourceDesc::forPitch2D(memory, 4, 4, 32), gpu::TextureDesc::standard()),
            Error::InvalidValue)
      << "pitch below width * 16";
  EXPECT_EQ(rt.createTextureObject(&tex,
                                   gpu::ResourceDesc::forPitch2D(memory, 4, 4, 64,
                                                                 gpu::Runtime::createChannelDesc(32, 0, 0, 0, gpu::ChannelFormatKind::Float)),
                                   gpu::TextureDesc::standard()),
            Error::InvalidChannelDescriptor);
  EXPECT_EQ(tex, 0u) << "a refused creation writes no handle";
  EXPECT_EQ(rt.liveObjects().textures, 0);
}

}  // namespace
