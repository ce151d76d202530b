// Timings of the Edge Bleed kernels (printed, never asserted): each pass kind and a whole
// frame (13 flood + 2 blur + 1 extend passes, the copies of each process's result into its
// output buffer, and the final blend pass when the framework's buffer manager is built), on
// the host backend using every core and on CUDA when a device is present.
//
// Every pass goes through the kernel registry's dispatch, launch check and stream wait, as
// in a render. Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// for medians.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "gpu/KernelRegistry.h"
#include "gpu/runtime/HostRuntime.h"
#include "tests/edge_bleed/support/KernelRig.h"
#if defined(EB_BENCH_WITH_FINAL_PASS)
#include "gpu/RenderBufferManager.h"
#endif

namespace {

using namespace kernel_rig;

// A soft-edged disc with a notch, over a colour gradient: a realistic boundary.
void makeInputs(int width, int height, Image& source, Image& matte) {
    source = Image(width, height);
    matte = Image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float dx = x + 0.5f - width * 0.45f, dy = y + 0.5f - height * 0.5f;
            const float r = std::sqrt(dx * dx + dy * dy) / (0.3f * height);
            float a = std::fmin(std::fmax((1.0f - r) * 40.0f, 0.0f), 1.0f);
            if (x > width / 2 && std::abs(y - height / 2) < height / 20) a = 0.0f;
            source.at(x, y) = make_float4(static_cast<float>(x) / width, static_cast<float>(y) / height, 0.5f, a);
            matte.at(x, y) = make_float4(a, a, a, a);
        }
    }
}

struct Setup {
    std::unique_ptr<KernelRig> rig;
    SourceConnections sources{};
    AnimatedParameters animated{};
    std::unique_ptr<DeviceImage> field, target;
};

// One rig per backend and size, kept across benchmarks.
Setup& setupFor(gpu::Backend backend, int width, int height) {
    static std::unique_ptr<Setup> cache[2][2];
    const int b = backend == gpu::Backend::Cuda ? 1 : 0;
    const int s = width > 2000 ? 1 : 0;
    if (!cache[b][s]) {
        auto setup = std::make_unique<Setup>();
        setup->rig = std::make_unique<KernelRig>(backend, width, height);
        Image source, matte;
        makeInputs(width, height, source, matte);
        const KernelRig::Frame frame = setup->rig->runFrame(source, matte, EffectSettings());
        setup->field = std::make_unique<DeviceImage>(setup->rig->runtime(), width, height);
        setup->field->upload(frame.field);
        setup->target = std::make_unique<DeviceImage>(setup->rig->runtime(), width, height);
        setup->sources = makeSourceConnections({setup->rig->sourceTexture(), setup->rig->matteTexture(), 0,
                                                setup->field->texture(), setup->field->texture(), 0});
        setup->animated = makeAnimatedParameters(EffectSettings());
        cache[b][s] = std::move(setup);
    }
    return *cache[b][s];
}

void runOnePass(benchmark::State& state, gpu::Backend backend, const char* file, int pipeline, int execution,
                int executions, bool withInput) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Setup& setup = setupFor(backend, width, height);
    const SystemParameters system = makeSystemParameters(width, height, pipeline, execution, executions);
    const PipelineParameters pipelineParameters{"Edge Bleed", "1.0"};
    const BundledResources resources{};
    void* input = withInput ? gpu::pointerFromHandle(setup.field->texture()) : nullptr;
    for (auto _ : state) {
        RunGenericKernelPass(backend, nullptr, system, pipelineParameters, setup.sources, setup.animated, resources,
                             setup.rig->definition(), file, input, gpu::pointerFromHandle(setup.target->surface()));
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_JfaSeedPass(benchmark::State& state, gpu::Backend backend) {
    runOnePass(state, backend, "jfa_core.cu", 0, 0, 13, false);
}
void BM_JfaFloodPass(benchmark::State& state, gpu::Backend backend) {
    runOnePass(state, backend, "jfa_core.cu", 0, 12, 13, true);
}
void BM_BlurPassRadius1(benchmark::State& state, gpu::Backend backend) {
    runOnePass(state, backend, "jfa_blur.cu", 1, 0, 2, true);
}
void BM_ExtendPass(benchmark::State& state, gpu::Backend backend) {
    runOnePass(state, backend, "edge_bleed.cu", 2, 0, 1, false);
}

// The twelve flood passes of a frame through the kernels, to set against the baseline.
void BM_TwelveFloodPasses(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Setup& setup = setupFor(gpu::Backend::Host, width, height);
    const PipelineParameters pipelineParameters{"Edge Bleed", "1.0"};
    const BundledResources resources{};
    for (auto _ : state) {
        for (int e = 1; e <= 12; ++e) {
            const SystemParameters system = makeSystemParameters(width, height, 0, e, 13);
            const DeviceImage& in = e % 2 ? *setup.field : *setup.target;
            const DeviceImage& out = e % 2 ? *setup.target : *setup.field;
            RunGenericKernelPass(gpu::Backend::Host, nullptr, system, pipelineParameters, setup.sources,
                                 setup.animated, resources, setup.rig->definition(), "jfa_core.cu",
                                 gpu::pointerFromHandle(in.texture()), gpu::pointerFromHandle(out.surface()));
        }
    }
    state.SetLabel("12 flood passes, kernels on the host backend");
}

void BM_WholeFrame(benchmark::State& state, gpu::Backend backend) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Setup& setup = setupFor(backend, width, height);
    const EffectSettings settings;
#if defined(EB_BENCH_WITH_FINAL_PASS)
    gpu::Runtime& runtime = setup.rig->runtime();
    const size_t bytes = static_cast<size_t>(width) * height * 16u;
    void* sourceBuffer = nullptr;
    void* outputBuffer = nullptr;
    runtime.malloc(&sourceBuffer, bytes);
    runtime.malloc(&outputBuffer, bytes);
    RenderBufferManager manager(runtime);
    manager.initializeCUDA(width, height, nullptr, outputBuffer, 1);
    SystemParameters blend{};
    blend.width = width;
    blend.height = height;
    blend.globalBlend = 0.5f;  // the blending path, with its source copy
#endif
    for (auto _ : state) {
        setup.rig->runFramePasses(settings);
#if defined(EB_BENCH_WITH_FINAL_PASS)
        setup.rig->copyOutputTo(outputBuffer, width * 16u);
        manager.applyFinalProcessing(nullptr, &blend, static_cast<float*>(sourceBuffer),
                                     static_cast<float*>(outputBuffer), width, height, width * 16, width * 16);
#endif
    }
#if defined(EB_BENCH_WITH_FINAL_PASS)
    manager.cleanup();
    runtime.free(sourceBuffer);
    runtime.free(outputBuffer);
    state.SetLabel("13 jfa + 2 blur + 1 extend + copies + final blend");
#else
    state.SetLabel("13 jfa + 2 blur + 1 extend + copies");
#endif
    state.SetItemsProcessed(state.iterations() * width * height);
}

