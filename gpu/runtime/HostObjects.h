#pragma once
// The host backend's texture and surface objects and their per-pixel access. A handle of
// the host backend is the address of one of these objects, so kernel code reaches texel
// memory with one pointer cast and no table lookup. Everything a fetch needs is precomputed
// at creation, and the common fetch (a texel centre inside the texture) is a direct load.
//
// Filtering follows CUDA's documented rule: for linear filtering x_B = x - 0.5,
// i = floor(x_B), alpha = frac(x_B) held with 8 fractional bits; coordinates are turned
// into that 24.8 fixed-point form once (rounded to the nearest 1/256 texel), so a read that
// lies on a texel centre up to rounding returns the texel exactly, as the GPU does.

#include "gpu/runtime/DeviceTypes.h"
#include "gpu/runtime/RuntimeTypes.h"

#include <atomic>
#include <climits>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <xmmintrin.h>
#include <emmintrin.h>
#endif

namespace gpu {
namespace host {

// Counts kernel accesses that CUDA would trap on (surface access outside the array, a null
// surface). The host runtime turns a change of this counter during a launch into the
// sticky "illegal address" error that the GPU would report.
inline std::atomic<unsigned> kernelFaultCount{0};

inline void reportKernelFault() { kernelFaultCount.fetch_add(1, std::memory_order_relaxed); }

// Round to the nearest integer. Values beyond the int range and NaN give INT_MIN (SSE's
// "integer indefinite"), never undefined behaviour; the fast path then falls through to the
// general fetch, which converts with roundToIntClamped.
EB_FORCEINLINE int roundToInt(float v) {
#if defined(__SSE2__)
  return _mm_cvtss_si32(_mm_set_ss(v));
#else
  if (!(v > -2.0e9f && v < 2.0e9f)) return INT32_MIN;
  return static_cast<int>(v < 0.0f ? v - 0.5f : v + 0.5f);
#endif
}

// roundToInt with values beyond +-2e9 held there (NaN counts as large), so every address
// mode maps the result into the texture.
inline int roundToIntClamped(float v) {
  if (!(v > -2.0e9f)) return v < 0.0f ? -2000000000 : 2000000000;
  if (v > 2.0e9f) return 2000000000;
  return roundToInt(v);
}

// floor() for coordinates, clamped to a range that cannot overflow.
EB_FORCEINLINE int floorToInt(float v) {
  if (!(v > -1.0e9f)) return -1000000000;  // also NaN
  if (v > 1.0e9f) return 1000000000;
  int i = static_cast<int>(v);
  return i - (static_cast<float>(i) > v ? 1 : 0);
}

// One 16-byte element as four scalar loads: kernel bodies work on the channels one by one,
// and separate loads let the compiler keep them in separate registers (a vector load or a
// memcpy costs shuffles to take the channels apart again).
EB_FORCEINLINE float4 loadTexel(const unsigned char* p) {
  const float* f = reinterpret_cast<const float*>(p);
  return make_float4(f[0], f[1], f[2], f[3]);
}

EB_FORCEINLINE void storeTexel(unsigned char* p, const float4& v) {
#if defined(__SSE2__)
  _mm_storeu_ps(reinterpret_cast<float*>(p), _mm_load_ps(&v.x));
#else
  std::memcpy(p, &v, 16);
#endif
}

struct TextureObject {
  const unsigned char* base = nullptr;  // texel (0, 0)
  size_t pitch = 0;                     // bytes from one row to the next
  int width = 0, height = 0;            // in texels
  // Coordinate to 24.8 fixed point: x * fixedScale - 128 (the -0.5 texel shift of linear
  // filtering; point filtering uses coordScale and floor instead).
  float fixedScaleX = 0.0f, fixedScaleY = 0.0f;
  float coordScaleX = 1.0f, coordScaleY = 1.0f;  // width/height when normalised, else 1
  unsigned fixedLimitX = 0, fixedLimitY = 0;      // width * 256, height * 256
  AddressMode addressX = AddressMode::Clamp, addressY = AddressMode::Clamp;
  FilterMode filter = FilterMode::Linear;

