#include "gpu/KernelRegistry.h"

#include <chrono>
#include <exception>

#include "definition/XMLEffectDefinition.h"
#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "gpu/runtime/HostRuntime.h"
#include "plugin/Logger.h"

#if defined(EDGE_BLEED_KERNELS_HAVE_CUDA)
#define EB_CUDA_LAUNCHER(name) &name
#else
#define EB_CUDA_LAUNCHER(name) nullptr
#endif

const KernelRegistryEntry kernelRegistry[KERNEL_REGISTRY_SIZE] = {
    {"jfa_core", EB_CUDA_LAUNCHER(call_jfa_core_kernel_Pass)},
    {"jfa_blur", EB_CUDA_LAUNCHER(call_jfa_blur_kernel_Pass)},
    {"edge_bleed", EB_CUDA_LAUNCHER(call_edge_bleed_kernel_Pass)},
};

const KernelRegistryEntry hostKernelRegistry[KERNEL_REGISTRY_SIZE] = {
    {"jfa_core", &call_jfa_core_kernel_HostPass},
    {"jfa_blur", &call_jfa_blur_kernel_HostPass},
    {"edge_bleed", &call_edge_bleed_kernel_HostPass},
};

const char* const lookupNames[KERNEL_REGISTRY_SIZE] = {"jfa_core", "jfa_blur", "edge_bleed"};

