#pragma once
// The pass loop of a GenericProcessor run: every kernel of the list runs as many consecutive
// passes as its execution count says; pass p reads the array that pass p - 1 wrote (pass 0
// reads only its sources) and writes the other one of the buffer manager's ping-pong pair;
// after the last pass the array written last is copied into the output target with the
// target's own row pitch.
//
// The loop runs on whichever runtime it is given (CUDA or host backend), with the buffer
// manager moved onto that runtime. Each pass is handed to a KernelPassRunner, by default the
// kernel registry's dispatch for the runtime's backend; tests substitute their own.
// Failures are logged and end the run (or, for one pass, are left to the runner); nothing
// throws except what the effect's parameter reads throw (a frame failure).

#include <functional>

#include "gpu/KernelParameterBuilders.h"
#include "gpu/runtime/Runtime.h"

using KernelPassRunner =
    std::function<void(gpu::Runtime& runtime, void* stream, const SystemParameters&, const PipelineParameters&,
                       const SourceConnections&, const AnimatedParameters&, const BundledResources&,
                       const XMLEffectDefinition&, const char* kernelFile, void* inputTexture, void* outputSurface)>;

// RunGenericKernelPass (KernelRegistry.h) on the runtime's backend.
KernelPassRunner registryKernelPassRunner();

// The destination image of the processor: its size (bounds) and pixels, used as the output
// target unless the state names a custom output buffer.
struct PassLoopDestination {
  bool present = false;
  int width = 0;
  int height = 0;
  float* pixels = nullptr;
  int rowBytes = 0;
};

class KernelPassLoop {
 public:
  enum class Outcome {
    Completed,         // every pass ran (or was logged as failed) and the result was copied
    NoKernels,         // "No CUDA kernels defined"
    NoDestination,     // no destination image, no usable size or no output pixels
    NoBufferManager,   // "No buffer manager provided to GenericProcessor!"
    BuffersFailed,     // "Failed to initialize CUDA render buffers - aborting"
    FinalCopyFailed,   // "Failed to copy final cudaArray to output buffer"
  };

  KernelPassLoop(ProcessorState& state, ProcessorEffectAccess& effect, KernelPassRunner runner);

  // Runs the state's kernels (or, when it has none, the definition's flat "cuda" kernels).
  Outcome run(gpu::Runtime& runtime, void* stream, const PassLoopDestination& destination);

 private:
  void logOutputDiagnostics(gpu::Runtime& runtime, const float* output, int width, int height, int rowBytes);

  ProcessorState& state_;
  ProcessorEffectAccess& effect_;
  KernelPassRunner runner_;
};
