#include "host/HostError.h"

namespace ofxhost {

std::string statusName(OfxStatus status) {
  static const char *const kNames[] = {
      "kOfxStatOK",          "kOfxStatFailed",      "kOfxStatErrFatal",    "kOfxStatErrUnknown",
      "kOfxStatErrMissingHostFeature", "kOfxStatErrUnsupported", "kOfxStatErrExists", "kOfxStatErrFormat",
      "kOfxStatErrMemory",   "kOfxStatErrBadHandle", "kOfxStatErrBadIndex", "kOfxStatErrValue",
      "kOfxStatReplyYes",    "kOfxStatReplyNo",     "kOfxStatReplyDefault"};
  if (status >= 0 && status < static_cast<int>(sizeof(kNames) / sizeof(kNames[0]))) return kNames[status];
  return "status " + std::to_string(status);
}

}  // namespace ofxhost
