#pragma once
// A picture in host memory as the host hands it to a plug-in: bounds in pixel
// coordinates (any origin, negative included), a pixel size, and a row pitch that
// may be larger than the packed row (padded rows).

#include <cstddef>
#include <string>
#include <vector>

#include "ofxCore.h"

namespace ofxhost {

// Bytes per component of an OpenFX bit depth ("OfxBitDepthFloat" -> 4), 0 for none or unknown.
int bytesPerComponent(const std::string &depth);
// Components per pixel of an OpenFX component text ("OfxImageComponentRGBA" -> 4), 0 for none or unknown.
int componentCount(const std::string &components);

class Image {
 public:
  // `rowPadding` bytes are added to every row; it must keep rows 4-byte aligned.
  Image(OfxRectI bounds, int bytesPerPixel = 16, int rowPadding = 0);

  // A float RGBA picture filled with one colour.
  static Image filled(OfxRectI bounds, float r, float g, float b, float a, int rowPadding = 0);

  const OfxRectI &bounds() const { return bounds_; }
  int width() const { return bounds_.x2 - bounds_.x1; }
  int height() const { return bounds_.y2 - bounds_.y1; }
  int bytesPerPixel() const { return bytesPerPixel_; }
  int rowBytes() const { return rowBytes_; }
  std::size_t byteSize() const { return static_cast<std::size_t>(rowBytes_) * static_cast<std::size_t>(height()); }
  void *data() { return storage_.data(); }
  const void *data() const { return storage_.data(); }

  // The pixel at absolute coordinates (x, y) of a float RGBA picture; null outside the bounds.
  float *pixel(int x, int y);
  const float *pixel(int x, int y) const;
  void fill(float r, float g, float b, float a);

 private:
  OfxRectI bounds_;
  int bytesPerPixel_;
  int rowBytes_;
  std::vector<float> storage_;  // floats keep every row aligned for float pixels
};

}  // namespace ofxhost
