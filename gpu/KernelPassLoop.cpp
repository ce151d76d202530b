#include "gpu/KernelPassLoop.h"

#include <chrono>

#include "gpu/KernelRegistry.h"
#include "gpu/RenderBufferManager.h"
#include "plugin/Logger.h"

namespace {

using Clock = std::chrono::steady_clock;

long long microsecondsSince(Clock::time_point start) {
  return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
}

long long millisecondsSince(Clock::time_point start) {
  return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

}  // namespace

KernelPassRunner registryKernelPassRunner() {
  return [](gpu::Runtime& runtime, void* stream, const SystemParameters& sp, const PipelineParameters& pp,
            const SourceConnections& sc, const AnimatedParameters& ap, const BundledResources& br,
            const XMLEffectDefinition& definition, const char* kernelFile, void* inputTexture, void* outputSurface) {
    RunGenericKernelPass(runtime.backend(), stream, sp, pp, sc, ap, br, definition, kernelFile, inputTexture,
                         outputSurface);
  };
}

KernelPassLoop::KernelPassLoop(ProcessorState& state, ProcessorEffectAccess& effect, KernelPassRunner runner)
    : state_(state), effect_(effect), runner_(runner ? std::move(runner) : registryKernelPassRunner()) {}

void KernelPassLoop::logOutputDiagnostics(gpu::Runtime& runtime, const float* output, int width, int height,
                                          int rowBytes) {
  Logger& log = Logger::getInstance();
  const long long expected = static_cast<long long>(width) * 16;
  log.logMessage(LOG_DEBUG, "Output buffer: %p", static_cast<const void*>(output));
  log.logMessage(LOG_DEBUG, "Dimensions: %dx%d", width, height);
  log.logMessage(LOG_DEBUG, "Actual row bytes: %d, expected: %lld, difference: %lld", rowBytes, expected,
                 static_cast<long long>(rowBytes) - expected);

  gpu::MemoryType type = gpu::MemoryType::Unregistered;
  const gpu::Error query = runtime.pointerGetAttributes(&type, output);
  if (query != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaPointerGetAttributes failed: %s", runtime.getErrorString(query));
    // A refused query must not surface as the next pass's launch error.
    (void)runtime.getLastError();
  } else {
    log.logMessage(LOG_DEBUG, "Memory type: %d (0=unregistered, 1=host, 2=device, 3=managed)",
                   static_cast<int>(type));
  }

  if (static_cast<long long>(rowBytes) != expected) {
    log.logMessage(LOG_ERROR, "⚠️  ROW STRIDE MISMATCH DETECTED!");
    log.logMessage(LOG_ERROR, "    Output rows are %d bytes apart, pixels fill %lld bytes per row", rowBytes,
                   expected);
    log.logMessage(LOG_ERROR, "    Padding per row: %lld bytes (the final copy honours the row pitch)",
                   static_cast<long long>(rowBytes) - expected);
  }
}

KernelPassLoop::Outcome KernelPassLoop::run(gpu::Runtime& runtime, void* stream,
                                            const PassLoopDestination& destination) {
  Logger& log = Logger::getInstance();

  const std::vector<XMLEffectDefinition::KernelDef> kernels =
      !state_.kernels.empty() ? state_.kernels : state_.definition.getKernelsForPlatform("cuda");
  if (kernels.empty()) {
    log.logMessage(LOG_ERROR, "No CUDA kernels defined");
    return Outcome::NoKernels;
  }

  // A kernel with a count below 1 runs no pass; it does not take passes away from the others.
  int totalPasses = 0;
  for (const XMLEffectDefinition::KernelDef& kernel : kernels) totalPasses += kernel.executions > 0 ? kernel.executions : 0;
  const int kernelCount = static_cast<int>(kernels.size());
  log.logMessage(LOG_DEBUG, "CUDA multi-pass rendering: %d kernels, %d total passes", kernelCount, totalPasses);

  if (!destination.present) {
    log.logMessage(LOG_ERROR, "No destination image for GenericProcessor - nothing rendered");
    return Outcome::NoDestination;
  }
  const int width = destination.width;
  const int height = destination.height;

  float* output = nullptr;
  int rowBytes = 0;
  if (state_.outputBuffer != nullptr) {
    output = state_.outputBuffer;
    rowBytes = state_.outputRowBytes;
    log.logMessage(LOG_DEBUG, "✓ Custom output buffer: %p (multipipeline path)", static_cast<void*>(output));
  } else {
    output = destination.pixels;
    rowBytes = destination.rowBytes;
    log.logMessage(LOG_DEBUG, "⚠ Using _dstImg fallback: %p (old path, will be deprecated)",
                   static_cast<void*>(output));
  }

  // Without pixels, a size or enough room per row, the final copy would write out of bounds.
  if (output == nullptr || width <= 0 || height <= 0 || static_cast<long long>(rowBytes) < static_cast<long long>(width) * 16) {
    log.logMessage(LOG_ERROR, "Unusable output target for GenericProcessor (%p, %dx%d, pitch=%d) - nothing rendered",
                   static_cast<void*>(output), width, height, rowBytes);
    return Outcome::NoDestination;
  }
  if (totalPasses == 0) {
    log.logMessage(LOG_ERROR, "No CUDA kernels defined");
    return Outcome::NoKernels;
  }

  logOutputDiagnostics(runtime, output, width, height, rowBytes);

  RenderBufferManager* manager = state_.bufferManager;
  if (manager == nullptr) {
    log.logMessage(LOG_ERROR, "No buffer manager provided to GenericProcessor!");
    return Outcome::NoBufferManager;
  }
  manager->setRuntime(runtime);
  if (!manager->initializeCUDA(width, height, stream, output, totalPasses)) {
    log.logMessage(LOG_ERROR, "Failed to initialize CUDA render buffers - aborting");
    return Outcome::BuffersFailed;
  }

  int pass = 0;
  for (int kernelIndex = 0; kernelIndex < kernelCount; ++kernelIndex) {
    const XMLEffectDefinition::KernelDef& kernel = kernels[static_cast<size_t>(kernelIndex)];
    log.logMessage(LOG_DEBUG, "CUDA Kernel %d/%d (%s): %d executions", kernelIndex + 1, kernelCount,
                   kernel.file.c_str(), kernel.executions);
    for (int execution = 0; execution < kernel.executions; ++execution) {
      void* inputTexture =
          pass == 0 ? nullptr : reinterpret_cast<void*>(static_cast<uintptr_t>(manager->getInputTexture(pass)));
      void* outputSurface = reinterpret_cast<void*>(static_cast<uintptr_t>(manager->getOutputSurface(pass)));

      SystemParameters sp = buildSystemParameters(state_, effect_, width, height);
      sp.currentExecution = execution;
      sp.totalExecutions = kernel.executions;
      sp.currentKernel = kernelIndex;
      sp.totalKernels = kernelCount;
      sp.currentPass = pass;
      sp.totalPasses = totalPasses;
      log.logMessage(LOG_DEBUG, "Pass %d/%d: Kernel %d, Execution %d", pass + 1, totalPasses, kernelIndex, execution);

      const Clock::time_point paramsStart = Clock::now();
      const PipelineParameters pp = buildPipelineParameters(state_);
      const long long paramsTime = microsecondsSince(paramsStart);
      const Clock::time_point sourcesStart = Clock::now();
      const SourceConnections sc = buildSourceConnections(state_, effect_);
      const long long sourcesTime = microsecondsSince(sourcesStart);
      const AnimatedParameters ap = buildAnimatedParameters(state_, effect_);
      log.logMessage(LOG_ERROR, "[TIMING] Setup: params=%lld μs, sources=%lld μs", paramsTime, sourcesTime);

      const Clock::time_point passStart = Clock::now();
      runner_(runtime, stream, sp, pp, sc, ap, state_.bundledResources, state_.definition, kernel.file.c_str(),
              inputTexture, outputSurface);
      log.logMessage(LOG_ERROR, "⏱️  %s (exec %d/%d) took: %lldms", kernel.file.c_str(), execution + 1,
                     kernel.executions, millisecondsSince(passStart));
      ++pass;
    }
  }

  const Clock::time_point copyStart = Clock::now();
  if (!manager->copyFinalArrayToBuffer(stream, totalPasses, output, width, height, rowBytes)) {
    log.logMessage(LOG_ERROR, "Failed to copy final cudaArray to output buffer");
    return Outcome::FinalCopyFailed;
  }
  log.logMessage(LOG_ERROR, "⏱️  Final copy took: %lldms", millisecondsSince(copyStart));
  log.logMessage(LOG_INFO, "CUDA multi-pass rendering completed successfully");
  return Outcome::Completed;
}
