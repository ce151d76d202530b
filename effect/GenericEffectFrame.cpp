// GenericEffect: the set-up of one frame and the runs of its pipelines.
#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "effect/ExecutionCount.h"
#include "effect/GenericEffect.h"
#include "gpu/GenericProcessor.h"
#include "gpu/RenderRuntimeChoice.h"
#include "openfx/support/Image.h"
#include "plugin/Logger.h"

struct GenericEffect::FrameState {
  explicit FrameState(const OFX::RenderArguments& a) : args(a) {}

  const OFX::RenderArguments& args;
  gpu::Runtime* runtime = nullptr;
  // The stream of the frame's GPU work: the host's CUDA stream on the CUDA backend.
  void* stream = nullptr;
  std::string platform;
  int width = 0;
  int height = 0;
  OFX::Image* output = nullptr;
  float* outputPixels = nullptr;
  int outputRowBytes = 0;

  // Every image fetched for the frame; destroying them returns them to the host.
  std::vector<std::unique_ptr<OFX::Image>> held;
  std::map<std::string, OFX::Image*> images;
  std::map<std::string, void*> textures;
  std::map<std::string, bool> connections;
  std::map<std::string, ParameterValue> parameters;
};

struct GenericEffect::PipelineRun {
  const std::vector<XMLEffectDefinition::KernelDef>* kernels = nullptr;
  float* output = nullptr;
  int rowBytes = 0;
  int pipelineIndex = 0;
  int pipelineCount = 1;
  int effectExecution = 0;
  int effectExecutions = 1;
  int pipelineExecution = 0;
  int pipelineExecutions = 1;
};

namespace {

// A float RGBA image whose rows hold at least its width: anything else would make the
// copies read or write outside it (bottom-up images have negative row bytes).
bool hasUsableRows(int width, int rowBytes) {
  return rowBytes > 0 && static_cast<long long>(rowBytes) >= static_cast<long long>(width) * 16;
}

void* textureValue(gpu::TextureObject texture) { return reinterpret_cast<void*>(static_cast<uintptr_t>(texture)); }

}  // namespace

std::string GenericEffect::platformName(const OFX::RenderArguments& args) {
  if (args.isEnabledCudaRender) return "cuda";
  if (args.isEnabledMetalRender) return "metal";
  if (args.isEnabledOpenCLRender) return "opencl";
  // No GPU mode: the host backend runs the definition's CUDA kernels on the CPU.
  return "cuda";
}

