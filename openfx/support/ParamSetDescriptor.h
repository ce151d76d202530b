#pragma once
// The definition-time parameter set of an effect descriptor: defines
// parameters and owns their descriptors. Defining a name twice returns the
// descriptor made the first time (when the kind matches).

#include "openfx/support/ChoiceParamDescriptor.h"
#include "openfx/support/ParamDescriptor.h"

#include "openfx/include/ofxParam.h"

#include <map>
#include <memory>
#include <string>

namespace OFX {

class ParamSetDescriptor {
 public:
  ParamSetDescriptor() = default;
  virtual ~ParamSetDescriptor() = default;
  ParamSetDescriptor(const ParamSetDescriptor&) = delete;
  ParamSetDescriptor& operator=(const ParamSetDescriptor&) = delete;

  // Each define call throws on failure (Exception::Suite with the host's
  // status, or Exception::TypeRequest when the name exists with another kind);
  // it never returns null.
  DoubleParamDescriptor* defineDoubleParam(const std::string& name);
  IntParamDescriptor* defineIntParam(const std::string& name);
  Int2DParamDescriptor* defineInt2DParam(const std::string& name);
  Double2DParamDescriptor* defineDouble2DParam(const std::string& name);
  Double3DParamDescriptor* defineDouble3DParam(const std::string& name);
  RGBParamDescriptor* defineRGBParam(const std::string& name);
  RGBAParamDescriptor* defineRGBAParam(const std::string& name);
  BooleanParamDescriptor* defineBooleanParam(const std::string& name);
  ChoiceParamDescriptor* defineChoiceParam(const std::string& name);
  StringParamDescriptor* defineStringParam(const std::string& name);
  PushButtonParamDescriptor* definePushButtonParam(const std::string& name);
  GroupParamDescriptor* defineGroupParam(const std::string& name);
  PageParamDescriptor* definePageParam(const std::string& name);
  ParametricParamDescriptor* defineParametricParam(const std::string& name);

  // The descriptor defined under `name`, or null.
  ParamDescriptor* getParamDescriptor(const std::string& name) const;
  OfxParamSetHandle getParamSetHandle() const { return paramSet_; }

 protected:
  void setParamSetHandle(OfxParamSetHandle paramSet) { paramSet_ = paramSet; }

 private:
  template <typename T>
  T* define(const std::string& name, ParamTypeEnum type);
  OfxPropertySetHandle defineRaw(const std::string& name, ParamTypeEnum type);

  OfxParamSetHandle paramSet_ = nullptr;
  std::map<std::string, std::unique_ptr<ParamDescriptor>> descriptors_;
};

}  // namespace OFX
