#pragma once

#include <string>

namespace OFX {
class ImageEffectDescriptor;
}

// The parameters the framework adds to every effect, around the definition's own: the presets
// and help section before them and the global blend section after them. Their names are what
// the effect instance fetches and what the preset controls react to.

// `presetsHelp` (closed group) with the two preset choices, the delete button, the name field,
// the save button and the documentation button, each parented to the group.
void definePresetsHelpSection(OFX::ImageEffectDescriptor& desc);

// `Global Blend` (open group) with `Blend`, 0 to 1, default 1.
void defineGlobalBlendSection(OFX::ImageEffectDescriptor& desc);

// True for the nine names above; a definition parameter or group may not use them.
bool isFrameworkParameterName(const std::string& name);
