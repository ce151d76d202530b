#pragma once

#include "definition/XMLEffectDefinition.h"
#include "openfx/support/PluginFactory.h"

#include <string>

// The one factory of a bundle: built around the effect definition compiled into the library
// (kEmbeddedEffectDefinition), it describes the effect to the host and creates its instances.
// It is created once per process and never destroyed, so its definition can be registered by
// pointer in EffectDefinitionRegistry.
class GenericEffectFactory : public OFX::PluginFactoryHelper<GenericEffectFactory> {
public:
    // Reads the embedded definition; throws std::runtime_error("Failed to parse embedded XML")
    // when it cannot be read. `xmlPath` gives the plug-in identifier and is handed to every
    // instance; the file itself is never opened.
    explicit GenericEffectFactory(const std::string& xmlPath);

    void describe(OFX::ImageEffectDescriptor& desc) override;
    void describeInContext(OFX::ImageEffectDescriptor& desc, OFX::ContextEnum context) override;
    OFX::ImageEffect* createInstance(OfxImageEffectHandle handle, OFX::ContextEnum context) override;

    // "com.lanternkit." followed by the file name of `path` without its last extension. Nothing
    // is lower-cased, replaced or validated: a path that ends in a separator gives the bare prefix.
    static std::string generatePluginIdentifier(const std::string& path);

    const std::string& getPluginIdentifier() const { return pluginIdentifier; }
    const std::string& getXmlPath() const { return xmlPath; }
    const XMLEffectDefinition& getDefinition() const { return definition; }

    // The capabilities every effect of this framework declares, whatever its definition.
    static void setupBasicProperties(OFX::ImageEffectDescriptor& desc);

private:
    XMLEffectDefinition definition;
    std::string xmlPath;
    std::string pluginIdentifier;
};
