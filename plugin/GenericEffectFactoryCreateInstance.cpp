// GenericEffectFactory::createInstance. The effect instance (GenericEffect, effect/) is not
// part of this build yet, so instance creation is refused with a clear failure instead of
// handing the host an instance that cannot render. Once effect/GenericEffect.h exists this
// becomes: return new GenericEffect(handle, xmlPath);
#include "plugin/GenericEffectFactory.h"

#include "openfx/support/Exception.h"
#include "plugin/Logger.h"

OFX::ImageEffect* GenericEffectFactory::createInstance(OfxImageEffectHandle /*handle*/, OFX::ContextEnum /*context*/)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_DEBUG, "GenericEffectFactory::createInstance called");
    log.logMessage(LOG_ERROR, "GenericEffectFactory::createInstance: this build has no effect instance");
    OFX::throwSuiteStatusException(kOfxStatFailed, "this build has no effect instance");
}
