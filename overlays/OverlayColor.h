#pragma once

namespace OFX {

// The colour an overlay is drawn in. A default-constructed colour is white and marked as not
// given, so an overlay can tell "the definition chose white" from "no colour was chosen".
struct OverlayColor {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    bool isSet = false;

    OverlayColor() = default;
    OverlayColor(float red, float green, float blue) : r(red), g(green), b(blue), isSet(true) {}
};

} // namespace OFX
