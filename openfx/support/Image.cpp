#include "openfx/support/Image.h"

#include "openfx/support/Suites.h"

#include "openfx/include/ofxImageEffect.h"

#include <cstddef>

namespace OFX {
namespace {

OfxRectI readRect(const PropertySet& props, const char* property) {
  OfxRectI rect{0, 0, 0, 0};
  rect.x1 = props.propGetInt(property, 0, false);
  rect.y1 = props.propGetInt(property, 1, false);
  rect.x2 = props.propGetInt(property, 2, false);
  rect.y2 = props.propGetInt(property, 3, false);
  return rect;
}

int depthBytes(BitDepthEnum depth) {
  switch (depth) {
    case eBitDepthUByte: return 1;
    case eBitDepthUShort:
    case eBitDepthHalf: return 2;
    case eBitDepthFloat: return 4;
    default: return 0;
  }
}

}  // namespace

ImageBase::ImageBase(OfxPropertySetHandle props)
    : props_(props),
      pixelDepth_(mapBitDepthStringToEnum(props_.propGetString(kOfxImageEffectPropPixelDepth))),
      pixelComponents_(mapPixelComponentStringToEnum(props_.propGetString(kOfxImageEffectPropComponents))),
      pixelAspectRatio_(props_.propGetDouble(kOfxImagePropPixelAspectRatio, 0, false)),
      renderScale_{props_.propGetDouble(kOfxImageEffectPropRenderScale, 0, false),
                   props_.propGetDouble(kOfxImageEffectPropRenderScale, 1, false)},
      bounds_(readRect(props_, kOfxImagePropBounds)),
      regionOfDefinition_(readRect(props_, kOfxImagePropRegionOfDefinition)),
      rowBytes_(props_.propGetInt(kOfxImagePropRowBytes)),
      field_(mapFieldStringToEnum(props_.propGetString(kOfxImagePropField, 0, false))),
      uniqueIdentifier_(props_.propGetString(kOfxImagePropUniqueIdentifier, 0, false)) {
  // A host that leaves these out means the neutral values.
  if (pixelAspectRatio_ <= 0.0) pixelAspectRatio_ = 1.0;
  if (renderScale_.x <= 0.0) renderScale_.x = 1.0;
  if (renderScale_.y <= 0.0) renderScale_.y = 1.0;
}

int ImageBase::getPixelComponentCount() const {
  switch (pixelComponents_) {
    case ePixelComponentRGBA: return 4;
    case ePixelComponentRGB: return 3;
    case ePixelComponentAlpha: return 1;
    default: return 0;
  }
}

int ImageBase::getPixelBytes() const { return getPixelComponentCount() * depthBytes(pixelDepth_); }

Image::Image(OfxPropertySetHandle props) : ImageBase(props), pixelData_(props_.propGetPointer(kOfxImagePropData)) {}

Image::~Image() {
  if (Private::gEffectSuite != nullptr && props_.isValid()) Private::gEffectSuite->clipReleaseImage(props_.propSetHandle());
}

void* Image::getPixelAddress(int x, int y) const {
  const OfxRectI& bounds = getBounds();
  if (pixelData_ == nullptr || x < bounds.x1 || x >= bounds.x2 || y < bounds.y1 || y >= bounds.y2) return nullptr;
  const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(y - bounds.y1) * getRowBytes() +
                                static_cast<std::ptrdiff_t>(x - bounds.x1) * getPixelBytes();
  return static_cast<char*>(pixelData_) + offset;
}

}  // namespace OFX
