#pragma once
// What the kernel parameter builders and the pass loop ask of the effect instance they
// render for. GenericProcessor answers through the OpenFX instance (OfxProcessorEffectAccess);
// tests answer with plain values. Keeping the builders behind this interface lets them run
// without a host.

#include <optional>
#include <string>

class ProcessorEffectAccess {
 public:
  enum class VectorKind { Vec2, Vec3, Color, ColorRGBA };

  virtual ~ProcessorEffectAccess() = default;

  // True when the effect is the framework's own instance (GenericEffect). Only such an effect
  // has the "Blend" parameter and default textures; for any other effect the builders use
  // globalBlend 1.0 and leave SourceConnections empty.
  virtual bool isGenericEffect() const = 0;

  // The effect's frame rate as the host reports it.
  virtual double frameRate() const = 0;

  // The value of the double parameter "Blend" at `time`, or nothing when the host hands back
  // no parameter. Throws (a std::exception) when the host has no such parameter, which fails
  // the frame.
  virtual std::optional<double> blendValue(double time) = 0;

  // The 1x1 default texture of a no-input mode (1 black, 2 white, 3 transparent), or 0.
  virtual unsigned long long defaultTexture(int mode) = 0;

  // Reads the host's vector or colour parameter `name` at `time` into values[0..n) (n = 2, 3,
  // 3 or 4 by kind). Throws a std::exception when the host cannot supply it.
  virtual void readVectorParameter(VectorKind kind, const std::string& name, double time, double values[4]) = 0;

  // True when the host asked the render to stop early.
  virtual bool abortRequested() const { return false; }
};

// The hook an effect instance implements so that a GenericProcessor created for it treats
// it as the framework's instance: GenericEffect derives from OFX::ImageEffect and from this.
class GenericEffectHooks {
 public:
  // The texture object of the default texture of a no-input mode, or 0 (null).
  virtual unsigned long long getDefaultTexture(int mode) = 0;

 protected:
  ~GenericEffectHooks() = default;
};
