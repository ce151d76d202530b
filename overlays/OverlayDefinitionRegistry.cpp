#include "overlays/OverlayDefinitionRegistry.h"

#include "plugin/Logger.h"

namespace OFX {

OverlayDefinitionRegistry& OverlayDefinitionRegistry::getInstance()
{
    static OverlayDefinitionRegistry registry;
    return registry;
}

void OverlayDefinitionRegistry::registerOverlays(const std::string& effectName,
                                                 const std::vector<XMLEffectDefinition::OverlayDef>& overlays,
                                                 XMLEffectDefinition::OverlayCoordSystem coordSystem)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        configs[effectName] = OverlayConfig{overlays, coordSystem};
    }
    Logger::getInstance().logMessage(LOG_INFO, "Registered %zu overlays for effect '%s' (coordSystem=%d)",
                                     overlays.size(), effectName.c_str(), static_cast<int>(coordSystem));
}

std::optional<std::vector<XMLEffectDefinition::OverlayDef>>
OverlayDefinitionRegistry::getOverlays(const std::string& effectName) const
{
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = configs.find(effectName);
    if (found == configs.end()) {
        return std::nullopt;
    }
    return found->second.overlays;
}

XMLEffectDefinition::OverlayCoordSystem OverlayDefinitionRegistry::getCoordSystem(const std::string& effectName) const
{
    std::lock_guard<std::mutex> lock(mutex);
    const auto found = configs.find(effectName);
    return found == configs.end() ? XMLEffectDefinition::UV : found->second.coordSystem;
}

void OverlayDefinitionRegistry::setActiveEffect(const std::string& effectName)
{
    std::lock_guard<std::mutex> lock(mutex);
    activeEffect = effectName;
}

std::string OverlayDefinitionRegistry::getActiveEffect() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return activeEffect;
}

} // namespace OFX
