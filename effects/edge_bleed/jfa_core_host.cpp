// Host backend launcher of jfa_coreKernel: the same per-pixel body as jfa_core.cu, run on the
// CPU through the host runtime.

#include "effects/edge_bleed/jfa_core_body.h"

#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "effects/edge_bleed/HostFma.h"
#include "effects/edge_bleed/HostTexelView.h"
#include "effects/edge_bleed/LaunchSupport.h"
#include "gpu/runtime/HostRuntime.h"

namespace {

// The seed pass fuses multiply-adds; the flood passes do not and stay inlined in the loop.
EB_HOST_FMA_CLONES void seedPixelOnHost(const edge_bleed::JfaCorePass& pass, int x, int y) {
    edge_bleed::jfa_corePixel(pass, x, y);
}

}  // namespace

extern "C" void call_jfa_core_kernel_HostPass(void* stream, const SystemParameters& sp, const PipelineParameters&,
                                              const SourceConnections& sc, const AnimatedParameters& ap,
                                              const BundledResources&, const char*, void* inputTexture,
                                              void* outputSurface) {
    using namespace edge_bleed;
    const unsigned long long working = chooseWorkingImage(sp, sc, inputTexture, EDGE_BLEED_NUM_INPUTS);
    logWorkingImage("jfa_core", sp, sc, working, EDGE_BLEED_NUM_INPUTS);
    JfaCorePass pass = makeJfaCorePass(sp, working, sc, gpu::surfaceFromPointer(outputSurface), ap);
    pass.sourceView = makeTexelView(pass.source, sp.width, sp.height);
    pass.matteView = makeTexelView(pass.matte, sp.width, sp.height);
    pass.fieldView = makeTexelView(pass.field, sp.width, sp.height);
    // A refused configuration is recorded as the runtime's last error, which the caller reads.
    if (pass.seedPass) {
        (void)gpu::hostRuntime().launch(launchGrid(sp), launchBlock(), static_cast<gpu::Stream>(stream),
                                        [&pass](int x, int y) { seedPixelOnHost(pass, x, y); });
    } else {
        (void)gpu::hostRuntime().launch(launchGrid(sp), launchBlock(), static_cast<gpu::Stream>(stream),
                                        [&pass](int x, int y) { jfa_corePixel(pass, x, y); });
    }
}
