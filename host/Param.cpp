#include "host/Param.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "ofxParametricParam.h"

namespace ofxhost {

namespace {

struct KindEntry {
  const char *type;
  ParamKind kind;
  const char *name;
};

const KindEntry kKinds[] = {
    {kOfxParamTypeDouble, ParamKind::Double, "double"},
    {kOfxParamTypeInteger, ParamKind::Int, "int"},
    {kOfxParamTypeBoolean, ParamKind::Boolean, "bool"},
    {kOfxParamTypeChoice, ParamKind::Choice, "choice"},
    {kOfxParamTypeStrChoice, ParamKind::StrChoice, "strchoice"},
    {kOfxParamTypeRGB, ParamKind::RGB, "rgb"},
    {kOfxParamTypeRGBA, ParamKind::RGBA, "rgba"},
    {kOfxParamTypeDouble2D, ParamKind::Double2D, "double2d"},
    {kOfxParamTypeDouble3D, ParamKind::Double3D, "double3d"},
    {kOfxParamTypeInteger2D, ParamKind::Int2D, "int2d"},
    {kOfxParamTypeInteger3D, ParamKind::Int3D, "int3d"},
    {kOfxParamTypeString, ParamKind::String, "string"},
    {kOfxParamTypeCustom, ParamKind::Custom, "custom"},
    {kOfxParamTypeBytes, ParamKind::Bytes, "bytes"},
    {kOfxParamTypePushButton, ParamKind::PushButton, "pushbutton"},
    {kOfxParamTypeGroup, ParamKind::Group, "group"},
    {kOfxParamTypePage, ParamKind::Page, "page"},
    {kOfxParamTypeParametric, ParamKind::Parametric, "parametric"},
};

// The host's default properties for a parameter of `kind`, as a descriptor starts with them.
void defineSchema(PropertySet &props, ParamKind kind, const std::string &name, const std::string &type) {
  props.defineString(kOfxPropType, 1, {kOfxTypeParameter});
  props.defineString(kOfxPropName, 1, {name});
  props.defineString(kOfxPropLabel, 1, {name});
  props.defineString(kOfxPropShortLabel, 1, {name});
  props.defineString(kOfxPropLongLabel, 1, {name});
  props.defineString(kOfxParamPropType, 1, {type});
  props.defineInt(kOfxParamPropSecret, 1, {0});
  props.defineString(kOfxParamPropHint, 1, {""});
  props.defineString(kOfxParamPropScriptName, 1, {name});
  props.defineString(kOfxParamPropParent, 1, {""});
  props.defineInt(kOfxParamPropEnabled, 1, {1});
  props.definePointer(kOfxParamPropDataPtr, 1, {nullptr});
  props.defineString(kOfxPropIcon, 2, {"", ""});

  const bool valued = kind != ParamKind::PushButton && kind != ParamKind::Group && kind != ParamKind::Page;
  if (kind != ParamKind::Group && kind != ParamKind::Page) {
    props.definePointer(kOfxParamPropInteractV1, 1, {nullptr});
    props.defineDouble(kOfxParamPropInteractSize, 2, {0.0, 0.0});
    props.defineDouble(kOfxParamPropInteractSizeAspect, 1, {1.0});
    props.defineInt(kOfxParamPropInteractMinimumSize, 2, {10, 10});
    props.defineInt(kOfxParamPropInteractPreferedSize, 2, {10, 10});
  }
  if (valued) {
    const bool animates = kind != ParamKind::String && kind != ParamKind::Boolean && kind != ParamKind::Choice &&
                          kind != ParamKind::StrChoice && kind != ParamKind::Custom && kind != ParamKind::Bytes;
    props.defineInt(kOfxParamPropAnimates, 1, {animates ? 1 : 0});
    props.defineInt(kOfxParamPropIsAnimating, 1, {0});
    props.defineInt(kOfxParamPropIsAutoKeying, 1, {0});
    props.defineInt(kOfxParamPropPersistant, 1, {1});
    props.defineInt(kOfxParamPropEvaluateOnChange, 1, {1});
    props.defineInt(kOfxParamPropPluginMayWrite, 1, {0});
    props.defineInt(kOfxParamPropCanUndo, 1, {1});
    props.defineString(kOfxParamPropCacheInvalidation, 1, {kOfxParamInvalidateValueChange});
  }

  const int dim = numericDimension(kind);
  if (dim > 0 && isIntegerValued(kind)) {
    props.defineInt(kOfxParamPropDefault, dim, std::vector<int>(dim, 0));
    if (kind != ParamKind::Boolean && kind != ParamKind::Choice) {
      props.defineInt(kOfxParamPropMin, dim, std::vector<int>(dim, INT_MIN));
      props.defineInt(kOfxParamPropMax, dim, std::vector<int>(dim, INT_MAX));
      props.defineInt(kOfxParamPropDisplayMin, dim, std::vector<int>(dim, INT_MIN));
      props.defineInt(kOfxParamPropDisplayMax, dim, std::vector<int>(dim, INT_MAX));
    }
  } else if (dim > 0) {
    const bool colour = kind == ParamKind::RGB || kind == ParamKind::RGBA;
    props.defineDouble(kOfxParamPropDefault, dim, std::vector<double>(dim, 0.0));
    props.defineDouble(kOfxParamPropMin, dim, std::vector<double>(dim, colour ? 0.0 : -DBL_MAX));
    props.defineDouble(kOfxParamPropMax, dim, std::vector<double>(dim, colour ? 1.0 : DBL_MAX));
    props.defineDouble(kOfxParamPropDisplayMin, dim, std::vector<double>(dim, colour ? 0.0 : -DBL_MAX));
    props.defineDouble(kOfxParamPropDisplayMax, dim, std::vector<double>(dim, colour ? 1.0 : DBL_MAX));
    if (!colour) {
      props.defineDouble(kOfxParamPropIncrement, 1, {1.0});
      props.defineInt(kOfxParamPropDigits, 1, {2});
      props.defineString(kOfxParamPropDoubleType, 1, {kOfxParamDoubleTypePlain});
      props.defineString(kOfxParamPropDefaultCoordinateSystem, 1, {kOfxParamCoordinatesCanonical});
    }
  }
  switch (kind) {
    case ParamKind::RGB: props.defineString(kOfxParamPropDimensionLabel, 3, {"r", "g", "b"}); break;
    case ParamKind::RGBA: props.defineString(kOfxParamPropDimensionLabel, 4, {"r", "g", "b", "a"}); break;
    case ParamKind::Double2D:
    case ParamKind::Int2D: props.defineString(kOfxParamPropDimensionLabel, 2, {"x", "y"}); break;
    case ParamKind::Double3D:
    case ParamKind::Int3D: props.defineString(kOfxParamPropDimensionLabel, 3, {"x", "y", "z"}); break;
    case ParamKind::Choice: props.defineString(kOfxParamPropChoiceOption, 0, {}); break;
    case ParamKind::StrChoice:
      props.defineString(kOfxParamPropChoiceOption, 0, {});
      props.defineString(kOfxParamPropChoiceOrder, 0, {});
      props.defineString(kOfxParamPropDefault, 1, {""});
      break;
    case ParamKind::String:
      props.defineString(kOfxParamPropDefault, 1, {""});
      props.defineString(kOfxParamPropStringMode, 1, {kOfxParamStringIsSingleLine});
      props.defineInt(kOfxParamPropStringFilePathExists, 1, {1});
      break;
    case ParamKind::Custom:
      props.defineString(kOfxParamPropDefault, 1, {""});
      props.definePointer(kOfxParamPropCustomInterpCallbackV1, 1, {nullptr});
      break;
    case ParamKind::Group: props.defineInt(kOfxParamPropGroupOpen, 1, {1}); break;
    case ParamKind::Page: props.defineString(kOfxParamPropPageChild, 0, {}); break;
    case ParamKind::Parametric:
      props.defineInt(kOfxParamPropParametricDimension, 1, {1});
      props.defineDouble(kOfxParamPropParametricUIColour, 0, {});
      props.definePointer(kOfxParamPropParametricInteractBackground, 1, {nullptr});
      props.defineDouble(kOfxParamPropParametricRange, 2, {0.0, 1.0});
      break;
    default: break;
  }
}

}  // namespace

ParamKind paramKindFromType(const std::string &ofxType) {
  for (const KindEntry &e : kKinds)
    if (ofxType == e.type) return e.kind;
  return ParamKind::Unknown;
}

const char *paramKindName(ParamKind kind) {
  for (const KindEntry &e : kKinds)
    if (e.kind == kind) return e.name;
  return "unknown";
}

int numericDimension(ParamKind kind) {
  switch (kind) {
    case ParamKind::Double:
    case ParamKind::Int:
    case ParamKind::Boolean:
    case ParamKind::Choice: return 1;
    case ParamKind::Double2D:
    case ParamKind::Int2D: return 2;
    case ParamKind::RGB:
    case ParamKind::Double3D:
    case ParamKind::Int3D: return 3;
    case ParamKind::RGBA: return 4;
    default: return 0;
  }
}

bool isIntegerValued(ParamKind kind) {
  return kind == ParamKind::Int || kind == ParamKind::Boolean || kind == ParamKind::Choice ||
         kind == ParamKind::Int2D || kind == ParamKind::Int3D;
}

bool isTextValued(ParamKind kind) {
  return kind == ParamKind::String || kind == ParamKind::Custom || kind == ParamKind::StrChoice;
}

Param::Param(ParamSet &owner, std::string name, std::string ofxType)
    : registration_(this, kHandleKind),
      owner_(owner),
      name_(std::move(name)),
      type_(std::move(ofxType)),
      kind_(paramKindFromType(type_)),
      props_(true) {
  defineSchema(props_, kind_, name_, type_);
  numbers_.assign(numericDimension(kind_), 0.0);
}

std::vector<double> Param::numbers() const {
  std::lock_guard<std::mutex> lock(valueMutex_);
  return numbers_;
}

std::string Param::text() const {
  std::lock_guard<std::mutex> lock(valueMutex_);
  return text_;
}

const char *Param::textPointer() const {
  std::lock_guard<std::mutex> lock(valueMutex_);
  return text_.c_str();
}

void Param::storeNumbers(std::vector<double> values) {
  const int dim = numericDimension(kind_);
  values.resize(dim, 0.0);
  for (int i = 0; i < dim; ++i) {
    double v = values[i];
    if (isIntegerValued(kind_)) v = std::trunc(v);
    if (kind_ == ParamKind::Boolean) v = v != 0.0 ? 1.0 : 0.0;
    if (props_.dimension(kOfxParamPropMin) > i && props_.dimension(kOfxParamPropMax) > i) {
      const bool ints = props_.type(kOfxParamPropMin) == PropType::Int;
      const double lo = ints ? props_.getInt(kOfxParamPropMin, i) : props_.getDouble(kOfxParamPropMin, i);
      const double hi = ints ? props_.getInt(kOfxParamPropMax, i) : props_.getDouble(kOfxParamPropMax, i);
      if (lo <= hi) v = std::min(std::max(v, lo), hi);
    }
    values[i] = v;
  }
  std::lock_guard<std::mutex> lock(valueMutex_);
  numbers_ = std::move(values);
}

void Param::storeText(std::string value) {
  std::lock_guard<std::mutex> lock(valueMutex_);
  text_ = std::move(value);
}

void Param::resetToDefault() {
  if (isTextValued(kind_)) {
    storeText(props_.has(kOfxParamPropDefault) && props_.type(kOfxParamPropDefault) == PropType::String
                  ? props_.getString(kOfxParamPropDefault)
                  : std::string());
    return;
  }
  const int dim = numericDimension(kind_);
  if (dim == 0 || !props_.has(kOfxParamPropDefault)) return;
  std::vector<double> values(dim, 0.0);
  if (props_.type(kOfxParamPropDefault) == PropType::Int) {
    std::vector<int> d = props_.getInts(kOfxParamPropDefault);
    for (int i = 0; i < dim && i < static_cast<int>(d.size()); ++i) values[i] = d[i];
  } else if (props_.type(kOfxParamPropDefault) == PropType::Double) {
    std::vector<double> d = props_.getDoubles(kOfxParamPropDefault);
    for (int i = 0; i < dim && i < static_cast<int>(d.size()); ++i) values[i] = d[i];
  }
  storeNumbers(values);
}

std::vector<Curve> Param::curves() const {
  std::lock_guard<std::mutex> lock(valueMutex_);
  return curves_;
}

ParamSet::ParamSet() : registration_(this, kHandleKind), props_(true) {
  props_.defineInt(kOfxPropParamSetNeedsSyncing, 1, {0});
}

Param *ParamSet::define(const std::string &ofxType, const std::string &name) {
  if (find(name) != nullptr) return nullptr;
  params_.push_back(std::make_unique<Param>(*this, name, ofxType));
  return params_.back().get();
}

Param *ParamSet::find(const std::string &name) {
  for (auto &p : params_)
    if (p->name() == name) return p.get();
  return nullptr;
}

const Param *ParamSet::find(const std::string &name) const {
  for (auto &p : params_)
    if (p->name() == name) return p.get();
  return nullptr;
}

void ParamSet::instantiateFrom(const ParamSet &descriptor) {
  props_.copyFrom(descriptor.props_);
  for (const auto &d : descriptor.params_) {
    Param *p = define(d->ofxType(), d->name());
    if (p == nullptr) continue;
    p->props().copyFrom(d->props());
    p->props().setString(kOfxPropType, kOfxTypeParameterInstance);
    p->resetToDefault();
    std::lock_guard<std::mutex> lock(p->valueMutex());
    p->curvesLocked() = d->curves();
  }
}

OfxStatus ParamSet::editBegin(const char *name) {
  std::lock_guard<std::mutex> lock(editMutex_);
  // Edit blocks do not nest: a second begin before an end is refused.
  const OfxStatus status = editOpen_ ? kOfxStatErrExists : kOfxStatOK;
  if (status == kOfxStatOK) editOpen_ = true;
  editEvents_.push_back({true, name ? name : "", status});
  return status;
}

OfxStatus ParamSet::editEnd() {
  std::lock_guard<std::mutex> lock(editMutex_);
  const OfxStatus status = editOpen_ ? kOfxStatOK : kOfxStatFailed;
  editOpen_ = false;
  editEvents_.push_back({false, "", status});
  return status;
}

std::vector<EditBlockEvent> ParamSet::editEvents() const {
  std::lock_guard<std::mutex> lock(editMutex_);
  return editEvents_;
}

bool ParamSet::editOpen() const {
  std::lock_guard<std::mutex> lock(editMutex_);
  return editOpen_;
}

}  // namespace ofxhost
