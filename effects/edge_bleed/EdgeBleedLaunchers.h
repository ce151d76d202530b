#pragma once
// The pass launchers of the three Edge Bleed kernels, as the kernel registry calls them.
//
// call_<stem>_kernel_Pass launches the CUDA kernel (<stem>Kernel) on the given CUDA stream;
// they exist only in builds with the CUDA backend. call_<stem>_kernel_HostPass is the host
// backend's twin: it runs the same per-pixel body on the CPU through gpu::hostRuntime().
// Both take the same arguments, choose the working image the same way, log the same lines
// and check no errors themselves (the registry does).

#include "gpu/KernelParameters.h"

extern "C" {

#define EB_DECLARE_PASS_LAUNCHER(name)                                                              \
    void name(void* stream, const SystemParameters& systemParameters,                               \
              const PipelineParameters& pipelineParameters, const SourceConnections& sourceConnections, \
              const AnimatedParameters& animatedParameters, const BundledResources& bundledResources,  \
              const char* kernelFile, void* inputTexture, void* outputSurface)

EB_DECLARE_PASS_LAUNCHER(call_jfa_core_kernel_Pass);
EB_DECLARE_PASS_LAUNCHER(call_jfa_blur_kernel_Pass);
EB_DECLARE_PASS_LAUNCHER(call_edge_bleed_kernel_Pass);

EB_DECLARE_PASS_LAUNCHER(call_jfa_core_kernel_HostPass);
EB_DECLARE_PASS_LAUNCHER(call_jfa_blur_kernel_HostPass);
EB_DECLARE_PASS_LAUNCHER(call_edge_bleed_kernel_HostPass);

#undef EB_DECLARE_PASS_LAUNCHER
}
