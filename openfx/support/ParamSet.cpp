#include "openfx/support/ParamSet.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

namespace OFX {

ParamSet::~ParamSet() = default;

template <typename T>
T* ParamSet::fetch(const std::string& name, ParamTypeEnum type) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = params_.find(name);
  if (found != params_.end()) {
    if (auto* existing = dynamic_cast<T*>(found->second.get())) return existing;
    throw Exception::TypeRequest("parameter " + name + " is not a " + mapParamTypeEnumToString(type));
  }
  OfxParamHandle handle = nullptr;
  OfxPropertySetHandle props = nullptr;
  const OfxStatus status = Private::paramSuite().paramGetHandle(paramSet_, name.c_str(), &handle, &props);
  if (status != kOfxStatOK || handle == nullptr)
    throw Exception::NotFound("parameter " + name + " not found (" + statusName(status) + ")");
  if (props == nullptr) Private::paramSuite().paramGetPropertySet(handle, &props);
  const std::string hostType = PropertySet(props).propGetString(kOfxParamPropType, 0, false);
  if (hostType != mapParamTypeEnumToString(type))
    throw Exception::TypeRequest("parameter " + name + " is a " + hostType + ", not a " +
                                 mapParamTypeEnumToString(type));
  auto param = std::make_unique<T>(name, handle, props);
  T* result = param.get();
  params_.emplace(name, std::move(param));
  return result;
}

DoubleParam* ParamSet::fetchDoubleParam(const std::string& name) const {
  return fetch<DoubleParam>(name, eDoubleParam);
}
IntParam* ParamSet::fetchIntParam(const std::string& name) const { return fetch<IntParam>(name, eIntParam); }
BooleanParam* ParamSet::fetchBooleanParam(const std::string& name) const {
  return fetch<BooleanParam>(name, eBooleanParam);
}
ChoiceParam* ParamSet::fetchChoiceParam(const std::string& name) const {
  return fetch<ChoiceParam>(name, eChoiceParam);
}
StringParam* ParamSet::fetchStringParam(const std::string& name) const {
  return fetch<StringParam>(name, eStringParam);
}
Double2DParam* ParamSet::fetchDouble2DParam(const std::string& name) const {
  return fetch<Double2DParam>(name, eDouble2DParam);
}
Double3DParam* ParamSet::fetchDouble3DParam(const std::string& name) const {
  return fetch<Double3DParam>(name, eDouble3DParam);
}
Int2DParam* ParamSet::fetchInt2DParam(const std::string& name) const { return fetch<Int2DParam>(name, eInt2DParam); }
RGBParam* ParamSet::fetchRGBParam(const std::string& name) const { return fetch<RGBParam>(name, eRGBParam); }
RGBAParam* ParamSet::fetchRGBAParam(const std::string& name) const { return fetch<RGBAParam>(name, eRGBAParam); }
PushButtonParam* ParamSet::fetchPushButtonParam(const std::string& name) const {
  return fetch<PushButtonParam>(name, ePushButtonParam);
}
GroupParam* ParamSet::fetchGroupParam(const std::string& name) const { return fetch<GroupParam>(name, eGroupParam); }
PageParam* ParamSet::fetchPageParam(const std::string& name) const { return fetch<PageParam>(name, ePageParam); }

bool ParamSet::paramExists(const std::string& name) const {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (params_.count(name) != 0) return true;
  }
  if (Private::gParamSuite == nullptr) return false;
  OfxParamHandle handle = nullptr;
  return Private::gParamSuite->paramGetHandle(paramSet_, name.c_str(), &handle, nullptr) == kOfxStatOK &&
         handle != nullptr;
}

void ParamSet::beginEditBlock(const std::string& name) {
  if (Private::gParamSuite != nullptr) Private::gParamSuite->paramEditBegin(paramSet_, name.c_str());
}

void ParamSet::endEditBlock() {
  if (Private::gParamSuite != nullptr) Private::gParamSuite->paramEditEnd(paramSet_);
}

}  // namespace OFX
