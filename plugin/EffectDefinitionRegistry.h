#pragma once

#include <string>

class XMLEffectDefinition;

// Process-wide lookup of parsed effect definitions by effect name. Entries are non-owning:
// the factory that registers its definition lives until the process ends, so a pointer handed
// out here never dangles. Safe to use from any thread.
class EffectDefinitionRegistry {
public:
    // Stores `definition` under `name`, replacing an earlier entry of that name. A null
    // definition is logged and ignored.
    static void registerDefinition(const std::string& name, const XMLEffectDefinition* definition);
    // The definition registered under `name`, or null.
    static const XMLEffectDefinition* getDefinition(const std::string& name);
    static void clear();
};
