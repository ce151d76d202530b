// GenericEffect: the render action and the identity test.
#include <chrono>

#include "effect/GenericEffect.h"
#include "openfx/support/Exception.h"
#include "plugin/Logger.h"

void GenericEffect::render(const OFX::RenderArguments& args) {
  Logger& log = Logger::getInstance();
  const auto start = std::chrono::system_clock::now();

  bool firstRender = false;
  {
    std::lock_guard<std::mutex> lock(paramMutex);
    firstRender = paramHandles.empty();
  }
  if (firstRender) fetchParametersLazily();
  // Also when the identity test fetched the handles first.
  if (!presetListsInitialized) initializePresetLists();

  OFX::Clip* output = nullptr;
  {
    std::lock_guard<std::mutex> lock(paramMutex);
    const auto found = clips.find("output");
    if (found != clips.end()) output = found->second;
  }
  if (output == nullptr) {
    log.logMessage(LOG_ERROR, "No output clip found");
    OFX::throwSuiteStatusException(kOfxStatErrValue);
  }
  // Only 32-bit float RGBA is rendered; nothing is converted. The check comes before any GPU
  // work, so a refused frame leaves every cache untouched.
  if (output->getPixelDepth() != OFX::eBitDepthFloat || output->getPixelComponents() != OFX::ePixelComponentRGBA) {
    log.logMessage(LOG_ERROR, "Unsupported pixel format");
    OFX::throwSuiteStatusException(kOfxStatErrUnsupported);
  }

  setupAndProcess(args);

  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now() - start);
  log.logMessage(LOG_DEBUG, "Render time: %lldms", static_cast<long long>(elapsed.count()));
}

bool GenericEffect::isIdentity(const OFX::IsIdentityArguments& args, OFX::Clip*& identityClip,
                               double& identityTime) {
  Logger& log = Logger::getInstance();
  const auto& conditions = definition.getIdentityConditions();
  if (conditions.empty()) return false;

  // The conditions must see the parameters' real values, also before the first render.
  bool fetched = false;
  {
    std::lock_guard<std::mutex> lock(paramMutex);
    fetched = !paramHandles.empty();
  }
  if (!fetched) fetchParametersLazily();

  for (const XMLEffectDefinition::IdentityConditionDef& condition : conditions) {
    if (!evaluateIdentityCondition(condition, args.time)) continue;
    if (definition.getInputs().empty()) continue;
    OFX::Clip* first = nullptr;
    {
      std::lock_guard<std::mutex> lock(paramMutex);
      const auto found = clips.find(definition.getInputs().front().name);
      if (found != clips.end()) first = found->second;
    }
    // Passing through a clip the host could not provide would hand it a null clip.
    if (first == nullptr) {
      log.logMessage(LOG_ERROR, "Identity condition met but input %s has no clip - rendering instead",
                     definition.getInputs().front().name.c_str());
      return false;
    }
    identityClip = first;
    identityTime = args.time;
    log.logMessage(LOG_DEBUG, "Identity condition met");
    return true;
  }
  return false;
}

bool GenericEffect::evaluateIdentityCondition(const XMLEffectDefinition::IdentityConditionDef& condition,
                                              double time) {
  const double v = getParameterValue(condition.parameter, time).asDouble();
  const double t = condition.value;
  const std::string& op = condition.op;
  // Exact comparisons: NaN fails all of them except "notEqual".
  if (op == "lessEqual") return v <= t;
  if (op == "equal") return v == t;
  if (op == "lessThan") return v < t;
  if (op == "greaterThan") return v > t;
  if (op == "greaterEqual") return v >= t;
  if (op == "notEqual") return v != t;
  Logger::getInstance().logMessage(LOG_DEBUG, "WARNING: Unknown identity operator: %s", op.c_str());
  return false;
}
