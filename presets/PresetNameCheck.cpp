#include "presets/PresetNameCheck.h"

namespace preset_name {

bool isPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == '\0') return false;
    }
    return true;
}

std::string printable(const std::string& name) {
    std::string text;
    text.reserve(name.size());
    for (const char c : name) {
        if (c == '\0') {
            text += "\\0";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace preset_name
