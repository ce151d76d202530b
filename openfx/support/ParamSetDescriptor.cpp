#include "openfx/support/ParamSetDescriptor.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

namespace OFX {

OfxPropertySetHandle ParamSetDescriptor::defineRaw(const std::string& name, ParamTypeEnum type) {
  OfxPropertySetHandle props = nullptr;
  const OfxStatus status =
      Private::paramSuite().paramDefine(paramSet_, mapParamTypeEnumToString(type), name.c_str(), &props);
  if (status != kOfxStatOK) throwSuiteStatusException(status, "defining parameter " + name);
  if (props == nullptr) throwSuiteStatusException(kOfxStatErrBadHandle, "defining parameter " + name);
  return props;
}

template <typename T>
T* ParamSetDescriptor::define(const std::string& name, ParamTypeEnum type) {
  auto found = descriptors_.find(name);
  if (found != descriptors_.end()) {
    if (auto* existing = dynamic_cast<T*>(found->second.get())) return existing;
    throw Exception::TypeRequest("parameter " + name + " is already defined as another kind");
  }
  auto descriptor = std::make_unique<T>(name, defineRaw(name, type));
  T* result = descriptor.get();
  descriptors_.emplace(name, std::move(descriptor));
  return result;
}

DoubleParamDescriptor* ParamSetDescriptor::defineDoubleParam(const std::string& name) {
  return define<DoubleParamDescriptor>(name, eDoubleParam);
}
IntParamDescriptor* ParamSetDescriptor::defineIntParam(const std::string& name) {
  return define<IntParamDescriptor>(name, eIntParam);
}
Int2DParamDescriptor* ParamSetDescriptor::defineInt2DParam(const std::string& name) {
  return define<Int2DParamDescriptor>(name, eInt2DParam);
}
Double2DParamDescriptor* ParamSetDescriptor::defineDouble2DParam(const std::string& name) {
  return define<Double2DParamDescriptor>(name, eDouble2DParam);
}
Double3DParamDescriptor* ParamSetDescriptor::defineDouble3DParam(const std::string& name) {
  return define<Double3DParamDescriptor>(name, eDouble3DParam);
}
RGBParamDescriptor* ParamSetDescriptor::defineRGBParam(const std::string& name) {
  return define<RGBParamDescriptor>(name, eRGBParam);
}
RGBAParamDescriptor* ParamSetDescriptor::defineRGBAParam(const std::string& name) {
  return define<RGBAParamDescriptor>(name, eRGBAParam);
}
BooleanParamDescriptor* ParamSetDescriptor::defineBooleanParam(const std::string& name) {
  return define<BooleanParamDescriptor>(name, eBooleanParam);
}
ChoiceParamDescriptor* ParamSetDescriptor::defineChoiceParam(const std::string& name) {
  return define<ChoiceParamDescriptor>(name, eChoiceParam);
}
StringParamDescriptor* ParamSetDescriptor::defineStringParam(const std::string& name) {
  return define<StringParamDescriptor>(name, eStringParam);
}
PushButtonParamDescriptor* ParamSetDescriptor::definePushButtonParam(const std::string& name) {
  return define<PushButtonParamDescriptor>(name, ePushButtonParam);
}
GroupParamDescriptor* ParamSetDescriptor::defineGroupParam(const std::string& name) {
  return define<GroupParamDescriptor>(name, eGroupParam);
}
PageParamDescriptor* ParamSetDescriptor::definePageParam(const std::string& name) {
  return define<PageParamDescriptor>(name, ePageParam);
}

ParametricParamDescriptor* ParamSetDescriptor::defineParametricParam(const std::string& name) {
  auto found = descriptors_.find(name);
  if (found != descriptors_.end()) {
    if (auto* existing = dynamic_cast<ParametricParamDescriptor*>(found->second.get())) return existing;
    throw Exception::TypeRequest("parameter " + name + " is already defined as another kind");
  }
  auto descriptor =
      std::make_unique<ParametricParamDescriptor>(name, defineRaw(name, eParametricParam), paramSet_);
  ParametricParamDescriptor* result = descriptor.get();
  descriptors_.emplace(name, std::move(descriptor));
  return result;
}

ParamDescriptor* ParamSetDescriptor::getParamDescriptor(const std::string& name) const {
  auto found = descriptors_.find(name);
  return found == descriptors_.end() ? nullptr : found->second.get();
}

}  // namespace OFX
