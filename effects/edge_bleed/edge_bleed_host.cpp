// Host backend launcher of edge_bleedKernel: the same per-pixel body as edge_bleed.cu, run on
// the CPU through the host runtime.

#include "effects/edge_bleed/edge_bleed_body.h"

#include "effects/edge_bleed/EdgeBleedLaunchers.h"
#include "effects/edge_bleed/HostFma.h"
#include "effects/edge_bleed/HostTexelView.h"
#include "effects/edge_bleed/LaunchSupport.h"
#include "gpu/runtime/HostRuntime.h"

namespace {

EB_HOST_FMA_CLONES void extendPixelOnHost(const edge_bleed::EdgeBleedPass& pass, int x, int y) {
    edge_bleed::edge_bleedPixel(pass, x, y);
}

}  // namespace

extern "C" void call_edge_bleed_kernel_HostPass(void* stream, const SystemParameters& sp, const PipelineParameters&,
                                                const SourceConnections& sc, const AnimatedParameters& ap,
                                                const BundledResources&, const char*, void* inputTexture,
                                                void* outputSurface) {
    using namespace edge_bleed;
    const unsigned long long working = chooseWorkingImage(sp, sc, inputTexture, EDGE_BLEED_NUM_INPUTS);
    logWorkingImage("edge_bleed", sp, sc, working, EDGE_BLEED_NUM_INPUTS);
    EdgeBleedPass pass = makeEdgeBleedPass(sp, sc, gpu::surfaceFromPointer(outputSurface), ap);
    pass.sourceView = makeTexelView(pass.source, sp.width, sp.height);
    pass.fieldView = makeTexelView(pass.field, sp.width, sp.height);
    // A refused configuration is recorded as the runtime's last error, which the caller reads.
    (void)gpu::hostRuntime().launch(launchGrid(sp), launchBlock(), static_cast<gpu::Stream>(stream),
                                    [&pass](int x, int y) { extendPixelOnHost(pass, x, y); });
}
