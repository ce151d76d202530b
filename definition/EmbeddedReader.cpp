// Reading a definition from the string compiled into the library. Only the process form of
// the pipeline is allowed here, and every failure becomes a logged false result.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

#include <exception>
#include <stdexcept>

bool XMLEffectDefinition::parseFromEmbeddedXML(const char* text)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "Parsing XML from embedded string");
    if (!text) {
        log.logMessage(LOG_ERROR, "Embedded XML content is null");
        return false;
    }

    const pugi::xml_parse_result parsed = impl->document.load_string(text);
    if (!parsed) {
        log.logMessage(LOG_ERROR, "Failed to parse embedded XML: %s", parsed.description());
        return false;
    }

    const pugi::xml_node effect = impl->document.child("effect");
    if (!effect) {
        log.logMessage(LOG_ERROR, "Embedded XML does not contain an effect element");
        return false;
    }

    try {
        readSectionsBeforePipeline(effect);

        const pugi::xml_node pipeline = effect.child("pipeline");
        if (!pipeline) {
            throw std::runtime_error("Effect must have a <pipeline> section with <process> children");
        }
        readProcessPipeline(pipeline);
        log.logMessage(LOG_INFO, "Parsed %zu processes from <pipeline> section", pipelines.size());

        readSectionsAfterPipeline(effect);
    } catch (const std::exception& e) {
        log.logMessage(LOG_ERROR, "Failed to parse embedded XML: %s", e.what());
        return false;
    }

    log.logMessage(LOG_INFO, "Embedded XML parsed successfully: effect '%s'", name.c_str());
    log.logMessage(LOG_INFO, "Debug level from embedded XML: %s", debugLevel.c_str());
    return true;
}
