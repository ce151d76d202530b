// Feeds arbitrary bytes to the embedded definition reader: whatever the input, it must return
// (true or false) without crashing, hanging, leaking or undefined behaviour, and a definition
// it accepts must answer every accessor.
#include "definition/XMLEffectDefinition.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void touchOverlays(const std::vector<XMLEffectDefinition::OverlayDef>& overlays, size_t& sink)
{
    for (const auto& overlay : overlays) {
        sink += overlay.param.size() + static_cast<size_t>(overlay.type);
        touchOverlays(overlay.children, sink);
    }
}

void exerciseAccessors(const XMLEffectDefinition& def)
{
    size_t sink = 0;
    for (const auto& parameter : def.getParameters()) {
        sink += def.getParameter(parameter.name).components.size() + parameter.options.size();
    }
    for (const auto& input : def.getInputs()) {
        sink += static_cast<size_t>(XMLEffectDefinition::noInputModeToInt(input.noInputMode));
    }
    for (const char* platform : {"cuda", "metal", "opencl"}) {
        sink += static_cast<size_t>(def.getTotalPasses(platform)) + static_cast<size_t>(def.getTotalKernels(platform));
    }
    for (const auto& process : def.getPipelines()) {
        sink += process.kernels.size();
    }
    touchOverlays(def.getOverlays(), sink);
    volatile size_t keep = sink;
    (void)keep;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader takes a NUL-terminated text; std::string adds the terminator.
    const std::string text(reinterpret_cast<const char*>(data), size);
    XMLEffectDefinition definition;
    if (definition.parseFromEmbeddedXML(text.c_str())) {
        exerciseAccessors(definition);
    }
    // The colour syntax is reachable from any overlay attribute; fuzz it directly too.
    if (size < 64) {
        const XMLEffectDefinition::OverlayColorDef color = XMLEffectDefinition::parseOverlayColor(text);
        volatile float keep = color.r + color.g + color.b;
        (void)keep;
    }
    return 0;
}
