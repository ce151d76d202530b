#pragma once

#include "definition/XMLEffectDefinition.h"
#include "overlays/OverlayBase.h"

#include <memory>
#include <vector>

namespace OFX {

class ImageEffect;

// The overlay objects of one interact, built from the effect's overlay definitions: draws them
// all in definition order and hands each drag to exactly one of them.
class OverlayManager {
public:
    OverlayManager(ImageEffect* effect, const std::vector<XMLEffectDefinition::OverlayDef>& definitions,
                   XMLEffectDefinition::OverlayCoordSystem coordSystem);
    ~OverlayManager();
    OverlayManager(const OverlayManager&) = delete;
    OverlayManager& operator=(const OverlayManager&) = delete;

    bool draw(const DrawArgs& args);
    bool penMotion(const PenArgs& args);
    bool penDown(const PenArgs& args);
    bool penUp(const PenArgs& args);

    // The overlay object for one definition, configured from it; empty for kinds that yield none.
    std::unique_ptr<OverlayBase> createOverlay(const XMLEffectDefinition::OverlayDef& definition);

    const std::vector<std::unique_ptr<OverlayBase>>& getOverlays() const { return overlays; }
    OverlayBase* getActiveOverlay() const { return activeOverlay; }

private:
    // Colour, label, visibility switch and coordinate system from the definition.
    void configure(OverlayBase& overlay, const XMLEffectDefinition::OverlayDef& definition) const;

    ImageEffect* effect;
    std::vector<std::unique_ptr<OverlayBase>> overlays;
    OverlayBase* activeOverlay = nullptr;
    XMLEffectDefinition::OverlayCoordSystem coordSystem;
};

} // namespace OFX
