#pragma once

#include <map>
#include <string>

#include "definition/XMLEffectDefinition.h"
#include "effect/ParameterValue.h"

// The values that ">> Load Defaults <<" applies: every definition parameter of a supported
// type at its default. Numbers of "int" and "choice" parameters are truncated toward zero;
// vector and colour parameters take their component defaults, 0 for a component the
// definition lacks, except a missing fourth component, which is 1 (an opaque alpha).
// Other types ("pushbutton", "curve", ...) are left out.
std::map<std::string, ParameterValue> defaultParameterValues(const XMLEffectDefinition& definition);
