#include "plugin/XMLInputManager.h"

#include "openfx/support/ImageEffectDescriptor.h"
#include "plugin/Logger.h"

#include "openfx/include/ofxImageEffect.h"

namespace {

// The support library hands back the existing descriptor for a name declared before the
// failure; such a clip keeps its earlier declaration. Returns null for it.
OFX::ClipDescriptor* defineRGBAClipWithoutTiles(OFX::ImageEffectDescriptor& desc, const char* name)
{
    OFX::ClipDescriptor* clip = desc.defineClip(name);
    if (clip->getPropertySet().propGetDimension(kOfxImageEffectPropSupportedComponents, false) > 0) {
        return nullptr;
    }
    clip->addSupportedComponent(OFX::ePixelComponentRGBA);
    clip->setSupportsTiles(false);
    return clip;
}

} // namespace

void declareFallbackClips(OFX::ImageEffectDescriptor& desc)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_DEBUG, "XML clips failed, falling back to manual clips");
    defineRGBAClipWithoutTiles(desc, "Source");
    defineRGBAClipWithoutTiles(desc, "Output");
    if (OFX::ClipDescriptor* mask = defineRGBAClipWithoutTiles(desc, "mask")) {
        mask->setOptional(true);
        mask->setIsMask(true);
    }
    log.logMessage(LOG_DEBUG, "✓ Fallback manual clips created");
}
