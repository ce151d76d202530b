#pragma once
// Setting an effect instance's parameter from command-line text, by the parameter's kind:
//   double, int:                   a number ("0.25", "3")
//   bool:                          true/false, on/off, yes/no, 1/0
//   choice:                        an option label ("Mirror", case-insensitive) or an index
//   rgb, rgba, double2d/3d, int2d: numbers separated by commas ("0.5,0.5")
//   string kinds:                  the text as given
// Throws HostError naming the parameter for an unknown name, a kind that holds no value,
// or text that does not fit the kind (with the accepted choices listed).

#include <string>

#include "host/EffectInstance.h"

namespace ofxhost {

// Returns a warning when the host stored another value than the text asked for (a number
// outside the parameter's range is clamped), or "" when it stored the value as given.
std::string setParameterFromText(EffectInstance &instance, const std::string &name, const std::string &text);

}  // namespace ofxhost
