#include "plugin/XMLInputManager.h"

#include "openfx/support/ImageEffectDescriptor.h"
#include "plugin/Logger.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <string>

namespace {

std::string lowerCased(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool namesAMask(const std::string& clipName)
{
    const std::string lower = lowerCased(clipName);
    return lower.find("mask") != std::string::npos || lower.find("matte") != std::string::npos;
}

// An input may not take the output clip's name: the host would merge the two clips, and the
// effect instance keys its output clip as "output".
bool takesOutputName(const std::string& inputName) { return lowerCased(inputName) == "output"; }

} // namespace

bool XMLInputManager::createInputs(const XMLEffectDefinition& definition, OFX::ImageEffectDescriptor& desc)
{
    Logger& log = Logger::getInstance();
    try {
        for (const XMLEffectDefinition::InputDef& input : definition.getInputs()) {
            if (createClip(input, desc) == nullptr) {
                log.logMessage(LOG_DEBUG, "XMLInputManager: ERROR - createClip returned null for '%s'", input.name.c_str());
                return false;
            }
        }
        OFX::ClipDescriptor* output = desc.defineClip("Output");
        if (output == nullptr) {
            log.logMessage(LOG_DEBUG, "XMLInputManager: ERROR - output clip creation returned null");
            return false;
        }
        output->addSupportedComponent(OFX::ePixelComponentRGBA);
        output->setSupportsTiles(true);
        log.logMessage(LOG_INFO, "✓ XML clips created successfully!");
        return true;
    } catch (const std::exception& e) {
        log.logMessage(LOG_DEBUG, "XMLInputManager: EXCEPTION in createInputs: %s", e.what());
    } catch (...) {
        log.logMessage(LOG_DEBUG, "XMLInputManager: UNKNOWN EXCEPTION in createInputs");
    }
    return false;
}

OFX::ClipDescriptor* XMLInputManager::createClip(const XMLEffectDefinition::InputDef& input,
                                                 OFX::ImageEffectDescriptor& desc)
{
    Logger& log = Logger::getInstance();
    if (takesOutputName(input.name)) {
        log.logMessage(LOG_ERROR, "XMLInputManager: ERROR - input '%s' takes the name of the output clip",
                       input.name.c_str());
        return nullptr;
    }
    try {
        OFX::ClipDescriptor* clip = desc.defineClip(input.name);
        if (clip == nullptr) {
            log.logMessage(LOG_DEBUG, "XMLInputManager: ERROR - defineClip returned null for '%s'", input.name.c_str());
            return nullptr;
        }
        clip->addSupportedComponent(OFX::ePixelComponentRGBA);
        clip->setTemporalClipAccess(false);
        clip->setSupportsTiles(true);
        clip->setOptional(input.optional);
        if (namesAMask(input.name)) {
            clip->setIsMask(true);
        }
        return clip;
    } catch (const std::exception& e) {
        log.logMessage(LOG_DEBUG, "XMLInputManager: EXCEPTION in createClip for '%s': %s", input.name.c_str(), e.what());
    } catch (...) {
        log.logMessage(LOG_DEBUG, "XMLInputManager: UNKNOWN EXCEPTION in createClip for '%s'", input.name.c_str());
    }
    return nullptr;
}