void GenericEffect::setupAndProcess(const OFX::RenderArguments& args) {
  Logger& log = Logger::getInstance();
  FrameState frame(args);
  try {
    // 1-2. The output image and the frame size.
    OFX::Clip* outputClip = nullptr;
    {
      std::lock_guard<std::mutex> lock(paramMutex);
      const auto found = clips.find("output");
      if (found != clips.end()) outputClip = found->second;
    }
    std::unique_ptr<OFX::Image> output(outputClip != nullptr ? outputClip->fetchImage(args.time) : nullptr);
    if (!output) throw std::runtime_error("Failed to fetch output image");
    frame.output = output.get();
    frame.held.push_back(std::move(output));
    const OfxRectI& bounds = frame.output->getBounds();
    frame.width = bounds.x2 - bounds.x1;
    frame.height = bounds.y2 - bounds.y1;
    frame.outputPixels = static_cast<float*>(frame.output->getPixelData());
    frame.outputRowBytes = frame.output->getRowBytes();
    if (frame.width <= 0 || frame.height <= 0 || frame.outputPixels == nullptr) {
      throw std::runtime_error("Output image has no pixels");
    }
    if (!hasUsableRows(frame.width, frame.outputRowBytes)) {
      throw std::runtime_error("Output image rows are shorter than its width");
    }

    // The backend of this frame: CUDA when the host enabled it and it can run here.
    frame.runtime = &gpu::chooseRenderRuntime(args.isEnabledCudaRender);
    frame.stream = frame.runtime->backend() == gpu::Backend::Cuda ? args.pCudaStream : nullptr;
    log.logMessage(LOG_DEBUG, "Frame %dx%d on the %s backend", frame.width, frame.height, frame.runtime->name());

    // 3. Default textures for inputs without a texture.
    if (!defaultTextures.created()) {
      log.logMessage(LOG_INFO, "Creating default textures for noinput feature");
      if (defaultTextures.createDefaultTextures(*frame.runtime, frame.width, frame.height)) {
        log.logMessage(LOG_INFO, "Default textures created successfully");
      } else {
        log.logMessage(LOG_ERROR, "Failed to create default textures");
      }
    } else {
      // Moves them when the frame's backend changed; nothing happens otherwise.
      (void)defaultTextures.createDefaultTextures(*frame.runtime, frame.width, frame.height);
    }

    // 4. Bundled resources, once (again only if the backend changed since).
    if (bundledResources.loaded() && resourcesRuntime != frame.runtime && !bundledResources.resources().empty()) {
      bundledResources.freeBundledResources();
    }
    if (!bundledResources.loaded()) {
      resourcesRuntime = frame.runtime;
      if (!bundledResources.loadBundledResources(definition, *frame.runtime)) {
        log.logMessage(LOG_ERROR, "Failed to load bundled resources");
      }
    }

    // 5. The kernels of every pipeline are chosen by platform.
    frame.platform = platformName(args);

    // 6. The buffer manager of this output buffer, for every processor of the frame.
    currentBufferManager = bufferPool.getOrCreateBufferMgr(frame.outputPixels, frame.width, frame.height,
                                                           pipelineBuffers.pipelineBufferCount(), *frame.runtime);

    // 7-8. Pipeline buffers for the size and pipeline count.
    const int pipelineCount =
        definition.hasMultiPipeline() ? static_cast<int>(definition.getPipelines().size()) : 1;
    pipelineBuffers.ensure(*frame.runtime, frame.width, frame.height, pipelineCount);

    // 9-11. Images, input textures, connection states, buffer textures.
    frame.images["output"] = frame.output;
    gatherInputs(frame);
    pipelineBuffers.publishTextures(frame.textures);

    // 12. Parameter values at the frame time.
    for (const XMLEffectDefinition::ParameterDef& param : definition.getParameters()) {
      frame.parameters[param.name] = getParameterValue(param.name, args.time);
    }

    // 13-14. The pipelines, then the blend with the source.
    runPipelines(frame);
    applyFinalBlend(frame);
  } catch (const std::exception& e) {
    log.logMessage(LOG_ERROR, "ERROR in setupAndProcess: %s", e.what());
    currentBufferManager = nullptr;
    frame.images.clear();
    frame.held.clear();
    throw;
  }
  // 15. The images go back to the host.
  frame.images.clear();
  frame.held.clear();
  currentBufferManager = nullptr;
}

void GenericEffect::gatherInputs(FrameState& frame) {
  Logger& log = Logger::getInstance();
  for (const XMLEffectDefinition::InputDef& input : definition.getInputs()) {
    OFX::Clip* clip = nullptr;
    {
      std::lock_guard<std::mutex> lock(paramMutex);
      const auto found = clips.find(input.name);
      if (found != clips.end()) clip = found->second;
    }
    if (clip == nullptr) {
      if (!input.optional) throw std::runtime_error("Required input " + input.name + " not available");
      continue;
    }
    const bool connected = clip->isConnected();
    frame.connections[input.name] = connected;
    if (input.optional && !connected) {
      log.logMessage(LOG_DEBUG, "Optional input %s not connected", input.name.c_str());
      continue;
    }

    std::unique_ptr<OFX::Image> image(clip->fetchImage(frame.args.time));
    if (!image) {
      // A required input must deliver pixels; an optional one that delivers none counts as
      // not connected and gets its default texture.
      if (!input.optional) throw std::runtime_error("Required input " + input.name + " delivered no image");
      log.logMessage(LOG_DEBUG, "Optional input %s delivered no image", input.name.c_str());
      frame.connections[input.name] = false;
      continue;
    }
    OFX::Image* raw = image.get();
    frame.held.push_back(std::move(image));
    frame.images[input.name] = raw;

    const OfxRectI& bounds = raw->getBounds();
    const int width = bounds.x2 - bounds.x1;
    const int height = bounds.y2 - bounds.y1;
    const float* pixels = static_cast<const float*>(raw->getPixelData());
    const int rowBytes = raw->getRowBytes();
    if (raw->getPixelDepth() != OFX::eBitDepthFloat || raw->getPixelComponents() != OFX::ePixelComponentRGBA ||
        width <= 0 || height <= 0 || pixels == nullptr || !hasUsableRows(width, rowBytes)) {
      // Kernels read float RGBA only; anything else is left to the input's default texture.
      log.logMessage(LOG_ERROR, "Input %s is not a usable float RGBA image - using its default texture",
                     input.name.c_str());
      continue;
    }
    const gpu::TextureObject texture =
        textureCaches.refreshInput(*frame.runtime, input.name, pixels, rowBytes, width, height);
    if (texture != 0) frame.textures[input.name] = textureValue(texture);
  }
}

