#pragma once

#include "definition/XMLEffectDefinition.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace OFX {

// The process-wide store of overlay definitions by effect name, filled when an effect is
// described and read when an overlay interact draws for the first time. The "active" effect
// names the set that interacts use.
class OverlayDefinitionRegistry {
public:
    struct OverlayConfig {
        std::vector<XMLEffectDefinition::OverlayDef> overlays;
        XMLEffectDefinition::OverlayCoordSystem coordSystem = XMLEffectDefinition::UV;
    };

    static OverlayDefinitionRegistry& getInstance();

    // Copies the list under the name, replacing an earlier entry.
    void registerOverlays(const std::string& effectName,
                          const std::vector<XMLEffectDefinition::OverlayDef>& overlays,
                          XMLEffectDefinition::OverlayCoordSystem coordSystem);
    // A copy of the registered list, or nothing when the name was never registered. A copy,
    // because a later description may replace the entry while an interact is using it.
    std::optional<std::vector<XMLEffectDefinition::OverlayDef>> getOverlays(const std::string& effectName) const;
    // UV when the name was never registered.
    XMLEffectDefinition::OverlayCoordSystem getCoordSystem(const std::string& effectName) const;

    void setActiveEffect(const std::string& effectName);
    std::string getActiveEffect() const;

    OverlayDefinitionRegistry(const OverlayDefinitionRegistry&) = delete;
    OverlayDefinitionRegistry& operator=(const OverlayDefinitionRegistry&) = delete;

private:
    OverlayDefinitionRegistry() = default;

    // Description and interact actions may come from different host threads.
    mutable std::mutex mutex;
    std::map<std::string, OverlayConfig> configs;
    std::string activeEffect;
};

} // namespace OFX
