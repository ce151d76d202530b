// Host backend launcher of jfa_blurKernel: the same per-pixel body as jfa_blur.cu, run on the
// CPU through the host runtime.

#include "effects/edge_bleed/jfa_blur_body.h"

#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "effects/edge_bleed/HostFma.h"
#include "effects/edge_bleed/HostTexelView.h"
#include "effects/edge_bleed/LaunchSupport.h"
#include "gpu/runtime/HostRuntime.h"

namespace {

EB_HOST_FMA_CLONES void blurPixelOnHost(const edge_bleed::JfaBlurPass& pass, int x, int y) {
    edge_bleed::jfa_blurPixel(pass, x, y);
}

}  // namespace

extern "C" void call_jfa_blur_kernel_HostPass(void* stream, const SystemParameters& sp, const PipelineParameters&,
                                              const SourceConnections& sc, const AnimatedParameters& ap,
                                              const BundledResources&, const char*, void* inputTexture,
                                              void* outputSurface) {
    using namespace edge_bleed;
    const unsigned long long working = chooseWorkingImage(sp, sc, inputTexture, EDGE_BLEED_NUM_INPUTS);
    logWorkingImage("jfa_blur", sp, sc, working, EDGE_BLEED_NUM_INPUTS);
    JfaBlurPass pass = makeJfaBlurPass(sp, working, gpu::surfaceFromPointer(outputSurface), ap);
    pass.fieldView = makeTexelView(pass.field, sp.width, sp.height);
    // The tap weights depend on the distance only: tabulate them once for the whole launch.
    float weights[BLUR_TABLE_HALF_WIDTH + 1];
    if (pass.halfWidth >= 0 && pass.halfWidth <= BLUR_TABLE_HALF_WIDTH) {
        for (int i = 0; i <= pass.halfWidth; ++i) {
            weights[i] = blurTapWeight(i, pass.sigma);
        }
        pass.weights = weights;
    }
    // A refused configuration is recorded as the runtime's last error, which the caller reads.
    (void)gpu::hostRuntime().launch(launchGrid(sp), launchBlock(), static_cast<gpu::Stream>(stream),
                                    [&pass](int x, int y) { blurPixelOnHost(pass, x, y); });
}
