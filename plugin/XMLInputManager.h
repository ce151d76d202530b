#pragma once

#include "definition/XMLEffectDefinition.h"

namespace OFX {
class ClipDescriptor;
class ImageEffectDescriptor;
}

// Declares an effect's clips from its definition: one RGBA input clip per definition input,
// in definition order, then "Output". Stateless; created for one description.
class XMLInputManager {
public:
    // True when every clip was declared. Stops at the first failure (later clips are not
    // declared); never throws.
    bool createInputs(const XMLEffectDefinition& definition, OFX::ImageEffectDescriptor& desc);

    // Declares one input clip: RGBA, no temporal access, tiles, optional as the input says,
    // and a mask when its lower-cased name contains "mask" or "matte". Null on failure,
    // including an input that takes the output clip's name; never throws.
    OFX::ClipDescriptor* createClip(const XMLEffectDefinition::InputDef& input, OFX::ImageEffectDescriptor& desc);
};

// The clip set used when createInputs fails: "Source", "Output" and an optional mask "mask".
void declareFallbackClips(OFX::ImageEffectDescriptor& desc);
