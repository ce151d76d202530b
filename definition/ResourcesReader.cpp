// Textures delivered with the effect. Out-of-range settings are corrected, not fatal.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

using definition_xml::attributeOr;

void XMLEffectDefinition::readResources(const pugi::xml_node& resourcesNode)
{
    Logger& log = Logger::getInstance();
    for (const pugi::xml_node texture : resourcesNode.children("texture")) {
        ResourceDef resource;
        resource.name = texture.attribute("name").value();
        resource.file = texture.attribute("file").value();
        resource.channels = texture.attribute("channels").as_int(4);
        resource.sampler = attributeOr(texture, "sampler", "linear");
        resource.wrap = attributeOr(texture, "wrap", "mirror");

        if (resource.name.empty()) {
            throw std::runtime_error("Resource texture must have a name attribute");
        }
        if (resource.file.empty()) {
            throw std::runtime_error("Resource texture must have a file attribute");
        }
        if (resource.sampler != "linear" && resource.sampler != "nearest") {
            log.logMessage(LOG_INFO, "Resource '%s': invalid sampler '%s', using 'linear'", resource.name.c_str(),
                           resource.sampler.c_str());
            resource.sampler = "linear";
        }
        if (resource.wrap != "clamp" && resource.wrap != "repeat" && resource.wrap != "mirror") {
            log.logMessage(LOG_INFO, "Resource '%s': invalid wrap '%s', using 'mirror'", resource.name.c_str(),
                           resource.wrap.c_str());
            resource.wrap = "mirror";
        }
        if (resource.channels < 1 || resource.channels > 4) {
            log.logMessage(LOG_INFO, "Resource '%s': invalid channels %d, using 4", resource.name.c_str(),
                           resource.channels);
            resource.channels = 4;
        }
        log.logMessage(LOG_INFO, "Resource parsed - name: %s, file: %s, channels: %d, sampler: %s, wrap: %s",
                       resource.name.c_str(), resource.file.c_str(), resource.channels, resource.sampler.c_str(),
                       resource.wrap.c_str());
        bundledResources.push_back(resource);
    }
    log.logMessage(LOG_INFO, "Parsed %zu bundled resources", bundledResources.size());
}
