// Device images through the CUDA runtime: pitched allocations and 2D copies.
#include <cuda_runtime_api.h>

#include "host/DeviceMemory.h"

namespace ofxhost {
namespace {

class CudaBuffer : public DeviceBuffer {
 public:
  CudaBuffer(void *data, size_t pitch, int widthBytes, int height)
      : data_(data), pitch_(pitch), widthBytes_(widthBytes), height_(height) {}
  ~CudaBuffer() override { cudaFree(data_); }
  void *data() override { return data_; }
  int rowBytes() const override { return static_cast<int>(pitch_); }
  bool download(Image &image) const override {
    return cudaMemcpy2D(image.data(), image.rowBytes(), data_, pitch_, widthBytes_, height_,
                        cudaMemcpyDeviceToHost) == cudaSuccess;
  }

  static std::unique_ptr<CudaBuffer> allocate(const Image &image) {
    const int widthBytes = image.width() * image.bytesPerPixel();
    const int height = image.height();
    void *data = nullptr;
    size_t pitch = 0;
    if (cudaMallocPitch(&data, &pitch, widthBytes > 0 ? widthBytes : 1, height > 0 ? height : 1) != cudaSuccess) {
      cudaGetLastError();
      return nullptr;
    }
    return std::make_unique<CudaBuffer>(data, pitch, widthBytes, height);
  }

  bool upload(const Image &image) {
    return cudaMemcpy2D(data_, pitch_, image.data(), image.rowBytes(), widthBytes_, height_,
                        cudaMemcpyHostToDevice) == cudaSuccess;
  }

 private:
  void *data_;
  size_t pitch_;
  int widthBytes_;
  int height_;
};

}  // namespace

bool DeviceBuffer::available() {
  int count = 0;
  if (cudaGetDeviceCount(&count) != cudaSuccess) {
    cudaGetLastError();
    return false;
  }
  return count > 0;
}

std::unique_ptr<DeviceBuffer> DeviceBuffer::upload(const Image &image) {
  std::unique_ptr<CudaBuffer> buffer = CudaBuffer::allocate(image);
  if (!buffer || !buffer->upload(image)) return nullptr;
  return buffer;
}

std::unique_ptr<DeviceBuffer> DeviceBuffer::allocateLike(const Image &image) { return CudaBuffer::allocate(image); }

}  // namespace ofxhost
