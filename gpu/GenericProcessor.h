#pragma once
// The framework's image processor: runs one list of kernels over one frame as GPU passes
// that ping-pong between the arrays of a RenderBufferManager, and copies the last pass's
// result into the output target (a pipeline buffer or the host's output image), honouring
// the target's row pitch.
//
// The effect instance creates one processor per pipeline execution, configures it with the
// setters (any order) and calls process(); the processor lives for that one run.
//
// Backends (gpu/RenderRuntimeChoice.h): with CUDA render enabled the passes run on the CUDA
// backend and the host's stream; with no GPU mode enabled the same passes run on the host
// backend, through the kernel registry's host twins, so a CPU render gets the real effect.
// OpenCL render is refused with a log line; Metal does nothing. setRuntime() overrides the
// choice (the effect instance passes the runtime its textures live on).
//
// An effect that implements GenericEffectHooks (ProcessorEffectAccess.h) is treated as the
// framework's instance: "Blend" is read for globalBlend and unconnected inputs get default
// textures. Nothing is thrown except what the host's parameter reads throw.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gpu/KernelPassLoop.h"
#include "gpu/ProcessorState.h"
#include "openfx/support/ImageProcessor.h"

class RenderBufferManager;

class GenericProcessor : public OFX::ImageProcessor {
 public:
  GenericProcessor(OFX::ImageEffect& effect, const XMLEffectDefinition& definition);
  ~GenericProcessor() override;

  // Copies the map; an "output" entry becomes the destination image.
  void setImages(const std::map<std::string, OFX::Image*>& images);
  void setParameters(const std::map<std::string, ParameterValue>& parameters);
  void setTextures(const std::map<std::string, void*>& textures);
  void setConnectionStatus(const std::map<std::string, bool>& status);
  // Copies the whole record, then lets the base take the GPU-mode flags and the stream.
  void setGPURenderArgs(const OFX::RenderArguments& args);
  void setRenderWindow(const OfxRectI& window);
  void setBufferManager(RenderBufferManager* manager);
  // The custom output target (a pipeline buffer or the host image) and its row pitch.
  void setOutputBuffer(float* buffer, int rowBytes);
  void setKernels(const std::vector<XMLEffectDefinition::KernelDef>& kernels);
  void setPipelineContext(int current, int total);
  // Effect execution index and count, then pipeline execution index and count.
  void setExecutionContext(int currentPipelineExecution, int totalPipelineExecutions, int currentProcessExecution,
                           int totalProcessExecutions);
  void setBundledResources(const BundledResources& resources);

  // The runtime to render on, instead of the choice by GPU mode.
  void setRuntime(gpu::Runtime& runtime) { runtime_ = &runtime; }
  // Replaces the kernel registry's dispatch (tests).
  void setPassRunner(KernelPassRunner runner) { passRunner_ = std::move(runner); }

  // The four per-pass blocks, from the state above.
  SystemParameters createSystemParameters(int width, int height);
  PipelineParameters createPipelineParameters();
  SourceConnections createSourceConnections();
  AnimatedParameters createAnimatedParameters();

  // Runs the kernel list: CUDA path when CUDA render is enabled, host backend when no GPU
  // mode is, the OpenCL refusal, or nothing for Metal; between preProcess and postProcess.
  void process() override;

  void processImagesCUDA() override;
  void processImagesOpenCL() override;
  void processImagesMetal() override;
  // The support library's CPU entry; process() never uses it (the host backend renders
  // instead). Copies the first required input into the destination inside `window`.
  void multiThreadProcessImages(OfxRectI window) override;

  // What the last run ended with.
  KernelPassLoop::Outcome lastOutcome() const { return lastOutcome_; }

 private:
  // Runs the pass loop on `runtime` with `stream`.
  void runPasses(gpu::Runtime& runtime, void* stream);
  PassLoopDestination destination() const;

  ProcessorState state_;
  std::map<std::string, OFX::Image*> images_;
  std::unique_ptr<ProcessorEffectAccess> access_;
  gpu::Runtime* runtime_ = nullptr;
  KernelPassRunner passRunner_;
  KernelPassLoop::Outcome lastOutcome_ = KernelPassLoop::Outcome::NoKernels;
};
