#pragma once
// Types and qualifiers shared by code that nvcc compiles for the GPU and code that g++
// compiles for the host backend, so that one kernel body serves both.
//
// Vector types: every translation unit of one build must see the same float4/int2/dim3.
// When the CUDA backend is part of the build (EDGE_BLEED_HAS_CUDA, a public compile
// definition of eb_gpu_runtime) or nvcc compiles the unit, CUDA's own vector types are used
// (vector_types.h, vector_functions.h). Otherwise this header defines layout-identical
// replacements (float4 16 bytes aligned to 16, float2 8/8, int2 8/8, dim3 12/4). A unit that
// already included a CUDA header also gets CUDA's types, so no unit ever sees both.

#if defined(__CUDACC__) || defined(EDGE_BLEED_HAS_CUDA) || defined(__VECTOR_TYPES_H__)
#include <vector_functions.h>
#include <vector_types.h>
#define EB_CUDA_VECTOR_TYPES 1
#else
#define EB_CUDA_VECTOR_TYPES 0
#endif

// EB_HOST_DEVICE marks functions callable from kernels and from host code;
// EB_FORCEINLINE asks for inlining in hot per-pixel loops on both sides.
#if defined(__CUDACC__)
#define EB_HOST_DEVICE __host__ __device__
#define EB_FORCEINLINE __forceinline__
#define EB_NOINLINE __noinline__
#else
#define EB_HOST_DEVICE
#define EB_FORCEINLINE inline __attribute__((always_inline))
#define EB_NOINLINE __attribute__((noinline))
#endif

// True inside nvcc's device compilation pass only; host twins and g++ units see 0.
#if defined(__CUDA_ARCH__)
#define EB_DEVICE_PASS 1
#else
#define EB_DEVICE_PASS 0
#endif

#if !EB_CUDA_VECTOR_TYPES
struct alignas(16) float4 {
  float x, y, z, w;
};
struct alignas(8) float2 {
  float x, y;
};
struct alignas(8) int2 {
  int x, y;
};
struct int4 {
  int x, y, z, w;
} __attribute__((aligned(16)));
struct uint3 {
  unsigned int x, y, z;
};
struct dim3 {
  unsigned int x, y, z;
  constexpr dim3(unsigned int vx = 1, unsigned int vy = 1, unsigned int vz = 1) : x(vx), y(vy), z(vz) {}
};

inline float4 make_float4(float x, float y, float z, float w) { return float4{x, y, z, w}; }
inline float2 make_float2(float x, float y) { return float2{x, y}; }
inline int2 make_int2(int x, int y) { return int2{x, y}; }
inline int4 make_int4(int x, int y, int z, int w) { return int4{x, y, z, w}; }
#endif

static_assert(sizeof(float4) == 16 && alignof(float4) == 16, "float4 must match CUDA's layout");
static_assert(sizeof(float2) == 8 && alignof(float2) == 8, "float2 must match CUDA's layout");
static_assert(sizeof(int2) == 8 && alignof(int2) == 8, "int2 must match CUDA's layout");
static_assert(sizeof(dim3) == 12, "dim3 must match CUDA's layout");

namespace gpu {

// Texture and surface objects travel as 64-bit handles, 0 meaning none; the same type as
// cudaTextureObject_t / cudaSurfaceObject_t. On the host backend a handle is the address of
// the backend's object, so kernels resolve it without any lookup.
using TextureObject = unsigned long long;
using SurfaceObject = unsigned long long;

// Launchers receive handles as void* (the kernel registry's calling convention).
EB_HOST_DEVICE EB_FORCEINLINE unsigned long long handleFromPointer(const void* p) {
  return static_cast<unsigned long long>(reinterpret_cast<__UINTPTR_TYPE__>(p));
}
EB_HOST_DEVICE EB_FORCEINLINE void* pointerFromHandle(unsigned long long h) {
  return reinterpret_cast<void*>(static_cast<__UINTPTR_TYPE__>(h));
}

}  // namespace gpu
