#include "host/RenderCommandLine.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "host/HostError.h"

namespace ofxhost {
namespace {

bool parseInteger(const std::string &text, int &value) {
  if (text.empty()) return false;
  char *end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno != 0 || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

std::pair<std::string, std::string> splitAssignment(const std::string &option, const std::string &text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
    throw HostError(option + " expects NAME=VALUE, got '" + text + "'");
  }
  return {text.substr(0, equals), text.substr(equals + 1)};
}

// The frame field of a pattern: its position, length and zero-padding width; false when
// there is none. Throws for more than one field or a malformed one.
bool findFrameField(const std::string &path, size_t &start, size_t &length, int &width) {
  bool found = false;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '%') continue;
    if (i + 1 < path.size() && path[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    int digits = 0;
    while (j < path.size() && std::isdigit(static_cast<unsigned char>(path[j]))) {
      digits = digits * 10 + (path[j] - '0');
      if (digits > 32) throw HostError("frame pattern too wide in '" + path + "'");
      ++j;
    }
    if (j >= path.size() || path[j] != 'd') throw HostError("bad frame pattern in '" + path + "' (use %d or %04d)");
    if (found) throw HostError("more than one frame pattern in '" + path + "'");
    found = true;
    start = i;
    length = j + 1 - i;
    width = digits;
    i = j;
  }
  return found;
}

std::string unescapePercent(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
  return out;
}

}  // namespace

bool hasFramePattern(const std::string &path) {
  size_t start = 0, length = 0;
  int width = 0;
  return findFrameField(path, start, length, width);
}

std::string pathForFrame(const std::string &path, int frame) {
  size_t start = 0, length = 0;
  int width = 0;
  if (!findFrameField(path, start, length, width)) return unescapePercent(path);
  std::string number = std::to_string(frame < 0 ? -static_cast<long long>(frame) : frame);
  if (static_cast<int>(number.size()) < width) number.insert(0, static_cast<size_t>(width) - number.size(), '0');
  if (frame < 0) number.insert(0, "-");
  return unescapePercent(path.substr(0, start)) + number + unescapePercent(path.substr(start + length));
}

RenderRequest parseRenderCommandLine(const std::vector<std::string> &arguments) {
  RenderRequest request;
  auto value = [&](size_t &i, const std::string &option) -> const std::string & {
    if (i + 1 >= arguments.size()) throw HostError(option + " needs a value");
    return arguments[++i];
  };

  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string &arg = arguments[i];
    if (arg == "--help" || arg == "-h") {
      request.help = true;
    } else if (arg == "--list") {
      request.list = true;
    } else if (arg == "--cuda") {
      request.cuda = true;
    } else if (arg == "--quiet" || arg == "-q") {
      request.quiet = true;
    } else if (arg == "--input" || arg == "-i") {
      request.inputs.push_back(splitAssignment(arg, value(i, arg)));
    } else if (arg == "--set" || arg == "-s") {
      request.settings.push_back(splitAssignment(arg, value(i, arg)));
    } else if (arg == "--output" || arg == "-o") {
      if (!request.output.empty()) throw HostError("--output given twice");
      request.output = value(i, arg);
    } else if (arg == "--frame") {
      if (request.frameGiven) throw HostError("give one --frame or --frames");
      const std::string &text = value(i, arg);
      if (!parseInteger(text, request.firstFrame)) throw HostError("--frame expects a whole number, got '" + text + "'");
      request.lastFrame = request.firstFrame;
      request.frameGiven = true;
    } else if (arg == "--frames") {
      if (request.frameGiven) throw HostError("give one --frame or --frames");
      const std::string &text = value(i, arg);
      // A-B; the separator is the first '-' after the first character, so "-3-2" reads -3..2.
      const size_t dash = text.find('-', 1);
      if (dash == std::string::npos || !parseInteger(text.substr(0, dash), request.firstFrame) ||
          !parseInteger(text.substr(dash + 1), request.lastFrame)) {
        throw HostError("--frames expects FIRST-LAST, got '" + text + "'");
      }
      if (request.lastFrame < request.firstFrame) throw HostError("--frames range '" + text + "' ends before it starts");
      request.frameGiven = true;
    } else if (!arg.empty() && arg[0] == '-') {
      std::string rest;
      for (size_t k = i; k < arguments.size(); ++k) rest += (k == i ? "" : " ") + arguments[k];
      throw HostError("unknown arguments: " + rest);
    } else if (request.bundle.empty()) {
      request.bundle = arg;
    } else {
      throw HostError("unexpected argument '" + arg + "' (the bundle is '" + request.bundle + "')");
    }
  }

  if (request.help) return request;
  if (request.bundle.empty()) throw HostError(request.list ? "--list needs a bundle path" : "no bundle given");
  if (request.list) return request;
  if (request.output.empty()) throw HostError("no --output given");
  if (request.firstFrame != request.lastFrame && !hasFramePattern(request.output)) {
    throw HostError("--output needs a frame pattern such as out.%04d.exr to render a range");
  }
  // Validates the pattern's form (throws for a malformed one).
  (void)hasFramePattern(request.output);
  for (const auto &input : request.inputs) (void)hasFramePattern(input.second);
  return request;
}

}  // namespace ofxhost
