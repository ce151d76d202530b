#pragma once
// Overlay definition records built in code, the way the definition reader fills them.

#include "definition/XMLEffectDefinition.h"

#include <string>

namespace overlaytest {

using OverlayDef = XMLEffectDefinition::OverlayDef;

inline OverlayDef overlayDef(XMLEffectDefinition::OverlayType type, const std::string& param)
{
    OverlayDef def;
    def.type = type;
    def.param = param;
    def.style = "crosshair";
    return def;
}

inline OverlayDef vectorDef(const std::string& direction, const std::string& center = "",
                            const std::string& magnitude = "", float fixedMagnitude = 0.1f)
{
    OverlayDef def = overlayDef(XMLEffectDefinition::Vector, "");
    def.direction = direction;
    def.center = center;
    def.magnitude = magnitude;
    def.fixedMagnitude = fixedMagnitude;
    return def;
}

inline XMLEffectDefinition::OverlayColorDef colourDef(float r, float g, float b)
{
    XMLEffectDefinition::OverlayColorDef colour;
    colour.r = r;
    colour.g = g;
    colour.b = b;
    colour.isSet = true;
    return colour;
}

} // namespace overlaytest
