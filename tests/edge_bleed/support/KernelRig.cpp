#include "tests/edge_bleed/support/KernelRig.h"

#include <stdexcept>

#include "definition/EmbeddedDefinition.h"
#include "definition/XMLEffectDefinition.h"
#include "gpu/KernelRegistry.h"
#include "gpu/runtime/HostRuntime.h"

namespace kernel_rig {

namespace {

void check(gpu::Error error, const char* what) {
    if (error != gpu::Error::Success) {
        throw std::runtime_error(std::string(what) + ": " + gpu::errorString(error));
    }
}

const char* const kSourceNames[] = {"Source", "Matte", "effectOutput", "pipelineOutput_0", "pipelineOutput_1",
                                    "pipelineOutput_2"};

}  // namespace

Image::Image(int w, int h, float4 fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

DeviceImage::DeviceImage(gpu::Runtime& runtime, int width, int height)
    : runtime_(runtime), width_(width), height_(height) {
    check(runtime_.mallocArray(&array_, gpu::float4ChannelDesc(), width, height, gpu::kArraySurfaceLoadStore),
          "mallocArray");
    check(runtime_.createTextureObject(&texture_, gpu::ResourceDesc::forArray(array_), gpu::TextureDesc::standard()),
          "createTextureObject");
    check(runtime_.createSurfaceObject(&surface_, array_), "createSurfaceObject");
}

DeviceImage::~DeviceImage() {
    if (surface_ != 0) runtime_.destroySurfaceObject(surface_);
    if (texture_ != 0) runtime_.destroyTextureObject(texture_);
    if (array_ != nullptr) runtime_.freeArray(array_);
}

void DeviceImage::upload(const Image& image) {
    if (image.width != width_ || image.height != height_) {
        throw std::runtime_error("upload: image size differs from the array");
    }
    check(runtime_.memcpy2DToArray(array_, 0, 0, image.pixels.data(), width_ * 16u, width_ * 16u, height_,
                                   gpu::MemcpyKind::HostToDevice),
          "memcpy2DToArray");
}

Image DeviceImage::download() const {
    Image image(width_, height_);
    check(runtime_.memcpy2DFromArray(image.pixels.data(), width_ * 16u, array_, 0, 0, width_ * 16u, height_,
                                     gpu::MemcpyKind::DeviceToHost),
          "memcpy2DFromArray");
    return image;
}

PitchedImage::PitchedImage(gpu::Runtime& runtime, int width, int height)
    : runtime_(runtime), width_(width), height_(height) {
    // Rows padded to 256 bytes: CUDA wants pitched texture rows aligned (32 bytes or more
    // depending on the device), and padded rows exercise the pitch handling on both backends.
    pitch_ = (static_cast<size_t>(width) * 16u + 255u) / 256u * 256u;
    check(runtime_.malloc(&buffer_, pitch_ * height), "malloc");
    check(runtime_.createTextureObject(&texture_, gpu::ResourceDesc::forPitch2D(buffer_, width, height, pitch_),
                                       gpu::TextureDesc::standard()),
          "createTextureObject (pitched)");
}

PitchedImage::~PitchedImage() {
    if (texture_ != 0) runtime_.destroyTextureObject(texture_);
    if (buffer_ != nullptr) runtime_.free(buffer_);
}

void PitchedImage::copyFrom(const DeviceImage& image) {
    check(runtime_.memcpy2DFromArray(buffer_, pitch_, image.array(), 0, 0, width_ * 16u, height_,
                                     gpu::MemcpyKind::DeviceToDevice),
          "memcpy2DFromArray (device to device)");
}

AnimatedParameters makeAnimatedParameters(const EffectSettings& settings) {
    AnimatedParameters a{};
    a.intValues[0] = settings.mode;
    a.floatValues[0] = settings.threshold;
    a.floatValues[1] = settings.maxDistance;
    a.boolValues[0] = settings.preserveInside ? 1 : 0;
    a.floatValues[2] = settings.blurRadius;
    a.intValues[1] = settings.outputMode;
    a.floatCount = 3;
    a.intCount = 2;
    a.boolCount = 1;
    return a;
}

SystemParameters makeSystemParameters(int width, int height, int pipeline, int execution, int executions) {
    SystemParameters s{};
    s.width = width;
    s.height = height;
    s.currentExecution = execution;
    s.totalExecutions = executions;
    s.totalKernels = 1;
    s.currentPass = execution;
    s.totalPasses = executions;
    s.totalPipelineExecutions = 1;
    s.currentPipeline = pipeline;
    s.totalPipelines = 3;
    s.totalProcessExecutions = 1;
    s.globalBlend = 1.0f;
    return s;
}

SourceConnections makeSourceConnections(const std::vector<gpu::TextureObject>& textures) {
    SourceConnections sources{};
    for (size_t i = 0; i < textures.size(); ++i) {
        const char* name = i < 6 ? kSourceNames[i] : "extra";
        sources.addExternalInput(gpu::pointerFromHandle(textures[i]), true, name, 0, 0, 0, 0);
    }
    return sources;
}

KernelRig::KernelRig(gpu::Backend backend, int width, int height)
    : backend_(backend), width_(width), height_(height), definition_(new XMLEffectDefinition()) {
    if (!definition_->parseFromEmbeddedXML(kEmbeddedEffectDefinition)) {
        throw std::runtime_error("the embedded Edge Bleed definition does not read");
    }
    runtime_ = backend == gpu::Backend::Cuda ? gpu::cudaRuntime() : &gpu::hostRuntime();
    if (runtime_ == nullptr) {
        throw std::runtime_error(std::string("no CUDA runtime: ") + gpu::cudaUnavailableReason());
    }
    source_.reset(new DeviceImage(*runtime_, width, height));
    matte_.reset(new DeviceImage(*runtime_, width, height));
    pingA_.reset(new DeviceImage(*runtime_, width, height));
    pingB_.reset(new DeviceImage(*runtime_, width, height));
    effectOutput_.reset(new PitchedImage(*runtime_, width, height));
    for (auto& output : processOutputs_) {
        output.reset(new PitchedImage(*runtime_, width, height));
    }
    pipelineParameters_.effectName = "Edge Bleed";
    pipelineParameters_.version = "1.0";
}

KernelRig::~KernelRig() = default;

gpu::TextureObject KernelRig::sourceTexture() const { return source_->texture(); }
gpu::TextureObject KernelRig::matteTexture() const { return matte_->texture(); }

const DeviceImage& KernelRig::runKernel(const char* kernelFile, int executions, int pipeline,
                                        const SourceConnections& sources, const AnimatedParameters& animated,
                                        const std::function<void(int, const Image&)>& afterPass) {
    for (int pass = 0; pass < executions; ++pass) {
        // Even passes write A, odd passes write B; every pass after the first reads the other.
        const DeviceImage& written = pass % 2 == 0 ? *pingA_ : *pingB_;
        const DeviceImage& read = pass % 2 == 0 ? *pingB_ : *pingA_;
        void* input = pass == 0 ? nullptr : gpu::pointerFromHandle(read.texture());
        const SystemParameters system = makeSystemParameters(width_, height_, pipeline, pass, executions);
        RunGenericKernelPass(backend_, nullptr, system, pipelineParameters_, sources, animated, resources_,
                             *definition_, kernelFile, input, gpu::pointerFromHandle(written.surface()));
        if (afterPass) {
            afterPass(pass, written.download());
        }
    }
    return executions % 2 == 1 ? *pingA_ : *pingB_;
}

Image KernelRig::runPass(const char* kernelFile, const SystemParameters& system, const SourceConnections& sources,
                         const AnimatedParameters& animated, gpu::TextureObject input) {
    DeviceImage target(*runtime_, width_, height_);
    target.upload(Image(width_, height_, make_float4(-7.0f, -7.0f, -7.0f, -7.0f)));  // marks unwritten pixels
    RunGenericKernelPass(backend_, nullptr, system, pipelineParameters_, sources, animated, resources_, *definition_,
                         kernelFile, gpu::pointerFromHandle(input), gpu::pointerFromHandle(target.surface()));
    return target.download();
}

void KernelRig::uploadInputs(const Image& source, const Image& matte) {
    source_->upload(source);
    matte_->upload(matte);
}

void KernelRig::runFramePasses(const EffectSettings& settings, int floodExecutions) {
    const AnimatedParameters animated = makeAnimatedParameters(settings);
    const SourceConnections sources = makeSourceConnections(
        {source_->texture(), matte_->texture(), effectOutput_->texture(), processOutputs_[0]->texture(),
         processOutputs_[1]->texture(), processOutputs_[2]->texture()});
    processOutputs_[0]->copyFrom(runKernel("jfa_core.cu", floodExecutions, 0, sources, animated));
    processOutputs_[1]->copyFrom(runKernel("jfa_blur.cu", 2, 1, sources, animated));
    runKernel("edge_bleed.cu", 1, 2, sources, animated);
}

Image KernelRig::downloadOutput() const { return pingA_->download(); }

void KernelRig::copyOutputTo(void* buffer, size_t pitch) const {
    check(runtime_->memcpy2DFromArray(buffer, pitch, pingA_->array(), 0, 0, width_ * 16u, height_,
                                      gpu::MemcpyKind::DeviceToDevice),
          "memcpy2DFromArray (final copy)");
}

KernelRig::Frame KernelRig::runFrame(const Image& source, const Image& matte, const EffectSettings& settings,
                                     int floodExecutions) {
    uploadInputs(source, matte);
    const AnimatedParameters animated = makeAnimatedParameters(settings);
    const SourceConnections sources = makeSourceConnections(
        {source_->texture(), matte_->texture(), effectOutput_->texture(), processOutputs_[0]->texture(),
         processOutputs_[1]->texture(), processOutputs_[2]->texture()});
    Frame frame;
    const DeviceImage& field = runKernel("jfa_core.cu", floodExecutions, 0, sources, animated);
    frame.field = field.download();
    processOutputs_[0]->copyFrom(field);
    const DeviceImage& blurred = runKernel("jfa_blur.cu", 2, 1, sources, animated);
    frame.blurred = blurred.download();
    processOutputs_[1]->copyFrom(blurred);
    frame.output = runKernel("edge_bleed.cu", 1, 2, sources, animated).download();
    return frame;
}

}  // namespace kernel_rig
