#include "effect/ParameterValue.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// "%f" of any double; large magnitudes need more than a fixed buffer.
std::string formatFixed(double value)
{
    const int length = std::snprintf(nullptr, 0, "%f", value);
    if (length <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(&text[0], text.size(), "%f", value);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Leading white space skipped, longest valid prefix used, 0.0 when nothing parses or the
// number is out of range (as the standard string-to-double conversion would report).
double parseDouble(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE) {
        return 0.0;
    }
    return value;
}

int parseInt(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return 0;
    }
    return static_cast<int>(value);
}

// Truncation toward zero. A double outside int range (or NaN) has no int value, and the
// plain conversion would be undefined behaviour: saturate instead, NaN giving 0.
int truncateToInt(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

bool parseBool(const std::string& text)
{
    if (text == "true" || text == "True" || text == "TRUE" || text == "1") {
        return true;
    }
    if (text == "false" || text == "False" || text == "FALSE" || text == "0") {
        return false;
    }
    return !text.empty();
}

} // namespace

ParameterValue::ParameterValue() : m_kind(KIND_DOUBLE)
{
    m_scalar.d = 0.0;
}

ParameterValue::ParameterValue(double value) : m_kind(KIND_DOUBLE)
{
    m_scalar.d = value;
}

ParameterValue::ParameterValue(int value) : m_kind(KIND_INT)
{
    m_scalar.d = 0.0;
    m_scalar.i = value;
}

ParameterValue::ParameterValue(bool value) : m_kind(KIND_BOOL)
{
    m_scalar.d = 0.0;
    m_scalar.b = value;
}

ParameterValue::ParameterValue(const std::string& value) : m_kind(KIND_STRING), m_text(value)
{
    m_scalar.d = 0.0;
}

ParameterValue::ParameterValue(const char* value) : m_kind(KIND_STRING), m_text(value ? value : "")
{
    m_scalar.d = 0.0;
}

ParameterValue::ParameterValue(double x, double y) : m_kind(KIND_VEC2), m_x(x), m_y(y)
{
    m_scalar.d = 0.0;
}

ParameterValue::ParameterValue(double x, double y, double z) : m_kind(KIND_VEC3), m_x(x), m_y(y), m_z(z)
{
    m_scalar.d = 0.0;
}

ParameterValue::ParameterValue(double x, double y, double z, double w)
    : m_kind(KIND_VEC4), m_x(x), m_y(y), m_z(z), m_w(w)
{
    m_scalar.d = 0.0;
}

ParameterValue::ParameterValue(const ParameterValue& other) : m_kind(KIND_DOUBLE)
{
    m_scalar.d = 0.0;
    copyFrom(other);
}

ParameterValue& ParameterValue::operator=(const ParameterValue& other)
{
    if (this != &other) {
        copyFrom(other);
    }
    return *this;
}

void ParameterValue::copyFrom(const ParameterValue& other)
{
    m_kind = other.m_kind;
    switch (m_kind) {
    case KIND_DOUBLE: m_scalar.d = other.m_scalar.d; break;
    case KIND_INT: m_scalar.i = other.m_scalar.i; break;
    case KIND_BOOL: m_scalar.b = other.m_scalar.b; break;
    case KIND_STRING: m_text = other.m_text; break;
    case KIND_VEC2:
    case KIND_VEC3:
    case KIND_VEC4:
        m_x = other.m_x;
        m_y = other.m_y;
        m_z = other.m_z;
        m_w = other.m_w;
        break;
    default: break;
    }
}

std::string ParameterValue::getType() const
{
    switch (m_kind) {
    case KIND_DOUBLE: return "double";
    case KIND_INT: return "int";
    case KIND_BOOL: return "bool";
    case KIND_STRING: return "string";
    case KIND_VEC2: return "vec2";
    case KIND_VEC3: return "vec3";
    case KIND_VEC4: return "vec4";
    default: return "unknown";
    }
}

double ParameterValue::asDouble() const
{
    switch (m_kind) {
    case KIND_DOUBLE: return m_scalar.d;
    case KIND_INT: return static_cast<double>(m_scalar.i);
    case KIND_BOOL: return m_scalar.b ? 1.0 : 0.0;
    case KIND_STRING: return parseDouble(m_text);
    default: return 0.0;
    }
}

float ParameterValue::asFloat() const
{
    return static_cast<float>(asDouble());
}

int ParameterValue::asInt() const
{
    switch (m_kind) {
    case KIND_DOUBLE: return truncateToInt(m_scalar.d);
    case KIND_INT: return m_scalar.i;
    case KIND_BOOL: return m_scalar.b ? 1 : 0;
    case KIND_STRING: return parseInt(m_text);
    default: return 0;
    }
}

bool ParameterValue::asBool() const
{
    switch (m_kind) {
    case KIND_DOUBLE: return m_scalar.d != 0.0;
    case KIND_INT: return m_scalar.i != 0;
    case KIND_BOOL: return m_scalar.b;
    case KIND_STRING: return parseBool(m_text);
    default: return false;
    }
}

std::string ParameterValue::asString() const
{
    switch (m_kind) {
    case KIND_DOUBLE: return formatFixed(m_scalar.d);
    case KIND_INT: return std::to_string(m_scalar.i);
    case KIND_BOOL: return m_scalar.b ? "true" : "false";
    case KIND_STRING: return m_text;
    case KIND_VEC2: return "(" + formatFixed(m_x) + ", " + formatFixed(m_y) + ")";
    case KIND_VEC3: return "(" + formatFixed(m_x) + ", " + formatFixed(m_y) + ", " + formatFixed(m_z) + ")";
    case KIND_VEC4:
        return "(" + formatFixed(m_x) + ", " + formatFixed(m_y) + ", " + formatFixed(m_z) + ", " + formatFixed(m_w)
            + ")";
    default: return std::string();
    }
}

void ParameterValue::asVec2(float& x, float& y) const
{
    x = static_cast<float>(m_x);
    y = static_cast<float>(m_y);
}

void ParameterValue::asVec3(float& x, float& y, float& z) const
{
    asVec2(x, y);
    z = static_cast<float>(m_z);
}

void ParameterValue::asVec4(float& x, float& y, float& z, float& w) const
{
    asVec3(x, y, z);
    w = static_cast<float>(m_w);
}
