// jfa_blurKernel and its CUDA launcher call_jfa_blur_kernel_Pass. The per-pixel body lives in
// jfa_blur_body.h and is shared with the host backend (jfa_blur_host.cpp).

#include <cuda_runtime.h>

#include "effects/edge_bleed/jfa_blur_body.h"

#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "effects/edge_bleed/LaunchSupport.h"

__global__ void jfa_blurKernel(SystemParameters sp, PipelineParameters, unsigned long long inputTexture,
                               SourceConnections, unsigned long long outputSurface, AnimatedParameters ap,
                               BundledResources) {
    const int x = static_cast<int>(blockIdx.x * blockDim.x + threadIdx.x);
    const int y = static_cast<int>(blockIdx.y * blockDim.y + threadIdx.y);
    using namespace edge_bleed;
    const JfaBlurPass pass = makeJfaBlurPass(sp, inputTexture, outputSurface, ap);
    jfa_blurPixel(pass, x, y);
}

extern "C" void call_jfa_blur_kernel_Pass(void* stream, const SystemParameters& sp, const PipelineParameters& pp,
                                   const SourceConnections& sc, const AnimatedParameters& ap,
                                   const BundledResources& br, const char*, void* inputTexture,
                                   void* outputSurface) {
    using namespace edge_bleed;
    const unsigned long long working = chooseWorkingImage(sp, sc, inputTexture, EDGE_BLEED_NUM_INPUTS);
    logWorkingImage("jfa_blur", sp, sc, working, EDGE_BLEED_NUM_INPUTS);
    // A refused configuration launches nothing and leaves the error for the caller's check.
    jfa_blurKernel<<<launchGrid(sp), launchBlock(), 0, static_cast<cudaStream_t>(stream)>>>(
        sp, pp, working, sc, gpu::handleFromPointer(outputSurface), ap, br);
}
