#include "definition/ParameterComponents.h"

#include "definition/DefinitionDocument.h"

#include <algorithm>
#include <stdexcept>

namespace definition_xml {

namespace {

// Fixed component names of the comma-list form.
std::vector<std::string> componentNamesFor(const std::string& type)
{
    if (type == "color") {
        return {"r", "g", "b"};
    }
    if (type == "vec2") {
        return {"x", "y"};
    }
    if (type == "vec3") {
        return {"x", "y", "z"};
    }
    return {"r", "g", "b", "a"}; // "vec4" and "color_rgba"
}

// The standard text-to-double conversion (leading blanks allowed, trailing text ignored).
// Its failure aborts the document with the conversion's own text as the reason, reported as
// the reader's one documented error type.
double pieceToDouble(const std::string& piece)
{
    try {
        return std::stod(piece);
    } catch (const std::exception& e) {
        throw std::runtime_error(e.what());
    }
}

double pieceOr(const std::vector<std::string>& pieces, size_t index, double fallback)
{
    return index < pieces.size() ? pieceToDouble(pieces[index]) : fallback;
}

} // namespace

std::vector<std::string> splitAtCommas(const std::string& text)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

std::vector<XMLEffectDefinition::ParameterComponentDef> readParameterComponents(const pugi::xml_node& parameter,
                                                                                const std::string& type)
{
    std::vector<XMLEffectDefinition::ParameterComponentDef> components;
    for (const pugi::xml_node node : parameter.children("component")) {
        XMLEffectDefinition::ParameterComponentDef component;
        component.name = requireAttribute(node, "name", "Component must have a name attribute");
        component.defaultValue = node.attribute("default").as_double(0.0);
        component.minValue = node.attribute("min").as_double(0.0);
        component.maxValue = node.attribute("max").as_double(1.0);
        component.increment = node.attribute("inc").as_double(0.01);
        components.push_back(component);
    }
    if (!components.empty() || !parameter.attribute("default")) {
        return components;
    }

    const std::vector<std::string> names = componentNamesFor(type);
    const std::vector<std::string> defaults = splitAtCommas(parameter.attribute("default").value());
    const pugi::xml_attribute minAttribute = parameter.attribute("min");
    const pugi::xml_attribute maxAttribute = parameter.attribute("max");
    const std::vector<std::string> mins =
        minAttribute ? splitAtCommas(minAttribute.value()) : std::vector<std::string>();
    const std::vector<std::string> maxs =
        maxAttribute ? splitAtCommas(maxAttribute.value()) : std::vector<std::string>();

    const size_t count = std::min(names.size(), defaults.size());
    for (size_t i = 0; i < count; ++i) {
        XMLEffectDefinition::ParameterComponentDef component;
        component.name = names[i];
        component.defaultValue = pieceToDouble(defaults[i]);
        component.minValue = pieceOr(mins, i, 0.0);
        component.maxValue = pieceOr(maxs, i, 1.0);
        component.increment = 0.01;
        components.push_back(component);
    }
    return components;
}

} // namespace definition_xml
