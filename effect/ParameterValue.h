#pragma once

#include <cstdint>
#include <string>

// The value of one parameter as the framework carries it around: a kind tag and the payload
// of that kind, with lenient conversions that never throw. Kinds are the value's own, not the
// definition's parameter types; consumers convert with the accessors instead of reading kinds.
class ParameterValue {
public:
    enum Kind : int32_t {
        KIND_DOUBLE = 0,
        KIND_INT = 1,
        KIND_BOOL = 2,
        KIND_STRING = 3,
        KIND_VEC2 = 4,
        KIND_VEC3 = 5,
        KIND_VEC4 = 6,
    };

    ParameterValue();
    ParameterValue(double value);
    ParameterValue(int value);
    ParameterValue(bool value);
    ParameterValue(const std::string& value);
    // A string literal must become a text value, not a bool through pointer conversion.
    ParameterValue(const char* value);
    ParameterValue(double x, double y);
    ParameterValue(double x, double y, double z);
    ParameterValue(double x, double y, double z, double w);

    ParameterValue(const ParameterValue& other);
    ParameterValue& operator=(const ParameterValue& other);
    ~ParameterValue() = default;

    // Copies the kind and the payload of that kind only; other members keep their content.
    void copyFrom(const ParameterValue& other);

    // "double", "int", "bool", "string", "vec2", "vec3", "vec4", or "unknown".
    std::string getType() const;

    double asDouble() const;
    float asFloat() const;
    int asInt() const;
    bool asBool() const;
    std::string asString() const;

    // The components narrowed to single precision, whatever the kind.
    void asVec2(float& x, float& y) const;
    void asVec3(float& x, float& y, float& z) const;
    void asVec4(float& x, float& y, float& z, float& w) const;

private:
    int32_t m_kind;
    union Scalar {
        double d;
        int32_t i;
        bool b;
    } m_scalar;
    std::string m_text;
    double m_x = 0.0;
    double m_y = 0.0;
    double m_z = 0.0;
    double m_w = 0.0;
};
