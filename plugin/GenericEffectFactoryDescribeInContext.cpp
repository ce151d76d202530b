// GenericEffectFactory::describeInContext: the clips, then three parameter sections in a fixed
// order (presets and help, the definition's parameters on the page "Main", global blend). The
// description is the same for every context.
#include "plugin/GenericEffectFactory.h"

#include "plugin/FrameworkParameters.h"
#include "plugin/Logger.h"
#include "plugin/XMLInputManager.h"
#include "plugin/XMLParameterManager.h"

#include <exception>
#include <stdexcept>

void GenericEffectFactory::describeInContext(OFX::ImageEffectDescriptor& desc, OFX::ContextEnum /*context*/)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_DEBUG, "GenericEffectFactory::describeInContext called");
    try {
        XMLInputManager inputManager;
        if (!inputManager.createInputs(definition, desc)) {
            declareFallbackClips(desc);
        } else {
            log.logMessage(LOG_INFO, "✓ XML clips created successfully!");
        }

        definePresetsHelpSection(desc);
        log.logMessage(LOG_INFO, "✓ Presets & Help section added (hardcoded)");

        XMLParameterManager parameterManager;
        XMLParameterManager::PageMap pages;
        if (!parameterManager.createParameters(definition, desc, pages)) {
            throw std::runtime_error("Failed to create parameters from XML");
        }
        if (!parameterManager.organizeUI(definition, desc, pages)) {
            throw std::runtime_error("Failed to organize UI from XML");
        }
        log.logMessage(LOG_INFO, "✓ XML effect parameters (middle section) added");

        defineGlobalBlendSection(desc);
        log.logMessage(LOG_INFO, "✓ Global Blend parameter added");

        log.logMessage(LOG_INFO, "✓ XML parameters created successfully");
        log.logMessage(LOG_INFO, "GenericEffectFactory::describeInContext completed successfully");
    } catch (const std::exception& e) {
        // Rethrown so that the host sees a failed description.
        log.logMessage(LOG_DEBUG, "✗ GenericEffectFactory::describeInContext failed: %s", e.what());
        throw;
    }
}
