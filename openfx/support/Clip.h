#pragma once
// A clip of an effect instance: its connection state, pixel format, region of
// definition, and the images it delivers.

#include "openfx/support/Enums.h"
#include "openfx/support/Image.h"
#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxImageEffect.h"

#include <string>

namespace OFX {

class Clip {
 public:
  Clip(const std::string& name, OfxImageClipHandle handle, OfxPropertySetHandle props);
  Clip(const Clip&) = delete;
  Clip& operator=(const Clip&) = delete;

  const std::string& name() const { return name_; }
  const std::string& getName() const { return name_; }
  OfxImageClipHandle getHandle() const { return handle_; }
  PropertySet& getPropertySet() { return props_; }

  bool isConnected() const;
  // The depth and components the effect sees (after any host mapping).
  BitDepthEnum getPixelDepth() const;
  PixelComponentEnum getPixelComponents() const;
  double getPixelAspectRatio() const;
  double getFrameRate() const;
  // Throws Exception::Suite when the host fails.
  OfxRectD getRegionOfDefinition(double time) const;

  // The image at `time`, or null when the host has none (an unconnected clip,
  // a time outside the clip). The caller owns the image; deleting it returns
  // it to the host. Other host failures throw Exception::Suite.
  Image* fetchImage(double time) const;
  Image* fetchImage(double time, const OfxRectD& region) const;

 private:
  Image* fetchImage(double time, const OfxRectD* region) const;

  std::string name_;
  OfxImageClipHandle handle_;
  PropertySet props_;
};

}  // namespace OFX
