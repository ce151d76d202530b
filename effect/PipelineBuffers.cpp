#include "effect/PipelineBuffers.h"

#include <stdexcept>

#include "plugin/Logger.h"

PipelineBuffers::~PipelineBuffers() { release(); }

int PipelineBuffers::alignedRowBytes(int width) {
  const int packed = width * 16;
  return (packed + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
}

float* PipelineBuffers::pipelineBuffer(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= pipelines_.size()) return nullptr;
  return pipelines_[static_cast<size_t>(index)];
}

gpu::TextureObject PipelineBuffers::createTexture(float* buffer) const {
  gpu::TextureObject texture = 0;
  const gpu::ResourceDesc resource = gpu::ResourceDesc::forPitch2D(
      buffer, static_cast<size_t>(width_), static_cast<size_t>(height_), static_cast<size_t>(rowBytes()));
  if (runtime_->createTextureObject(&texture, resource, gpu::TextureDesc::standard()) != gpu::Error::Success) {
    return 0;
  }
  return texture;
}

void PipelineBuffers::ensure(gpu::Runtime& runtime, int width, int height, int pipelineCount) {
  if (effectOutput_ != nullptr && !pipelines_.empty() && runtime_ == &runtime && width == width_ &&
      height == height_ && pipelineCount == pipelineCount_) {
    return;
  }
  Logger& log = Logger::getInstance();
  release();
  runtime_ = &runtime;
  // The size and count are recorded only once everything exists, so a failed rebuild is
  // retried on the next frame.
  width_ = 0;
  height_ = 0;
  pipelineCount_ = 0;
  rowBytes_ = alignedRowBytes(width);

  const size_t bytes = static_cast<size_t>(rowBytes_) * static_cast<size_t>(height);
  void* memory = nullptr;
  gpu::Error error = runtime.malloc(&memory, bytes);
  if (error != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Phase 3a.2: Failed to allocate effectOutput CUDA buffer: %s",
                   runtime.getErrorString(error));
    throw std::runtime_error("Failed to allocate effectOutput CUDA buffer");
  }
  effectOutput_ = static_cast<float*>(memory);

  for (int k = 0; k < pipelineCount; ++k) {
    memory = nullptr;
    error = runtime.malloc(&memory, bytes);
    if (error != gpu::Error::Success) {
      log.logMessage(LOG_ERROR, "Phase 3a.2: Failed to allocate pipelineOutput[%d] CUDA buffer: %s", k,
                     runtime.getErrorString(error));
      freeBuffers();
      throw std::runtime_error("Failed to allocate pipeline CUDA buffer");
    }
    pipelines_.push_back(static_cast<float*>(memory));
  }

  width_ = width;
  height_ = height;
  effectOutputTexture_ = createTexture(effectOutput_);
  if (effectOutputTexture_ == 0) {
    log.logMessage(LOG_ERROR, "Failed to create cached effectOutput pitch2D texture: %s",
                   runtime.getErrorString(runtime.getLastError()));
  }
  for (size_t k = 0; k < pipelines_.size(); ++k) {
    const gpu::TextureObject texture = createTexture(pipelines_[k]);
    if (texture == 0) {
      log.logMessage(LOG_ERROR, "Failed to create cached pipelineOutput_%zu pitch2D texture: %s", k,
                     runtime.getErrorString(runtime.getLastError()));
    }
    pipelineTextures_.push_back(texture);
  }
  pipelineCount_ = pipelineCount;
}

void PipelineBuffers::publishTextures(std::map<std::string, void*>& textures) const {
  if (effectOutputTexture_ == 0 || pipelineTextures_.empty()) return;
  textures["effectOutput"] = reinterpret_cast<void*>(static_cast<uintptr_t>(effectOutputTexture_));
  for (size_t k = 0; k < pipelineTextures_.size(); ++k) {
    if (pipelineTextures_[k] == 0) continue;
    textures["pipelineOutput_" + std::to_string(k)] =
        reinterpret_cast<void*>(static_cast<uintptr_t>(pipelineTextures_[k]));
  }
}

void PipelineBuffers::copyToEffectOutput(int index, void* stream) {
  Logger& log = Logger::getInstance();
  if (index < 0 || static_cast<size_t>(index) >= pipelines_.size() || effectOutput_ == nullptr) {
    log.logMessage(LOG_ERROR, "Invalid pipeline index %d for feedback copy", index);
    return;
  }
  const size_t bytes = static_cast<size_t>(rowBytes_) * static_cast<size_t>(height_);
  gpu::Stream cudaStream = static_cast<gpu::Stream>(stream);
  gpu::Error error = runtime_->memcpyAsync(effectOutput_, pipelines_[static_cast<size_t>(index)], bytes,
                                           gpu::MemcpyKind::DeviceToDevice, cudaStream);
  if (error != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "CUDA feedback copy failed (pipeline %d → effectOutput): %s", index,
                   runtime_->getErrorString(error));
    return;
  }
  error = runtime_->streamSynchronize(cudaStream);
  if (error != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "CUDA stream sync after feedback copy failed: %s", runtime_->getErrorString(error));
    return;
  }
  log.logMessage(LOG_DEBUG, "Feedback copy: pipelineOutput_%d -> effectOutput", index);
}

void PipelineBuffers::copyImageToEffectOutput(const float* pixels, int rowBytes, void* stream) {
  Logger& log = Logger::getInstance();
  if (effectOutput_ == nullptr || pixels == nullptr) {
    log.logMessage(LOG_ERROR, "No effectOutput buffer for the feedback copy");
    return;
  }
  gpu::Error error = runtime_->memcpy2D(effectOutput_, static_cast<size_t>(rowBytes_), pixels,
                                        static_cast<size_t>(rowBytes), static_cast<size_t>(width_) * 16u,
                                        static_cast<size_t>(height_), gpu::MemcpyKind::Default);
  if (error == gpu::Error::Success) error = runtime_->streamSynchronize(static_cast<gpu::Stream>(stream));
  if (error != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "CUDA feedback copy failed (output image → effectOutput): %s",
                   runtime_->getErrorString(error));
    return;
  }
  log.logMessage(LOG_DEBUG, "Feedback copy: output image -> effectOutput");
}

void PipelineBuffers::destroyTextures() {
  if (runtime_ == nullptr) return;
  if (effectOutputTexture_ != 0) (void)runtime_->destroyTextureObject(effectOutputTexture_);
  effectOutputTexture_ = 0;
  for (gpu::TextureObject texture : pipelineTextures_) {
    if (texture != 0) (void)runtime_->destroyTextureObject(texture);
  }
  pipelineTextures_.clear();
}

void PipelineBuffers::freeBuffers() {
  Logger& log = Logger::getInstance();
  if (effectOutput_ != nullptr) {
    (void)runtime_->free(effectOutput_);
    effectOutput_ = nullptr;
    log.logMessage(LOG_DEBUG, "Released cached effectOutput CUDA linear buffer");
  }
  if (!pipelines_.empty()) {
    for (float* buffer : pipelines_) (void)runtime_->free(buffer);
    log.logMessage(LOG_DEBUG, "Released %zu cached pipeline CUDA linear buffers", pipelines_.size());
    pipelines_.clear();
  }
}

void PipelineBuffers::release() {
  if (runtime_ == nullptr) return;
  destroyTextures();
  freeBuffers();
}
