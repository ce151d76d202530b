#pragma once
// The effect instance's cached frame buffers: one linear buffer per pipeline of the
// definition and the "effectOutput" feedback buffer, each width x height float RGBA pixels,
// and one pitch2D texture over each so that every kernel can sample them by name
// ("pipelineOutput_<k>", "effectOutput"). Rows are width x 16 bytes rounded up to a multiple
// of kRowAlignment: CUDA refuses pitch2D textures whose pitch is not a multiple of the
// device's texture pitch alignment (32 or 64 bytes), which a packed odd width would break.
//
// They survive from frame to frame, contents included, and are rebuilt only when the frame
// size, the pipeline count or the runtime changes. Allocation failures throw (the frame
// fails and the next frame starts again with nothing allocated); texture failures are logged
// and leave that texture at 0. Used by the render thread only.

#include <map>
#include <string>
#include <vector>

#include "gpu/runtime/Runtime.h"

class PipelineBuffers {
 public:
  static constexpr int kRowAlignment = 256;

  PipelineBuffers() = default;
  ~PipelineBuffers();
  PipelineBuffers(const PipelineBuffers&) = delete;
  PipelineBuffers& operator=(const PipelineBuffers&) = delete;

  // Makes sure `pipelineCount` buffers and the effect-output buffer exist for the size on
  // `runtime`; reuses them when nothing changed. Throws std::runtime_error
  // ("Failed to allocate effectOutput CUDA buffer" / "Failed to allocate pipeline CUDA buffer").
  void ensure(gpu::Runtime& runtime, int width, int height, int pipelineCount);

  // Enters "effectOutput" and every non-zero "pipelineOutput_<k>" texture in `textures`
  // (only when the effect-output texture and at least one pipeline texture slot exist).
  void publishTextures(std::map<std::string, void*>& textures) const;

  // Copies pipeline buffer `index` into the effect-output buffer on `stream` and waits for
  // it; failures are logged.
  void copyToEffectOutput(int index, void* stream);

  // Copies a frame-sized image (the host output, `rowBytes` apart) into the effect-output
  // buffer on `stream` and waits for it; failures are logged.
  void copyImageToEffectOutput(const float* pixels, int rowBytes, void* stream);

  // Destroys the textures, then frees the effect-output buffer and the pipeline buffers,
  // logging what was released.
  void release();

  float* pipelineBuffer(int index) const;
  float* effectOutputBuffer() const { return effectOutput_; }
  size_t pipelineBufferCount() const { return pipelines_.size(); }
  // Bytes from one row to the next in every buffer.
  int rowBytes() const { return rowBytes_; }
  // width x 16 rounded up to kRowAlignment.
  static int alignedRowBytes(int width);
  int width() const { return width_; }
  int height() const { return height_; }
  gpu::TextureObject effectOutputTexture() const { return effectOutputTexture_; }
  const std::vector<gpu::TextureObject>& pipelineOutputTextures() const { return pipelineTextures_; }

 private:
  void destroyTextures();
  void freeBuffers();
  gpu::TextureObject createTexture(float* buffer) const;

  gpu::Runtime* runtime_ = nullptr;
  float* effectOutput_ = nullptr;
  std::vector<float*> pipelines_;
  gpu::TextureObject effectOutputTexture_ = 0;
  std::vector<gpu::TextureObject> pipelineTextures_;
  int width_ = 0;
  int height_ = 0;
  int rowBytes_ = 0;
  int pipelineCount_ = 0;
};
