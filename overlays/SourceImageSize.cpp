#include "overlays/SourceImageSize.h"

#include "openfx/support/ImageEffect.h"

namespace OFX {

namespace {
constexpr double kFallbackWidth = 1920.0;
constexpr double kFallbackHeight = 1080.0;
} // namespace

void refreshSourceImageSize(ImageEffect* effect, double time, double& width, double& height)
{
    if (effect == nullptr) {
        return;
    }
    try {
        Clip* source = effect->fetchClip("Source");
        if (source == nullptr || !source->isConnected()) {
            return;
        }
        const OfxRectD rod = source->getRegionOfDefinition(time);
        const double w = rod.x2 - rod.x1;
        const double h = rod.y2 - rod.y1;
        width = w > 0.0 ? w : kFallbackWidth;
        height = h > 0.0 ? h : kFallbackHeight;
    } catch (...) {
        // A host that cannot say leaves the last known size in place.
    }
}

} // namespace OFX
