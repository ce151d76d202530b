#include "plugin/EffectDefinitionRegistry.h"

#include "plugin/Logger.h"

#include <mutex>
#include <unordered_map>

namespace {

std::unordered_map<std::string, const XMLEffectDefinition*> g_definitions;
std::mutex g_registryMutex;

} // namespace

void EffectDefinitionRegistry::registerDefinition(const std::string& name, const XMLEffectDefinition* definition)
{
    if (definition == nullptr) {
        Logger::getInstance().logMessage(
            LOG_ERROR, "EffectDefinitionRegistry::registerDefinition called with null definition for %s", name.c_str());
        return;
    }
    {
        std::lock_guard<std::mutex> lock(g_registryMutex);
        g_definitions[name] = definition;
    }
    // Logged outside the registry lock: the logger takes its own mutex.
    Logger::getInstance().logMessage(LOG_DEBUG, "EffectDefinitionRegistry registered definition for '%s'", name.c_str());
}

const XMLEffectDefinition* EffectDefinitionRegistry::getDefinition(const std::string& name)
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    const auto found = g_definitions.find(name);
    return found == g_definitions.end() ? nullptr : found->second;
}

void EffectDefinitionRegistry::clear()
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    g_definitions.clear();
}