// For scale: twelve flood passes as plain scalar loops over float RGBA arrays with direct
// reads, rows split over the same thread pool. Measured under the same load as the kernels.
void BM_ScalarFloodBaseline(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Image source, matte;
    makeInputs(width, height, source, matte);
    Setup& setup = setupFor(gpu::Backend::Host, width, height);
    Image field = setup.rig->runFrame(source, matte, EffectSettings()).field;
    Image a = field, b = field;
    struct Context {
        const Image* in;
        Image* out;
        const Image* matte;
        int step;
    };
    for (auto _ : state) {
        for (int e = 1; e <= 12; ++e) {
            Context ctx{e % 2 ? &a : &b, e % 2 ? &b : &a, &matte, std::max(1, 2202 >> (e - 1))};
            gpu::HostThreadPool::instance().run(height, [](void* c, int y) {
                const Context& k = *static_cast<Context*>(c);
                const int w = k.in->width, h = k.in->height;
                for (int x = 0; x < w; ++x) {
                    const bool inside = k.matte->at(x, y).w >= 0.5f;
                    const float4 own = k.in->at(x, y);
                    float best = std::fabs(own.z), su = own.x, sv = own.y;
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dx = -1; dx <= 1; ++dx) {
                            if (dx == 0 && dy == 0) continue;
                            const int nx = x + dx * k.step, ny = y + dy * k.step;
                            if (nx < 0 || nx >= w || ny < 0 || ny >= h) continue;
                            const float4 c = k.in->at(nx, ny);
                            if (c.x < 0.0f) continue;
                            const float ex = ((x + 0.5f) / w - c.x) * w, ey = ((y + 0.5f) / h - c.y) * h;
                            const float d = std::sqrt(ex * ex + ey * ey);
                            if (d < best) {
                                best = d;
                                su = c.x;
                                sv = c.y;
                            }
                        }
                    }
                    k.out->at(x, y) = make_float4(su, sv, inside ? -best : best, own.w);
                }
            }, &ctx);
        }
        benchmark::DoNotOptimize(a.pixels.data());
    }
    state.SetLabel("12 flood passes, plain loops");
}

void registerFor(gpu::Backend backend, const char* name) {
    struct Kind {
        const char* label;
        void (*fn)(benchmark::State&, gpu::Backend);
    };
    const Kind kinds[] = {{"JfaSeedPass", BM_JfaSeedPass},       {"JfaFloodPass", BM_JfaFloodPass},
                          {"BlurPassRadius1", BM_BlurPassRadius1}, {"ExtendPass", BM_ExtendPass},
                          {"WholeFrame", BM_WholeFrame}};
    for (const Kind& kind : kinds) {
        benchmark::RegisterBenchmark((std::string(name) + "/" + kind.label).c_str(), kind.fn, backend)
            ->Args({1920, 1080})
            ->Args({3840, 2160})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("host backend threads: %d\n", gpu::HostThreadPool::instance().threadCount());
    registerFor(gpu::Backend::Host, "host");
    benchmark::RegisterBenchmark("host/ScalarFloodBaseline", BM_ScalarFloodBaseline)
        ->Args({1920, 1080})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("host/TwelveFloodPasses", BM_TwelveFloodPasses)
        ->Args({1920, 1080})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (gpu::cudaRuntime() != nullptr) {
        registerFor(gpu::Backend::Cuda, "cuda");
    } else {
        std::printf("CUDA benchmarks skipped: %s\n", gpu::cudaUnavailableReason());
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
