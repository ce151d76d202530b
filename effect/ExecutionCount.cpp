#include "effect/ExecutionCount.h"

#include <climits>
#include <cstdlib>
#include <cstring>

bool executionCountParameter(const std::string& text, std::string& name) {
  const size_t prefixLength = std::strlen(kExecutionParamPrefix);
  if (text.compare(0, prefixLength, kExecutionParamPrefix) != 0) return false;
  name = text.substr(prefixLength);
  return true;
}

int parseExecutionCount(const std::string& text, const std::function<int(const std::string&)>& readParameter) {
  if (text.empty() || text == "1") return 1;
  std::string name;
  if (executionCountParameter(text, name)) {
    const int value = readParameter(name);
    return value < 1 ? 1 : value;
  }
  // atoi's reading (leading blanks, a sign, then digits), without its undefined overflow:
  // huge counts are held at the largest int.
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value <= 0) return 1;
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
