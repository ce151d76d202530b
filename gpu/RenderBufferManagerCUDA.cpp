#include "gpu/RenderBufferManagerCUDA.h"

#include "gpu/FinalProcessingLaunch.h"
#include "gpu/KernelParameters.h"
#include "plugin/Logger.h"

namespace RenderBufferManagerCUDA {

namespace {

constexpr double kMiB = 1048576.0;

const char* text(gpu::Runtime& rt, gpu::Error e) { return rt.getErrorString(e); }

// Releases whatever is non-zero: textures, then surfaces, then arrays, then buffers.
void release(gpu::Runtime& rt, float* bufferA, float* bufferB, unsigned long long textureA,
             unsigned long long textureB, unsigned long long surfaceA, unsigned long long surfaceB, cudaArray* arrayA,
             cudaArray* arrayB) {
  if (textureA != 0) (void)rt.destroyTextureObject(textureA);
  if (textureB != 0) (void)rt.destroyTextureObject(textureB);
  if (surfaceA != 0) (void)rt.destroySurfaceObject(surfaceA);
  if (surfaceB != 0) (void)rt.destroySurfaceObject(surfaceB);
  if (arrayA != nullptr) (void)rt.freeArray(arrayA);
  if (arrayB != nullptr) (void)rt.freeArray(arrayB);
  if (bufferA != nullptr) (void)rt.free(bufferA);
  if (bufferB != nullptr) (void)rt.free(bufferB);
}

}  // namespace

bool initialize(gpu::Runtime& rt, float** bufferA, float** bufferB, unsigned long long* textureA,
                unsigned long long* textureB, unsigned long long* surfaceA, unsigned long long* surfaceB,
                cudaArray** arrayA, cudaArray** arrayB, void* stream, int width, int height, void* dstImgBuffer,
                int totalPasses) {
  (void)stream;
  (void)dstImgBuffer;
  Logger& log = Logger::getInstance();
  const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 16;

  void* a = nullptr;
  void* b = nullptr;
  cudaArray* arrA = nullptr;
  cudaArray* arrB = nullptr;
  unsigned long long texA = 0, texB = 0, surfA = 0, surfB = 0;

  gpu::Error e = rt.malloc(&a, bytes);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate bufferA: %s", text(rt, e));
    return false;
  }
  e = rt.malloc(&b, bytes);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate bufferB: %s", text(rt, e));
    release(rt, static_cast<float*>(a), nullptr, 0, 0, 0, 0, nullptr, nullptr);
    return false;
  }
  log.logMessage(LOG_INFO, "RenderBufferManager: Allocated both ping-pong buffers (%.2f MB each, %.2f MB total)",
                 bytes / kMiB, 2.0 * bytes / kMiB);

  const gpu::ChannelFormatDesc desc = gpu::Runtime::createChannelDesc(32, 32, 32, 32, gpu::ChannelFormatKind::Float);
  e = rt.mallocArray(&arrA, desc, width, height, gpu::kArraySurfaceLoadStore);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate CUDA array A: %s", text(rt, e));
    release(rt, static_cast<float*>(a), static_cast<float*>(b), 0, 0, 0, 0, nullptr, nullptr);
    return false;
  }
  e = rt.mallocArray(&arrB, desc, width, height, gpu::kArraySurfaceLoadStore);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate CUDA array B: %s", text(rt, e));
    release(rt, static_cast<float*>(a), static_cast<float*>(b), 0, 0, 0, 0, arrA, nullptr);
    return false;
  }

  const gpu::TextureDesc texDesc = gpu::TextureDesc::standard();
  e = rt.createTextureObject(&texA, gpu::ResourceDesc::forArray(arrA), texDesc);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create texture object A: %s", text(rt, e));
    release(rt, static_cast<float*>(a), static_cast<float*>(b), 0, 0, 0, 0, arrA, arrB);
    return false;
  }
  e = rt.createTextureObject(&texB, gpu::ResourceDesc::forArray(arrB), texDesc);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create texture object B: %s", text(rt, e));
    release(rt, static_cast<float*>(a), static_cast<float*>(b), texA, 0, 0, 0, arrA, arrB);
    return false;
  }
  e = rt.createSurfaceObject(&surfA, arrA);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create surface object A: %s", text(rt, e));
    release(rt, static_cast<float*>(a), static_cast<float*>(b), texA, texB, 0, 0, arrA, arrB);
    return false;
  }
  e = rt.createSurfaceObject(&surfB, arrB);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create surface object B: %s", text(rt, e));
    release(rt, static_cast<float*>(a), static_cast<float*>(b), texA, texB, surfA, 0, arrA, arrB);
    return false;
  }

  *bufferA = static_cast<float*>(a);
  *bufferB = static_cast<float*>(b);
  *arrayA = arrA;
  *arrayB = arrB;
  *textureA = texA;
  *textureB = texB;
  *surfaceA = surfA;
  *surfaceB = surfB;
  log.logMessage(LOG_INFO, "RenderBufferManager CUDA: Initialized %dx%d ping-pong buffers (totalPasses=%d)", width,
                 height, totalPasses);
  return true;
}

bool copyArrayToBuffer(gpu::Runtime& rt, CUstream_st* stream, cudaArray* array, float* dst, int width, int height,
                       int dstPitch) {
  Logger& log = Logger::getInstance();
  gpu::Error e = rt.memcpy2DFromArrayAsync(dst, static_cast<size_t>(dstPitch), array, 0, 0,
                                           static_cast<size_t>(width) * 16, static_cast<size_t>(height),
                                           gpu::MemcpyKind::DeviceToDevice, stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaMemcpy2DFromArray failed: %s", text(rt, e));
    return false;
  }
  e = rt.streamSynchronize(stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaStreamSynchronize after array→buffer copy failed: %s", text(rt, e));
    return false;
  }
  return true;
}

