#pragma once
// Images fetched from a clip. ImageBase reads the image's properties once;
// Image adds the pixel data and hands the image back to the host when it is
// destroyed, so owning an Image is owning the host's image.

#include "openfx/support/Enums.h"
#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxCore.h"

#include <string>

namespace OFX {

class ImageBase {
 public:
  explicit ImageBase(OfxPropertySetHandle props);
  virtual ~ImageBase() = default;
  ImageBase(const ImageBase&) = delete;
  ImageBase& operator=(const ImageBase&) = delete;

  PropertySet& getPropertySet() { return props_; }
  BitDepthEnum getPixelDepth() const { return pixelDepth_; }
  PixelComponentEnum getPixelComponents() const { return pixelComponents_; }
  int getPixelComponentCount() const;
  // Bytes of one pixel, 0 for an unknown depth or components.
  int getPixelBytes() const;
  double getPixelAspectRatio() const { return pixelAspectRatio_; }
  OfxPointD getRenderScale() const { return renderScale_; }
  const OfxRectI& getBounds() const { return bounds_; }
  const OfxRectI& getRegionOfDefinition() const { return regionOfDefinition_; }
  // Bytes from one row to the next; negative for bottom-up storage.
  int getRowBytes() const { return rowBytes_; }
  FieldEnum getField() const { return field_; }
  const std::string& getUniqueIdentifier() const { return uniqueIdentifier_; }

 protected:
  PropertySet props_;

 private:
  BitDepthEnum pixelDepth_;
  PixelComponentEnum pixelComponents_;
  double pixelAspectRatio_;
  OfxPointD renderScale_;
  OfxRectI bounds_;
  OfxRectI regionOfDefinition_;
  int rowBytes_;
  FieldEnum field_;
  std::string uniqueIdentifier_;
};

class Image : public ImageBase {
 public:
  explicit Image(OfxPropertySetHandle props);
  // Releases the image to the host (clipReleaseImage).
  ~Image() override;

  void* getPixelData() const { return pixelData_; }
  // Address of pixel (x, y), or null when it lies outside the bounds.
  void* getPixelAddress(int x, int y) const;

 private:
  void* pixelData_;
};

}  // namespace OFX
