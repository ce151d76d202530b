#pragma once

#include <string>

// Number texts of preset files. Numbers are written in the general notation at 10
// significant digits (what "%.10g" gives in the C locale) and read back like the standard
// string-to-number conversions. Both directions ignore the process locale: a host that
// switched LC_NUMERIC to a comma-decimal locale must still write "0.5", and must still be
// able to read the files it wrote before.
namespace preset_text {

// 0.5 -> "0.5", 1.0 -> "1", 2.5e-6 -> "2.5e-06", 1e12 -> "1e+12".
std::string formatNumber(double value);

// Vector and colour components, narrowed to single precision first and joined by ","
// without blanks: (0.1, 0.25) -> "0.1000000015,0.25".
std::string formatComponents(const float* components, int count);

// Parses like std::stod: leading white space skipped, the longest valid prefix used.
// Returns false with the conversion's error text ("stod") when no number starts the text
// or the number is out of range.
bool parseDouble(const std::string& text, double& value, std::string& error);

// Parses like std::stoi (base 10); error text "stoi".
bool parseInt(const std::string& text, int& value, std::string& error);

}  // namespace preset_text
