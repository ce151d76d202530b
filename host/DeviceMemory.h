#pragma once
// Images in GPU memory for renders where the host enables CUDA. Only builds with
// the CUDA backend have a real implementation; elsewhere `available()` is false.

#include <memory>

#include "host/Image.h"

namespace ofxhost {

class DeviceBuffer {
 public:
  virtual ~DeviceBuffer() = default;
  virtual void *data() = 0;
  virtual int rowBytes() const = 0;
  // Copies the device picture into `image` (same bounds and pixel size).
  virtual bool download(Image &image) const = 0;

  // True when this build can use CUDA and a device is present.
  static bool available();
  // A device copy of `image`, or null when not available or on a CUDA error.
  static std::unique_ptr<DeviceBuffer> upload(const Image &image);
  // Uninitialised device memory shaped like `image`, or null.
  static std::unique_ptr<DeviceBuffer> allocateLike(const Image &image);
};

}  // namespace ofxhost
