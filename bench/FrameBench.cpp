// bench_frame: renders whole Edge Bleed frames through the host library on the CPU (host
// backend) at 1920x1080 and 3840x2160 and prints, per size:
//   - the frame time (median of the measured frames, after one warm-up frame);
//   - the kernels' time: the sum of the per-pass times the processor logs;
//   - the framework's own cost: frame time minus kernels (set-up, parameter blocks, texture
//     uploads, buffer copies, blend) and its share of the kernels' time;
//   - GPU objects the bundle created during the measured (steady-state) frames.
// Figures are printed, never asserted. Usage: bench_frame [frames per size, default 4]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/EffectInstance.h"
#include "tests/render/support/RenderTestHooks.h"

namespace {

const RenderTestHooks* g_hooks = nullptr;

}  // namespace

// The bundle's test hooks register here when it loads.
extern "C" __attribute__((visibility("default"))) void ebRenderTestRegisterHooks(const RenderTestHooks* hooks,
                                                                                   int add) {
  g_hooks = add != 0 ? hooks : nullptr;
}

namespace {

const char kLogPath[] = "/tmp/Edge Bleed frame bench_plugin_log.txt";

std::shared_ptr<ofxhost::Image> sourcePicture(int w, int h) {
  auto image = std::make_shared<ofxhost::Image>(OfxRectI{0, 0, w, h});
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      float* p = image->pixel(x, y);
      p[0] = static_cast<float>(x) / w;
      p[1] = static_cast<float>(y) / h;
      p[2] = 0.5f + 0.5f * std::sin(0.05f * static_cast<float>(x + y));
      p[3] = 1.0f;
    }
  }
  return image;
}

std::shared_ptr<ofxhost::Image> mattePicture(int w, int h) {
  auto image = std::make_shared<ofxhost::Image>(OfxRectI{0, 0, w, h});
  const double r = 0.3 * std::min(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x + 0.5 - 0.5 * w, y + 0.5 - 0.5 * h);
      float* p = image->pixel(x, y);
      p[0] = p[1] = p[2] = 1.0f;
      p[3] = static_cast<float>(std::min(1.0, std::max(0.0, r - d + 0.5)));
    }
  }
  return image;
}

// The milliseconds of every kernel pass logged after byte `offset` of the log; moves offset.
double kernelMillisecondsSince(std::streamoff& offset) {
  std::ifstream log(kLogPath, std::ios::binary);
  log.seekg(offset);
  std::string line;
  double total = 0.0;
  const std::string marker = " (exec ";
  while (std::getline(log, line)) {
    if (line.find("[ERROR] \xE2\x8F\xB1") != 0 || line.find(marker) == std::string::npos) continue;
    const size_t took = line.rfind("took: ");
    if (took != std::string::npos) total += std::atof(line.c_str() + took + 6);
  }
  log.clear();
  log.seekg(0, std::ios::end);
  offset = log.tellg();
  return total;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void counts(int out[4], bool created) {
  out[0] = out[1] = out[2] = out[3] = 0;
  if (g_hooks != nullptr) (created ? g_hooks->createdObjects : g_hooks->liveObjects)(out);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
  std::unique_ptr<ofxhost::Bundle> bundle = ofxhost::Bundle::open(FRAME_BENCH_BUNDLE);
  OfxStatus status = kOfxStatOK;
  std::unique_ptr<ofxhost::EffectInstance> instance =
      bundle->plugin(0).createInstance("OfxImageEffectContextGeneral", &status);
  if (!instance) {
    std::fprintf(stderr, "instance creation failed: %d\n", status);
    return 1;
  }
  std::printf("Edge Bleed frames through the host, host backend (CPU), %d measured frames per size\n", frames);
  std::printf("%-11s %10s %12s %14s %8s   %s\n", "size", "frame ms", "kernels ms", "framework ms", "share",
              "GPU objects created in steady state (linear/arrays/textures/surfaces)");

  const int sizes[][2] = {{1920, 1080}, {3840, 2160}};
  for (const auto& size : sizes) {
    const int w = size[0], h = size[1];
    instance->setClipImage("Source", sourcePicture(w, h));
    instance->setClipImage("Matte", mattePicture(w, h));
    instance->setClipImage("Output", std::make_shared<ofxhost::Image>(OfxRectI{0, 0, w, h}));
    ofxhost::RenderOptions options;
    std::streamoff offset = 0;
    if (instance->render(options) != kOfxStatOK) {  // warm-up: allocations for this size
      std::fprintf(stderr, "render failed at %dx%d\n", w, h);
      return 1;
    }
    (void)kernelMillisecondsSince(offset);
    int before[4], after[4];
    counts(before, true);
    std::vector<double> frameMs, kernelMs;
    for (int f = 0; f < frames; ++f) {
      options.time = f + 2.0;
      const auto start = std::chrono::steady_clock::now();
      if (instance->render(options) != kOfxStatOK) {
        std::fprintf(stderr, "render failed at %dx%d\n", w, h);
        return 1;
      }
      frameMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      kernelMs.push_back(kernelMillisecondsSince(offset));
    }
    counts(after, true);
    const double frame = median(frameMs), kernels = median(kernelMs);
    const double framework = std::max(0.0, frame - kernels);
    std::printf("%4dx%-6d %10.1f %12.1f %14.1f %7.1f%%   %d/%d/%d/%d\n", w, h, frame, kernels, framework,
                kernels > 0 ? 100.0 * framework / kernels : 0.0, after[0] - before[0], after[1] - before[1],
                after[2] - before[2], after[3] - before[3]);
  }
  std::printf("share = framework cost / kernels' time (kernel pass times are logged in whole milliseconds)\n");
  return 0;
}
