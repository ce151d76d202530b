#include "plugin/PluginEntry.h"

#include "plugin/EffectIdentifier.h"
#include "plugin/GenericEffectFactory.h"
#include "plugin/Logger.h"

#include <exception>
#include <memory>
#include <string>

namespace {

// Created on first use and kept for the life of the library: the host may call actions until
// it unloads the binary, and the definition registry points into the factory. It is destroyed
// only when the library itself goes (dlclose or process exit), so nothing it allocated is left
// behind unreachable once the host closes the binary.
std::unique_ptr<GenericEffectFactory> s_factory;

} // namespace

void appendEffectFactory(OFX::PluginFactoryArray& factories, const char* effectIdentifier, const char* definitionPath)
{
    const std::string identifier = effectIdentifierWithoutQuotes(effectIdentifier);
    Logger& log = Logger::getInstance();
    log.setDebugLevel(LOG_INFO);
    log.setEffectName(identifier);
    log.logMessage(LOG_INFO, "Creating factory for effect: %s", identifier.c_str());
    log.logMessage(LOG_INFO, "XML path: %s", definitionPath);

    if (s_factory == nullptr) {
        try {
            s_factory = std::make_unique<GenericEffectFactory>(definitionPath);
        } catch (const std::exception& e) {
            // Nothing is offered rather than a plug-in that cannot describe itself.
            log.logMessage(LOG_ERROR, "Plug-in not offered to the host: %s", e.what());
            return;
        }
    }
    factories.push_back(s_factory.get());
}

GenericEffectFactory* currentEffectFactory() { return s_factory.get(); }
