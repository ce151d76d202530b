#include "openfx/support/PropertySet.h"

#include "openfx/support/Exception.h"
#include "openfx/support/Suites.h"

namespace OFX {

void PropertySet::throwOnStatus(OfxStatus status, const char* property) {
  const std::string name = property != nullptr ? property : "";
  switch (status) {
    case kOfxStatErrUnknown:
      throw Exception::PropertyUnknownToHost("property " + name + " is unknown to the host");
    case kOfxStatErrValue:
    case kOfxStatErrBadIndex:
      throw Exception::PropertyValueIllegalToHost("the host refused a value or index of property " + name);
    default:
      throwSuiteStatusException(status, "property " + name);
  }
}

bool PropertySet::check(OfxStatus status, const char* property, bool throwOnFailure) const {
  if (status == kOfxStatOK) return true;
  if (throwOnFailure) throwOnStatus(status, property);
  return false;
}

namespace {

// The property suite, or null when it is missing and the caller tolerates failure.
const OfxPropertySuiteV1* suiteFor(OfxPropertySetHandle handle, const char* property, bool throwOnFailure) {
  if (Private::gPropSuite != nullptr && handle != nullptr) return Private::gPropSuite;
  if (!throwOnFailure) return nullptr;
  if (Private::gPropSuite == nullptr) throwHostMissingSuiteException(kOfxPropertySuite);
  throwSuiteStatusException(kOfxStatErrBadHandle, std::string("no property set for ") + property);
}

}  // namespace

void PropertySet::propSetString(const char* property, const std::string& value, int index, bool throwOnFailure) {
  if (auto* suite = suiteFor(handle_, property, throwOnFailure))
    check(suite->propSetString(handle_, property, index, value.c_str()), property, throwOnFailure);
}

void PropertySet::propSetInt(const char* property, int value, int index, bool throwOnFailure) {
  if (auto* suite = suiteFor(handle_, property, throwOnFailure))
    check(suite->propSetInt(handle_, property, index, value), property, throwOnFailure);
}

void PropertySet::propSetDouble(const char* property, double value, int index, bool throwOnFailure) {
  if (auto* suite = suiteFor(handle_, property, throwOnFailure))
    check(suite->propSetDouble(handle_, property, index, value), property, throwOnFailure);
}

void PropertySet::propSetPointer(const char* property, void* value, int index, bool throwOnFailure) {
  if (auto* suite = suiteFor(handle_, property, throwOnFailure))
    check(suite->propSetPointer(handle_, property, index, value), property, throwOnFailure);
}

std::string PropertySet::propGetString(const char* property, int index, bool throwOnFailure) const {
  char* value = nullptr;
  auto* suite = suiteFor(handle_, property, throwOnFailure);
  if (suite == nullptr) return std::string();
  if (!check(suite->propGetString(handle_, property, index, &value), property, throwOnFailure)) return std::string();
  return value != nullptr ? std::string(value) : std::string();
}

int PropertySet::propGetInt(const char* property, int index, bool throwOnFailure) const {
  int value = 0;
  auto* suite = suiteFor(handle_, property, throwOnFailure);
  if (suite == nullptr) return 0;
  return check(suite->propGetInt(handle_, property, index, &value), property, throwOnFailure) ? value : 0;
}

double PropertySet::propGetDouble(const char* property, int index, bool throwOnFailure) const {
  double value = 0.0;
  auto* suite = suiteFor(handle_, property, throwOnFailure);
  if (suite == nullptr) return 0.0;
  return check(suite->propGetDouble(handle_, property, index, &value), property, throwOnFailure) ? value : 0.0;
}

void* PropertySet::propGetPointer(const char* property, int index, bool throwOnFailure) const {
  void* value = nullptr;
  auto* suite = suiteFor(handle_, property, throwOnFailure);
  if (suite == nullptr) return nullptr;
  return check(suite->propGetPointer(handle_, property, index, &value), property, throwOnFailure) ? value : nullptr;
}

int PropertySet::propGetDimension(const char* property, bool throwOnFailure) const {
  int count = 0;
  auto* suite = suiteFor(handle_, property, throwOnFailure);
  if (suite == nullptr) return 0;
  return check(suite->propGetDimension(handle_, property, &count), property, throwOnFailure) ? count : 0;
}

std::vector<std::string> PropertySet::propGetStrings(const char* property, bool throwOnFailure) const {
  std::vector<std::string> values;
  const int count = propGetDimension(property, throwOnFailure);
  for (int i = 0; i < count; ++i) values.push_back(propGetString(property, i, throwOnFailure));
  return values;
}

void PropertySet::propReset(const char* property, bool throwOnFailure) {
  if (auto* suite = suiteFor(handle_, property, throwOnFailure))
    check(suite->propReset(handle_, property), property, throwOnFailure);
}

}  // namespace OFX
