#pragma once
// A thin wrapper over a host property set: typed getters and setters that turn
// the host's failure statuses into exceptions, or into defaults when asked to.

#include "openfx/include/ofxCore.h"

#include <string>
#include <vector>

namespace OFX {

class PropertySet {
 public:
  explicit PropertySet(OfxPropertySetHandle handle = nullptr) : handle_(handle) {}

  OfxPropertySetHandle propSetHandle() const { return handle_; }
  void propSetHandle(OfxPropertySetHandle handle) { handle_ = handle; }
  bool isValid() const { return handle_ != nullptr; }

  // Setters throw (see throwOnStatus) unless throwOnFailure is false, in which
  // case a property the host refuses is silently left unset; that is how the
  // library sets properties that older hosts may not know.
  void propSetString(const char* property, const std::string& value, int index = 0, bool throwOnFailure = true);
  void propSetInt(const char* property, int value, int index = 0, bool throwOnFailure = true);
  void propSetDouble(const char* property, double value, int index = 0, bool throwOnFailure = true);
  void propSetPointer(const char* property, void* value, int index = 0, bool throwOnFailure = true);

  // Getters return "", 0, 0.0 or null when they fail and throwOnFailure is false.
  std::string propGetString(const char* property, int index = 0, bool throwOnFailure = true) const;
  int propGetInt(const char* property, int index = 0, bool throwOnFailure = true) const;
  double propGetDouble(const char* property, int index = 0, bool throwOnFailure = true) const;
  void* propGetPointer(const char* property, int index = 0, bool throwOnFailure = true) const;

  // Number of values of a property; 0 when it fails and throwOnFailure is false.
  int propGetDimension(const char* property, bool throwOnFailure = true) const;
  // Every value of a multi-dimensional string property, in order.
  std::vector<std::string> propGetStrings(const char* property, bool throwOnFailure = true) const;
  void propReset(const char* property, bool throwOnFailure = true);

  // Maps a failed status of a call on `property` to the library's exceptions:
  // kOfxStatErrUnknown -> PropertyUnknownToHost, kOfxStatErrValue and
  // kOfxStatErrBadIndex -> PropertyValueIllegalToHost, anything else -> Suite.
  [[noreturn]] static void throwOnStatus(OfxStatus status, const char* property);

 private:
  bool check(OfxStatus status, const char* property, bool throwOnFailure) const;

  OfxPropertySetHandle handle_;
};

}  // namespace OFX
