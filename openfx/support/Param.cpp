#include "openfx/support/Param.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

namespace OFX {
namespace {

const OfxParameterSuiteV1& suite() { return Private::paramSuite(); }

}  // namespace

Param::Param(const std::string& name, ParamTypeEnum type, OfxParamHandle handle, OfxPropertySetHandle props)
    : name_(name), type_(type), handle_(handle), props_(props) {}

void Param::check(OfxStatus status, const char* operation) const {
  if (status != kOfxStatOK) throwSuiteStatusException(status, std::string(operation) + " of parameter " + name_);
}

std::string Param::getLabel() const { return props_.propGetString(kOfxPropLabel); }
std::string Param::getHint() const { return props_.propGetString(kOfxParamPropHint); }
bool Param::getIsSecret() const { return props_.propGetInt(kOfxParamPropSecret) != 0; }
bool Param::getIsEnable() const { return props_.propGetInt(kOfxParamPropEnabled) != 0; }
void Param::setLabel(const std::string& label) { props_.propSetString(kOfxPropLabel, label); }
void Param::setHint(const std::string& hint) { props_.propSetString(kOfxParamPropHint, hint); }
void Param::setIsSecret(bool secret) { props_.propSetInt(kOfxParamPropSecret, secret ? 1 : 0); }
void Param::setEnabled(bool enabled) { props_.propSetInt(kOfxParamPropEnabled, enabled ? 1 : 0); }

// --- double

void DoubleParam::getValue(double& value) const { check(suite().paramGetValue(handle_, &value), "reading"); }
double DoubleParam::getValue() const {
  double value = 0.0;
  getValue(value);
  return value;
}
void DoubleParam::getValueAtTime(double time, double& value) const {
  check(suite().paramGetValueAtTime(handle_, time, &value), "reading");
}
double DoubleParam::getValueAtTime(double time) const {
  double value = 0.0;
  getValueAtTime(time, value);
  return value;
}
void DoubleParam::setValue(double value) { check(suite().paramSetValue(handle_, value), "setting"); }
void DoubleParam::setValueAtTime(double time, double value) {
  check(suite().paramSetValueAtTime(handle_, time, value), "setting");
}

// --- int

void IntParam::getValue(int& value) const { check(suite().paramGetValue(handle_, &value), "reading"); }
int IntParam::getValue() const {
  int value = 0;
  getValue(value);
  return value;
}
void IntParam::getValueAtTime(double time, int& value) const {
  check(suite().paramGetValueAtTime(handle_, time, &value), "reading");
}
int IntParam::getValueAtTime(double time) const {
  int value = 0;
  getValueAtTime(time, value);
  return value;
}
void IntParam::setValue(int value) { check(suite().paramSetValue(handle_, value), "setting"); }
void IntParam::setValueAtTime(double time, int value) {
  check(suite().paramSetValueAtTime(handle_, time, value), "setting");
}

// --- boolean (an int in the C API)

void BooleanParam::getValue(bool& value) const {
  int raw = 0;
  check(suite().paramGetValue(handle_, &raw), "reading");
  value = raw != 0;
}
bool BooleanParam::getValue() const {
  bool value = false;
  getValue(value);
  return value;
}
void BooleanParam::getValueAtTime(double time, bool& value) const {
  int raw = 0;
  check(suite().paramGetValueAtTime(handle_, time, &raw), "reading");
  value = raw != 0;
}
bool BooleanParam::getValueAtTime(double time) const {
  bool value = false;
  getValueAtTime(time, value);
  return value;
}
void BooleanParam::setValue(bool value) { check(suite().paramSetValue(handle_, value ? 1 : 0), "setting"); }
void BooleanParam::setValueAtTime(double time, bool value) {
  check(suite().paramSetValueAtTime(handle_, time, value ? 1 : 0), "setting");
}

// --- choice

void ChoiceParam::getValue(int& value) const { check(suite().paramGetValue(handle_, &value), "reading"); }
int ChoiceParam::getValue() const {
  int value = 0;
  getValue(value);
  return value;
}
void ChoiceParam::getValueAtTime(double time, int& value) const {
  check(suite().paramGetValueAtTime(handle_, time, &value), "reading");
}
int ChoiceParam::getValueAtTime(double time) const {
  int value = 0;
  getValueAtTime(time, value);
  return value;
}
void ChoiceParam::setValue(int value) { check(suite().paramSetValue(handle_, value), "setting"); }
void ChoiceParam::setValueAtTime(double time, int value) {
  check(suite().paramSetValueAtTime(handle_, time, value), "setting");
}
int ChoiceParam::getOptionCount() const { return props_.propGetDimension(kOfxParamPropChoiceOption); }
std::string ChoiceParam::getOption(int index) const { return props_.propGetString(kOfxParamPropChoiceOption, index); }
void ChoiceParam::resetOptions() { props_.propReset(kOfxParamPropChoiceOption); }
void ChoiceParam::appendOption(const std::string& option, const std::string& /*label*/) {
  props_.propSetString(kOfxParamPropChoiceOption, option, getOptionCount());
}

// --- string (the host owns the returned text; it is copied at once)

void StringParam::getValue(std::string& value) const {
  char* text = nullptr;
  check(suite().paramGetValue(handle_, &text), "reading");
  value = text != nullptr ? text : "";
}
std::string StringParam::getValue() const {
  std::string value;
  getValue(value);
  return value;
}
void StringParam::getValueAtTime(double time, std::string& value) const {
  char* text = nullptr;
  check(suite().paramGetValueAtTime(handle_, time, &text), "reading");
  value = text != nullptr ? text : "";
}
std::string StringParam::getValueAtTime(double time) const {
  std::string value;
  getValueAtTime(time, value);
  return value;
}
void StringParam::setValue(const std::string& value) {
  check(suite().paramSetValue(handle_, value.c_str()), "setting");
}
void StringParam::setValueAtTime(double time, const std::string& value) {
  check(suite().paramSetValueAtTime(handle_, time, value.c_str()), "setting");
}

// --- double 2D and 3D, int 2D

void Double2DParam::getValue(double& x, double& y) const {
  check(suite().paramGetValue(handle_, &x, &y), "reading");
}
OfxPointD Double2DParam::getValue() const {
  OfxPointD value{0.0, 0.0};
  getValue(value.x, value.y);
  return value;
}
void Double2DParam::getValueAtTime(double time, double& x, double& y) const {
  check(suite().paramGetValueAtTime(handle_, time, &x, &y), "reading");
}
OfxPointD Double2DParam::getValueAtTime(double time) const {
  OfxPointD value{0.0, 0.0};
  getValueAtTime(time, value.x, value.y);
  return value;
}
void Double2DParam::setValue(double x, double y) { check(suite().paramSetValue(handle_, x, y), "setting"); }
void Double2DParam::setValueAtTime(double time, double x, double y) {
  check(suite().paramSetValueAtTime(handle_, time, x, y), "setting");
}

void Double3DParam::getValue(double& x, double& y, double& z) const {
  check(suite().paramGetValue(handle_, &x, &y, &z), "reading");
}
void Double3DParam::getValueAtTime(double time, double& x, double& y, double& z) const {
  check(suite().paramGetValueAtTime(handle_, time, &x, &y, &z), "reading");
}
void Double3DParam::setValue(double x, double y, double z) {
  check(suite().paramSetValue(handle_, x, y, z), "setting");
}
void Double3DParam::setValueAtTime(double time, double x, double y, double z) {
  check(suite().paramSetValueAtTime(handle_, time, x, y, z), "setting");
}

void Int2DParam::getValue(int& x, int& y) const { check(suite().paramGetValue(handle_, &x, &y), "reading"); }
OfxPointI Int2DParam::getValue() const {
  OfxPointI value{0, 0};
  getValue(value.x, value.y);
  return value;
}
void Int2DParam::getValueAtTime(double time, int& x, int& y) const {
  check(suite().paramGetValueAtTime(handle_, time, &x, &y), "reading");
}
OfxPointI Int2DParam::getValueAtTime(double time) const {
  OfxPointI value{0, 0};
  getValueAtTime(time, value.x, value.y);
  return value;
}
void Int2DParam::setValue(int x, int y) { check(suite().paramSetValue(handle_, x, y), "setting"); }
void Int2DParam::setValueAtTime(double time, int x, int y) {
  check(suite().paramSetValueAtTime(handle_, time, x, y), "setting");
}

// --- colours

void RGBParam::getValue(double& r, double& g, double& b) const {
  check(suite().paramGetValue(handle_, &r, &g, &b), "reading");
}
OfxRGBColourD RGBParam::getValue() const {
  OfxRGBColourD value{0.0, 0.0, 0.0};
  getValue(value.r, value.g, value.b);
  return value;
}
void RGBParam::getValueAtTime(double time, double& r, double& g, double& b) const {
  check(suite().paramGetValueAtTime(handle_, time, &r, &g, &b), "reading");
}
OfxRGBColourD RGBParam::getValueAtTime(double time) const {
  OfxRGBColourD value{0.0, 0.0, 0.0};
  getValueAtTime(time, value.r, value.g, value.b);
  return value;
}
void RGBParam::setValue(double r, double g, double b) { check(suite().paramSetValue(handle_, r, g, b), "setting"); }
void RGBParam::setValueAtTime(double time, double r, double g, double b) {
  check(suite().paramSetValueAtTime(handle_, time, r, g, b), "setting");
}

void RGBAParam::getValue(double& r, double& g, double& b, double& a) const {
  check(suite().paramGetValue(handle_, &r, &g, &b, &a), "reading");
}
OfxRGBAColourD RGBAParam::getValue() const {
  OfxRGBAColourD value{0.0, 0.0, 0.0, 0.0};
  getValue(value.r, value.g, value.b, value.a);
  return value;
}
void RGBAParam::getValueAtTime(double time, double& r, double& g, double& b, double& a) const {
  check(suite().paramGetValueAtTime(handle_, time, &r, &g, &b, &a), "reading");
}
OfxRGBAColourD RGBAParam::getValueAtTime(double time) const {
  OfxRGBAColourD value{0.0, 0.0, 0.0, 0.0};
  getValueAtTime(time, value.r, value.g, value.b, value.a);
  return value;
}
void RGBAParam::setValue(double r, double g, double b, double a) {
  check(suite().paramSetValue(handle_, r, g, b, a), "setting");
}
void RGBAParam::setValueAtTime(double time, double r, double g, double b, double a) {
  check(suite().paramSetValueAtTime(handle_, time, r, g, b, a), "setting");
}

bool GroupParam::getIsOpen() const { return props_.propGetInt(kOfxParamPropGroupOpen, 0, false) != 0; }

}  // namespace OFX
