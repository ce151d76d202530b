#pragma once

#include "openfx/support/PluginFactory.h"

class GenericEffectFactory;

// The start-up behind OFX::Plugin::getPluginIDs, shared by every bundle (each bundle's
// BundleEntry.cpp supplies its own constants): points the log at the effect identifier, builds
// the process's single GenericEffectFactory on the first call and appends it to `factories`.
//
// When the embedded definition cannot be read, no factory exists: the failure is logged and
// nothing is appended, so the bundle offers no plug-in (OfxGetNumberOfPlugins returns 0) and
// no exception reaches the host. Later calls try again, so each is logged the same way.
void appendEffectFactory(OFX::PluginFactoryArray& factories, const char* effectIdentifier, const char* definitionPath);

// The process's factory, or null while none could be built.
GenericEffectFactory* currentEffectFactory();
