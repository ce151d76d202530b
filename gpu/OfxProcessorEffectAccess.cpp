#include "gpu/OfxProcessorEffectAccess.h"

#include <stdexcept>

#include "openfx/support/ImageEffect.h"
#include "openfx/support/Param.h"

OfxProcessorEffectAccess::OfxProcessorEffectAccess(OFX::ImageEffect& effect)
    : effect_(effect), hooks_(dynamic_cast<GenericEffectHooks*>(&effect)) {}

double OfxProcessorEffectAccess::frameRate() const { return effect_.getFrameRate(); }

std::optional<double> OfxProcessorEffectAccess::blendValue(double time) {
  // The support library throws when the host has no such parameter.
  const OFX::DoubleParam* blend = effect_.fetchDoubleParam("Blend");
  if (blend == nullptr) return std::nullopt;
  return blend->getValueAtTime(time);
}

unsigned long long OfxProcessorEffectAccess::defaultTexture(int mode) {
  return hooks_ != nullptr ? hooks_->getDefaultTexture(mode) : 0;
}

void OfxProcessorEffectAccess::readVectorParameter(VectorKind kind, const std::string& name, double time,
                                                   double values[4]) {
  switch (kind) {
    case VectorKind::Vec2: {
      const OFX::Double2DParam* p = effect_.fetchDouble2DParam(name);
      if (p == nullptr) throw std::runtime_error("no such parameter");
      p->getValueAtTime(time, values[0], values[1]);
      return;
    }
    case VectorKind::Vec3: {
      const OFX::Double3DParam* p = effect_.fetchDouble3DParam(name);
      if (p == nullptr) throw std::runtime_error("no such parameter");
      p->getValueAtTime(time, values[0], values[1], values[2]);
      return;
    }
    case VectorKind::Color: {
      const OFX::RGBParam* p = effect_.fetchRGBParam(name);
      if (p == nullptr) throw std::runtime_error("no such parameter");
      p->getValueAtTime(time, values[0], values[1], values[2]);
      return;
    }
    case VectorKind::ColorRGBA: {
      const OFX::RGBAParam* p = effect_.fetchRGBAParam(name);
      if (p == nullptr) throw std::runtime_error("no such parameter");
      p->getValueAtTime(time, values[0], values[1], values[2], values[3]);
      return;
    }
  }
}

bool OfxProcessorEffectAccess::abortRequested() const { return effect_.abort(); }
