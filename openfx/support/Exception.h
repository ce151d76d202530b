#pragma once
// Exceptions the support library throws, and the single rule that turns any
// exception into the status a host receives.

#include "openfx/include/ofxCore.h"

#include <stdexcept>
#include <string>

namespace OFX {
namespace Exception {

// A suite call, or the effect itself, failed with an OpenFX status; the host
// receives exactly that status.
class Suite : public std::runtime_error {
 public:
  explicit Suite(OfxStatus status, const std::string& message = std::string());
  OfxStatus status() const { return status_; }

 private:
  OfxStatus status_;
};

// The host lacks a suite or a feature the plug-in cannot work without.
class HostInadequate : public std::runtime_error {
 public:
  explicit HostInadequate(const std::string& what) : std::runtime_error(what) {}
};

// The host does not know a property the plug-in set or read.
class PropertyUnknownToHost : public std::runtime_error {
 public:
  explicit PropertyUnknownToHost(const std::string& what) : std::runtime_error(what) {}
};

// The host refused a property value or index.
class PropertyValueIllegalToHost : public std::runtime_error {
 public:
  explicit PropertyValueIllegalToHost(const std::string& what) : std::runtime_error(what) {}
};

// A parameter or clip was requested under a name that exists with another kind.
class TypeRequest : public std::runtime_error {
 public:
  explicit TypeRequest(const std::string& what) : std::runtime_error(what) {}
};

// No clip or parameter of that name exists on the instance. A plain failure
// for the host (kOfxStatFailed), like any other standard exception.
class NotFound : public std::runtime_error {
 public:
  explicit NotFound(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace Exception

// The name of a status code ("kOfxStatErrValue"), or "unknown status N".
std::string statusName(OfxStatus status);

// Throws Exception::Suite carrying `status` (a failure reported as an exception).
[[noreturn]] void throwSuiteStatusException(OfxStatus status);
[[noreturn]] void throwSuiteStatusException(OfxStatus status, const std::string& message);
[[noreturn]] void throwHostMissingSuiteException(const std::string& suiteName);

// Call from inside a catch block: maps the exception being handled to the
// status a host sees. Suite exceptions keep their status; std::bad_alloc gives
// kOfxStatErrMemory; a missing host feature gives kOfxStatErrMissingHostFeature;
// every other exception (standard or not) gives kOfxStatFailed.
OfxStatus statusFromCurrentException() noexcept;

// Runs `body` and returns its status, or the mapped status of what it threw;
// nothing escapes. Used at every point where the host calls into the plug-in.
template <typename Body>
OfxStatus callAndMapExceptions(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return statusFromCurrentException();
  }
}

}  // namespace OFX
