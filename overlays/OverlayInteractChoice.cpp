#include "overlays/OverlayInteractChoice.h"

#include "overlays/GenericOverlayInteract.h"
#include "overlays/OverlayDefinitionRegistry.h"
#include "overlays/PointOverlayInteract.h"

#include "openfx/support/HostDescription.h"
#include "openfx/support/ImageEffectDescriptor.h"
#include "plugin/Logger.h"

#include <string>

bool hasCenterParameter(const XMLEffectDefinition& definition)
{
    for (const XMLEffectDefinition::ParameterDef& parameter : definition.getParameters()) {
        if (parameter.name == "center" && parameter.type == "vec2") {
            return true;
        }
    }
    return false;
}

void declareOverlayInteract(OFX::ImageEffectDescriptor& desc, const XMLEffectDefinition& definition)
{
    Logger& log = Logger::getInstance();
    const std::string name = definition.getName();
    const bool hasXmlOverlays = definition.hasOverlays();
    const bool hasCenterParam = !hasXmlOverlays && hasCenterParameter(definition);
    const OFX::ImageEffectHostDescription* host = OFX::getImageEffectHostDescription();
    const bool supportsOverlays = host != nullptr && host->supportsOverlays;

    log.logMessage(LOG_INFO, "GenericEffectFactory::describe for '%s': hasXmlOverlays=%d, hasCenterParam=%d, supportsOverlays=%d",
                   name.c_str(), hasXmlOverlays ? 1 : 0, hasCenterParam ? 1 : 0, supportsOverlays ? 1 : 0);
    if (!supportsOverlays) {
        return;
    }

    if (hasXmlOverlays) {
        OFX::OverlayDefinitionRegistry& registry = OFX::OverlayDefinitionRegistry::getInstance();
        registry.registerOverlays(name, definition.getOverlays(), definition.getOverlayCoordSystem());
        registry.setActiveEffect(name);
        desc.setOverlayInteractDescriptor(new OFX::GenericOverlayDescriptor);
        log.logMessage(LOG_INFO, "XML overlay interact registered for effect '%s' with %zu overlays", name.c_str(),
                       definition.getOverlays().size());
    } else if (hasCenterParam) {
        desc.setOverlayInteractDescriptor(new OFX::PointOverlayDescriptor);
        log.logMessage(LOG_INFO, "Legacy overlay interact registered for effect '%s'", name.c_str());
    }
}
