// GenericEffectFactory::describe: the effect-wide description (capabilities, identity, GPU
// support). Clips and parameters are declared per context (GenericEffectFactoryDescribeInContext.cpp).
#include "plugin/GenericEffectFactory.h"

#include "overlays/OverlayInteractChoice.h"
#include "plugin/CudaWarmUp.h"
#include "plugin/Logger.h"

void GenericEffectFactory::setupBasicProperties(OFX::ImageEffectDescriptor& desc)
{
    desc.addSupportedContext(OFX::eContextFilter);
    desc.addSupportedContext(OFX::eContextGeneral);
    desc.addSupportedBitDepth(OFX::eBitDepthFloat);
    desc.setSingleInstance(false);
    desc.setHostFrameThreading(false);
    desc.setSupportsMultiResolution(false);
    desc.setSupportsTiles(false);
    desc.setTemporalClipAccess(false);
    desc.setRenderTwiceAlways(false);
    desc.setSupportsMultipleClipPARs(false);
    desc.setNoSpatialAwareness(false);
}

namespace {

// A GPU mode is declared only where something renders it: CUDA when the build has the CUDA
// backend (renders fall back to the host backend when the device is unusable); never OpenCL,
// which nothing renders, so declaring it would report a failure as success.
void declareGpuSupport(OFX::ImageEffectDescriptor& desc)
{
#ifdef EDGE_BLEED_HAS_CUDA
    constexpr bool kCudaBackendBuilt = true;
#else
    constexpr bool kCudaBackendBuilt = false;
#endif
    desc.setSupportsCudaRender(kCudaBackendBuilt);
    desc.setSupportsCudaStream(kCudaBackendBuilt);
    desc.setSupportsOpenCLRender(false);
}

} // namespace

void GenericEffectFactory::describe(OFX::ImageEffectDescriptor& desc)
{
    setupBasicProperties(desc);

    desc.setPluginDescription(definition.getDescription());
    desc.setPluginGrouping(definition.getCategory());
    desc.setLabel(definition.getName());

    declareGpuSupport(desc);
    warmUpCudaContext();

    // The definition's overlays, the older point interact for a "center" parameter, or none.
    declareOverlayInteract(desc, definition);

    Logger::getInstance().logMessage(LOG_INFO, "GenericEffectFactory::describe completed successfully");
}
