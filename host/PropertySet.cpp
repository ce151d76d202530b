#include "host/PropertySet.h"

#include <cstdio>
#include <sstream>

#include "host/HostError.h"

namespace ofxhost {

const char *propTypeName(PropType type) {
  switch (type) {
    case PropType::Pointer: return "pointer";
    case PropType::String: return "string";
    case PropType::Double: return "double";
    case PropType::Int: return "int";
  }
  return "?";
}

int PropertySet::Property::size() const {
  switch (type) {
    case PropType::Pointer: return static_cast<int>(pointers.size());
    case PropType::String: return static_cast<int>(strings.size());
    case PropType::Double: return static_cast<int>(doubles.size());
    case PropType::Int: return static_cast<int>(ints.size());
  }
  return 0;
}

void PropertySet::Property::resize(int n) {
  switch (type) {
    case PropType::Pointer: pointers.resize(n, nullptr); break;
    case PropType::String: strings.resize(n); break;
    case PropType::Double: doubles.resize(n, 0.0); break;
    case PropType::Int: ints.resize(n, 0); break;
  }
}

void PropertySet::Property::restoreDefaults() {
  ints = defaultInts;
  doubles = defaultDoubles;
  strings = defaultStrings;
  pointers = defaultPointers;
}

PropertySet::PropertySet(bool open) : registration_(this, kHandleKind), open_(open) {}

PropertySet::Property &PropertySet::defineLocked(const std::string &name, PropType type, int dimension) {
  auto it = properties_.find(name);
  if (it == properties_.end()) {
    order_.push_back(name);
    it = properties_.emplace(name, Property{}).first;
  }
  Property &p = it->second;
  p = Property{};
  p.type = type;
  p.fixedDimension = dimension;
  return p;
}

void PropertySet::defineInt(const std::string &name, int dimension, std::vector<int> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  Property &p = defineLocked(name, PropType::Int, dimension);
  p.ints = p.defaultInts = std::move(values);
}

void PropertySet::defineDouble(const std::string &name, int dimension, std::vector<double> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  Property &p = defineLocked(name, PropType::Double, dimension);
  p.doubles = p.defaultDoubles = std::move(values);
}

void PropertySet::defineString(const std::string &name, int dimension, std::vector<std::string> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  Property &p = defineLocked(name, PropType::String, dimension);
  p.strings = p.defaultStrings = std::move(values);
}

void PropertySet::definePointer(const std::string &name, int dimension, std::vector<void *> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  Property &p = defineLocked(name, PropType::Pointer, dimension);
  p.pointers = p.defaultPointers = std::move(values);
}

void PropertySet::copyFrom(const PropertySet &other) {
  if (&other == this) return;
  std::scoped_lock lock(mutex_, other.mutex_);
  for (const std::string &name : other.order_) {
    if (properties_.find(name) == properties_.end()) order_.push_back(name);
    properties_[name] = other.properties_.at(name);
  }
}

bool PropertySet::has(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return properties_.count(name) != 0;
}

std::vector<std::string> PropertySet::names() const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return order_;
}

int PropertySet::dimension(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  return it == properties_.end() ? -1 : it->second.size();
}

PropType PropertySet::type(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end()) throw HostError("unknown property " + name);
  return it->second.type;
}

const PropertySet::Property &PropertySet::require(const std::string &name, PropType type) const {
  auto it = properties_.find(name);
  if (it == properties_.end()) throw HostError("unknown property " + name);
  if (it->second.type != type)
    throw HostError("property " + name + " is of type " + propTypeName(it->second.type) + ", not " +
                    propTypeName(type));
  return it->second;
}

namespace {
template <class T>
const T &at(const std::vector<T> &values, const std::string &name, int index) {
  if (index < 0 || index >= static_cast<int>(values.size()))
    throw HostError("property " + name + " has no index " + std::to_string(index));
  return values[index];
}
}  // namespace

int PropertySet::getInt(const std::string &name, int index) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return at(require(name, PropType::Int).ints, name, index);
}

double PropertySet::getDouble(const std::string &name, int index) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return at(require(name, PropType::Double).doubles, name, index);
}

std::string PropertySet::getString(const std::string &name, int index) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return at(require(name, PropType::String).strings, name, index);
}

void *PropertySet::getPointer(const std::string &name, int index) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return at(require(name, PropType::Pointer).pointers, name, index);
}

std::vector<int> PropertySet::getInts(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return require(name, PropType::Int).ints;
}

std::vector<double> PropertySet::getDoubles(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return require(name, PropType::Double).doubles;
}

std::vector<std::string> PropertySet::getStrings(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return require(name, PropType::String).strings;
}

void PropertySet::setInts(const std::string &name, std::vector<int> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end() || it->second.type != PropType::Int) {
    defineInt(name, 0, std::move(values));
    return;
  }
  it->second.ints = std::move(values);
}

void PropertySet::setDoubles(const std::string &name, std::vector<double> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end() || it->second.type != PropType::Double) {
    defineDouble(name, 0, std::move(values));
    return;
  }
  it->second.doubles = std::move(values);
}

