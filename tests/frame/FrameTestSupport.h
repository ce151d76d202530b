#pragma once
// Shared helpers of the frame tests: the log capture, a scripted ProcessorEffectAccess,
// definitions from XML text, and pitched RGBA images in host or (host backend) device
// memory.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "definition/XMLEffectDefinition.h"
#include "gpu/ProcessorEffectAccess.h"
#include "gpu/runtime/HostObjects.h"
#include "gpu/runtime/HostRuntime.h"
#include "plugin/Logger.h"
#include "tests/support/LogCapture.h"

namespace frametest {

using FrameLog = testsupport::LogCapture;

// A ProcessorEffectAccess answering from plain values.
class FakeEffectAccess : public ProcessorEffectAccess {
 public:
  bool generic = true;
  double rate = 24.0;
  std::optional<double> blend = 1.0;
  bool blendThrows = false;
  double lastBlendTime = -1.0;
  std::map<int, unsigned long long> defaults;  // mode -> texture
  std::map<std::string, std::vector<double>> vectors;  // missing name: the read throws
  int defaultTextureCalls = 0;

  bool isGenericEffect() const override { return generic; }
  double frameRate() const override { return rate; }
  std::optional<double> blendValue(double time) override {
    lastBlendTime = time;
    if (blendThrows) throw std::runtime_error("no Blend parameter");
    return blend;
  }
  unsigned long long defaultTexture(int mode) override {
    ++defaultTextureCalls;
    const auto found = defaults.find(mode);
    return found == defaults.end() ? 0 : found->second;
  }
  void readVectorParameter(VectorKind, const std::string& name, double, double values[4]) override {
    const auto found = vectors.find(name);
    if (found == vectors.end()) throw std::runtime_error("host has no " + name);
    for (size_t i = 0; i < 4 && i < found->second.size(); ++i) values[i] = found->second[i];
  }
};

// A definition read from a document; fails the test when it cannot be read.
inline std::unique_ptr<XMLEffectDefinition> definitionFrom(const std::string& xml) {
  auto definition = std::make_unique<XMLEffectDefinition>();
  EXPECT_TRUE(definition->parseFromEmbeddedXML(xml.c_str())) << xml;
  return definition;
}

// An effect document with the given inputs, parameters and resources and one process.
inline std::string effectXml(const std::string& inputs, const std::string& parameters = "",
                             const std::string& resources = "", const std::string& name = "Frame Fixture") {
  return "<effect name=\"" + name + "\" category=\"Test\"><inputs>" + inputs + "</inputs>" +
         (resources.empty() ? "" : "<resources>" + resources + "</resources>") + "<parameters>" + parameters +
         "</parameters><pipeline><process name=\"p\"><cuda file=\"edge_bleed.cu\"/></process></pipeline></effect>";
}

// A float RGBA image with a row pitch of its own, in host memory or in the host backend's
// device memory. Pixel (x, y) gets value(x, y, channel) by fill().
class PitchedImage {
 public:
  PitchedImage(int width, int height, int rowBytes, bool device = false)
      : width_(width), height_(height), rowBytes_(rowBytes), device_(device) {
    const size_t bytes = static_cast<size_t>(rowBytes) * static_cast<size_t>(height);
    if (device) {
      void* p = nullptr;
      EXPECT_EQ(gpu::hostRuntime().malloc(&p, bytes), gpu::Error::Success);
      data_ = static_cast<unsigned char*>(p);
    } else {
      host_.assign(bytes + 16, 0);
      // 16-byte aligned start, as hosts hand out.
      const uintptr_t at = (reinterpret_cast<uintptr_t>(host_.data()) + 15) & ~static_cast<uintptr_t>(15);
      data_ = reinterpret_cast<unsigned char*>(at);
    }
    std::memset(data_, 0xAB, bytes);  // padding pattern
  }
  ~PitchedImage() {
    if (device_) (void)gpu::hostRuntime().free(data_);
  }
  PitchedImage(const PitchedImage&) = delete;
  PitchedImage& operator=(const PitchedImage&) = delete;

  template <class F>
  void fill(F value) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        for (int c = 0; c < 4; ++c) pixel(x, y)[c] = value(x, y, c);
  }
  float* pixel(int x, int y) {
    return reinterpret_cast<float*>(data_ + static_cast<size_t>(y) * rowBytes_ + static_cast<size_t>(x) * 16);
  }
  // True when every padding byte of every row still holds the pattern.
  bool paddingUntouched() const {
    for (int y = 0; y < height_; ++y)
      for (int b = width_ * 16; b < rowBytes_; ++b)
        if (data_[static_cast<size_t>(y) * rowBytes_ + b] != 0xAB) return false;
    return true;
  }
  float* pixels() { return reinterpret_cast<float*>(data_); }
  int width() const { return width_; }
  int height() const { return height_; }
  int rowBytes() const { return rowBytes_; }

 private:
  int width_, height_, rowBytes_;
  bool device_;
  std::vector<unsigned char> host_;
  unsigned char* data_ = nullptr;
};

// Texel (x, y) of a host backend texture, read directly.
inline const gpu::host::TextureObject& textureOf(gpu::TextureObject texture) {
  return *reinterpret_cast<const gpu::host::TextureObject*>(static_cast<uintptr_t>(texture));
}
inline float4 texelOf(const gpu::host::TextureObject& t, int x, int y) {
  float4 r;
  std::memcpy(&r, t.base + static_cast<size_t>(y) * t.pitch + static_cast<size_t>(x) * 16u, 16);
  return r;
}
inline float4 texelOf(gpu::TextureObject texture, int x, int y) { return texelOf(textureOf(texture), x, y); }

// Difference of the host runtime's creation counters.
struct CreatedSince {
  gpu::HostRuntime::ObjectCounts before = gpu::hostRuntime().createdObjects();
  int linear() const { return gpu::hostRuntime().createdObjects().linear - before.linear; }
  int arrays() const { return gpu::hostRuntime().createdObjects().arrays - before.arrays; }
  int textures() const { return gpu::hostRuntime().createdObjects().textures - before.textures; }
  int surfaces() const { return gpu::hostRuntime().createdObjects().surfaces - before.surfaces; }
  int total() const { return linear() + arrays() + textures() + surfaces(); }
};

inline bool sameLive(const gpu::HostRuntime::ObjectCounts& a, const gpu::HostRuntime::ObjectCounts& b) {
  return a.linear == b.linear && a.arrays == b.arrays && a.textures == b.textures && a.surfaces == b.surfaces;
}

}  // namespace frametest
