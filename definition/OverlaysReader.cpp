// On-screen overlays: their coordinate system and one record per overlay element.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

#include <cstring>

using definition_xml::attributeOr;

namespace {

using OverlayDef = XMLEffectDefinition::OverlayDef;

// Hand-written documents never nest overlays deeply; a bound keeps a hostile document from
// exhausting the stack through the recursive reading (and destruction) of children.
constexpr int kMaxOverlayDepth = 16;

struct OverlayKind {
    const char* element;
    XMLEffectDefinition::OverlayType type;
};

const OverlayKind kOverlayKinds[] = {
    {"point", XMLEffectDefinition::Point},       {"radius", XMLEffectDefinition::Radius},
    {"scale2d", XMLEffectDefinition::Scale2D},   {"vslider", XMLEffectDefinition::VSlider},
    {"vector", XMLEffectDefinition::Vector},     {"ellipse", XMLEffectDefinition::Ellipse},
    {"qualifier", XMLEffectDefinition::Qualifier},
};

const OverlayKind* findKind(const char* element)
{
    for (const OverlayKind& kind : kOverlayKinds) {
        if (std::strcmp(kind.element, element) == 0) {
            return &kind;
        }
    }
    return nullptr;
}

bool isChildKind(const char* element)
{
    return std::strcmp(element, "vector") == 0 || std::strcmp(element, "radius") == 0
        || std::strcmp(element, "scale2d") == 0;
}

void readOverlayAttributes(const pugi::xml_node& node, OverlayDef& overlay, int depth)
{
    overlay.param = attributeOr(node, "param", "");
    overlay.style = attributeOr(node, "style", "crosshair");
    overlay.visibleWhen = attributeOr(node, "visible_when", "");
    overlay.label = attributeOr(node, "label", "");
    overlay.color = XMLEffectDefinition::parseOverlayColor(attributeOr(node, "color", ""));
    overlay.center = attributeOr(node, "center", "");
    overlay.fixedX = node.attribute("fixed_x").as_float(0.5f);
    overlay.direction = attributeOr(node, "direction", "");
    overlay.magnitude = attributeOr(node, "magnitude", "");
    overlay.fixedMagnitude = node.attribute("fixed_magnitude").as_float(0.1f);

    for (const pugi::xml_node childNode : node.children()) {
        if (childNode.type() != pugi::node_element || !isChildKind(childNode.name())) {
            continue;
        }
        if (depth + 1 >= kMaxOverlayDepth) {
            throw std::runtime_error("Overlays are nested too deeply");
        }
        OverlayDef child;
        child.type = findKind(childNode.name())->type;
        readOverlayAttributes(childNode, child, depth + 1);
        overlay.children.push_back(child);
    }
}

} // namespace

void XMLEffectDefinition::readOverlays(const pugi::xml_node& overlaysNode)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "Parsing <overlays> section");

    const std::string coordinates = attributeOr(overlaysNode, "coordinates", "uv");
    if (coordinates == "centered") {
        overlayCoordSystem = Centered;
        log.logMessage(LOG_INFO, "Overlay coordinate system: centered (-0.5 to 0.5)");
    } else if (coordinates == "centered_aspect") {
        overlayCoordSystem = CenteredAspect;
        log.logMessage(LOG_INFO, "Overlay coordinate system: centered_aspect (aspect-corrected)");
    } else {
        overlayCoordSystem = UV;
        log.logMessage(LOG_INFO, "Overlay coordinate system: uv (0-1 range)");
    }

    for (const pugi::xml_node node : overlaysNode.children()) {
        if (node.type() != pugi::node_element) {
            continue;
        }
        OverlayDef overlay;
        const OverlayKind* kind = findKind(node.name());
        if (!kind) {
            log.logMessage(LOG_INFO, "Unknown overlay type '%s', skipping", node.name());
        } else {
            overlay.type = kind->type;
            readOverlayAttributes(node, overlay, 0);
            log.logMessage(LOG_INFO, "Parsed overlay: type=%s, param=%s, style=%s", node.name(),
                           overlay.param.c_str(), overlay.style.c_str());
        }
        if (!overlay.param.empty()) {
            overlays.push_back(overlay);
        }
    }
    log.logMessage(LOG_INFO, "Parsed %zu overlays", overlays.size());
}
