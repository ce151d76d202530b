#include "overlays/GenericOverlayInteract.h"

#include "overlays/OverlayDefinitionRegistry.h"

#include "plugin/Logger.h"

namespace OFX {

GenericOverlayInteract::GenericOverlayInteract(OfxInteractHandle handle, ImageEffect* effectInstance)
    : OverlayInteract(handle, effectInstance), effect(getEffect())
{
    Logger::getInstance().logMessage(LOG_INFO, "GenericOverlayInteract constructor");
}

GenericOverlayInteract::~GenericOverlayInteract()
{
    Logger::getInstance().logMessage(LOG_INFO, "GenericOverlayInteract destructor");
}

bool GenericOverlayInteract::draw(const DrawArgs& args)
{
    if (!manager && effect != nullptr) {
        OverlayDefinitionRegistry& registry = OverlayDefinitionRegistry::getInstance();
        const std::string effectName = registry.getActiveEffect();
        const auto definitions = registry.getOverlays(effectName);
        if (definitions && !definitions->empty()) {
            const XMLEffectDefinition::OverlayCoordSystem coordSystem = registry.getCoordSystem(effectName);
            manager = std::make_unique<OverlayManager>(effect, *definitions, coordSystem);
            Logger::getInstance().logMessage(LOG_INFO,
                                             "Created OverlayManager with %zu overlay definitions (coordSystem=%d)",
                                             definitions->size(), static_cast<int>(coordSystem));
        } else {
            // Tried again, with this line, at every later draw.
            Logger::getInstance().logMessage(LOG_INFO, "No overlay definitions found for effect '%s'",
                                             effectName.c_str());
        }
    }
    return manager ? manager->draw(args) : false;
}

bool GenericOverlayInteract::penMotion(const PenArgs& args) { return manager ? manager->penMotion(args) : false; }

bool GenericOverlayInteract::penDown(const PenArgs& args) { return manager ? manager->penDown(args) : false; }

bool GenericOverlayInteract::penUp(const PenArgs& args) { return manager ? manager->penUp(args) : false; }

} // namespace OFX
