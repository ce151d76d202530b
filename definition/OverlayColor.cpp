// The colour syntax of overlays: "#rrggbb", "#rgb", a colour name, or "r,g,b".
#include "definition/XMLEffectDefinition.h"
#include "plugin/Logger.h"

#include <cctype>
#include <cstdio>
#include <map>

namespace {

struct Rgb {
    float r, g, b;
};

// Built once, on first use (thread-safe as a function-local static), shared by all definitions.
const std::map<std::string, Rgb>& namedColors()
{
    static const std::map<std::string, Rgb> table = {
        {"red", {1.0f, 0.0f, 0.0f}},     {"green", {0.0f, 1.0f, 0.0f}},  {"blue", {0.0f, 0.0f, 1.0f}},
        {"cyan", {0.0f, 1.0f, 1.0f}},    {"magenta", {1.0f, 0.0f, 1.0f}}, {"yellow", {1.0f, 1.0f, 0.0f}},
        {"white", {1.0f, 1.0f, 1.0f}},   {"black", {0.0f, 0.0f, 0.0f}},  {"gray", {0.5f, 0.5f, 0.5f}},
        {"grey", {0.5f, 0.5f, 0.5f}},    {"orange", {1.0f, 0.5f, 0.0f}}, {"purple", {0.5f, 0.0f, 0.5f}},
        {"pink", {1.0f, 0.5f, 0.5f}},
    };
    return table;
}

// Channels that cannot be read stay at 255, i.e. 1.0.
void parseHex(const std::string& text, XMLEffectDefinition::OverlayColorDef& color)
{
    unsigned int r = 255, g = 255, b = 255;
    if (text.size() == 7) {
        std::sscanf(text.c_str(), "#%02x%02x%02x", &r, &g, &b);
    } else if (text.size() == 4) {
        // One digit per channel, widened by 17 (0xf becomes 0xff); unread channels stay 255.
        const int read = std::sscanf(text.c_str(), "#%1x%1x%1x", &r, &g, &b);
        r = read >= 1 ? r * 17 : r;
        g = read >= 2 ? g * 17 : g;
        b = read >= 3 ? b * 17 : b;
    }
    color.r = static_cast<float>(r) / 255.0f;
    color.g = static_cast<float>(g) / 255.0f;
    color.b = static_cast<float>(b) / 255.0f;
}

void parseName(const std::string& text, XMLEffectDefinition::OverlayColorDef& color)
{
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const auto found = namedColors().find(lower);
    if (found == namedColors().end()) {
        Logger::getInstance().logMessage(LOG_INFO, "Unknown overlay color '%s', using white", text.c_str());
        color.r = color.g = color.b = 1.0f;
        return;
    }
    color.r = found->second.r;
    color.g = found->second.g;
    color.b = found->second.b;
}

} // namespace

XMLEffectDefinition::OverlayColorDef XMLEffectDefinition::parseOverlayColor(const std::string& text)
{
    OverlayColorDef color;
    if (text.empty()) {
        return color;
    }
    color.isSet = true;
    if (text[0] == '#') {
        parseHex(text, color);
    } else if (text.find(',') == std::string::npos) {
        parseName(text, color);
    } else {
        // Used as written: no scaling, no clamping; unread numbers stay 1.0.
        std::sscanf(text.c_str(), "%f,%f,%f", &color.r, &color.g, &color.b);
    }
    return color;
}