void GenericEffect::runPipelines(FrameState& frame) {
  Logger& log = Logger::getInstance();
  const double time = frame.args.time;
  auto readCount = [this, time](const std::string& name) { return getIntParameter(name, time); };

  std::string effectCountParam;
  const std::string& effectText = definition.getEffectExecutions();
  const int effectExecutions = parseExecutionCount(effectText, readCount);
  if (executionCountParameter(effectText, effectCountParam)) {
    log.logMessage(LOG_DEBUG, "Dynamic effect executions from parameter '%s': %d", effectCountParam.c_str(),
                   effectExecutions);
  }

  const bool multiPipeline = definition.hasMultiPipeline();
  // A copy: the processors must not see the definition's list change under them.
  const std::vector<XMLEffectDefinition::PipelineDef> pipelines =
      multiPipeline ? definition.getPipelines() : std::vector<XMLEffectDefinition::PipelineDef>();
  const int pipelineCount = multiPipeline ? static_cast<int>(pipelines.size()) : 1;

  for (int e = 0; e < effectExecutions; ++e) {
    const bool lastEffectExecution = e == effectExecutions - 1;
    if (multiPipeline) {
      for (int m = 0; m < pipelineCount; ++m) {
        const XMLEffectDefinition::PipelineDef& pipeline = pipelines[static_cast<size_t>(m)];
        std::vector<XMLEffectDefinition::KernelDef> kernels;
        for (const XMLEffectDefinition::KernelDef& kernel : pipeline.kernels) {
          if (kernel.platform == frame.platform) kernels.push_back(kernel);
        }
        if (kernels.empty()) {
          log.logMessage(LOG_ERROR, "Phase 3a.4: Pipeline %d '%s' has no kernels for %s - skipping", m,
                         pipeline.name.c_str(), frame.platform.c_str());
          continue;
        }
        const int executions = parseExecutionCount(pipeline.executions, readCount);
        for (int n = 0; n < executions; ++n) {
          PipelineRun run;
          run.kernels = &kernels;
          run.pipelineIndex = m;
          run.pipelineCount = pipelineCount;
          run.effectExecution = e;
          run.effectExecutions = effectExecutions;
          run.pipelineExecution = n;
          run.pipelineExecutions = executions;
          // Only the very last run writes the host image; every buffer keeps its own pitch.
          if (lastEffectExecution && m == pipelineCount - 1 && n == executions - 1) {
            run.output = frame.outputPixels;
            run.rowBytes = frame.outputRowBytes;
          } else {
            run.output = pipelineBuffers.pipelineBuffer(m);
            run.rowBytes = pipelineBuffers.rowBytes();
          }
          runSinglePipeline(frame, run);
        }
      }
    } else {
      const std::vector<XMLEffectDefinition::KernelDef> kernels = definition.getKernelsForPlatform(frame.platform);
      PipelineRun run;
      run.kernels = &kernels;
      run.output = frame.outputPixels;
      run.rowBytes = frame.outputRowBytes;
      run.effectExecution = e;
      run.effectExecutions = effectExecutions;
      runSinglePipeline(frame, run);
    }
    if (!lastEffectExecution) {
      if (multiPipeline) {
        copyPipelineToEffectOutput(pipelineCount - 1, frame.args.pMetalCmdQ, frame.stream);
      } else {
        // Without a pipeline list every run writes the host image (pipeline buffer 0 is never
        // written), so that image is what the next execution must see as "effectOutput".
        pipelineBuffers.copyImageToEffectOutput(frame.outputPixels, frame.outputRowBytes, frame.stream);
      }
    }
  }
}