void PropertySet::setStrings(const std::string &name, std::vector<std::string> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end() || it->second.type != PropType::String) {
    defineString(name, 0, std::move(values));
    return;
  }
  it->second.strings = std::move(values);
}

void PropertySet::setPointers(const std::string &name, std::vector<void *> values) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end() || it->second.type != PropType::Pointer) {
    definePointer(name, 0, std::move(values));
    return;
  }
  it->second.pointers = std::move(values);
}

std::string PropertySet::valueText(const std::string &name) const {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end()) return "";
  const Property &p = it->second;
  std::ostringstream out;
  for (int i = 0; i < p.size(); ++i) {
    if (i) out << ", ";
    switch (p.type) {
      case PropType::Int: out << p.ints[i]; break;
      case PropType::Double: out << p.doubles[i]; break;
      case PropType::String: out << '"' << p.strings[i] << '"'; break;
      case PropType::Pointer: out << p.pointers[i]; break;
    }
  }
  return out.str();
}

void PropertySet::assign(Property &p, int index, const void *value) {
  switch (p.type) {
    case PropType::Int: p.ints[index] = *static_cast<const int *>(value); break;
    case PropType::Double: p.doubles[index] = *static_cast<const double *>(value); break;
    case PropType::String: {
      const char *text = *static_cast<const char *const *>(value);
      p.strings[index] = text ? text : "";
      break;
    }
    case PropType::Pointer: p.pointers[index] = *static_cast<void *const *>(value); break;
  }
}

void PropertySet::read(const Property &p, int index, void *value) {
  switch (p.type) {
    case PropType::Int: *static_cast<int *>(value) = p.ints[index]; break;
    case PropType::Double: *static_cast<double *>(value) = p.doubles[index]; break;
    // The plug-in receives a pointer into the set's storage, valid until the property changes.
    case PropType::String: *static_cast<char **>(value) = const_cast<char *>(p.strings[index].c_str()); break;
    case PropType::Pointer: *static_cast<void **>(value) = p.pointers[index]; break;
  }
}

OfxStatus PropertySet::suiteSet(const char *name, PropType type, int index, const void *value) {
  if (name == nullptr) return kOfxStatErrUnknown;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end()) {
    if (!open_) return kOfxStatErrUnknown;
    Property &p = defineLocked(name, type, 0);
    it = properties_.find(name);
    (void)p;
  }
  Property &p = it->second;
  if (p.type != type) return kOfxStatErrValue;
  if (index < 0) return kOfxStatErrBadIndex;
  if (p.fixedDimension > 0 && index >= p.fixedDimension) return kOfxStatErrBadIndex;
  // Variable-dimension properties grow to take a value at or past their end (how options are appended).
  if (index >= p.size()) p.resize(index + 1);
  assign(p, index, value);
  return kOfxStatOK;
}

OfxStatus PropertySet::suiteSetN(const char *name, PropType type, int count, const void *values) {
  if (name == nullptr) return kOfxStatErrUnknown;
  if (count < 0) return kOfxStatErrBadIndex;
  if (count > 0 && values == nullptr) return kOfxStatErrValue;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end()) {
    if (!open_) return kOfxStatErrUnknown;
    defineLocked(name, type, 0);
    it = properties_.find(name);
  }
  Property &p = it->second;
  if (p.type != type) return kOfxStatErrValue;
  if (p.fixedDimension > 0 && count > p.fixedDimension) return kOfxStatErrBadIndex;
  if (p.fixedDimension == 0) p.resize(count);
  for (int i = 0; i < count; ++i) {
    switch (type) {
      case PropType::Int: assign(p, i, static_cast<const int *>(values) + i); break;
      case PropType::Double: assign(p, i, static_cast<const double *>(values) + i); break;
      case PropType::String: assign(p, i, static_cast<const char *const *>(values) + i); break;
      case PropType::Pointer: assign(p, i, static_cast<void *const *>(values) + i); break;
    }
  }
  return kOfxStatOK;
}

OfxStatus PropertySet::suiteGet(const char *name, PropType type, int index, void *value) {
  if (name == nullptr) return kOfxStatErrUnknown;
  if (value == nullptr) return kOfxStatErrValue;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end() || it->second.type != type) return kOfxStatErrUnknown;
  if (index < 0 || index >= it->second.size()) return kOfxStatErrBadIndex;
  read(it->second, index, value);
  return kOfxStatOK;
}

OfxStatus PropertySet::suiteGetN(const char *name, PropType type, int count, void *values) {
  if (name == nullptr) return kOfxStatErrUnknown;
  if (count < 0) return kOfxStatErrBadIndex;
  if (count > 0 && values == nullptr) return kOfxStatErrValue;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end() || it->second.type != type) return kOfxStatErrUnknown;
  if (count > it->second.size()) return kOfxStatErrBadIndex;
  for (int i = 0; i < count; ++i) {
    switch (type) {
      case PropType::Int: read(it->second, i, static_cast<int *>(values) + i); break;
      case PropType::Double: read(it->second, i, static_cast<double *>(values) + i); break;
      case PropType::String: read(it->second, i, static_cast<char **>(values) + i); break;
      case PropType::Pointer: read(it->second, i, static_cast<void **>(values) + i); break;
    }
  }
  return kOfxStatOK;
}

