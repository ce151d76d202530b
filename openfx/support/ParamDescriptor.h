#pragma once
// Parameter descriptors: the definition-time side of every parameter kind the
// framework declares. Each wraps the property set the host returned from
// paramDefine; the setters write those properties.

#include "openfx/support/Enums.h"
#include "openfx/support/PropertySet.h"

#include "openfx/include/ofxParam.h"

#include <string>

namespace OFX {

class GroupParamDescriptor;

class ParamDescriptor {
 public:
  ParamDescriptor(const std::string& name, ParamTypeEnum type, OfxPropertySetHandle props);
  virtual ~ParamDescriptor() = default;
  ParamDescriptor(const ParamDescriptor&) = delete;
  ParamDescriptor& operator=(const ParamDescriptor&) = delete;

  const std::string& getName() const { return name_; }
  ParamTypeEnum getType() const { return type_; }
  PropertySet& getPropertySet() { return props_; }

  void setLabel(const std::string& label);
  void setShortLabel(const std::string& label);
  void setLongLabel(const std::string& label);
  void setLabels(const std::string& label, const std::string& shortLabel, const std::string& longLabel);
  // Virtual because a choice parameter keeps the lines its option labels add.
  virtual void setHint(const std::string& hint);
  void setScriptName(const std::string& name);
  void setIsSecret(bool secret);
  void setEnabled(bool enabled);
  void setParent(const GroupParamDescriptor& group);
  // Layout hints are an OpenFX 1.4 addition; a host that does not know them ignores them.
  void setLayoutHint(LayoutHintEnum hint, int padWidth = 0);

 protected:
  std::string name_;
  ParamTypeEnum type_;
  PropertySet props_;
};

// Parameters that hold a value.
class ValueParamDescriptor : public ParamDescriptor {
 public:
  using ParamDescriptor::ParamDescriptor;
  void setAnimates(bool animates);
  void setIsPersistant(bool persistant);
  void setEvaluateOnChange(bool evaluate);
  void setCanUndo(bool canUndo);
};

class DoubleParamDescriptor : public ValueParamDescriptor {
 public:
  DoubleParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eDoubleParam, props) {}
  void setDefault(double value);
  void setRange(double min, double max);
  void setDisplayRange(double min, double max);
  void setIncrement(double increment);
  void setDigits(int digits);
  void setDoubleType(DoubleTypeEnum type);
};

class IntParamDescriptor : public ValueParamDescriptor {
 public:
  IntParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eIntParam, props) {}
  void setDefault(int value);
  void setRange(int min, int max);
  void setDisplayRange(int min, int max);
};

class Int2DParamDescriptor : public ValueParamDescriptor {
 public:
  Int2DParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eInt2DParam, props) {}
  void setDefault(int x, int y);
  void setRange(int minX, int minY, int maxX, int maxY);
  void setDisplayRange(int minX, int minY, int maxX, int maxY);
};

class Double2DParamDescriptor : public ValueParamDescriptor {
 public:
  Double2DParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eDouble2DParam, props) {}
  void setDefault(double x, double y);
  void setRange(double minX, double minY, double maxX, double maxY);
  void setDisplayRange(double minX, double minY, double maxX, double maxY);
  void setIncrement(double increment);
  void setDigits(int digits);
  void setDoubleType(DoubleTypeEnum type);
  void setDefaultCoordinateSystem(CoordinateSystemEnum system);
};

class Double3DParamDescriptor : public ValueParamDescriptor {
 public:
  Double3DParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eDouble3DParam, props) {}
  void setDefault(double x, double y, double z);
  void setRange(double minX, double minY, double minZ, double maxX, double maxY, double maxZ);
  void setDisplayRange(double minX, double minY, double minZ, double maxX, double maxY, double maxZ);
  void setIncrement(double increment);
  void setDigits(int digits);
  void setDoubleType(DoubleTypeEnum type);
};

class RGBParamDescriptor : public ValueParamDescriptor {
 public:
  RGBParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eRGBParam, props) {}
  void setDefault(double r, double g, double b);
};

class RGBAParamDescriptor : public ValueParamDescriptor {
 public:
  RGBAParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eRGBAParam, props) {}
  void setDefault(double r, double g, double b, double a);
};

class BooleanParamDescriptor : public ValueParamDescriptor {
 public:
  BooleanParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eBooleanParam, props) {}
  void setDefault(bool value);
};

class StringParamDescriptor : public ValueParamDescriptor {
 public:
  StringParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ValueParamDescriptor(name, eStringParam, props) {}
  void setDefault(const std::string& value);
  void setStringType(StringTypeEnum type);
  void setFilePathExists(bool mustExist);
};

class PushButtonParamDescriptor : public ParamDescriptor {
 public:
  PushButtonParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ParamDescriptor(name, ePushButtonParam, props) {}
};

class GroupParamDescriptor : public ParamDescriptor {
 public:
  GroupParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ParamDescriptor(name, eGroupParam, props) {}
  void setOpen(bool open);
};

class PageParamDescriptor : public ParamDescriptor {
 public:
  PageParamDescriptor(const std::string& name, OfxPropertySetHandle props)
      : ParamDescriptor(name, ePageParam, props) {}
  // Appends the parameter (or group) to the page's children, in call order.
  void addChild(const ParamDescriptor& param);
};

class ParametricParamDescriptor : public ValueParamDescriptor {
 public:
  // Control points go through the parametric suite, which needs the
  // parameter's handle in the descriptor parameter set.
  ParametricParamDescriptor(const std::string& name, OfxPropertySetHandle props, OfxParamSetHandle paramSet)
      : ValueParamDescriptor(name, eParametricParam, props), paramSet_(paramSet) {}
  void setDimension(int dimension);
  void setRange(double min, double max);
  void setDimensionLabel(const std::string& label, int curveIndex);
  // Throws Exception::HostInadequate when the host has no parametric suite.
  void addControlPoint(int curveIndex, OfxTime time, double x, double y, bool addKey);

 private:
  OfxParamSetHandle paramSet_;
};

}  // namespace OFX
