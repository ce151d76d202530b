// Builds without the CUDA backend: every render gets host-memory images.
#include "host/DeviceMemory.h"

namespace ofxhost {

bool DeviceBuffer::available() { return false; }
std::unique_ptr<DeviceBuffer> DeviceBuffer::upload(const Image &) { return nullptr; }
std::unique_ptr<DeviceBuffer> DeviceBuffer::allocateLike(const Image &) { return nullptr; }

}  // namespace ofxhost
