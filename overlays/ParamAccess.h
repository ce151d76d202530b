#pragma once
// Parameter access for overlays: fetching by name on first use and reading or writing values
// without letting a host failure escape into the interact action. A parameter that cannot be
// fetched stays null and is looked up again at the next event.

#include "openfx/include/ofxCore.h"

#include <string>

namespace OFX {

class ImageEffect;
class DoubleParam;
class Double2DParam;

// Fetch `param` when it is still null, the effect is set and the name is not empty.
void fetchIfMissing(ImageEffect* effect, const std::string& name, DoubleParam*& param);
void fetchIfMissing(ImageEffect* effect, const std::string& name, Double2DParam*& param);

// The value at `time`, or the fallback when the parameter is null or cannot be read.
double readValue(DoubleParam* param, double time, double fallback);
OfxPointD readValue(Double2DParam* param, double time, const OfxPointD& fallback);

// Sets the value (the support library's setValue, no time); a refused write is ignored.
void writeValue(DoubleParam* param, double value);
void writeValue(Double2DParam* param, double x, double y);

} // namespace OFX
