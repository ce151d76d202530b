#include "gpu/KernelParameterBuilders.h"

#include <cstring>
#include <exception>
#include <string>

#include "plugin/Logger.h"

namespace {

const char kPipelineVersion[] = "1.0";
const char kEffectOutputName[] = "effectOutput";

double fetchTime(const ProcessorState& state) { return state.hasRenderArgs ? state.renderArgs.time : 0.0; }

void logVectorFetchFailure(ProcessorEffectAccess::VectorKind kind, const std::string& name, const char* what) {
  Logger& log = Logger::getInstance();
  switch (kind) {
    case ProcessorEffectAccess::VectorKind::Vec2:
      log.logMessage(LOG_ERROR, "Failed to fetch vec2 param %s: %s", name.c_str(), what);
      break;
    case ProcessorEffectAccess::VectorKind::Vec3:
      log.logMessage(LOG_ERROR, "Failed to fetch vec3 param %s: %s", name.c_str(), what);
      break;
    case ProcessorEffectAccess::VectorKind::Color:
      log.logMessage(LOG_ERROR, "Failed to fetch color param %s: %s", name.c_str(), what);
      break;
    case ProcessorEffectAccess::VectorKind::ColorRGBA:
      log.logMessage(LOG_ERROR, "Failed to fetch color_rgba param %s: %s", name.c_str(), what);
      break;
  }
}

}  // namespace

int sourceBorderModeFromText(const std::string& text) {
  if (text == "repeat") return SOURCE_BORDER_REPEAT;
  if (text == "mirror") return SOURCE_BORDER_MIRROR;
  if (text == "black") return SOURCE_BORDER_BLACK;
  return SOURCE_BORDER_CLAMP;
}

SystemParameters buildSystemParameters(const ProcessorState& state, ProcessorEffectAccess& effect, int width,
                                       int height) {
  Logger& log = Logger::getInstance();
  SystemParameters p;
  std::memset(&p, 0, sizeof(p));
  p.width = width;
  p.height = height;

  if (state.hasRenderArgs) {
    const OFX::RenderArguments& args = state.renderArgs;
    p.time = static_cast<float>(args.time);
    p.frameNumber = static_cast<int32_t>(args.time * 24.0);
    p.renderScaleX = static_cast<float>(args.renderScale.x);
    p.renderScaleY = static_cast<float>(args.renderScale.y);
    p.isInteractive = args.interactiveRenderStatus ? 1 : 0;
    p.isSequential = args.sequentialRenderStatus ? 1 : 0;
  } else {
    p.time = 0.0f;
    p.frameNumber = 0;
    p.renderScaleX = 1.0f;
    p.renderScaleY = 1.0f;
  }

  p.frameRate = static_cast<float>(effect.frameRate());
  p.reserved20 = 100.0f;
  p.pixelAspectRatio = static_cast<float>(state.dstPixelAspectRatio);
  // Single precision, as the kernels would compute it; a zero height gives inf/nan, not a trap.
  p.imageAspectRatio = p.pixelAspectRatio * static_cast<float>(width) / static_cast<float>(height);

  p.renderWindowX1 = state.renderWindow.x1;
  p.renderWindowY1 = state.renderWindow.y1;
  p.renderWindowX2 = state.renderWindow.x2;
  p.renderWindowY2 = state.renderWindow.y2;

  p.currentExecution = 0;
  p.totalExecutions = 0;
  p.currentKernel = 0;
  p.totalKernels = 1;
  p.currentPass = 0;
  p.totalPasses = 1;
  p.currentPipelineExecution = state.currentPipelineExecution;
  p.totalPipelineExecutions = state.totalPipelineExecutions;
  p.currentPipeline = state.currentPipeline;
  p.totalPipelines = state.totalPipelines;
  p.currentProcessExecution = state.currentProcessExecution;
  p.totalProcessExecutions = state.totalProcessExecutions;

  p.reserved112 = 32;
  p.reserved116 = 32;
  p.reserved120 = 3;
  p.reserved124 = 0;
  p.reserved128 = 1.0f;
  p.reserved132 = 1;
  p.reserved136 = 0;

  p.globalBlend = 1.0f;
  if (effect.isGenericEffect()) {
    // The blend is read at the float time widened back, as the block carries it.
    const std::optional<double> blend = effect.blendValue(static_cast<double>(p.time));
    if (blend) p.globalBlend = static_cast<float>(*blend);
  }

  p.reserved144 = 0;
  p.reserved148 = 0;
  p.reserved152 = -1;
  p.reserved156 = -1;

  log.logMessage(LOG_DEBUG, "=== SYSTEMPARAMETERS STRUCT LAYOUT ===");
  log.logMessage(LOG_DEBUG, "Struct size: %zu bytes", sizeof(SystemParameters));
  log.logMessage(LOG_DEBUG, "  currentPipelineExecution offset: %zu, value: %d",
                 offsetof(SystemParameters, currentPipelineExecution), p.currentPipelineExecution);
  log.logMessage(LOG_DEBUG, "  totalPipelineExecutions offset: %zu, value: %d",
                 offsetof(SystemParameters, totalPipelineExecutions), p.totalPipelineExecutions);
  log.logMessage(LOG_DEBUG, "  currentPipeline offset: %zu, value: %d", offsetof(SystemParameters, currentPipeline),
                 p.currentPipeline);
  log.logMessage(LOG_DEBUG, "  totalPipelines offset: %zu, value: %d", offsetof(SystemParameters, totalPipelines),
                 p.totalPipelines);
  log.logMessage(LOG_DEBUG, "  currentProcessExecution offset: %zu, value: %d",
                 offsetof(SystemParameters, currentProcessExecution), p.currentProcessExecution);
  log.logMessage(LOG_DEBUG, "  totalProcessExecutions offset: %zu, value: %d",
                 offsetof(SystemParameters, totalProcessExecutions), p.totalProcessExecutions);
  if (state.hasRenderArgs) {
    log.logMessage(LOG_INFO, "RenderScale: %.3f x %.3f, Interactive: %d, Sequential: %d", p.renderScaleX,
                   p.renderScaleY, p.isInteractive, p.isSequential);
  }
  return p;
}

