// The support library linked into this test executable asks for the plug-in hook. The unit
// tests call the start-up code themselves, so the hook offers nothing.
#include "openfx/support/PluginFactory.h"

void OFX::Plugin::getPluginIDs(OFX::PluginFactoryArray& /*factories*/) {}
