#include "tests/render/support/TestPictures.h"

#include <algorithm>
#include <cmath>

namespace render_test {

ofxhost::Image rampPicture(const OfxRectI& bounds, int rowPadding) {
  ofxhost::Image image(bounds, 16, rowPadding);
  const int w = image.width(), h = image.height();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      float* p = image.pixel(bounds.x1 + x, bounds.y1 + y);
      const float r = (x + 0.5f) / w, g = (y + 0.5f) / h;
      p[0] = r;
      p[1] = g;
      p[2] = 0.5f * (r + g);
      p[3] = 0.25f + 0.75f * r;
    }
  }
  return image;
}

ofxhost::Image discMatte(const OfxRectI& bounds, double cx, double cy, double radius) {
  ofxhost::Image image(bounds);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const float a = static_cast<float>(std::min(1.0, std::max(0.0, radius - d + 0.5)));
      float* p = image.pixel(bounds.x1 + x, bounds.y1 + y);
      p[0] = p[1] = p[2] = 1.0f;
      p[3] = a;
    }
  }
  return image;
}

ofxhost::Image flatPicture(const OfxRectI& bounds, float r, float g, float b, float a) {
  return ofxhost::Image::filled(bounds, r, g, b, a);
}

}  // namespace render_test