PipelineParameters buildPipelineParameters(ProcessorState& state) {
  PipelineParameters p;
  std::memset(&p, 0, sizeof(p));
  state.effectName = state.definition.getName();
  p.effectName = state.effectName.c_str();
  p.version = kPipelineVersion;
  Logger::getInstance().logMessage(LOG_DEBUG, "Created PipelineParameters with effect name: '%s'", p.effectName);
  return p;
}

SourceConnections buildSourceConnections(const ProcessorState& state, ProcessorEffectAccess& effect) {
  Logger& log = Logger::getInstance();
  SourceConnections block;
  std::memset(&block, 0, sizeof(block));
  if (!effect.isGenericEffect()) {
    log.logMessage(LOG_ERROR, "Failed to cast to GenericEffect");
    return block;
  }

  for (const XMLEffectDefinition::InputDef& input : state.definition.getInputs()) {
    const int borderMode = sourceBorderModeFromText(input.borderMode);
    const int noInputMode = XMLEffectDefinition::noInputModeToInt(input.noInputMode);
    const auto texture = state.textures.find(input.name);
    if (texture != state.textures.end()) {
      const auto connected = state.connectionStatus.find(input.name);
      const bool isConnected = connected == state.connectionStatus.end() ? true : connected->second;
      block.addExternalInput(texture->second, isConnected, input.name.c_str(), borderMode, noInputMode, 0, 0);
    } else if (noInputMode != 0) {
      const unsigned long long fallback = effect.defaultTexture(noInputMode);
      if (fallback != 0) {
        log.logMessage(LOG_DEBUG, "Using default texture for '%s' (mode=%d, isConnected=false)", input.name.c_str(),
                       noInputMode);
      } else {
        log.logMessage(LOG_ERROR, "Failed to get default texture for '%s'", input.name.c_str());
      }
      block.addExternalInput(reinterpret_cast<void*>(static_cast<uintptr_t>(fallback)), false, input.name.c_str(),
                             borderMode, noInputMode, 0, 0);
    } else {
      log.logMessage(LOG_ERROR, "Required input '%s' not connected", input.name.c_str());
      block.addExternalInput(nullptr, false, input.name.c_str(), borderMode, noInputMode, 0, 0);
    }
  }

  const auto effectOutput = state.textures.find(kEffectOutputName);
  if (effectOutput != state.textures.end()) {
    block.addExternalInput(effectOutput->second, true, kEffectOutputName, 0, 0, 0, 0);
    log.logMessage(LOG_DEBUG, "Phase 3a.5: Added effectOutput to SourceConnections at index %d",
                   block.sourceCount - 1);
  }

  for (int k = 0;; ++k) {
    const auto found = state.textures.find("pipelineOutput_" + std::to_string(k));
    if (found == state.textures.end()) break;
    // The map key lives as long as the state, so it can name the source.
    block.addExternalInput(found->second, true, found->first.c_str(), 0, 0, 0, 0);
    log.logMessage(LOG_DEBUG, "Phase 3a.5: Added %s to SourceConnections at index %d", found->first.c_str(),
                   block.sourceCount - 1);
  }

  log.logMessage(LOG_DEBUG, "Phase 3a.5: SourceConnections complete - %d total sources (base inputs + pipeline outputs)",
                 block.sourceCount);
  return block;
}

