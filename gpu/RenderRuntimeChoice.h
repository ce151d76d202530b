#pragma once
// Which runtime backend renders a frame: CUDA when the host enabled CUDA render for the call
// and the CUDA backend can run here; the host backend otherwise. The host backend runs the
// same kernels on the CPU, so a host rendering without a GPU still gets the effect.

#include "gpu/runtime/HostRuntime.h"

namespace gpu {

inline Runtime& chooseRenderRuntime(bool cudaRenderEnabled) {
  if (cudaRenderEnabled) {
    if (Runtime* cuda = cudaRuntime()) return *cuda;
  }
  return hostRuntime();
}

}  // namespace gpu