void GenericEffect::runSinglePipeline(FrameState& frame, const PipelineRun& run) {
  const std::string target = run.output == frame.outputPixels ? std::string("host output")
                                                               : "pipelineOutput_" + std::to_string(run.pipelineIndex);
  Logger::getInstance().logMessage(
      LOG_DEBUG, "Running pipeline %d/%d (effect execution %d/%d, pipeline execution %d/%d) at %dx%d -> %s",
      run.pipelineIndex, run.pipelineCount, run.effectExecution, run.effectExecutions, run.pipelineExecution,
      run.pipelineExecutions, frame.width, frame.height, target.c_str());

  GenericProcessor processor(*this, definition);
  processor.setOutputBuffer(run.output, run.rowBytes);
  processor.setBufferManager(currentBufferManager);
  processor.setKernels(*run.kernels);
  processor.setPipelineContext(run.pipelineIndex, run.pipelineCount);
  processor.setExecutionContext(run.effectExecution, run.effectExecutions, run.pipelineExecution,
                                run.pipelineExecutions);
  processor.setImages(frame.images);
  processor.setParameters(frame.parameters);
  processor.setTextures(frame.textures);
  processor.setConnectionStatus(frame.connections);
  processor.setGPURenderArgs(frame.args);
  processor.setRenderWindow(frame.args.renderWindow);
  // The runtime the frame's textures and buffers live on.
  processor.setRuntime(*frame.runtime);

  BundledResources resources;
  std::memset(&resources, 0, sizeof(resources));
  bundledResources.populateBundledResources(resources);
  processor.setBundledResources(resources);

  processor.process();
}

void GenericEffect::copyPipelineToEffectOutput(int pipelineIndex, void* /*metalQueue*/, void* cudaStream) {
  pipelineBuffers.copyToEffectOutput(pipelineIndex, cudaStream);
}

void GenericEffect::applyFinalBlend(FrameState& frame) {
  Logger& log = Logger::getInstance();
  SystemParameters system;
  std::memset(&system, 0, sizeof(system));
  system.width = frame.width;
  system.height = frame.height;
  const double frameNumber = std::trunc(frame.args.time * 24.0);
  system.frameNumber = std::isfinite(frameNumber) && std::fabs(frameNumber) < 2147483647.0
                           ? static_cast<int32_t>(frameNumber)
                           : 0;
  // The host must have "Blend": a missing one throws and fails the frame.
  system.globalBlend = static_cast<float>(fetchDoubleParam("Blend")->getValueAtTime(frame.args.time));

  // The source: the first required input with an image, else the first optional one.
  OFX::Image* source = nullptr;
  for (int pass = 0; pass < 2 && source == nullptr; ++pass) {
    const bool wantOptional = pass == 1;
    for (const XMLEffectDefinition::InputDef& input : definition.getInputs()) {
      if (input.optional != wantOptional) continue;
      const auto found = frame.images.find(input.name);
      if (found != frame.images.end() && found->second != nullptr) {
        source = found->second;
        break;
      }
    }
  }

  float* sourcePixels = nullptr;
  int sourceRowBytes = 0;
  if (source != nullptr) {
    // The blend reads the source at the output's pixels: it must cover them, as float RGBA.
    const OfxRectI& sb = source->getBounds();
    const OfxRectI& ob = frame.output->getBounds();
    const bool covers = sb.x1 <= ob.x1 && sb.y1 <= ob.y1 && sb.x2 >= ob.x2 && sb.y2 >= ob.y2;
    if (covers && source->getPixelDepth() == OFX::eBitDepthFloat &&
        source->getPixelComponents() == OFX::ePixelComponentRGBA &&
        hasUsableRows(sb.x2 - sb.x1, source->getRowBytes())) {
      sourcePixels = static_cast<float*>(source->getPixelAddress(ob.x1, ob.y1));
      sourceRowBytes = source->getRowBytes();
    } else {
      log.logMessage(LOG_ERROR, "Source image does not cover the output - blending skipped");
    }
  }

  // A blend of 1 or more (or NaN) leaves the effect result as it is: the pass would only copy
  // the frame into a temporary array and back, so it is not run.
  if (!(system.globalBlend < 1.0f)) {
    log.logMessage(LOG_DEBUG, "Blend %.3f keeps the effect result - no final blend pass", system.globalBlend);
    return;
  }
  if (currentBufferManager != nullptr && frame.outputPixels != nullptr) {
    if (!currentBufferManager->applyFinalProcessing(nullptr, &system, sourcePixels, frame.outputPixels, frame.width,
                                                    frame.height, sourceRowBytes, frame.outputRowBytes)) {
      log.logMessage(LOG_ERROR, "Final processing (blend) failed");
    }
  }
}
