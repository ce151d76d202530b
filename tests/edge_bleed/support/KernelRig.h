#pragma once
// Runs the Edge Bleed kernels pass by pass on one runtime backend, the way the generic
// processor and the frame set-up do: ping-pong arrays with texture and surface objects, the
// working image chosen by the launchers, each process's result copied into its own pitched
// buffer that later processes sample, and every pass dispatched through the kernel registry.
// Used by the kernel tests, the CUDA comparison and the benchmark.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gpu/KernelParameters.h"
#include "gpu/runtime/DeviceTypes.h"
#include "gpu/runtime/Runtime.h"

class XMLEffectDefinition;

namespace kernel_rig {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<float4> pixels;

    Image() = default;
    Image(int w, int h, float4 fill = make_float4(0.0f, 0.0f, 0.0f, 0.0f));
    float4& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const float4& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A 2D float4 array (surface load/store) with a texture object (clamp, linear, normalised)
// and a surface object. Throws std::runtime_error when the runtime refuses anything.
class DeviceImage {
public:
    DeviceImage(gpu::Runtime& runtime, int width, int height);
    ~DeviceImage();
    DeviceImage(const DeviceImage&) = delete;
    DeviceImage& operator=(const DeviceImage&) = delete;

    void upload(const Image& image);
    Image download() const;
    gpu::TextureObject texture() const { return texture_; }
    gpu::SurfaceObject surface() const { return surface_; }
    gpu::Array array() const { return array_; }

private:
    gpu::Runtime& runtime_;
    int width_, height_;
    gpu::Array array_ = nullptr;
    gpu::TextureObject texture_ = 0;
    gpu::SurfaceObject surface_ = 0;
};

// Pitched linear device memory with a texture object over it: a process's output buffer.
class PitchedImage {
public:
    PitchedImage(gpu::Runtime& runtime, int width, int height);
    ~PitchedImage();
    PitchedImage(const PitchedImage&) = delete;
    PitchedImage& operator=(const PitchedImage&) = delete;

    void copyFrom(const DeviceImage& image);  // device to device
    gpu::TextureObject texture() const { return texture_; }

private:
    gpu::Runtime& runtime_;
    int width_, height_;
    size_t pitch_ = 0;
    void* buffer_ = nullptr;
    gpu::TextureObject texture_ = 0;
};

// The user parameters of the effect, placed in AnimatedParameters slots as the processor does.
struct EffectSettings {
    int mode = 0;
    float threshold = 0.5f;
    float maxDistance = 0.0f;
    bool preserveInside = true;
    float blurRadius = 1.0f;
    int outputMode = 0;
};
AnimatedParameters makeAnimatedParameters(const EffectSettings& settings);

// SystemParameters of one pass, with the hierarchy position of the given pipeline.
SystemParameters makeSystemParameters(int width, int height, int pipeline, int execution, int executions);

// Source entries in framework order: Source, Matte, effectOutput, pipelineOutput_0..k.
SourceConnections makeSourceConnections(const std::vector<gpu::TextureObject>& textures);

class KernelRig {
public:
    KernelRig(gpu::Backend backend, int width, int height);
    ~KernelRig();

    gpu::Runtime& runtime() { return *runtime_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Runs `executions` passes of one kernel file as pipeline `pipeline` over the ping-pong
    // pair and returns the array the last pass wrote. afterPass(pass, image) sees every pass's
    // output when given (one download per pass).
    const DeviceImage& runKernel(const char* kernelFile, int executions, int pipeline,
                                 const SourceConnections& sources, const AnimatedParameters& animated,
                                 const std::function<void(int, const Image&)>& afterPass = {});

    struct Frame {
        Image field;    // the jump flood's result (pipeline output 0)
        Image blurred;  // the blur's result (pipeline output 1)
        Image output;   // the extend kernel's image
    };
    // One pass of a kernel file with the given blocks and input texture, written into a fresh
    // array and returned.
    Image runPass(const char* kernelFile, const SystemParameters& system, const SourceConnections& sources,
                  const AnimatedParameters& animated, gpu::TextureObject input);

    // A whole frame: 13 flood passes (or `floodExecutions`), 2 blur passes and the extend pass.
    Frame runFrame(const Image& source, const Image& matte, const EffectSettings& settings,
                   int floodExecutions = 13);
    // The same passes without downloading anything but the final image (for timing).
    void runFramePasses(const EffectSettings& settings, int floodExecutions = 13);
    void uploadInputs(const Image& source, const Image& matte);
    Image downloadOutput() const;
    // The frame's final copy: the extend pass's array into pitched device memory.
    void copyOutputTo(void* buffer, size_t pitch) const;

    // The texture handles of the inputs and process outputs.
    gpu::TextureObject sourceTexture() const;
    gpu::TextureObject matteTexture() const;
    const XMLEffectDefinition& definition() const { return *definition_; }

private:
    gpu::Backend backend_;
    gpu::Runtime* runtime_;
    int width_, height_;
    std::unique_ptr<XMLEffectDefinition> definition_;
    std::unique_ptr<DeviceImage> source_, matte_, pingA_, pingB_, output_;
    std::unique_ptr<PitchedImage> effectOutput_, processOutputs_[3];
    BundledResources resources_{};
    PipelineParameters pipelineParameters_{};
};

}  // namespace kernel_rig
