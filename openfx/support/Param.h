#pragma once
// Parameter instances: the values of an effect instance's parameters, read at
// the current or a given time and set by the plug-in. Objects are owned by the
// ParamSet that fetched them and live as long as the effect instance.

#include "openfx/support/Enums.h"
#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxParam.h"
#include "openfx/include/ofxPixels.h"

#include <string>

namespace OFX {

class Param {
 public:
  Param(const std::string& name, ParamTypeEnum type, OfxParamHandle handle, OfxPropertySetHandle props);
  virtual ~Param() = default;
  Param(const Param&) = delete;
  Param& operator=(const Param&) = delete;

  const std::string& getName() const { return name_; }
  ParamTypeEnum getType() const { return type_; }
  OfxParamHandle getHandle() const { return handle_; }
  PropertySet& getPropertySet() { return props_; }

  std::string getLabel() const;
  std::string getHint() const;
  bool getIsSecret() const;
  bool getIsEnable() const;
  void setLabel(const std::string& label);
  void setHint(const std::string& hint);
  void setIsSecret(bool secret);
  void setEnabled(bool enabled);

 protected:
  // Throws Exception::Suite naming this parameter when status is not OK.
  void check(OfxStatus status, const char* operation) const;

  std::string name_;
  ParamTypeEnum type_;
  OfxParamHandle handle_;
  PropertySet props_;
};

class DoubleParam : public Param {
 public:
  DoubleParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eDoubleParam, handle, props) {}
  void getValue(double& value) const;
  double getValue() const;
  void getValueAtTime(double time, double& value) const;
  double getValueAtTime(double time) const;
  void setValue(double value);
  void setValueAtTime(double time, double value);
};

class IntParam : public Param {
 public:
  IntParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eIntParam, handle, props) {}
  void getValue(int& value) const;
  int getValue() const;
  void getValueAtTime(double time, int& value) const;
  int getValueAtTime(double time) const;
  void setValue(int value);
  void setValueAtTime(double time, int value);
};

class BooleanParam : public Param {
 public:
  BooleanParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eBooleanParam, handle, props) {}
  void getValue(bool& value) const;
  bool getValue() const;
  void getValueAtTime(double time, bool& value) const;
  bool getValueAtTime(double time) const;
  void setValue(bool value);
  void setValueAtTime(double time, bool value);
};

// The value of a choice is the index of the selected option.
class ChoiceParam : public Param {
 public:
  ChoiceParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eChoiceParam, handle, props) {}
  void getValue(int& value) const;
  int getValue() const;
  void getValueAtTime(double time, int& value) const;
  int getValueAtTime(double time) const;
  void setValue(int value);
  void setValueAtTime(double time, int value);

  int getOptionCount() const;
  std::string getOption(int index) const;
  // Removes every option (the value is left to the caller to set).
  void resetOptions();
  // Appends an option. OpenFX has no property for option labels, and an
  // instance's hint already holds the description-time text, so the label is
  // not shown here; descriptors (ChoiceParamDescriptor) add it to the hint.
  void appendOption(const std::string& option, const std::string& label = std::string());
};

class StringParam : public Param {
 public:
  StringParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eStringParam, handle, props) {}
  void getValue(std::string& value) const;
  std::string getValue() const;
  void getValueAtTime(double time, std::string& value) const;
  std::string getValueAtTime(double time) const;
  void setValue(const std::string& value);
  void setValueAtTime(double time, const std::string& value);
};

class Double2DParam : public Param {
 public:
  Double2DParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eDouble2DParam, handle, props) {}
  void getValue(double& x, double& y) const;
  OfxPointD getValue() const;
  void getValueAtTime(double time, double& x, double& y) const;
  OfxPointD getValueAtTime(double time) const;
  void setValue(double x, double y);
  void setValue(const OfxPointD& value) { setValue(value.x, value.y); }
  void setValueAtTime(double time, double x, double y);
};

class Double3DParam : public Param {
 public:
  Double3DParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eDouble3DParam, handle, props) {}
  void getValue(double& x, double& y, double& z) const;
  void getValueAtTime(double time, double& x, double& y, double& z) const;
  void setValue(double x, double y, double z);
  void setValueAtTime(double time, double x, double y, double z);
};

class Int2DParam : public Param {
 public:
  Int2DParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eInt2DParam, handle, props) {}
  void getValue(int& x, int& y) const;
  OfxPointI getValue() const;
  void getValueAtTime(double time, int& x, int& y) const;
  OfxPointI getValueAtTime(double time) const;
  void setValue(int x, int y);
  void setValueAtTime(double time, int x, int y);
};

class RGBParam : public Param {
 public:
  RGBParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eRGBParam, handle, props) {}
  void getValue(double& r, double& g, double& b) const;
  OfxRGBColourD getValue() const;
  void getValueAtTime(double time, double& r, double& g, double& b) const;
  OfxRGBColourD getValueAtTime(double time) const;
  void setValue(double r, double g, double b);
  void setValueAtTime(double time, double r, double g, double b);
};

class RGBAParam : public Param {
 public:
  RGBAParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eRGBAParam, handle, props) {}
  void getValue(double& r, double& g, double& b, double& a) const;
  OfxRGBAColourD getValue() const;
  void getValueAtTime(double time, double& r, double& g, double& b, double& a) const;
  OfxRGBAColourD getValueAtTime(double time) const;
  void setValue(double r, double g, double b, double a);
  void setValueAtTime(double time, double r, double g, double b, double a);
};

class PushButtonParam : public Param {
 public:
  PushButtonParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, ePushButtonParam, handle, props) {}
};

class GroupParam : public Param {
 public:
  GroupParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, eGroupParam, handle, props) {}
  bool getIsOpen() const;
};

class PageParam : public Param {
 public:
  PageParam(const std::string& name, OfxParamHandle handle, OfxPropertySetHandle props)
      : Param(name, ePageParam, handle, props) {}
};

}  // namespace OFX
