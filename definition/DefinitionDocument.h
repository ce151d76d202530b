#pragma once

// Internal to the definition readers: the parsed document and small attribute helpers.

#include "definition/XMLEffectDefinition.h"

#include <pugixml.hpp>

#include <stdexcept>
#include <string>

// The parsed XML document, kept alive for the definition's lifetime.
struct XMLEffectDefinition::Impl {
    pugi::xml_document document;
};

namespace definition_xml {

// The attribute's text, or `fallback` when the attribute is absent.
inline std::string attributeOr(const pugi::xml_node& node, const char* attribute, const char* fallback)
{
    const pugi::xml_attribute found = node.attribute(attribute);
    return found ? std::string(found.value()) : std::string(fallback);
}

// A required attribute: absent or empty aborts the reading with `message`.
inline std::string requireAttribute(const pugi::xml_node& node, const char* attribute, const char* message)
{
    std::string value = node.attribute(attribute).value();
    if (value.empty()) {
        throw std::runtime_error(message);
    }
    return value;
}

} // namespace definition_xml
