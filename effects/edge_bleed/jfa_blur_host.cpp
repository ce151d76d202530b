// Host backend launcher of jfa_blurKernel: the same per-pixel body as jfa_blur.cu, run on the
// CPU through the host runtime.

#include "effects/edge_bleed/jfa_blur_body.h"

#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "effects/edge_bleed/LaunchSupport.h"
#include "gpu/runtime/HostRuntime.h"

extern "C" void call_jfa_blur_kernel_HostPass(void* stream, const SystemParameters& sp, const PipelineParameters&,
                                   const SourceConnections& sc, const AnimatedParameters& ap,
                                   const BundledResources&, const char*, void* inputTexture, void* outputSurface) {
    using namespace edge_bleed;
    const unsigned long long working = chooseWorkingImage(sp, sc, inputTexture, EDGE_BLEED_NUM_INPUTS);
    logWorkingImage("jfa_blur", sp, sc, working, EDGE_BLEED_NUM_INPUTS);
    const gpu::SurfaceObject surface = gpu::surfaceFromPointer(outputSurface);
    const JfaBlurPass pass = makeJfaBlurPass(sp, working, surface, ap);
    // A refused configuration is recorded as the runtime's last error, which the caller reads.
    (void)gpu::hostRuntime().launch(launchGrid(sp), launchBlock(), static_cast<gpu::Stream>(stream),
                                    [&pass](int x, int y) { jfa_blurPixel(pass, x, y); });
}
