#include "plugin/ParameterDefaults.h"

#include <climits>
#include <cmath>

int truncateToInt(double value)
{
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);
}

const XMLEffectDefinition::ParameterComponentDef* findComponent(const XMLEffectDefinition::ParameterDef& param,
                                                                 const std::string& name)
{
    const XMLEffectDefinition::ParameterComponentDef* found = nullptr;
    for (const auto& component : param.components) {
        if (component.name == name) found = &component;
    }
    return found;
}

double componentDefault(const XMLEffectDefinition::ParameterDef& param, const std::string& name, double fallback)
{
    const auto* component = findComponent(param, name);
    return component != nullptr ? component->defaultValue : fallback;
}

std::vector<std::pair<double, double>> curveShapePoints(const std::string& shape)
{
    if (shape == "ease_in") return {{0.0, 0.0}, {0.5, 0.25}, {1.0, 1.0}};
    if (shape == "ease_out") return {{0.0, 0.0}, {0.5, 0.75}, {1.0, 1.0}};
    if (shape == "ease_in_out") return {{0.0, 0.0}, {0.25, 0.1}, {0.5, 0.5}, {0.75, 0.9}, {1.0, 1.0}};
    return {{0.0, 0.0}, {1.0, 1.0}};
}

std::string resolutionDependencySuffix(const std::string& resDependent)
{
    if (resDependent == "width") return " (width-dependent)";
    if (resDependent == "height") return " (height-dependent)";
    if (resDependent == "xy") return " (dimension-dependent)";
    return std::string();
}