OfxStatus PropertySet::suiteReset(const char *name) {
  if (name == nullptr) return kOfxStatErrUnknown;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end()) return kOfxStatErrUnknown;
  it->second.restoreDefaults();
  return kOfxStatOK;
}

OfxStatus PropertySet::suiteGetDimension(const char *name, int *count) {
  if (name == nullptr) return kOfxStatErrUnknown;
  if (count == nullptr) return kOfxStatErrValue;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = properties_.find(name);
  if (it == properties_.end()) return kOfxStatErrUnknown;
  *count = it->second.size();
  return kOfxStatOK;
}

// ---- the C suite ----------------------------------------------------------------

namespace {

#define WITH_SET(handle, call)                                      \
  PropertySet *set = PropertySet::fromHandle(handle);               \
  if (set == nullptr) return kOfxStatErrBadHandle;                  \
  return set->call

OfxStatus propSetPointer(OfxPropertySetHandle h, const char *p, int i, void *v) { WITH_SET(h, suiteSet(p, PropType::Pointer, i, &v)); }
OfxStatus propSetString(OfxPropertySetHandle h, const char *p, int i, const char *v) { WITH_SET(h, suiteSet(p, PropType::String, i, &v)); }
OfxStatus propSetDouble(OfxPropertySetHandle h, const char *p, int i, double v) { WITH_SET(h, suiteSet(p, PropType::Double, i, &v)); }
OfxStatus propSetInt(OfxPropertySetHandle h, const char *p, int i, int v) { WITH_SET(h, suiteSet(p, PropType::Int, i, &v)); }
OfxStatus propSetPointerN(OfxPropertySetHandle h, const char *p, int n, void *const *v) { WITH_SET(h, suiteSetN(p, PropType::Pointer, n, v)); }
OfxStatus propSetStringN(OfxPropertySetHandle h, const char *p, int n, const char *const *v) { WITH_SET(h, suiteSetN(p, PropType::String, n, v)); }
OfxStatus propSetDoubleN(OfxPropertySetHandle h, const char *p, int n, const double *v) { WITH_SET(h, suiteSetN(p, PropType::Double, n, v)); }
OfxStatus propSetIntN(OfxPropertySetHandle h, const char *p, int n, const int *v) { WITH_SET(h, suiteSetN(p, PropType::Int, n, v)); }
OfxStatus propGetPointer(OfxPropertySetHandle h, const char *p, int i, void **v) { WITH_SET(h, suiteGet(p, PropType::Pointer, i, v)); }
OfxStatus propGetString(OfxPropertySetHandle h, const char *p, int i, char **v) { WITH_SET(h, suiteGet(p, PropType::String, i, v)); }
OfxStatus propGetDouble(OfxPropertySetHandle h, const char *p, int i, double *v) { WITH_SET(h, suiteGet(p, PropType::Double, i, v)); }
OfxStatus propGetInt(OfxPropertySetHandle h, const char *p, int i, int *v) { WITH_SET(h, suiteGet(p, PropType::Int, i, v)); }
OfxStatus propGetPointerN(OfxPropertySetHandle h, const char *p, int n, void **v) { WITH_SET(h, suiteGetN(p, PropType::Pointer, n, v)); }
OfxStatus propGetStringN(OfxPropertySetHandle h, const char *p, int n, char **v) { WITH_SET(h, suiteGetN(p, PropType::String, n, v)); }
OfxStatus propGetDoubleN(OfxPropertySetHandle h, const char *p, int n, double *v) { WITH_SET(h, suiteGetN(p, PropType::Double, n, v)); }
OfxStatus propGetIntN(OfxPropertySetHandle h, const char *p, int n, int *v) { WITH_SET(h, suiteGetN(p, PropType::Int, n, v)); }
OfxStatus propReset(OfxPropertySetHandle h, const char *p) { WITH_SET(h, suiteReset(p)); }
OfxStatus propGetDimension(OfxPropertySetHandle h, const char *p, int *n) { WITH_SET(h, suiteGetDimension(p, n)); }

#undef WITH_SET

const OfxPropertySuiteV1 kPropertySuite = {
    propSetPointer,  propSetString,  propSetDouble,  propSetInt,  propSetPointerN,  propSetStringN,
    propSetDoubleN,  propSetIntN,    propGetPointer, propGetString, propGetDouble,  propGetInt,
    propGetPointerN, propGetStringN, propGetDoubleN, propGetIntN, propReset,       propGetDimension};

}  // namespace

const OfxPropertySuiteV1 *propertySuite() { return &kPropertySuite; }

}  // namespace ofxhost
