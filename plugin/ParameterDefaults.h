#pragma once

#include "definition/XMLEffectDefinition.h"

#include <string>
#include <utility>
#include <vector>

// The value rules of definition-driven parameter creation, kept apart from the host calls so
// that each can be checked on its own.

// Truncation toward zero for integer parameters (-0.7 gives 0, 10.9 gives 10). Values beyond
// the int range saturate and NaN gives 0, where a plain cast would be undefined.
int truncateToInt(double value);

// The component of that name; of two with one name, the later one. Null when there is none.
const XMLEffectDefinition::ParameterComponentDef* findComponent(const XMLEffectDefinition::ParameterDef& param,
                                                                 const std::string& name);

// A component's default, or `fallback` without such a component.
double componentDefault(const XMLEffectDefinition::ParameterDef& param, const std::string& name, double fallback);

// The control points (x, y) of a curve's default shape, in the order they are added:
// "linear", "ease_in", "ease_out", "ease_in_out"; any other text is linear.
std::vector<std::pair<double, double>> curveShapePoints(const std::string& shape);

// The hint suffix of a resolution dependency: " (width-dependent)", " (height-dependent)",
// " (dimension-dependent)" for "width", "height", "xy"; empty otherwise.
std::string resolutionDependencySuffix(const std::string& resDependent);