  EB_FORCEINLINE const unsigned char* texelAddress(int i, int j) const {
    return base + static_cast<size_t>(j) * pitch + static_cast<size_t>(i) * 16u;
  }
};

// Maps a texel index into [0, n) by the address mode; -1 means "outside, reads as zero"
// (border mode).
EB_FORCEINLINE int addressTexel(int i, int n, AddressMode mode) {
  if (static_cast<unsigned>(i) < static_cast<unsigned>(n)) return i;
  switch (mode) {
    case AddressMode::Wrap: {
      int m = i % n;
      return m < 0 ? m + n : m;
    }
    case AddressMode::Mirror: {
      const int period = 2 * n;
      int m = i % period;
      if (m < 0) m += period;
      return m < n ? m : period - 1 - m;
    }
    case AddressMode::Border:
      return -1;
    case AddressMode::Clamp:
    default:
      return i < 0 ? 0 : n - 1;
  }
}

// Sixteen zero bytes: what border addressing and null textures read.
alignas(16) inline const float kZeroTexel[4] = {0.0f, 0.0f, 0.0f, 0.0f};

EB_FORCEINLINE const unsigned char* texelOrZero(const TextureObject& t, int i, int j) {
  if (i < 0 || j < 0) return reinterpret_cast<const unsigned char*>(kZeroTexel);
  return t.texelAddress(i, j);
}

// General bilinear fetch into *out, kept out of line so the fast path stays small.
EB_NOINLINE inline void sampleLinearGeneral(const TextureObject& t, float u, float v, float4* out) {
  const int fx = roundToIntClamped(u * t.fixedScaleX - 128.0f);
  const int fy = roundToIntClamped(v * t.fixedScaleY - 128.0f);
  const int i0 = fx >> 8, j0 = fy >> 8;
  const float a = static_cast<float>(fx & 255) * (1.0f / 256.0f);
  const float b = static_cast<float>(fy & 255) * (1.0f / 256.0f);
  const unsigned char *p00, *p10, *p01, *p11;
  if (static_cast<unsigned>(i0) < static_cast<unsigned>(t.width - 1) &&
      static_cast<unsigned>(j0) < static_cast<unsigned>(t.height - 1)) {
    // All four texels inside: no address mode applies.
    p00 = t.texelAddress(i0, j0);
    p10 = p00 + 16;
    p01 = p00 + t.pitch;
    p11 = p01 + 16;
  } else {
    const int x0 = addressTexel(i0, t.width, t.addressX), x1 = addressTexel(i0 + 1, t.width, t.addressX);
    const int y0 = addressTexel(j0, t.height, t.addressY), y1 = addressTexel(j0 + 1, t.height, t.addressY);
    p00 = texelOrZero(t, x0, y0);
    p10 = texelOrZero(t, x1, y0);
    p01 = texelOrZero(t, x0, y1);
    p11 = texelOrZero(t, x1, y1);
  }
  const float4 t00 = loadTexel(p00), t10 = loadTexel(p10), t01 = loadTexel(p01), t11 = loadTexel(p11);
  const float ia = 1.0f - a, ib = 1.0f - b;
  out->x = ib * (ia * t00.x + a * t10.x) + b * (ia * t01.x + a * t11.x);
  out->y = ib * (ia * t00.y + a * t10.y) + b * (ia * t01.y + a * t11.y);
  out->z = ib * (ia * t00.z + a * t10.z) + b * (ia * t01.z + a * t11.z);
  out->w = ib * (ia * t00.w + a * t10.w) + b * (ia * t01.w + a * t11.w);
}

// Address of the texel that point filtering reads (or of kZeroTexel).
EB_NOINLINE inline const unsigned char* pointTexel(const TextureObject& t, float u, float v) {
  const int i = addressTexel(floorToInt(u * t.coordScaleX), t.width, t.addressX);
  const int j = addressTexel(floorToInt(v * t.coordScaleY), t.height, t.addressY);
  return texelOrZero(t, i, j);
}

// The fetch. Every path ends in one address from which the four channels are loaded as
// scalars: joining the paths on a pointer rather than on a float4 value keeps the channels in
// separate registers in the caller (a float4 returned from an out-of-line call would arrive
// packed and cost shuffles on every fetch, including the fast ones).
EB_FORCEINLINE float4 sample(const TextureObject* t, float u, float v) {
  float4 general;
  const unsigned char* p;
  if (t == nullptr) {
    p = reinterpret_cast<const unsigned char*>(kZeroTexel);
  } else if (t->filter == FilterMode::Linear) {
    // 24.8 fixed point of x_B = x - 0.5. On a texel centre inside the texture the fraction
    // bits are 0 and fx < width * 256 (one unsigned compare also rejects negatives and the
    // INT_MIN of an overflow); the texel is then at byte fx / 16 of its row.
    const int fx = roundToInt(u * t->fixedScaleX - 128.0f);
    const int fy = roundToInt(v * t->fixedScaleY - 128.0f);
    if (((fx | fy) & 255) == 0 && static_cast<unsigned>(fx) < t->fixedLimitX &&
        static_cast<unsigned>(fy) < t->fixedLimitY) {
      p = t->base + static_cast<size_t>(fy >> 8) * t->pitch + (static_cast<unsigned>(fx) >> 4);
    } else {
      sampleLinearGeneral(*t, u, v, &general);
      p = reinterpret_cast<const unsigned char*>(&general);
    }
  } else {
    p = pointTexel(*t, u, v);
  }
  return loadTexel(p);
}

struct SurfaceObject {
  unsigned char* base = nullptr;
  size_t pitch = 0;
  int widthBytes = 0;  // width * 16
  int height = 0;

  // True when a 16-byte element at (xBytes, y) lies inside the array.
  EB_FORCEINLINE bool inside(int xBytes, int y) const {
    return xBytes >= 0 && xBytes <= widthBytes - 16 &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height);
  }
};

EB_FORCEINLINE void surfaceWrite(SurfaceObject* s, float4 value, int xBytes, int y) {
  if (s == nullptr || !s->inside(xBytes, y)) {
    reportKernelFault();
    return;
  }
  storeTexel(s->base + static_cast<size_t>(y) * s->pitch + static_cast<size_t>(xBytes), value);
}

EB_FORCEINLINE float4 surfaceRead(const SurfaceObject* s, int xBytes, int y) {
  float4 r = make_float4(0.0f, 0.0f, 0.0f, 0.0f);
  if (s == nullptr || !s->inside(xBytes, y)) {
    reportKernelFault();
    return r;
  }
  return loadTexel(s->base + static_cast<size_t>(y) * s->pitch + static_cast<size_t>(xBytes));
}

}  // namespace host
}  // namespace gpu
