#pragma once
// Ping-pong GPU storage for one frame size: two float RGBA 2D arrays, each with a texture
// object (clamp, linear, element-type reads, normalised coordinates) for reading and a
// surface object for writing, plus two linear device buffers of the same size. Pass p of a
// run writes one array and reads the other by the parity of p; the array written last is
// copied into the caller's output at the end of the run. The manager is also the entry to
// the final blend pass.
//
// GPU work goes through the runtime the manager was given (host backend by default); a
// manager whose objects live on one runtime releases them before allocating on another.
// All GPU calls are made by the stateless helpers of RenderBufferManagerCUDA.h.
//
// Failures are logged and reported as false or 0/null; nothing throws. Not thread-safe: a
// manager serves one render at a time.

#include <cstddef>
#include <ctime>

#include "gpu/runtime/HostRuntime.h"

struct SystemParameters;

class RenderBufferManager {
 public:
  // The process-wide counters behind the once-a-second metrics line.
  struct Statistics {
    int totalInits = 0;
    int totalFailures = 0;
    int dstImgBufferChanges = 0;
    void* lastDstImgBuffer = nullptr;
    std::time_t lastReportTime = 0;
  };

  explicit RenderBufferManager(gpu::Runtime& runtime = gpu::hostRuntime());
  ~RenderBufferManager();
  RenderBufferManager(const RenderBufferManager&) = delete;
  RenderBufferManager& operator=(const RenderBufferManager&) = delete;

  // Buffers ready for a run of totalPasses passes at width x height: reuses the current
  // objects at the same size (and runtime), reallocates otherwise.
  bool initializeCUDA(int width, int height, void* stream, void* dstImgBuffer, int totalPasses);

  // Texture the pass reads (0 for pass 0), surface it writes, and the linear buffers paired
  // with them (null input for pass 0). Passes below 0 are treated as pass 0.
  unsigned long long getInputTexture(int pass);
  unsigned long long getOutputSurface(int pass);
  float* getInputBuffer(int pass);
  float* getOutputBuffer(int pass);
  float* getFinalOutput(int totalPasses);

  // Copies the array written by the last of totalPasses passes into dst (row pitch dstPitch
  // bytes; only width * 16 bytes of each row are written) and waits for the stream.
  bool copyFinalArrayToBuffer(void* stream, int totalPasses, float* dst, int width, int height, int dstPitch);

  // The final blend pass (RenderBufferManagerCUDA::applyFinalProcessing); systemParameters
  // points to a SystemParameters.
  bool applyFinalProcessing(void* stream, void* systemParameters, float* source, float* output, int width, int height,
                            int sourcePitch, int outputPitch);

  // Releases all GPU objects; nothing happens when none exist.
  void cleanup();

  // The runtime used for the next allocation. Switching away from a runtime that holds this
  // manager's objects releases them first.
  void setRuntime(gpu::Runtime& runtime);
  gpu::Runtime& runtime() const { return *runtime_; }

  bool isInitialized() const { return initialized; }
  int getWidth() const { return width; }
  int getHeight() const { return height; }
  int getTotalPasses() const { return totalPasses; }
  size_t getBufferSize() const { return bufferSize; }

  // A copy of the process-wide counters.
  static Statistics getStatistics();

 private:
  static Statistics& statistics();
  // The texture/surface/buffer of array A (true) or B (false) for a pass.
  static bool writesArrayA(int pass) { return pass <= 0 || pass % 2 == 0; }

  int width = 0;
  int height = 0;
  int totalPasses = 0;
  size_t bufferSize = 0;
  bool initialized = false;
  float* bufferA = nullptr;
  float* bufferB = nullptr;
  unsigned long long textureA = 0;
  unsigned long long textureB = 0;
  unsigned long long surfaceA = 0;
  unsigned long long surfaceB = 0;
  gpu::Array arrayA = nullptr;
  gpu::Array arrayB = nullptr;
  gpu::Runtime* runtime_;
};
