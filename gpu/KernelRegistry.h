#pragma once
// The kernel registry: kernel file names of a definition ("jfa_core.cu") mapped to the
// compiled pass launchers, and the dispatch that runs one pass, checks the launch and waits
// for it.
//
// Two twins of everything: the CUDA launchers (call_<stem>_kernel_Pass, present in builds
// with the CUDA backend) and the host backend's launchers (call_<stem>_kernel_HostPass),
// which run the same kernel bodies on the CPU. The dispatch functions log the same lines on
// both backends, never throw, and report failures only through the log.

#include <string>

#include "gpu/KernelParameters.h"
#include "gpu/runtime/Runtime.h"

class XMLEffectDefinition;

// A pass launcher: stream, the five blocks, the kernel file name, the input texture (null on
// the first pass of a run) and the output surface. It enqueues one launch and checks nothing.
using KernelPassFunction = void (*)(void* stream, const SystemParameters&, const PipelineParameters&,
                                    const SourceConnections&, const AnimatedParameters&,
                                    const BundledResources&, const char* kernelFile, void* inputTexture,
                                    void* outputSurface);

// A single-launch kernel function (none is registered).
using KernelFunction = void (*)(void* stream, const SystemParameters&, const PipelineParameters&,
                                const SourceConnections&, const AnimatedParameters&, float* output);

struct KernelRegistryEntry {
    const char* name;
    KernelPassFunction launcher;
};

constexpr int KERNEL_REGISTRY_SIZE = 3;

// "jfa_core", "jfa_blur", "edge_bleed" with the CUDA launchers (null without the CUDA backend).
extern const KernelRegistryEntry kernelRegistry[KERNEL_REGISTRY_SIZE];
// The same names with the host backend's launchers.
extern const KernelRegistryEntry hostKernelRegistry[KERNEL_REGISTRY_SIZE];
// The registered names, for diagnostics.
extern const char* const lookupNames[KERNEL_REGISTRY_SIZE];

// The registry name of a kernel file: cut at the first ".cu", then at the first ".metal".
std::string kernelRegistryName(const std::string& kernelFile);

// The CUDA launcher of a kernel file, or null (always null without the CUDA backend).
KernelPassFunction getKernelPassFunction(const std::string& kernelFile);
// The host backend's launcher of a kernel file, or null.
KernelPassFunction getHostKernelPassFunction(const std::string& kernelFile);

// Single-launch functions by effect name: none is registered, so always null.
KernelFunction getKernelFunction(const std::string& effectName);
int getRegisteredEffectCount();
// lookupNames[index] for 0 <= index < 3, else "".
std::string getEffectName(int index);

// One pass on the CUDA backend: look the launcher up, launch, read and clear the launch error,
// wait for the stream; every failure is logged and the pass is skipped or left as it is.
void RunGenericCudaKernelPass(void* stream, const SystemParameters& systemParameters,
                              const PipelineParameters& pipelineParameters,
                              const SourceConnections& sourceConnections,
                              const AnimatedParameters& animatedParameters,
                              const BundledResources& bundledResources, const XMLEffectDefinition& definition,
                              const char* kernelFile, void* inputTexture, void* outputSurface);

// The same pass on the host backend (gpu::hostRuntime()), with the same log lines.
void RunGenericHostKernelPass(void* stream, const SystemParameters& systemParameters,
                              const PipelineParameters& pipelineParameters,
                              const SourceConnections& sourceConnections,
                              const AnimatedParameters& animatedParameters,
                              const BundledResources& bundledResources, const XMLEffectDefinition& definition,
                              const char* kernelFile, void* inputTexture, void* outputSurface);

// RunGenericCudaKernelPass or RunGenericHostKernelPass, by backend.
void RunGenericKernelPass(gpu::Backend backend, void* stream, const SystemParameters& systemParameters,
                          const PipelineParameters& pipelineParameters, const SourceConnections& sourceConnections,
                          const AnimatedParameters& animatedParameters, const BundledResources& bundledResources,
                          const XMLEffectDefinition& definition, const char* kernelFile, void* inputTexture,
                          void* outputSurface);

// The single-launch path, kept beside the pass path; with no function registered it only
// logs what it looked for.
void RunGenericCudaKernel(void* stream, const SystemParameters& systemParameters,
                          const PipelineParameters& pipelineParameters, const SourceConnections& sourceConnections,
                          const AnimatedParameters& animatedParameters, const XMLEffectDefinition& definition,
                          float* output);

// Metal does not exist on this platform: does nothing.
void RunGenericMetalKernel(void* stream, const SystemParameters& systemParameters,
                           const PipelineParameters& pipelineParameters, const SourceConnections& sourceConnections,
                           const AnimatedParameters& animatedParameters, const XMLEffectDefinition& definition,
                           float* output);
