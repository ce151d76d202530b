#include "plugin/GenericEffectFactory.h"

#include "definition/EmbeddedDefinition.h"
#include "plugin/EffectDefinitionRegistry.h"
#include "plugin/Logger.h"
#include "plugin/PluginConstants.h"

#include <stdexcept>

GenericEffectFactory::GenericEffectFactory(const std::string& xmlPath)
    : OFX::PluginFactoryHelper<GenericEffectFactory>(generatePluginIdentifier(xmlPath), 1, 0), xmlPath(xmlPath)
{
    Logger& log = Logger::getInstance();
    // The reader has already logged why when it fails.
    if (!definition.parseFromEmbeddedXML(kEmbeddedEffectDefinition)) {
        throw std::runtime_error("Failed to parse embedded XML");
    }
    log.logMessage(LOG_INFO, "Loaded XML from embedded binary (release build)");

    const std::string debugLevel = definition.getDebugLevel();
    if (!debugLevel.empty() && debugLevel != "none") {
        log.setDebugLevel(debugLevel);
        log.logMessage(LOG_INFO, "Debug level set from XML: %s", debugLevel.c_str());
    }

    pluginIdentifier = generatePluginIdentifier(xmlPath);

    const std::string effectName = definition.getName();
    EffectDefinitionRegistry::registerDefinition(effectName, &definition);
    log.logMessage(LOG_DEBUG, "Registered XML definition for '%s' with EffectDefinitionRegistry", effectName.c_str());
}

std::string GenericEffectFactory::generatePluginIdentifier(const std::string& path)
{
    std::string fileName = path;
    const std::string::size_type separator = path.find_last_of("/\\");
    if (separator != std::string::npos) {
        fileName = path.substr(separator + 1);
    }
    const std::string::size_type dot = fileName.find_last_of('.');
    if (dot != std::string::npos) {
        fileName.erase(dot);
    }
    return kPluginIdentifierPrefix + fileName;
}
