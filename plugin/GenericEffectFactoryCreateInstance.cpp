// GenericEffectFactory::createInstance: every context gets a GenericEffect built from the
// embedded definition; the support library owns it and deletes it when the host destroys it.
#include "plugin/GenericEffectFactory.h"

#include "effect/GenericEffect.h"
#include "plugin/Logger.h"

OFX::ImageEffect* GenericEffectFactory::createInstance(OfxImageEffectHandle handle, OFX::ContextEnum /*context*/)
{
    Logger::getInstance().logMessage(LOG_DEBUG, "GenericEffectFactory::createInstance called");
    return new GenericEffect(handle, xmlPath);
}
