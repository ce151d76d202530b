#pragma once
// Parameters and parameter sets, for descriptors (properties only) and instances
// (properties plus values). An instance parameter's value changes either from the
// host side (a user edit) or through the parameter suite (a plug-in edit); both go
// through a listener so the effect instance can send the change notification.

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "host/HandleRegistry.h"
#include "host/PropertySet.h"
#include "ofxParam.h"
#include "ofxParametricParam.h"

namespace ofxhost {

enum class ParamKind {
  Double, Int, Boolean, Choice, StrChoice, RGB, RGBA, Double2D, Double3D, Int2D, Int3D,
  String, Custom, Bytes, PushButton, Group, Page, Parametric, Unknown
};

ParamKind paramKindFromType(const std::string &ofxType);
// Short kind names used in listings: "double", "int", "bool", "choice", "rgb", "rgba", "double2d", ...
const char *paramKindName(ParamKind kind);
// Number of numeric values a kind holds (0 for text and valueless kinds).
int numericDimension(ParamKind kind);
bool isIntegerValued(ParamKind kind);
bool isTextValued(ParamKind kind);

// One curve of a parametric parameter: control points (position, value) in the order kept by the host.
struct Curve {
  std::vector<std::pair<double, double>> points;
};

class ParamSet;
class Param;

// Told about every value change of an instance's parameters.
class ParamChangeListener {
 public:
  virtual ~ParamChangeListener() = default;
  virtual void paramChangedByPlugin(Param &param, double time) = 0;
  virtual double currentTime() const = 0;
};

class Param {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::Param;

  Param(ParamSet &owner, std::string name, std::string ofxType);
  Param(const Param &) = delete;
  Param &operator=(const Param &) = delete;

  OfxParamHandle handle() { return reinterpret_cast<OfxParamHandle>(this); }
  const std::string &name() const { return name_; }
  const std::string &ofxType() const { return type_; }
  ParamKind kind() const { return kind_; }
  PropertySet &props() { return props_; }
  const PropertySet &props() const { return props_; }
  ParamSet &owner() { return owner_; }

  // Values (meaningful on instances). Numbers: numericDimension(kind) entries; text for string kinds.
  std::vector<double> numbers() const;
  std::string text() const;
  void storeNumbers(std::vector<double> values);  // clamps to the hard range, no notification
  void storeText(std::string value);
  // Pointer to the stored text, valid until the next change (what paramGetValue hands out).
  const char *textPointer() const;

  // Initialise the value from the descriptor's default property.
  void resetToDefault();

  std::vector<Curve> curves() const;
  std::vector<Curve> &curvesLocked() { return curves_; }
  std::mutex &valueMutex() const { return valueMutex_; }

 private:
  HandleRegistration registration_;
  ParamSet &owner_;
  std::string name_;
  std::string type_;
  ParamKind kind_;
  PropertySet props_;
  mutable std::mutex valueMutex_;
  std::vector<double> numbers_;
  std::string text_;
  std::vector<Curve> curves_;
};

// The paramEditBegin/End calls received, in order, for tests to inspect.
struct EditBlockEvent {
  bool begin = false;
  std::string name;  // the name given to paramEditBegin; empty for an end
  OfxStatus status = kOfxStatOK;
};

class ParamSet {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::ParamSet;

  ParamSet();
  ParamSet(const ParamSet &) = delete;
  ParamSet &operator=(const ParamSet &) = delete;

  OfxParamSetHandle handle() { return reinterpret_cast<OfxParamSetHandle>(this); }
  PropertySet &props() { return props_; }

  // Defines a parameter with the host's default properties for its type; null when the name is taken.
  Param *define(const std::string &ofxType, const std::string &name);
  Param *find(const std::string &name);
  const Param *find(const std::string &name) const;
  const std::vector<std::unique_ptr<Param>> &params() const { return params_; }

  // Builds instance parameters from a descriptor's: same properties, values at their defaults, same curves.
  void instantiateFrom(const ParamSet &descriptor);

  void setListener(ParamChangeListener *listener) { listener_ = listener; }
  ParamChangeListener *listener() const { return listener_; }

  OfxStatus editBegin(const char *name);
  OfxStatus editEnd();
  std::vector<EditBlockEvent> editEvents() const;
  bool editOpen() const;

 private:
  HandleRegistration registration_;
  PropertySet props_;
  std::vector<std::unique_ptr<Param>> params_;
  ParamChangeListener *listener_ = nullptr;
  mutable std::mutex editMutex_;
  bool editOpen_ = false;
  std::vector<EditBlockEvent> editEvents_;
};

const OfxParameterSuiteV1 *parameterSuite();
const OfxParametricParameterSuiteV1 *parametricSuite();

}  // namespace ofxhost
