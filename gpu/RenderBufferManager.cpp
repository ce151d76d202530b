#include "gpu/RenderBufferManager.h"

#include "gpu/KernelParameters.h"
#include "gpu/RenderBufferManagerCUDA.h"
#include "plugin/Logger.h"

RenderBufferManager::RenderBufferManager(gpu::Runtime& runtime) : runtime_(&runtime) {}

RenderBufferManager::~RenderBufferManager() { cleanup(); }

RenderBufferManager::Statistics& RenderBufferManager::statistics() {
  static Statistics stats;
  return stats;
}

RenderBufferManager::Statistics RenderBufferManager::getStatistics() { return statistics(); }

void RenderBufferManager::setRuntime(gpu::Runtime& runtime) {
  if (&runtime == runtime_) return;
  cleanup();  // the objects belong to the old runtime
  runtime_ = &runtime;
}

bool RenderBufferManager::initializeCUDA(int newWidth, int newHeight, void* stream, void* dstImgBuffer,
                                         int newTotalPasses) {
  Logger& log = Logger::getInstance();

  if (initialized && newWidth == width && newHeight == height) {
    if (newTotalPasses == totalPasses) {
      log.logMessage(LOG_DEBUG, "RenderBufferManager: Reusing existing buffers (%dx%d)", width, height);
    } else {
      log.logMessage(LOG_DEBUG, "RenderBufferManager: Pass count changed (%d→%d) but reusing buffers (same size)",
                     totalPasses, newTotalPasses);
      totalPasses = newTotalPasses;
    }
    return true;
  }
  if (initialized) {
    log.logMessage(LOG_DEBUG, "RenderBufferManager: Dimensions changed (%dx%d→%dx%d) - reallocating", width, height,
                   newWidth, newHeight);
    cleanup();
  }

  Statistics& stats = statistics();
  ++stats.totalInits;
  if (dstImgBuffer != stats.lastDstImgBuffer) {
    ++stats.dstImgBufferChanges;
    stats.lastDstImgBuffer = dstImgBuffer;
  }
  const std::time_t now = std::time(nullptr);
  if (now != stats.lastReportTime && stats.lastReportTime != 0) {
    log.logMessage(LOG_INFO, "📊 RenderBufferManager CUDA metrics (last second): %d inits, %d failures, %d dstImgBuffer changes",
                   stats.totalInits, stats.totalFailures, stats.dstImgBufferChanges);
    stats.totalInits = 0;
    stats.totalFailures = 0;
    stats.dstImgBufferChanges = 0;
  }
  stats.lastReportTime = now;

  // A frame without pixels (or with a negative size) would turn into a huge unsigned
  // allocation size; refuse it before touching the GPU.
  if (newWidth <= 0 || newHeight <= 0) {
    log.logMessage(LOG_ERROR, "RenderBufferManager: Invalid buffer size %dx%d", newWidth, newHeight);
    log.logMessage(LOG_ERROR, "Failed to initialize CUDA buffers");
    ++stats.totalFailures;
    return false;
  }

  width = newWidth;
  height = newHeight;
  bufferSize = static_cast<size_t>(width) * static_cast<size_t>(height) * 16;
  log.logMessage(LOG_INFO, "RenderBufferManager: Allocating CUDA ping-pong buffers (%dx%d, %.2f MB each)", width,
                 height, bufferSize / 1048576.0);

  if (!RenderBufferManagerCUDA::initialize(*runtime_, &bufferA, &bufferB, &textureA, &textureB, &surfaceA, &surfaceB,
                                           &arrayA, &arrayB, stream, width, height, dstImgBuffer, newTotalPasses)) {
    log.logMessage(LOG_ERROR, "Failed to initialize CUDA buffers");
    ++stats.totalFailures;
    return false;
  }
  totalPasses = newTotalPasses;
  initialized = true;
  log.logMessage(LOG_INFO, "RenderBufferManager: CUDA buffers initialized successfully");
  return true;
}

unsigned long long RenderBufferManager::getInputTexture(int pass) {
  if (!initialized) {
    Logger::getInstance().logMessage(LOG_ERROR, "RenderBufferManager not initialized");
    return 0;
  }
  if (pass <= 0) return 0;
  return writesArrayA(pass) ? textureB : textureA;
}

unsigned long long RenderBufferManager::getOutputSurface(int pass) {
  if (!initialized) {
    Logger::getInstance().logMessage(LOG_ERROR, "RenderBufferManager not initialized");
    return 0;
  }
  return writesArrayA(pass) ? surfaceA : surfaceB;
}

float* RenderBufferManager::getInputBuffer(int pass) {
  if (!initialized) {
    Logger::getInstance().logMessage(LOG_ERROR, "RenderBufferManager not initialized");
    return nullptr;
  }
  if (pass <= 0) return nullptr;
  return writesArrayA(pass) ? bufferB : bufferA;
}

float* RenderBufferManager::getOutputBuffer(int pass) {
  if (!initialized) {
    Logger::getInstance().logMessage(LOG_ERROR, "RenderBufferManager not initialized");
    return nullptr;
  }
  return writesArrayA(pass) ? bufferA : bufferB;
}

float* RenderBufferManager::getFinalOutput(int passes) { return getOutputBuffer(passes - 1); }

bool RenderBufferManager::copyFinalArrayToBuffer(void* stream, int passes, float* dst, int dstWidth, int dstHeight,
                                                 int dstPitch) {
  Logger& log = Logger::getInstance();
  if (!initialized) {
    log.logMessage(LOG_ERROR, "RenderBufferManager not initialized for final copy");
    return false;
  }
  // The last pass (passes - 1) wrote array A when it was even, i.e. when passes is odd.
  const bool fromA = passes % 2 != 0;
  log.logMessage(LOG_INFO, "Copying final result from cudaArray%s to output buffer (pitch=%d bytes)", fromA ? "A" : "B",
                 dstPitch);
  return RenderBufferManagerCUDA::copyArrayToBuffer(*runtime_, static_cast<CUstream_st*>(stream),
                                                    fromA ? arrayA : arrayB, dst, dstWidth, dstHeight, dstPitch);
}

bool RenderBufferManager::applyFinalProcessing(void* stream, void* systemParameters, float* source, float* output,
                                               int frameWidth, int frameHeight, int sourcePitch, int outputPitch) {
  if (!initialized) {
    Logger::getInstance().logMessage(LOG_ERROR, "RenderBufferManager not initialized for final processing");
    return false;
  }
  return RenderBufferManagerCUDA::applyFinalProcessing(*runtime_, static_cast<CUstream_st*>(stream),
                                                       static_cast<const SystemParameters*>(systemParameters), source,
                                                       output, frameWidth, frameHeight, sourcePitch, outputPitch);
}

void RenderBufferManager::cleanup() {
  if (!initialized) return;
  RenderBufferManagerCUDA::cleanup(*runtime_, bufferA, bufferB, true, textureA, textureB, surfaceA, surfaceB, arrayA,
                                   arrayB);
  bufferA = bufferB = nullptr;
  textureA = textureB = surfaceA = surfaceB = 0;
  arrayA = arrayB = nullptr;
  initialized = false;
  Logger::getInstance().logMessage(LOG_DEBUG, "RenderBufferManager: CUDA buffers cleaned up");
}
