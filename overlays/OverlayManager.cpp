#include "overlays/OverlayManager.h"

#include "overlays/EllipseOverlay.h"
#include "overlays/PointOverlay.h"
#include "overlays/RadiusOverlay.h"
#include "overlays/Scale2DOverlay.h"
#include "overlays/VSliderOverlay.h"
#include "overlays/VectorOverlay.h"

#include "openfx/support/Suites.h"
#include "plugin/Logger.h"

namespace OFX {

using OverlayDef = XMLEffectDefinition::OverlayDef;

OverlayManager::OverlayManager(ImageEffect* effectInstance, const std::vector<OverlayDef>& definitions,
                               XMLEffectDefinition::OverlayCoordSystem system)
    : effect(effectInstance), coordSystem(system)
{
    for (const OverlayDef& definition : definitions) {
        if (std::unique_ptr<OverlayBase> overlay = createOverlay(definition)) {
            overlays.push_back(std::move(overlay));
        }
    }
    Logger::getInstance().logMessage(LOG_INFO, "OverlayManager created with %zu overlays", overlays.size());
}

OverlayManager::~OverlayManager() = default;

void OverlayManager::configure(OverlayBase& overlay, const OverlayDef& definition) const
{
    overlay.setCoordSystem(coordSystem);
    if (definition.color.isSet) {
        overlay.setColor(OverlayColor(definition.color.r, definition.color.g, definition.color.b));
    }
    if (!definition.label.empty()) {
        overlay.setLabel(definition.label);
    }
    if (!definition.visibleWhen.empty()) {
        overlay.setVisibleWhen(definition.visibleWhen);
    }
}

std::unique_ptr<OverlayBase> OverlayManager::createOverlay(const OverlayDef& definition)
{
    std::unique_ptr<OverlayBase> overlay;
    switch (definition.type) {
    case XMLEffectDefinition::Point: {
        auto point = std::make_unique<PointOverlay>(effect, definition.param,
                                                    PointOverlay::parseStyle(definition.style));
        // Only the first vector child is used; other kinds of children are not point children.
        for (const OverlayDef& child : definition.children) {
            if (child.type != XMLEffectDefinition::Vector) {
                continue;
            }
            // Without its own centre the arrow starts at the point.
            const std::string& center = child.center.empty() ? definition.param : child.center;
            auto vector = std::make_unique<VectorOverlay>(effect, child.direction, center, child.magnitude,
                                                          child.fixedMagnitude);
            configure(*vector, child);
            point->setVectorChild(std::move(vector));
            break;
        }
        overlay = std::move(point);
        break;
    }
    case XMLEffectDefinition::Radius:
        overlay = std::make_unique<RadiusOverlay>(effect, definition.param, definition.center);
        break;
    case XMLEffectDefinition::Scale2D:
        overlay = std::make_unique<Scale2DOverlay>(effect, definition.param, definition.center);
        break;
    case XMLEffectDefinition::VSlider:
        overlay = std::make_unique<VSliderOverlay>(effect, definition.param, definition.fixedX);
        break;
    case XMLEffectDefinition::Vector:
        overlay = std::make_unique<VectorOverlay>(effect, definition.direction, definition.center,
                                                  definition.magnitude, definition.fixedMagnitude);
        break;
    case XMLEffectDefinition::Ellipse:
        overlay = std::make_unique<EllipseOverlay>(effect, definition.param, definition.center);
        break;
    case XMLEffectDefinition::Qualifier:
        Logger::getInstance().logMessage(LOG_INFO, "QualifierOverlay not yet implemented for param '%s'",
                                         definition.param.c_str());
        return nullptr;
    }
    if (overlay) {
        configure(*overlay, definition);
    }
    return overlay;
}

bool OverlayManager::draw(const DrawArgs& args)
{
    if (getDrawSuite() == nullptr) {
        return false;
    }
    // Later overlays are drawn over earlier ones.
    for (const auto& overlay : overlays) {
        overlay->draw(args.drawContext, args);
    }
    return !overlays.empty();
}

bool OverlayManager::penDown(const PenArgs& args)
{
    // A drag whose pen-up never arrived (the host lost it) is finished first, so its edit
    // block is closed before another one opens.
    if (activeOverlay != nullptr && activeOverlay->isHandlingDrag()) {
        activeOverlay->penUp(args);
        activeOverlay = nullptr;
    }
    // Topmost (drawn last) first.
    for (auto it = overlays.rbegin(); it != overlays.rend(); ++it) {
        if ((*it)->penDown(args)) {
            activeOverlay = it->get();
            return true;
        }
    }
    return false;
}

bool OverlayManager::penMotion(const PenArgs& args)
{
    if (activeOverlay == nullptr) {
        return false;
    }
    if (activeOverlay->isHandlingDrag()) {
        return activeOverlay->penMotion(args);
    }
    // The drag ended without a pen-up (the overlay was hidden): let go of it.
    activeOverlay = nullptr;
    return false;
}

bool OverlayManager::penUp(const PenArgs& args)
{
    if (activeOverlay == nullptr) {
        return false;
    }
    const bool used = activeOverlay->penUp(args);
    activeOverlay = nullptr;
    return used;
}

} // namespace OFX
