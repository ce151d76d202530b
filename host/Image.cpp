#include "host/Image.h"

#include "host/HostError.h"
#include "ofxImageEffect.h"

namespace ofxhost {

int bytesPerComponent(const std::string &depth) {
  if (depth == kOfxBitDepthByte) return 1;
  if (depth == kOfxBitDepthShort || depth == kOfxBitDepthHalf) return 2;
  if (depth == kOfxBitDepthFloat) return 4;
  return 0;
}

int componentCount(const std::string &components) {
  if (components == kOfxImageComponentRGBA) return 4;
  if (components == kOfxImageComponentRGB) return 3;
  if (components == kOfxImageComponentAlpha) return 1;
  return 0;
}

Image::Image(OfxRectI bounds, int bytesPerPixel, int rowPadding) : bounds_(bounds), bytesPerPixel_(bytesPerPixel) {
  if (bounds.x2 < bounds.x1 || bounds.y2 < bounds.y1) throw HostError("image bounds are inverted");
  if (bytesPerPixel <= 0) throw HostError("image pixel size must be positive");
  if (rowPadding < 0 || rowPadding % 4 != 0) throw HostError("row padding must be a non-negative multiple of 4");
  const long long packed = static_cast<long long>(width()) * bytesPerPixel;
  // Rows stay 4-byte aligned so float pixels are never misaligned.
  rowBytes_ = static_cast<int>((packed + 3) / 4 * 4) + rowPadding;
  storage_.assign((byteSize() + 3) / 4, 0.0f);
}

Image Image::filled(OfxRectI bounds, float r, float g, float b, float a, int rowPadding) {
  Image image(bounds, 16, rowPadding);
  image.fill(r, g, b, a);
  return image;
}

float *Image::pixel(int x, int y) {
  if (bytesPerPixel_ != 16 || x < bounds_.x1 || x >= bounds_.x2 || y < bounds_.y1 || y >= bounds_.y2) return nullptr;
  unsigned char *row = reinterpret_cast<unsigned char *>(storage_.data()) +
                       static_cast<std::size_t>(y - bounds_.y1) * static_cast<std::size_t>(rowBytes_);
  return reinterpret_cast<float *>(row) + static_cast<std::size_t>(x - bounds_.x1) * 4;
}

const float *Image::pixel(int x, int y) const { return const_cast<Image *>(this)->pixel(x, y); }

void Image::fill(float r, float g, float b, float a) {
  for (int y = bounds_.y1; y < bounds_.y2; ++y)
    for (int x = bounds_.x1; x < bounds_.x2; ++x) {
      float *p = pixel(x, y);
      if (!p) return;
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
    }
}

}  // namespace ofxhost
