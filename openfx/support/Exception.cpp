#include "openfx/support/Exception.h"

#include <new>

namespace OFX {
namespace {

std::string suiteMessage(OfxStatus status, const std::string& message) {
  std::string text = "OpenFX suite error " + statusName(status);
  if (!message.empty()) text += ": " + message;
  return text;
}

}  // namespace

namespace Exception {
Suite::Suite(OfxStatus status, const std::string& message)
    : std::runtime_error(suiteMessage(status, message)), status_(status) {}
}  // namespace Exception

std::string statusName(OfxStatus status) {
  switch (status) {
    case kOfxStatOK: return "kOfxStatOK";
    case kOfxStatFailed: return "kOfxStatFailed";
    case kOfxStatErrFatal: return "kOfxStatErrFatal";
    case kOfxStatErrUnknown: return "kOfxStatErrUnknown";
    case kOfxStatErrMissingHostFeature: return "kOfxStatErrMissingHostFeature";
    case kOfxStatErrUnsupported: return "kOfxStatErrUnsupported";
    case kOfxStatErrExists: return "kOfxStatErrExists";
    case kOfxStatErrFormat: return "kOfxStatErrFormat";
    case kOfxStatErrMemory: return "kOfxStatErrMemory";
    case kOfxStatErrBadHandle: return "kOfxStatErrBadHandle";
    case kOfxStatErrBadIndex: return "kOfxStatErrBadIndex";
    case kOfxStatErrValue: return "kOfxStatErrValue";
    case kOfxStatReplyYes: return "kOfxStatReplyYes";
    case kOfxStatReplyNo: return "kOfxStatReplyNo";
    case kOfxStatReplyDefault: return "kOfxStatReplyDefault";
    default: return "unknown status " + std::to_string(status);
  }
}

void throwSuiteStatusException(OfxStatus status) { throw Exception::Suite(status); }

void throwSuiteStatusException(OfxStatus status, const std::string& message) {
  throw Exception::Suite(status, message);
}

void throwHostMissingSuiteException(const std::string& suiteName) {
  throw Exception::HostInadequate("the host does not offer the suite " + suiteName);
}

OfxStatus statusFromCurrentException() noexcept {
  try {
    throw;
  } catch (const Exception::Suite& e) {
    return e.status();
  } catch (const Exception::HostInadequate&) {
    return kOfxStatErrMissingHostFeature;
  } catch (const std::bad_alloc&) {
    return kOfxStatErrMemory;
  } catch (...) {
    // Any other standard or non-standard exception is a plain failure.
    return kOfxStatFailed;
  }
}

}  // namespace OFX
