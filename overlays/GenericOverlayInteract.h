#pragma once
// The overlay interact of effects whose definition declares overlays. It builds its overlay
// manager on the first draw from the registry's active effect, then forwards draw and pen events.

#include "overlays/OverlayManager.h"

#include "openfx/support/Interact.h"

#include <memory>

namespace OFX {

class GenericOverlayInteract : public OverlayInteract {
public:
    GenericOverlayInteract(OfxInteractHandle handle, ImageEffect* effect);
    ~GenericOverlayInteract() override;

    bool draw(const DrawArgs& args) override;
    bool penMotion(const PenArgs& args) override;
    bool penDown(const PenArgs& args) override;
    bool penUp(const PenArgs& args) override;

    OverlayManager* getManager() const { return manager.get(); }

private:
    std::unique_ptr<OverlayManager> manager;
    ImageEffect* effect;
};

class GenericOverlayDescriptor
    : public DefaultEffectOverlayDescriptor<GenericOverlayDescriptor, GenericOverlayInteract> {
};

} // namespace OFX
