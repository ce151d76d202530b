// GenericEffect: construction, destruction, clips and default textures.
#include "effect/GenericEffect.h"

#include <stdexcept>

#include "definition/EmbeddedDefinition.h"
#include "plugin/Logger.h"

GenericEffect::GenericEffect(OfxImageEffectHandle handle, const std::string& path)
    : OFX::ImageEffect(handle), definitionPath(path), bundleName(deriveBundleName(path)) {
  Logger& log = Logger::getInstance();
  log.logMessage(LOG_DEBUG, "GenericEffect constructor: %s", definitionPath.c_str());

  // Every instance reads its own copy: no definition object is shared between instances.
  if (!definition.parseFromEmbeddedXML(kEmbeddedEffectDefinition)) {
    throw std::runtime_error("Failed to parse embedded XML");
  }
  log.logMessage(LOG_INFO, "Loaded XML from embedded binary (release build)");

  const std::string debugLevel = definition.getDebugLevel();
  if (debugLevel != "none") log.setDebugLevel(debugLevel);
  log.setEffectName(definition.getName());
  log.logMessage(LOG_DEBUG, "XML debug level: %s", debugLevel.c_str());

  fetchClips();
  // Parameter handles are fetched on the first render or identity test.
}

void GenericEffect::fetchClips() {
  Logger& log = Logger::getInstance();
  try {
    for (const XMLEffectDefinition::InputDef& input : definition.getInputs()) {
      try {
        OFX::Clip* clip = fetchClip(input.name);
        if (clip != nullptr) clips[input.name] = clip;
      } catch (const std::exception& e) {
        log.logMessage(LOG_ERROR, "Failed to fetch clip %s: %s", input.name.c_str(), e.what());
      }
    }
    try {
      OFX::Clip* output = fetchClip("Output");
      if (output != nullptr) clips["output"] = output;
    } catch (const std::exception& e) {
      log.logMessage(LOG_ERROR, "Failed to fetch output clip: %s", e.what());
    }
  } catch (const std::exception& e) {
    log.logMessage(LOG_ERROR, "GenericEffect constructor error: %s", e.what());
  }
}

GenericEffect::~GenericEffect() {
  // GPU state goes in a fixed order: input and default textures, bundled resources, the
  // pipeline buffers' textures and buffers, then the pooled buffer managers.
  textureCaches.cleanupTextures();
  defaultTextures.release();
  bundledResources.freeBundledResources();
  pipelineBuffers.release();
  bufferPool.clear();
}

std::string GenericEffect::deriveBundleName(const std::string& path) {
  const size_t separator = path.find_last_of("/\\");
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  if (name.size() >= 5 && name.compare(name.size() - 4, 4, ".xml") == 0) name.resize(name.size() - 4);
  return name;
}

unsigned long long GenericEffect::getDefaultTexture(int mode) { return defaultTextures.getDefaultTexture(mode); }

void GenericEffect::initializePresetLists() {
  presetControls.initializeLists();
  presetListsInitialized = true;
}

void GenericEffect::changedParam(const OFX::InstanceChangedArgs& args, const std::string& paramName) {
  if (!presetControls.changedParam(paramName)) OFX::ImageEffect::changedParam(args, paramName);
}
