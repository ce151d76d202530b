#pragma once

namespace OFX {

class ImageEffect;

// Reads the size of the effect's "Source" clip at `time` into `width` and `height`, in canonical
// units. Without an effect, without the clip, with the clip not connected or when the host fails,
// both stay as they were, so callers keep the last size they saw. A non-positive width becomes
// 1920 and a non-positive height 1080.
void refreshSourceImageSize(ImageEffect* effect, double time, double& width, double& height);

} // namespace OFX
