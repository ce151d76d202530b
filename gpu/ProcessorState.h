#pragma once
// Everything a GenericProcessor is configured with before its run, as one plain record that
// the block builders (KernelParameterBuilders.h) and the pass loop (KernelPassLoop.h) read.
// The processor owns the maps, the kernel list, the strings and the blocks; it owns neither
// the images, the buffer manager, the output buffer nor the texture objects.

#include <map>
#include <string>
#include <vector>

#include "definition/XMLEffectDefinition.h"
#include "effect/ParameterValue.h"
#include "gpu/KernelParameters.h"
#include "openfx/support/Arguments.h"

class RenderBufferManager;

struct ProcessorState {
  explicit ProcessorState(const XMLEffectDefinition& def) : definition(def) { bundledResources = BundledResources{}; }

  const XMLEffectDefinition& definition;
  std::map<std::string, ParameterValue> parameterValues;
  // Source name (input name, "effectOutput", "pipelineOutput_<k>") to texture object.
  std::map<std::string, void*> textures;
  // Input name to the clip's connected state.
  std::map<std::string, bool> connectionStatus;
  // Backs PipelineParameters::effectName.
  std::string effectName;

  OFX::RenderArguments renderArgs;
  bool hasRenderArgs = false;
  OfxRectI renderWindow{0, 0, 0, 0};
  // Pixel aspect ratio of the destination image (1.0 without one).
  double dstPixelAspectRatio = 1.0;

  RenderBufferManager* bufferManager = nullptr;
  float* outputBuffer = nullptr;
  int outputRowBytes = 0;
  std::vector<XMLEffectDefinition::KernelDef> kernels;

  // Position of this run in the definition's hierarchy.
  int currentPipeline = 0;
  int totalPipelines = 1;
  int currentPipelineExecution = 0;
  int totalPipelineExecutions = 1;
  int currentProcessExecution = 0;
  int totalProcessExecutions = 1;

  BundledResources bundledResources;
};
