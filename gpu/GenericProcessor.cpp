#include "gpu/GenericProcessor.h"

#include <cstring>

#include "gpu/OfxProcessorEffectAccess.h"
#include "gpu/RenderRuntimeChoice.h"
#include "plugin/Logger.h"

GenericProcessor::GenericProcessor(OFX::ImageEffect& effect, const XMLEffectDefinition& definition)
    : OFX::ImageProcessor(effect),
      state_(definition),
      access_(std::make_unique<OfxProcessorEffectAccess>(effect)) {
  Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor created for effect: %s",
                                   definition.getName().c_str());
}

GenericProcessor::~GenericProcessor() = default;

void GenericProcessor::setImages(const std::map<std::string, OFX::Image*>& images) {
  images_ = images;
  const auto output = images_.find("output");
  if (output != images_.end()) {
    _dstImg = output->second;
    state_.dstPixelAspectRatio = _dstImg != nullptr ? _dstImg->getPixelAspectRatio() : 1.0;
  }
  Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor: Set %d images", static_cast<int>(images_.size()));
}

void GenericProcessor::setParameters(const std::map<std::string, ParameterValue>& parameters) {
  state_.parameterValues = parameters;
  Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor: Set %d parameters",
                                   static_cast<int>(parameters.size()));
}

void GenericProcessor::setTextures(const std::map<std::string, void*>& textures) {
  state_.textures = textures;
  Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor: Set %d texture objects",
                                   static_cast<int>(textures.size()));
}

void GenericProcessor::setConnectionStatus(const std::map<std::string, bool>& status) {
  state_.connectionStatus = status;
  Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor: Set connection status for %d inputs",
                                   static_cast<int>(status.size()));
}

void GenericProcessor::setGPURenderArgs(const OFX::RenderArguments& args) {
  state_.renderArgs = args;
  state_.hasRenderArgs = true;
  OFX::ImageProcessor::setGPURenderArgs(args);
}

void GenericProcessor::setRenderWindow(const OfxRectI& window) {
  OFX::ImageProcessor::setRenderWindow(window);
  state_.renderWindow = window;
}

void GenericProcessor::setBufferManager(RenderBufferManager* manager) { state_.bufferManager = manager; }

void GenericProcessor::setOutputBuffer(float* buffer, int rowBytes) {
  state_.outputBuffer = buffer;
  state_.outputRowBytes = rowBytes;
}

void GenericProcessor::setKernels(const std::vector<XMLEffectDefinition::KernelDef>& kernels) {
  state_.kernels = kernels;
}

void GenericProcessor::setPipelineContext(int current, int total) {
  state_.currentPipeline = current;
  state_.totalPipelines = total;
}

void GenericProcessor::setExecutionContext(int currentPipelineExecution, int totalPipelineExecutions,
                                           int currentProcessExecution, int totalProcessExecutions) {
  state_.currentPipelineExecution = currentPipelineExecution;
  state_.totalPipelineExecutions = totalPipelineExecutions;
  state_.currentProcessExecution = currentProcessExecution;
  state_.totalProcessExecutions = totalProcessExecutions;
}

void GenericProcessor::setBundledResources(const BundledResources& resources) {
  std::memcpy(&state_.bundledResources, &resources, sizeof(BundledResources));
}

SystemParameters GenericProcessor::createSystemParameters(int width, int height) {
  return buildSystemParameters(state_, *access_, width, height);
}

PipelineParameters GenericProcessor::createPipelineParameters() { return buildPipelineParameters(state_); }

SourceConnections GenericProcessor::createSourceConnections() { return buildSourceConnections(state_, *access_); }

AnimatedParameters GenericProcessor::createAnimatedParameters() { return buildAnimatedParameters(state_, *access_); }

PassLoopDestination GenericProcessor::destination() const {
  PassLoopDestination d;
  if (_dstImg == nullptr) return d;
  const OfxRectI& bounds = _dstImg->getBounds();
  d.present = true;
  d.width = bounds.x2 - bounds.x1;
  d.height = bounds.y2 - bounds.y1;
  d.pixels = static_cast<float*>(_dstImg->getPixelData());
  d.rowBytes = _dstImg->getRowBytes();
  return d;
}

void GenericProcessor::runPasses(gpu::Runtime& runtime, void* stream) {
  KernelPassLoop loop(state_, *access_, passRunner_);
  lastOutcome_ = loop.run(runtime, stream, destination());
}

void GenericProcessor::process() {
  preProcess();
  if (_isEnabledCudaRender) {
    processImagesCUDA();
  } else if (_isEnabledOpenCLRender) {
    processImagesOpenCL();
  } else if (_isEnabledMetalRender) {
    processImagesMetal();
  } else {
    // No GPU mode: the same passes on the host backend, never the pass-through fallback.
    gpu::Runtime& runtime = runtime_ != nullptr ? *runtime_ : gpu::chooseRenderRuntime(false);
    Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor: no GPU render mode enabled - running on the %s backend",
                                     runtime.name());
    runPasses(runtime, nullptr);
  }
  postProcess();
}

void GenericProcessor::processImagesCUDA() {
  Logger::getInstance().logMessage(LOG_DEBUG, "GenericProcessor::processImagesCUDA called");
  gpu::Runtime& runtime = runtime_ != nullptr ? *runtime_ : gpu::chooseRenderRuntime(true);
  // The host's stream belongs to CUDA; the host backend takes the default stream.
  void* stream = runtime.backend() == gpu::Backend::Cuda ? _pCudaStream : nullptr;
  runPasses(runtime, stream);
}

void GenericProcessor::processImagesOpenCL() {
  Logger::getInstance().logMessage(LOG_ERROR, "OpenCL no longer supported - use CUDA or Metal");
}

void GenericProcessor::processImagesMetal() {}

void GenericProcessor::multiThreadProcessImages(OfxRectI window) {
  Logger& log = Logger::getInstance();
  log.logMessage(LOG_ERROR, "🔴 GenericProcessor: CPU fallback called! (GPU unavailable)");
  OFX::Image* source = nullptr;
  for (const XMLEffectDefinition::InputDef& input : state_.definition.getInputs()) {
    if (input.optional) continue;
    const auto found = images_.find(input.name);
    if (found != images_.end()) {
      source = found->second;
      break;
    }
  }
  if (source == nullptr || _dstImg == nullptr) {
    log.logMessage(LOG_ERROR, "Missing source or destination image for CPU processing");
    return;
  }
  for (int y = window.y1; y < window.y2; ++y) {
    if (access_->abortRequested()) break;
    const void* from = source->getPixelAddress(window.x1, y);
    void* to = _dstImg->getPixelAddress(window.x1, y);
    if (from == nullptr || to == nullptr) continue;
    std::memcpy(to, from, static_cast<size_t>(window.x2 - window.x1) * 4 * sizeof(float));
  }
}
