#pragma once
// What the host says about itself, read once from the host property set when
// the plug-in is loaded. Properties the host does not report keep the defaults
// below, which are the conservative answers.

#include "openfx/support/Enums.h"

#include <string>
#include <vector>

namespace OFX {

struct ImageEffectHostDescription {
  std::string hostName;
  std::string hostLabel;
  int APIVersionMajor = 1;
  int APIVersionMinor = 0;
  bool hostIsBackground = false;
  bool supportsOverlays = false;
  bool supportsMultiResolution = false;
  bool supportsTiles = false;
  bool temporalClipAccess = false;
  bool supportsMultipleClipDepths = false;
  bool supportsMultipleClipPARs = false;
  bool supportsSetableFrameRate = false;
  bool supportsSetableFielding = false;
  bool supportsCustomInteract = false;
  bool supportsParametricParameter = false;  // the host offers the parametric parameter suite
  bool supportsDrawSuite = false;            // the host offers the overlay draw suite
  bool supportsCudaRender = false;           // "true" or "needed"
  bool supportsCudaStream = false;
  bool supportsOpenCLRender = false;
  bool supportsMetalRender = false;
  std::vector<ContextEnum> supportedContexts;
  std::vector<BitDepthEnum> supportedPixelDepths;
  std::vector<PixelComponentEnum> supportedComponents;

  bool supportsContext(ContextEnum context) const;
  bool supportsBitDepth(BitDepthEnum depth) const;
};

// The description of the host that loaded the plug-in, or null before loading.
const ImageEffectHostDescription* getImageEffectHostDescription();

namespace Private {
// Rebuilds the description from the current host (called on load; a null
// host clears it).
void loadHostDescription();
}  // namespace Private

}  // namespace OFX