bool copyBufferToArray(gpu::Runtime& rt, CUstream_st* stream, float* src, cudaArray* array, int width, int height,
                       int srcPitch) {
  Logger& log = Logger::getInstance();
  gpu::Error e = rt.memcpy2DToArrayAsync(array, 0, 0, src, static_cast<size_t>(srcPitch),
                                         static_cast<size_t>(width) * 16, static_cast<size_t>(height),
                                         gpu::MemcpyKind::DeviceToDevice, stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaMemcpy2DToArray failed: %s", text(rt, e));
    return false;
  }
  e = rt.streamSynchronize(stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "cudaStreamSynchronize after buffer→array copy failed: %s", text(rt, e));
    return false;
  }
  return true;
}

bool applyFinalProcessing(gpu::Runtime& rt, CUstream_st* stream, const SystemParameters* systemParameters,
                          float* source, float* output, int width, int height, int sourcePitch, int outputPitch) {
  Logger& log = Logger::getInstance();
  if (systemParameters == nullptr) {
    log.logMessage(LOG_ERROR, "Final processing called without system parameters");
    return false;
  }
  const size_t rowBytes = static_cast<size_t>(width) * 16;
  const gpu::ChannelFormatDesc desc = gpu::Runtime::createChannelDesc(32, 32, 32, 32, gpu::ChannelFormatKind::Float);

  cudaArray* outputArray = nullptr;
  cudaArray* sourceArray = nullptr;
  unsigned long long outputSurface = 0, sourceSurface = 0;
  // Releases in the documented order: surfaces (source first), then arrays (source first).
  auto releaseAll = [&] {
    if (sourceSurface != 0) (void)rt.destroySurfaceObject(sourceSurface);
    if (outputSurface != 0) (void)rt.destroySurfaceObject(outputSurface);
    if (sourceArray != nullptr) (void)rt.freeArray(sourceArray);
    if (outputArray != nullptr) (void)rt.freeArray(outputArray);
  };

  gpu::Error e = rt.mallocArray(&outputArray, desc, width, height, gpu::kArraySurfaceLoadStore);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to allocate output array for final processing: %s", text(rt, e));
    return false;
  }
  e = rt.memcpy2DToArrayAsync(outputArray, 0, 0, output, static_cast<size_t>(outputPitch), rowBytes,
                              static_cast<size_t>(height), gpu::MemcpyKind::DeviceToDevice, stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to copy output buffer to array: %s", text(rt, e));
    releaseAll();
    return false;
  }
  e = rt.createSurfaceObject(&outputSurface, outputArray);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to create output surface: %s", text(rt, e));
    releaseAll();
    return false;
  }

  if (source != nullptr && systemParameters->globalBlend < 1.0f) {
    e = rt.mallocArray(&sourceArray, desc, width, height, gpu::kArraySurfaceLoadStore);
    if (e != gpu::Error::Success) {
      log.logMessage(LOG_ERROR, "Failed to allocate source array for final processing: %s", text(rt, e));
      releaseAll();
      return false;
    }
    e = rt.memcpy2DToArrayAsync(sourceArray, 0, 0, source, static_cast<size_t>(sourcePitch), rowBytes,
                                static_cast<size_t>(height), gpu::MemcpyKind::DeviceToDevice, stream);
    if (e != gpu::Error::Success) {
      log.logMessage(LOG_ERROR, "Failed to copy source buffer to array: %s", text(rt, e));
      releaseAll();
      return false;
    }
    e = rt.createSurfaceObject(&sourceSurface, sourceArray);
    if (e != gpu::Error::Success) {
      log.logMessage(LOG_ERROR, "Failed to create source surface: %s", text(rt, e));
      releaseAll();
      return false;
    }
  }

  const dim3 block(16, 16, 1);
  const dim3 grid((static_cast<unsigned>(width) + 15) / 16, (static_cast<unsigned>(height) + 15) / 16, 1);
  gpu::enqueueFinalProcessing(rt, stream, grid, block, outputSurface, sourceSurface, *systemParameters);

  e = rt.getLastError();
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to launch final processing kernel: %s", text(rt, e));
    releaseAll();
    return false;
  }
  e = rt.streamSynchronize(stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Final processing kernel failed: %s", text(rt, e));
    releaseAll();
    return false;
  }
  e = rt.memcpy2DFromArrayAsync(output, static_cast<size_t>(outputPitch), outputArray, 0, 0, rowBytes,
                                static_cast<size_t>(height), gpu::MemcpyKind::DeviceToDevice, stream);
  // The copy back is asynchronous: the result is only in `output` once the stream drained.
  if (e == gpu::Error::Success) e = rt.streamSynchronize(stream);
  if (e != gpu::Error::Success) {
    log.logMessage(LOG_ERROR, "Failed to copy result back to output buffer: %s", text(rt, e));
    releaseAll();
    return false;
  }

  releaseAll();
  log.logMessage(LOG_DEBUG, "Final processing completed successfully");
  return true;
}

void cleanup(gpu::Runtime& rt, float* bufferA, float* bufferB, bool, unsigned long long textureA,
             unsigned long long textureB, unsigned long long surfaceA, unsigned long long surfaceB, cudaArray* arrayA,
             cudaArray* arrayB) {
  release(rt, bufferA, bufferB, textureA, textureB, surfaceA, surfaceB, arrayA, arrayB);
  Logger::getInstance().logMessage(LOG_DEBUG, "RenderBufferManager CUDA: Cleaned up");
}

}  // namespace RenderBufferManagerCUDA