AnimatedParameters buildAnimatedParameters(const ProcessorState& state, ProcessorEffectAccess& effect) {
  AnimatedParameters block;
  std::memset(&block, 0, sizeof(block));
  const double time = fetchTime(state);

  struct VectorSlot {
    ProcessorEffectAccess::VectorKind kind;
    int components;
    int32_t* count;
    float* values;  // MAX_VECTOR_PARAMETERS rows of `components` floats
  };

  for (const XMLEffectDefinition::ParameterDef& param : state.definition.getParameters()) {
    const std::string& type = param.type;
    const auto value = state.parameterValues.find(param.name);
    const bool hasValue = value != state.parameterValues.end();

    if (type == "double" || type == "float") {
      if (hasValue && block.floatCount < MAX_FLOAT_PARAMETERS)
        block.floatValues[block.floatCount++] = static_cast<float>(value->second.asDouble());
      continue;
    }
    if (type == "int" || type == "choice") {
      if (hasValue && block.intCount < MAX_INT_PARAMETERS) block.intValues[block.intCount++] = value->second.asInt();
      continue;
    }
    if (type == "bool") {
      if (hasValue && block.boolCount < MAX_BOOL_PARAMETERS)
        block.boolValues[block.boolCount++] = value->second.asBool() ? 1 : 0;
      continue;
    }

    VectorSlot slot{};
    if (type == "vec2") {
      slot = {ProcessorEffectAccess::VectorKind::Vec2, 2, &block.vec2Count, &block.vec2Values[0][0]};
    } else if (type == "vec3") {
      slot = {ProcessorEffectAccess::VectorKind::Vec3, 3, &block.vec3Count, &block.vec3Values[0][0]};
    } else if (type == "color") {
      slot = {ProcessorEffectAccess::VectorKind::Color, 3, &block.colorCount, &block.colorValues[0][0]};
    } else if (type == "color_rgba") {
      slot = {ProcessorEffectAccess::VectorKind::ColorRGBA, 4, &block.rgbaCount, &block.rgbaValues[0][0]};
    } else {
      continue;  // curve, string, filepath, pushbutton take no slot
    }
    if (*slot.count >= MAX_VECTOR_PARAMETERS) continue;
    try {
      double read[4] = {0.0, 0.0, 0.0, 0.0};
      effect.readVectorParameter(slot.kind, param.name, time, read);
      float* row = slot.values + static_cast<size_t>(*slot.count) * static_cast<size_t>(slot.components);
      for (int c = 0; c < slot.components; ++c) row[c] = static_cast<float>(read[c]);
      ++*slot.count;
    } catch (const std::exception& e) {
      logVectorFetchFailure(slot.kind, param.name, e.what());
    }
  }
  return block;
}
