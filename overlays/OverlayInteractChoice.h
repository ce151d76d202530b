#pragma once

#include "definition/XMLEffectDefinition.h"

namespace OFX {
class ImageEffectDescriptor;
}

// The overlay step of an effect's description: declares the definition's overlays (registered
// for the interacts under the effect's name), the older point interact for a "center" vec2
// parameter, or nothing, and only when the host supports overlays.
void declareOverlayInteract(OFX::ImageEffectDescriptor& desc, const XMLEffectDefinition& definition);

// True when some parameter is named "center" and has the type "vec2".
bool hasCenterParameter(const XMLEffectDefinition& definition);
