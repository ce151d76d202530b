#include "presets/DefaultParameterValues.h"

#include <cmath>
#include <vector>

namespace {

// Truncation toward zero held inside int's range (NaN gives 0): converting an out-of-range
// double to int would be undefined.
int truncateToInt(double value) {
    const double truncated = std::trunc(value);
    if (std::isnan(truncated)) return 0;
    if (truncated >= 2147483647.0) return 2147483647;
    if (truncated <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(truncated);
}

// Component i's default, or `missing` when the definition has fewer components.
double componentDefault(const XMLEffectDefinition::ParameterDef& parameter, std::size_t i,
                        double missing) {
    return i < parameter.components.size() ? parameter.components[i].defaultValue : missing;
}

}  // namespace

std::map<std::string, ParameterValue> defaultParameterValues(const XMLEffectDefinition& definition) {
    std::map<std::string, ParameterValue> values;
    for (const XMLEffectDefinition::ParameterDef& p : definition.getParameters()) {
        const std::string& t = p.type;
        if (t == "double" || t == "float") {
            values[p.name] = ParameterValue(p.defaultValue);
        } else if (t == "int" || t == "choice") {
            values[p.name] = ParameterValue(truncateToInt(p.defaultValue));
        } else if (t == "bool") {
            values[p.name] = ParameterValue(p.defaultBool);
        } else if (t == "vec2") {
            values[p.name] = ParameterValue(componentDefault(p, 0, 0.0), componentDefault(p, 1, 0.0));
        } else if (t == "vec3" || t == "color") {
            values[p.name] = ParameterValue(componentDefault(p, 0, 0.0), componentDefault(p, 1, 0.0),
                                            componentDefault(p, 2, 0.0));
        } else if (t == "vec4" || t == "color_rgba") {
            values[p.name] = ParameterValue(componentDefault(p, 0, 0.0), componentDefault(p, 1, 0.0),
                                            componentDefault(p, 2, 0.0), componentDefault(p, 3, 1.0));
        } else if (t == "string" || t == "filepath") {
            values[p.name] = ParameterValue(p.defaultString);
        }
    }
    return values;
}
