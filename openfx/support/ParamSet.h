#pragma once
// The parameters of an effect instance: fetches them by name and kind, owns
// the fetched objects, and brackets changes in undoable edit blocks.
// Fetching is thread-safe; fetching one name twice returns the same object.

#include "openfx/support/Param.h"

#include "openfx/include/ofxParam.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace OFX {

class ParamSet {
 public:
  ParamSet() = default;
  virtual ~ParamSet();
  ParamSet(const ParamSet&) = delete;
  ParamSet& operator=(const ParamSet&) = delete;

  // Each fetch throws Exception::NotFound when the host has no parameter of
  // that name and Exception::TypeRequest when it is of another kind; it
  // never returns null.
  DoubleParam* fetchDoubleParam(const std::string& name) const;
  IntParam* fetchIntParam(const std::string& name) const;
  BooleanParam* fetchBooleanParam(const std::string& name) const;
  ChoiceParam* fetchChoiceParam(const std::string& name) const;
  StringParam* fetchStringParam(const std::string& name) const;
  Double2DParam* fetchDouble2DParam(const std::string& name) const;
  Double3DParam* fetchDouble3DParam(const std::string& name) const;
  Int2DParam* fetchInt2DParam(const std::string& name) const;
  RGBParam* fetchRGBParam(const std::string& name) const;
  RGBAParam* fetchRGBAParam(const std::string& name) const;
  PushButtonParam* fetchPushButtonParam(const std::string& name) const;
  GroupParam* fetchGroupParam(const std::string& name) const;
  PageParam* fetchPageParam(const std::string& name) const;

  // Whether the host has a parameter of that name (never throws).
  bool paramExists(const std::string& name) const;

  // Undoable edit blocks around several parameter changes. A host that
  // refuses a block changes nothing about the edits themselves, so failures
  // are ignored.
  void beginEditBlock(const std::string& name);
  void endEditBlock();

  OfxParamSetHandle getParamSetHandle() const { return paramSet_; }

 protected:
  void setParamSetHandle(OfxParamSetHandle paramSet) { paramSet_ = paramSet; }

 private:
  template <typename T>
  T* fetch(const std::string& name, ParamTypeEnum type) const;

  OfxParamSetHandle paramSet_ = nullptr;
  mutable std::mutex mutex_;
  mutable std::map<std::string, std::unique_ptr<Param>> params_;
};

}  // namespace OFX
