#pragma once
// ProcessorEffectAccess over an OpenFX effect instance: the frame rate from the instance's
// properties, "Blend" and the vector parameters through the support library's fetches, and
// default textures from the instance when it implements GenericEffectHooks.

#include "gpu/ProcessorEffectAccess.h"

namespace OFX {
class ImageEffect;
}

class OfxProcessorEffectAccess final : public ProcessorEffectAccess {
 public:
  explicit OfxProcessorEffectAccess(OFX::ImageEffect& effect);

  bool isGenericEffect() const override { return hooks_ != nullptr; }
  double frameRate() const override;
  std::optional<double> blendValue(double time) override;
  unsigned long long defaultTexture(int mode) override;
  void readVectorParameter(VectorKind kind, const std::string& name, double time, double values[4]) override;
  bool abortRequested() const override;

 private:
  OFX::ImageEffect& effect_;
  GenericEffectHooks* hooks_;
};
