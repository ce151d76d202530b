#pragma once
// Value types of the GPU runtime layer. Enumerator values equal the CUDA runtime's, so the
// CUDA backend converts by value and log lines show the numbers CUDA users know.

#include <cstddef>

// The CUDA runtime's opaque handle types. They are only ever declared (never defined), by
// CUDA's headers as well, so both backends can use them: the host backend hands out its own
// objects behind these pointer types.
struct cudaArray;
struct CUstream_st;

namespace gpu {

using Array = cudaArray*;
using Stream = CUstream_st*;  // nullptr is the default stream

enum class Error : int {
  Success = 0,
  InvalidValue = 1,
  MemoryAllocation = 2,
  InitializationError = 3,
  InvalidConfiguration = 9,
  InvalidPitchValue = 12,
  InvalidDevicePointer = 17,
  InvalidTexture = 18,
  InvalidChannelDescriptor = 20,
  InvalidMemcpyDirection = 21,
  InvalidFilterSetting = 26,
  InvalidNormSetting = 27,
  InsufficientDriver = 35,
  InvalidSurface = 37,
  NoDevice = 100,
  InvalidResourceHandle = 400,
  NotReady = 600,
  IllegalAddress = 700,
  LaunchFailure = 719,
  NotSupported = 801,
  Unknown = 999,
};

// Errors after which CUDA's context is unusable: every later call returns them again and
// the last-error query does not clear them.
constexpr bool isStickyError(Error e) {
  return e == Error::IllegalAddress || e == Error::LaunchFailure;
}

enum class ChannelFormatKind : int { Signed = 0, Unsigned = 1, Float = 2, None = 3 };

struct ChannelFormatDesc {
  int x = 0, y = 0, z = 0, w = 0;
  ChannelFormatKind f = ChannelFormatKind::None;
};

// The only texel format the system uses: four 32-bit floats (R, G, B, A).
constexpr ChannelFormatDesc float4ChannelDesc() {
  ChannelFormatDesc d;
  d.x = d.y = d.z = d.w = 32;
  d.f = ChannelFormatKind::Float;
  return d;
}
constexpr bool isFloat4Desc(const ChannelFormatDesc& d) {
  return d.x == 32 && d.y == 32 && d.z == 32 && d.w == 32 && d.f == ChannelFormatKind::Float;
}

// cudaArraySurfaceLoadStore
constexpr unsigned int kArraySurfaceLoadStore = 2;

enum class AddressMode : int { Wrap = 0, Clamp = 1, Mirror = 2, Border = 3 };
enum class FilterMode : int { Point = 0, Linear = 1 };
enum class ReadMode : int { ElementType = 0, NormalizedFloat = 1 };

enum class MemcpyKind : int {
  HostToHost = 0,
  HostToDevice = 1,
  DeviceToHost = 2,
  DeviceToDevice = 3,
  Default = 4
};

enum class MemoryType : int { Unregistered = 0, Host = 1, Device = 2, Managed = 3 };

enum class ResourceType : int { Array = 0, Pitch2D = 3 };

// What a texture object reads: a 2D array, or pitched linear memory.
struct ResourceDesc {
  ResourceType type = ResourceType::Array;
  Array array = nullptr;           // Array
  void* devPtr = nullptr;          // Pitch2D
  ChannelFormatDesc desc;          // Pitch2D
  size_t width = 0, height = 0;    // Pitch2D, in texels
  size_t pitchInBytes = 0;         // Pitch2D

  static ResourceDesc forArray(Array a) {
    ResourceDesc r;
    r.type = ResourceType::Array;
    r.array = a;
    return r;
  }
  static ResourceDesc forPitch2D(void* ptr, size_t w, size_t h, size_t pitch,
                                 ChannelFormatDesc d = float4ChannelDesc()) {
    ResourceDesc r;
    r.type = ResourceType::Pitch2D;
    r.devPtr = ptr;
    r.desc = d;
    r.width = w;
    r.height = h;
    r.pitchInBytes = pitch;
    return r;
  }
};

// How a texture object reads.
struct TextureDesc {
  AddressMode addressMode[2] = {AddressMode::Clamp, AddressMode::Clamp};
  FilterMode filterMode = FilterMode::Point;
  ReadMode readMode = ReadMode::ElementType;
  bool normalizedCoords = false;

  // The settings every texture of this system uses: clamp on both axes, linear filtering,
  // values as stored, coordinates from 0 to 1.
  static TextureDesc standard() {
    TextureDesc t;
    t.addressMode[0] = t.addressMode[1] = AddressMode::Clamp;
    t.filterMode = FilterMode::Linear;
    t.readMode = ReadMode::ElementType;
    t.normalizedCoords = true;
    return t;
  }
};

}  // namespace gpu
