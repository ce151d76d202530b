#pragma once

// Internal to the definition readers: the components of "color", "color_rgba" and vector
// parameters, from `component` children or from comma-separated attribute lists.

#include "definition/XMLEffectDefinition.h"

#include <string>
#include <vector>

namespace pugi {
class xml_node;
}

namespace definition_xml {

// Splits at every comma; a trailing comma yields an empty last piece.
std::vector<std::string> splitAtCommas(const std::string& text);

std::vector<XMLEffectDefinition::ParameterComponentDef> readParameterComponents(const pugi::xml_node& parameter,
                                                                                const std::string& type);

} // namespace definition_xml
