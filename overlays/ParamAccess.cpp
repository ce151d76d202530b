#include "overlays/ParamAccess.h"

#include "openfx/support/ImageEffect.h"
#include "openfx/support/Param.h"

namespace OFX {

namespace {

template <typename T>
void fetchWith(ImageEffect* effect, const std::string& name, T*& param,
               T* (ParamSet::*fetch)(const std::string&) const)
{
    if (param != nullptr || effect == nullptr || name.empty()) {
        return;
    }
    try {
        param = (effect->*fetch)(name);
    } catch (...) {
        param = nullptr;
    }
}

} // namespace

void fetchIfMissing(ImageEffect* effect, const std::string& name, DoubleParam*& param)
{
    fetchWith(effect, name, param, &ParamSet::fetchDoubleParam);
}

void fetchIfMissing(ImageEffect* effect, const std::string& name, Double2DParam*& param)
{
    fetchWith(effect, name, param, &ParamSet::fetchDouble2DParam);
}

double readValue(DoubleParam* param, double time, double fallback)
{
    if (param == nullptr) {
        return fallback;
    }
    try {
        return param->getValueAtTime(time);
    } catch (...) {
        return fallback;
    }
}

OfxPointD readValue(Double2DParam* param, double time, const OfxPointD& fallback)
{
    if (param == nullptr) {
        return fallback;
    }
    try {
        return param->getValueAtTime(time);
    } catch (...) {
        return fallback;
    }
}

void writeValue(DoubleParam* param, double value)
{
    if (param == nullptr) {
        return;
    }
    try {
        param->setValue(value);
    } catch (...) {
    }
}

void writeValue(Double2DParam* param, double x, double y)
{
    if (param == nullptr) {
        return;
    }
    try {
        param->setValue(x, y);
    } catch (...) {
    }
}

} // namespace OFX