namespace {

using Clock = std::chrono::system_clock;

long long microsecondsSince(Clock::time_point start) {
    return static_cast<long long>(
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
}

KernelPassFunction lookUp(const KernelRegistryEntry (&table)[KERNEL_REGISTRY_SIZE], const std::string& kernelFile) {
    const std::string name = kernelRegistryName(kernelFile);
    for (const KernelRegistryEntry& entry : table) {
        if (name == entry.name) {
            return entry.launcher;
        }
    }
    return nullptr;
}

// The pass algorithm shared by both backends; `runtime` answers the error checks.
void runKernelPass(gpu::Runtime& runtime, KernelPassFunction (*lookup)(const std::string&), void* stream,
                   const SystemParameters& systemParameters, const PipelineParameters& pipelineParameters,
                   const SourceConnections& sourceConnections, const AnimatedParameters& animatedParameters,
                   const BundledResources& bundledResources, const XMLEffectDefinition& definition,
                   const char* kernelFile, void* inputTexture, void* outputSurface) {
    Logger& log = Logger::getInstance();
    const char* file = kernelFile != nullptr ? kernelFile : "";
    try {
        log.logMessage(LOG_DEBUG, "Calling CUDA kernel: %s (pass %d/%d, %d sources)", file,
                       systemParameters.currentPass, systemParameters.totalPasses, sourceConnections.sourceCount);

        const Clock::time_point lookupStart = Clock::now();
        const KernelPassFunction launcher = lookup(file);
        const long long lookupTime = microsecondsSince(lookupStart);
        if (launcher == nullptr) {
            log.logMessage(LOG_ERROR, "No multi-pass kernel function found for kernel: %s (effect: %s)", file,
                           definition.getName().c_str());
            return;
        }
        log.logMessage(LOG_ERROR, "[TIMING] Kernel lookup: %lld μs", lookupTime);

        log.logMessage(LOG_INFO, "Executing kernel pass: kernel=%s, execution=%d/%d, pass=%d/%d", file,
                       systemParameters.currentExecution, systemParameters.totalExecutions,
                       systemParameters.currentPass, systemParameters.totalPasses);
        const Clock::time_point launchStart = Clock::now();
        launcher(stream, systemParameters, pipelineParameters, sourceConnections, animatedParameters,
                 bundledResources, file, inputTexture, outputSurface);
        log.logMessage(LOG_ERROR, "[TIMING] Kernel launch+exec: %lld μs", microsecondsSince(launchStart));

        const gpu::Error launchError = runtime.getLastError();
        if (launchError != gpu::Error::Success) {
            log.logMessage(LOG_ERROR, "❌ CUDA kernel LAUNCH error (pass %d): %s", systemParameters.currentPass,
                           runtime.getErrorString(launchError));
        }
        const gpu::Error executionError = runtime.streamSynchronize(static_cast<gpu::Stream>(stream));
        if (executionError != gpu::Error::Success) {
            log.logMessage(LOG_ERROR, "❌ CUDA kernel EXECUTION error (pass %d): %s", systemParameters.currentPass,
                           runtime.getErrorString(executionError));
        } else {
            log.logMessage(LOG_INFO, "✅ Kernel pass %d completed successfully", systemParameters.currentPass);
        }
    } catch (const std::exception& e) {
        log.logMessage(LOG_ERROR, "Exception in CUDA kernel pass: %s", e.what());
    } catch (...) {
        log.logMessage(LOG_ERROR, "Unknown exception in CUDA kernel pass");
    }
}

}  // namespace

std::string kernelRegistryName(const std::string& kernelFile) {
    std::string name = kernelFile;
    const size_t cu = name.find(".cu");
    if (cu != std::string::npos) {
        name.erase(cu);
    }
    const size_t metal = name.find(".metal");
    if (metal != std::string::npos) {
        name.erase(metal);
    }
    return name;
}

KernelPassFunction getKernelPassFunction(const std::string& kernelFile) { return lookUp(kernelRegistry, kernelFile); }

KernelPassFunction getHostKernelPassFunction(const std::string& kernelFile) {
    return lookUp(hostKernelRegistry, kernelFile);
}

KernelFunction getKernelFunction(const std::string&) { return nullptr; }

int getRegisteredEffectCount() { return KERNEL_REGISTRY_SIZE; }

std::string getEffectName(int index) {
    if (index < 0 || index >= KERNEL_REGISTRY_SIZE) {
        return std::string();
    }
    return lookupNames[index];
}

void RunGenericCudaKernelPass(void* stream, const SystemParameters& systemParameters,
                              const PipelineParameters& pipelineParameters,
                              const SourceConnections& sourceConnections,
                              const AnimatedParameters& animatedParameters,
                              const BundledResources& bundledResources, const XMLEffectDefinition& definition,
                              const char* kernelFile, void* inputTexture, void* outputSurface) {
    gpu::Runtime* runtime = gpu::cudaRuntime();
    if (runtime == nullptr) {
        Logger::getInstance().logMessage(LOG_ERROR, "CUDA kernel pass %d skipped: %s", systemParameters.currentPass,
                                         gpu::cudaUnavailableReason());
        return;
    }
    runKernelPass(*runtime, &getKernelPassFunction, stream, systemParameters, pipelineParameters, sourceConnections,
                  animatedParameters, bundledResources, definition, kernelFile, inputTexture, outputSurface);
}

void RunGenericHostKernelPass(void* stream, const SystemParameters& systemParameters,
                              const PipelineParameters& pipelineParameters,
                              const SourceConnections& sourceConnections,
                              const AnimatedParameters& animatedParameters,
                              const BundledResources& bundledResources, const XMLEffectDefinition& definition,
                              const char* kernelFile, void* inputTexture, void* outputSurface) {
    runKernelPass(gpu::hostRuntime(), &getHostKernelPassFunction, stream, systemParameters, pipelineParameters,
                  sourceConnections, animatedParameters, bundledResources, definition, kernelFile, inputTexture,
                  outputSurface);
}

void RunGenericKernelPass(gpu::Backend backend, void* stream, const SystemParameters& systemParameters,
                          const PipelineParameters& pipelineParameters, const SourceConnections& sourceConnections,
                          const AnimatedParameters& animatedParameters, const BundledResources& bundledResources,
                          const XMLEffectDefinition& definition, const char* kernelFile, void* inputTexture,
                          void* outputSurface) {
    if (backend == gpu::Backend::Cuda) {
        RunGenericCudaKernelPass(stream, systemParameters, pipelineParameters, sourceConnections,
                                 animatedParameters, bundledResources, definition, kernelFile, inputTexture,
                                 outputSurface);
    } else {
        RunGenericHostKernelPass(stream, systemParameters, pipelineParameters, sourceConnections,
                                 animatedParameters, bundledResources, definition, kernelFile, inputTexture,
                                 outputSurface);
    }
}

void RunGenericCudaKernel(void* stream, const SystemParameters& systemParameters,
                          const PipelineParameters& pipelineParameters, const SourceConnections& sourceConnections,
                          const AnimatedParameters& animatedParameters, const XMLEffectDefinition&, float* output) {
    Logger& log = Logger::getInstance();
    const char* effectName = pipelineParameters.effectName != nullptr ? pipelineParameters.effectName : "";
    try {
        log.logMessage(LOG_DEBUG, "RunGenericCudaKernel called for effect: %s", effectName);
        log.logMessage(LOG_DEBUG, "Looking up kernel function for: '%s'", effectName);
        const KernelFunction function = getKernelFunction(effectName);
        if (function == nullptr) {
            log.logMessage(LOG_ERROR, "No kernel function found for effect: %s", effectName);
            log.logMessage(LOG_ERROR, "Registered effects count: %d", getRegisteredEffectCount());
            for (int i = 0; i < getRegisteredEffectCount(); ++i) {
                log.logMessage(LOG_ERROR, "  [%d] '%s'", i, getEffectName(i).c_str());
            }
            return;
        }
        gpu::Runtime* runtime = gpu::cudaRuntime();
        if (runtime == nullptr) {
            log.logMessage(LOG_ERROR, "Kernel execution failed: %s", gpu::cudaUnavailableReason());
            return;
        }
        function(stream, systemParameters, pipelineParameters, sourceConnections, animatedParameters, output);
        const gpu::Error error = runtime->streamSynchronize(static_cast<gpu::Stream>(stream));
        if (error != gpu::Error::Success) {
            log.logMessage(LOG_ERROR, "Kernel execution failed: %s", runtime->getErrorString(error));
        } else {
            log.logMessage(LOG_DEBUG, "Kernel execution successful");
        }
    } catch (const std::exception& e) {
        log.logMessage(LOG_ERROR, "Exception in kernel: %s", e.what());
    } catch (...) {
        log.logMessage(LOG_ERROR, "Unknown exception in kernel");
    }
}

void RunGenericMetalKernel(void*, const SystemParameters&, const PipelineParameters&, const SourceConnections&,
                           const AnimatedParameters&, const XMLEffectDefinition&, float*) {}
