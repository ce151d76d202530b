#include "presets/PresetNumberText.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <locale.h>

namespace preset_text {
namespace {

// The "C" locale, created once, for the *_l conversions. It always exists; should creating
// it fail anyway, the plain conversions are used.
locale_t classicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

}  // namespace

std::string formatNumber(double value) {
    // std::to_chars in general format with a precision is defined as printf("%.10g") in the
    // C locale, and never consults the process locale.
    char buffer[64];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

std::string formatComponents(const float* components, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ',';
        text += formatNumber(static_cast<double>(components[i]));
    }
    return text;
}

bool parseDouble(const std::string& text, double& value, std::string& error) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const int savedErrno = errno;
    errno = 0;
    const locale_t locale = classicLocale();
    const double parsed = locale != locale_t(0) ? strtod_l(begin, &end, locale) : std::strtod(begin, &end);
    const bool outOfRange = errno == ERANGE;
    errno = savedErrno;
    if (end == begin || outOfRange) {
        error = "stod";
        return false;
    }
    value = parsed;
    return true;
}

bool parseInt(const std::string& text, int& value, std::string& error) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const int savedErrno = errno;
    errno = 0;
    const locale_t locale = classicLocale();
    const long parsed =
        locale != locale_t(0) ? strtol_l(begin, &end, 10, locale) : std::strtol(begin, &end, 10);
    const bool outOfRange = errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX;
    errno = savedErrno;
    if (end == begin || outOfRange) {
        error = "stoi";
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace preset_text
