#include "openfx/support/ParamDescriptor.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

#include "openfx/include/ofxParametricParam.h"

namespace OFX {

ParamDescriptor::ParamDescriptor(const std::string& name, ParamTypeEnum type, OfxPropertySetHandle props)
    : name_(name), type_(type), props_(props) {}

void ParamDescriptor::setLabel(const std::string& label) { props_.propSetString(kOfxPropLabel, label); }
void ParamDescriptor::setShortLabel(const std::string& label) { props_.propSetString(kOfxPropShortLabel, label); }
void ParamDescriptor::setLongLabel(const std::string& label) { props_.propSetString(kOfxPropLongLabel, label); }

void ParamDescriptor::setLabels(const std::string& label, const std::string& shortLabel,
                                const std::string& longLabel) {
  setLabel(label);
  setShortLabel(shortLabel);
  setLongLabel(longLabel);
}

void ParamDescriptor::setHint(const std::string& hint) { props_.propSetString(kOfxParamPropHint, hint); }
void ParamDescriptor::setScriptName(const std::string& name) { props_.propSetString(kOfxParamPropScriptName, name); }
void ParamDescriptor::setIsSecret(bool secret) { props_.propSetInt(kOfxParamPropSecret, secret ? 1 : 0); }
void ParamDescriptor::setEnabled(bool enabled) { props_.propSetInt(kOfxParamPropEnabled, enabled ? 1 : 0); }

void ParamDescriptor::setParent(const GroupParamDescriptor& group) {
  props_.propSetString(kOfxParamPropParent, group.getName());
}

void ParamDescriptor::setLayoutHint(LayoutHintEnum hint, int padWidth) {
  props_.propSetInt(kOfxParamPropLayoutHint, static_cast<int>(hint), 0, false);
  if (padWidth > 0) props_.propSetInt(kOfxParamPropLayoutPadWidth, padWidth, 0, false);
}

void ValueParamDescriptor::setAnimates(bool animates) { props_.propSetInt(kOfxParamPropAnimates, animates ? 1 : 0); }
void ValueParamDescriptor::setIsPersistant(bool persistant) {
  props_.propSetInt(kOfxParamPropPersistant, persistant ? 1 : 0);
}
void ValueParamDescriptor::setEvaluateOnChange(bool evaluate) {
  props_.propSetInt(kOfxParamPropEvaluateOnChange, evaluate ? 1 : 0);
}
void ValueParamDescriptor::setCanUndo(bool canUndo) { props_.propSetInt(kOfxParamPropCanUndo, canUndo ? 1 : 0, 0, false); }

// --- double

void DoubleParamDescriptor::setDefault(double value) { props_.propSetDouble(kOfxParamPropDefault, value); }
void DoubleParamDescriptor::setRange(double min, double max) {
  props_.propSetDouble(kOfxParamPropMin, min);
  props_.propSetDouble(kOfxParamPropMax, max);
}
void DoubleParamDescriptor::setDisplayRange(double min, double max) {
  props_.propSetDouble(kOfxParamPropDisplayMin, min);
  props_.propSetDouble(kOfxParamPropDisplayMax, max);
}
void DoubleParamDescriptor::setIncrement(double increment) {
  props_.propSetDouble(kOfxParamPropIncrement, increment);
}
void DoubleParamDescriptor::setDigits(int digits) { props_.propSetInt(kOfxParamPropDigits, digits); }
void DoubleParamDescriptor::setDoubleType(DoubleTypeEnum type) {
  props_.propSetString(kOfxParamPropDoubleType, mapDoubleTypeEnumToString(type));
}

// --- int

void IntParamDescriptor::setDefault(int value) { props_.propSetInt(kOfxParamPropDefault, value); }
void IntParamDescriptor::setRange(int min, int max) {
  props_.propSetInt(kOfxParamPropMin, min);
  props_.propSetInt(kOfxParamPropMax, max);
}
void IntParamDescriptor::setDisplayRange(int min, int max) {
  props_.propSetInt(kOfxParamPropDisplayMin, min);
  props_.propSetInt(kOfxParamPropDisplayMax, max);
}

// --- int 2D

void Int2DParamDescriptor::setDefault(int x, int y) {
  props_.propSetInt(kOfxParamPropDefault, x, 0);
  props_.propSetInt(kOfxParamPropDefault, y, 1);
}
void Int2DParamDescriptor::setRange(int minX, int minY, int maxX, int maxY) {
  props_.propSetInt(kOfxParamPropMin, minX, 0);
  props_.propSetInt(kOfxParamPropMin, minY, 1);
  props_.propSetInt(kOfxParamPropMax, maxX, 0);
  props_.propSetInt(kOfxParamPropMax, maxY, 1);
}
void Int2DParamDescriptor::setDisplayRange(int minX, int minY, int maxX, int maxY) {
  props_.propSetInt(kOfxParamPropDisplayMin, minX, 0);
  props_.propSetInt(kOfxParamPropDisplayMin, minY, 1);
  props_.propSetInt(kOfxParamPropDisplayMax, maxX, 0);
  props_.propSetInt(kOfxParamPropDisplayMax, maxY, 1);
}

// --- double 2D

void Double2DParamDescriptor::setDefault(double x, double y) {
  props_.propSetDouble(kOfxParamPropDefault, x, 0);
  props_.propSetDouble(kOfxParamPropDefault, y, 1);
}
void Double2DParamDescriptor::setRange(double minX, double minY, double maxX, double maxY) {
  props_.propSetDouble(kOfxParamPropMin, minX, 0);
  props_.propSetDouble(kOfxParamPropMin, minY, 1);
  props_.propSetDouble(kOfxParamPropMax, maxX, 0);
  props_.propSetDouble(kOfxParamPropMax, maxY, 1);
}
void Double2DParamDescriptor::setDisplayRange(double minX, double minY, double maxX, double maxY) {
  props_.propSetDouble(kOfxParamPropDisplayMin, minX, 0);
  props_.propSetDouble(kOfxParamPropDisplayMin, minY, 1);
  props_.propSetDouble(kOfxParamPropDisplayMax, maxX, 0);
  props_.propSetDouble(kOfxParamPropDisplayMax, maxY, 1);
}
void Double2DParamDescriptor::setIncrement(double increment) {
  props_.propSetDouble(kOfxParamPropIncrement, increment);
}
void Double2DParamDescriptor::setDigits(int digits) { props_.propSetInt(kOfxParamPropDigits, digits); }
void Double2DParamDescriptor::setDoubleType(DoubleTypeEnum type) {
  props_.propSetString(kOfxParamPropDoubleType, mapDoubleTypeEnumToString(type));
}
void Double2DParamDescriptor::setDefaultCoordinateSystem(CoordinateSystemEnum system) {
  props_.propSetString(kOfxParamPropDefaultCoordinateSystem, mapCoordinateSystemEnumToString(system));
}

// --- double 3D

void Double3DParamDescriptor::setDefault(double x, double y, double z) {
  props_.propSetDouble(kOfxParamPropDefault, x, 0);
  props_.propSetDouble(kOfxParamPropDefault, y, 1);
  props_.propSetDouble(kOfxParamPropDefault, z, 2);
}
void Double3DParamDescriptor::setRange(double minX, double minY, double minZ, double maxX, double maxY,
                                       double maxZ) {
  props_.propSetDouble(kOfxParamPropMin, minX, 0);
  props_.propSetDouble(kOfxParamPropMin, minY, 1);
  props_.propSetDouble(kOfxParamPropMin, minZ, 2);
  props_.propSetDouble(kOfxParamPropMax, maxX, 0);
  props_.propSetDouble(kOfxParamPropMax, maxY, 1);
  props_.propSetDouble(kOfxParamPropMax, maxZ, 2);
}
void Double3DParamDescriptor::setDisplayRange(double minX, double minY, double minZ, double maxX, double maxY,
                                              double maxZ) {
  props_.propSetDouble(kOfxParamPropDisplayMin, minX, 0);
  props_.propSetDouble(kOfxParamPropDisplayMin, minY, 1);
  props_.propSetDouble(kOfxParamPropDisplayMin, minZ, 2);
  props_.propSetDouble(kOfxParamPropDisplayMax, maxX, 0);
  props_.propSetDouble(kOfxParamPropDisplayMax, maxY, 1);
  props_.propSetDouble(kOfxParamPropDisplayMax, maxZ, 2);
}
void Double3DParamDescriptor::setIncrement(double increment) {
  props_.propSetDouble(kOfxParamPropIncrement, increment);
}
void Double3DParamDescriptor::setDigits(int digits) { props_.propSetInt(kOfxParamPropDigits, digits); }
void Double3DParamDescriptor::setDoubleType(DoubleTypeEnum type) {
  props_.propSetString(kOfxParamPropDoubleType, mapDoubleTypeEnumToString(type));
}

// --- colours, boolean, string

void RGBParamDescriptor::setDefault(double r, double g, double b) {
  props_.propSetDouble(kOfxParamPropDefault, r, 0);
  props_.propSetDouble(kOfxParamPropDefault, g, 1);
  props_.propSetDouble(kOfxParamPropDefault, b, 2);
}

void RGBAParamDescriptor::setDefault(double r, double g, double b, double a) {
  props_.propSetDouble(kOfxParamPropDefault, r, 0);
  props_.propSetDouble(kOfxParamPropDefault, g, 1);
  props_.propSetDouble(kOfxParamPropDefault, b, 2);
  props_.propSetDouble(kOfxParamPropDefault, a, 3);
}

void BooleanParamDescriptor::setDefault(bool value) { props_.propSetInt(kOfxParamPropDefault, value ? 1 : 0); }

void StringParamDescriptor::setDefault(const std::string& value) {
  props_.propSetString(kOfxParamPropDefault, value);
}
void StringParamDescriptor::setStringType(StringTypeEnum type) {
  props_.propSetString(kOfxParamPropStringMode, mapStringTypeEnumToString(type));
}
void StringParamDescriptor::setFilePathExists(bool mustExist) {
  props_.propSetInt(kOfxParamPropStringFilePathExists, mustExist ? 1 : 0);
}

// --- group, page

void GroupParamDescriptor::setOpen(bool open) { props_.propSetInt(kOfxParamPropGroupOpen, open ? 1 : 0); }

void PageParamDescriptor::addChild(const ParamDescriptor& param) {
  const int index = props_.propGetDimension(kOfxParamPropPageChild, false);
  props_.propSetString(kOfxParamPropPageChild, param.getName(), index);
}

// --- parametric

void ParametricParamDescriptor::setDimension(int dimension) {
  props_.propSetInt(kOfxParamPropParametricDimension, dimension);
}
void ParametricParamDescriptor::setRange(double min, double max) {
  props_.propSetDouble(kOfxParamPropParametricRange, min, 0);
  props_.propSetDouble(kOfxParamPropParametricRange, max, 1);
}
void ParametricParamDescriptor::setDimensionLabel(const std::string& label, int curveIndex) {
  props_.propSetString(kOfxParamPropDimensionLabel, label, curveIndex);
}

void ParametricParamDescriptor::addControlPoint(int curveIndex, OfxTime time, double x, double y, bool addKey) {
  if (Private::gParametricParamSuite == nullptr) throwHostMissingSuiteException(kOfxParametricParameterSuite);
  OfxParamHandle handle = nullptr;
  const OfxStatus found = Private::paramSuite().paramGetHandle(paramSet_, name_.c_str(), &handle, nullptr);
  if (found != kOfxStatOK || handle == nullptr)
    throwSuiteStatusException(found != kOfxStatOK ? found : kOfxStatErrBadHandle, "parametric parameter " + name_);
  const OfxStatus added =
      Private::gParametricParamSuite->parametricParamAddControlPoint(handle, curveIndex, time, x, y, addKey);
  if (added != kOfxStatOK) throwSuiteStatusException(added, "control point of " + name_);
}

}  // namespace OFX
