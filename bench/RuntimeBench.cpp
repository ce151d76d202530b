// Times the runtime layer, the buffer manager and the final pass at 1920x1080 and 3840x2160:
// on the host backend always, and on CUDA when a device is present (otherwise the CUDA
// figures are skipped with a note). Figures are printed, never asserted.
//
// - TextureFetch/centre: a flood-shaped pass, nine reads on texel centres per pixel (the
//   fast path), one surface write; TextureFetch/offcentre: the same with every read between
//   texels (general bilinear fetch).
// - Copy/toArray, Copy/fromArray: one frame through 2D copies with a padded row pitch.
// - BufferManager/steady: a frame's buffer acquisition at an unchanged size plus the final
//   array-to-buffer copy.
// - FinalPass: the blend pass with a source (copies in, kernel, copy back).
// - Frame/synthetic: 13 + 2 + 1 flood-shaped passes ping-ponging through a buffer manager,
//   the final copy and the final pass: the runtime's share of a whole frame.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/RuntimeBenchLaunch.h"
#include "gpu/KernelParameters.h"
#include "gpu/RenderBufferManager.h"
#include "gpu/RenderBufferManagerCUDA.h"
#include "gpu/runtime/HostRuntime.h"

namespace {

struct Size {
  int width, height;
};
constexpr Size kSizes[] = {{1920, 1080}, {3840, 2160}};

void check(gpu::Error e, const char* what) {
  if (e != gpu::Error::Success) {
    std::fprintf(stderr, "%s failed: %s\n", what, gpu::errorString(e));
    std::abort();
  }
}

// A device frame with random pixels and rows padded by 64 bytes.
struct DeviceFrame {
  DeviceFrame(gpu::Runtime& rt, int w, int h) : runtime(rt), width(w), height(h), pitch(w * 16 + 64) {
    check(rt.malloc(&data, pitch * h), "malloc");
    std::vector<float> host(pitch / 4 * static_cast<size_t>(h));
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> dist(0.0f, 1.0f);
    for (float& f : host) f = dist(rng);
    check(rt.memcpy(data, host.data(), host.size() * 4, gpu::MemcpyKind::HostToDevice), "memcpy");
  }
  ~DeviceFrame() { (void)runtime.free(data); }
  float* pixels() const { return static_cast<float*>(data); }
  gpu::Runtime& runtime;
  int width, height;
  size_t pitch;
  void* data = nullptr;
};

// An array with a texture (standard settings) and a surface.
struct TexturedArray {
  TexturedArray(gpu::Runtime& rt, int w, int h) : runtime(rt) {
    check(rt.mallocArray(&array, gpu::float4ChannelDesc(), w, h, gpu::kArraySurfaceLoadStore), "mallocArray");
    check(rt.createTextureObject(&texture, gpu::ResourceDesc::forArray(array), gpu::TextureDesc::standard()), "texture");
    check(rt.createSurfaceObject(&surface, array), "surface");
  }
  ~TexturedArray() {
    (void)runtime.destroyTextureObject(texture);
    (void)runtime.destroySurfaceObject(surface);
    (void)runtime.freeArray(array);
  }
  gpu::Runtime& runtime;
  gpu::Array array = nullptr;
  gpu::TextureObject texture = 0;
  gpu::SurfaceObject surface = 0;
};

void setFrameCounters(benchmark::State& state, const Size& s, double itemsPerFrame) {
  state.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(s.width) * s.height * state.iterations() / 1e6,
                                                benchmark::Counter::kIsRate);
  if (itemsPerFrame > 0)
    state.counters["Mfetch/s"] =
        benchmark::Counter(itemsPerFrame * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void textureFetch(benchmark::State& state, gpu::Runtime* rt, Size s, bool centre) {
  DeviceFrame frame(*rt, s.width, s.height);
  TexturedArray in(*rt, s.width, s.height), out(*rt, s.width, s.height);
  check(rt->memcpy2DToArray(in.array, 0, 0, frame.data, frame.pitch, s.width * 16, s.height,
                            gpu::MemcpyKind::DeviceToDevice),
        "fill");
  const float k = centre ? 4.0f : 4.37f;
  for (auto _ : state) {
    launchNineFetch(*rt, s.width, s.height, in.texture, out.surface, k / s.width, k / s.height);
    check(rt->getLastError(), "launch");
    check(rt->streamSynchronize(nullptr), "sync");
  }
  setFrameCounters(state, s, 9.0 * s.width * s.height);
}

void copyToArray(benchmark::State& state, gpu::Runtime* rt, Size s) {
  DeviceFrame frame(*rt, s.width, s.height);
  TexturedArray target(*rt, s.width, s.height);
  for (auto _ : state) {
    check(rt->memcpy2DToArrayAsync(target.array, 0, 0, frame.data, frame.pitch, s.width * 16, s.height,
                                   gpu::MemcpyKind::DeviceToDevice, nullptr),
          "copy");
    check(rt->streamSynchronize(nullptr), "sync");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(s.width) * s.height * 16);
}

void copyFromArray(benchmark::State& state, gpu::Runtime* rt, Size s) {
  DeviceFrame frame(*rt, s.width, s.height);
  TexturedArray source(*rt, s.width, s.height);
  for (auto _ : state) {
    check(rt->memcpy2DFromArrayAsync(frame.data, frame.pitch, source.array, 0, 0, s.width * 16, s.height,
                                     gpu::MemcpyKind::DeviceToDevice, nullptr),
          "copy");
    check(rt->streamSynchronize(nullptr), "sync");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(s.width) * s.height * 16);
}

void bufferManagerSteady(benchmark::State& state, gpu::Runtime* rt, Size s) {
  DeviceFrame frame(*rt, s.width, s.height);
  RenderBufferManager manager(*rt);
  int passes = 13;
  for (auto _ : state) {
    if (!manager.initializeCUDA(s.width, s.height, nullptr, frame.data, passes)) std::abort();
    if (!manager.copyFinalArrayToBuffer(nullptr, passes, frame.pixels(), s.width, s.height, static_cast<int>(frame.pitch)))
      std::abort();
    passes = passes == 13 ? 2 : 13;
  }
  setFrameCounters(state, s, 0);
}

SystemParameters blendParams(Size s, float blend) {
  SystemParameters p;
  std::memset(&p, 0, sizeof(p));
  p.width = s.width;
  p.height = s.height;
  p.globalBlend = blend;
  return p;
}

void finalPass(benchmark::State& state, gpu::Runtime* rt, Size s) {
  DeviceFrame source(*rt, s.width, s.height), output(*rt, s.width, s.height);
  const SystemParameters p = blendParams(s, 0.5f);
  for (auto _ : state) {
    if (!RenderBufferManagerCUDA::applyFinalProcessing(*rt, nullptr, &p, source.pixels(), output.pixels(), s.width,
                                                       s.height, static_cast<int>(source.pitch),
                                                       static_cast<int>(output.pitch)))
      std::abort();
  }
  setFrameCounters(state, s, 0);
}

void syntheticFrame(benchmark::State& state, gpu::Runtime* rt, Size s) {
  DeviceFrame source(*rt, s.width, s.height), output(*rt, s.width, s.height);
  TexturedArray sourceTexture(*rt, s.width, s.height);
  check(rt->memcpy2DToArray(sourceTexture.array, 0, 0, source.data, source.pitch, s.width * 16, s.height,
                            gpu::MemcpyKind::DeviceToDevice),
        "fill");
  RenderBufferManager manager(*rt);
  const SystemParameters p = blendParams(s, 0.5f);
  const int runs[] = {13, 2, 1};
  for (auto _ : state) {
    for (int passes : runs) {
      if (!manager.initializeCUDA(s.width, s.height, nullptr, output.data, passes)) std::abort();
      for (int pass = 0; pass < passes; ++pass) {
        const gpu::TextureObject in = pass == 0 ? sourceTexture.texture : manager.getInputTexture(pass);
        const float step = static_cast<float>(1 << (pass % 12));
        launchNineFetch(*rt, s.width, s.height, in, manager.getOutputSurface(pass), step / s.width, step / s.height);
        check(rt->getLastError(), "launch");
        check(rt->streamSynchronize(nullptr), "sync");
      }
      if (!manager.copyFinalArrayToBuffer(nullptr, passes, output.pixels(), s.width, s.height,
                                          static_cast<int>(output.pitch)))
        std::abort();
    }
    if (!manager.applyFinalProcessing(nullptr, const_cast<SystemParameters*>(&p), source.pixels(), output.pixels(),
                                      s.width, s.height, static_cast<int>(source.pitch), static_cast<int>(output.pitch)))
      std::abort();
  }
  setFrameCounters(state, s, 16.0 * 9.0 * s.width * s.height);
}

void registerAll(gpu::Runtime* rt) {
  const std::string prefix = rt->name();
  for (const Size& s : kSizes) {
    const std::string size = "/" + std::to_string(s.width) + "x" + std::to_string(s.height);
    auto reg = [&](const std::string& name, auto fn) {
      benchmark::RegisterBenchmark((prefix + "/" + name + size).c_str(), fn, rt, s)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->MeasureProcessCPUTime();
    };
    reg("TextureFetch/centre", [](benchmark::State& st, gpu::Runtime* r, Size z) { textureFetch(st, r, z, true); });
    reg("TextureFetch/offcentre", [](benchmark::State& st, gpu::Runtime* r, Size z) { textureFetch(st, r, z, false); });
    reg("Copy/toArray", copyToArray);
    reg("Copy/fromArray", copyFromArray);
    reg("BufferManager/steady", bufferManagerSteady);
    reg("FinalPass", finalPass);
    reg("Frame/synthetic", syntheticFrame);
  }
}

}  // namespace

int main(int argc, char** argv) {
  registerAll(&gpu::hostRuntime());
  if (gpu::Runtime* cuda = gpu::cudaRuntime()) {
    cuda->warmUp();
    registerAll(cuda);
  } else {
    std::printf("CUDA benchmarks skipped: %s\n", gpu::cudaUnavailableReason());
  }
  std::printf("host backend threads: %d\n", gpu::HostThreadPool::instance().threadCount());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
