#include "gpu/runtime/Runtime.h"

#include "gpu/runtime/HostRuntime.h"

namespace gpu {

const char* errorString(Error error) {
  switch (error) {
    case Error::Success: return "no error";
    case Error::InvalidValue: return "invalid argument";
    case Error::MemoryAllocation: return "out of memory";
    case Error::InitializationError: return "initialization error";
    case Error::InvalidConfiguration: return "invalid configuration argument";
    case Error::InvalidPitchValue: return "invalid pitch argument";
    case Error::InvalidDevicePointer: return "invalid device pointer";
    case Error::InvalidTexture: return "invalid texture reference";
    case Error::InvalidChannelDescriptor: return "invalid channel descriptor";
    case Error::InvalidMemcpyDirection: return "invalid copy direction for memcpy";
    case Error::InvalidFilterSetting: return "invalid filter setting";
    case Error::InvalidNormSetting: return "invalid norm setting";
    case Error::InsufficientDriver: return "CUDA driver version is insufficient for CUDA runtime version";
    case Error::InvalidSurface: return "invalid surface reference";
    case Error::NoDevice: return "no CUDA-capable device is detected";
    case Error::InvalidResourceHandle: return "invalid resource handle";
    case Error::NotReady: return "device not ready";
    case Error::IllegalAddress: return "an illegal memory access was encountered";
    case Error::LaunchFailure: return "unspecified launch failure";
    case Error::NotSupported: return "operation not supported";
    case Error::Unknown: return "unknown error";
  }
  return "unrecognized error code";
}

HostRuntime& hostRuntime() {
  // Never destroyed: renders may still release objects during static destruction.
  static HostRuntime* runtime = new HostRuntime;
  return *runtime;
}

#if !defined(EDGE_BLEED_HAS_CUDA)
Runtime* cudaRuntime() { return nullptr; }
const char* cudaUnavailableReason() { return "CUDA backend not built"; }
#endif

}  // namespace gpu
