#include "host/ParamSetting.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/HostError.h"

namespace ofxhost {
namespace {

std::string lowerCase(std::string text) {
  for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool parseNumber(const std::string &text, double &value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  char *end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && errno == 0 && std::isfinite(value);
}

std::vector<double> parseNumbers(const std::string &name, const std::string &text, int count, bool integers) {
  std::vector<double> values;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    double v = 0.0;
    if (!parseNumber(part, v) || (integers && v != std::floor(v))) {
      throw HostError("parameter " + name + ": '" + text + "' is not " +
                      (count == 1 ? std::string(integers ? "a whole number" : "a number")
                                  : std::to_string(count) + (integers ? " whole numbers" : " numbers") +
                                        " separated by commas"));
    }
    values.push_back(v);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (static_cast<int>(values.size()) != count) {
    throw HostError("parameter " + name + " takes " + std::to_string(count) + " value" + (count == 1 ? "" : "s") +
                    ", got '" + text + "'");
  }
  return values;
}

double parseBool(const std::string &name, const std::string &text) {
  const std::string t = lowerCase(text);
  if (t == "true" || t == "on" || t == "yes" || t == "1") return 1.0;
  if (t == "false" || t == "off" || t == "no" || t == "0") return 0.0;
  throw HostError("parameter " + name + ": '" + text + "' is not a boolean (true/false, on/off, yes/no, 1/0)");
}

double parseChoice(EffectInstance &instance, const std::string &name, const std::string &text) {
  const std::vector<std::string> options = instance.choiceOptions(name);
  for (size_t i = 0; i < options.size(); ++i) {
    if (options[i] == text) return static_cast<double>(i);
  }
  for (size_t i = 0; i < options.size(); ++i) {
    if (lowerCase(options[i]) == lowerCase(text)) return static_cast<double>(i);
  }
  double index = 0.0;
  if (parseNumber(text, index) && index == std::floor(index) && index >= 0 &&
      index < static_cast<double>(options.size())) {
    return index;
  }
  std::string choices;
  for (size_t i = 0; i < options.size(); ++i) {
    choices += (i == 0 ? "" : ", ") + std::to_string(i) + " \"" + options[i] + "\"";
  }
  throw HostError("parameter " + name + ": '" + text + "' is not one of its choices: " + choices);
}

}  // namespace

std::string setParameterFromText(EffectInstance &instance, const std::string &name, const std::string &text) {
  Param *param = instance.param(name);
  if (param == nullptr) throw HostError("unknown parameter '" + name + "' (--list shows the parameters)");
  const ParamKind kind = param->kind();
  OfxStatus status = kOfxStatOK;
  std::vector<double> requested;
  if (isTextValued(kind)) {
    status = instance.setString(name, text);
  } else if (kind == ParamKind::Boolean) {
    requested = {parseBool(name, text)};
  } else if (kind == ParamKind::Choice) {
    requested = {parseChoice(instance, name, text)};
  } else if (numericDimension(kind) > 0) {
    requested = parseNumbers(name, text, numericDimension(kind), isIntegerValued(kind));
  } else {
    throw HostError("parameter '" + name + "' (" + paramKindName(kind) + ") holds no value to set");
  }
  if (!requested.empty()) status = instance.setValues(name, requested);
  if (status != kOfxStatOK && status != kOfxStatReplyDefault) {
    throw HostError("the effect refused the change of '" + name + "': " + statusName(status));
  }
  if (requested.empty()) return "";
  const std::vector<double> stored = instance.values(name);
  if (stored == requested) return "";
  std::string shown;
  for (size_t i = 0; i < stored.size(); ++i) {
    char number[32];
    std::snprintf(number, sizeof(number), "%g", stored[i]);
    shown += (i == 0 ? "" : ",") + std::string(number);
  }
  return "parameter " + name + " set to " + shown + " instead of " + text + " (outside its range)";
}

}  // namespace ofxhost
