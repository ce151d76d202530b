#pragma once
// Errors the host library reports to its callers, and readable names for OpenFX statuses.

#include <stdexcept>
#include <string>

#include "ofxCore.h"

namespace ofxhost {

// Thrown by the C++ API (never across the OpenFX boundary) for misuse or a failed load.
class HostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "kOfxStatOK", "kOfxStatErrValue", ... or "status N" for a value outside the standard set.
std::string statusName(OfxStatus status);

}  // namespace ofxhost
