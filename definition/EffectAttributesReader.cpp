// The root element's metadata.
#include "definition/DefinitionDocument.h"

using definition_xml::attributeOr;
using definition_xml::requireAttribute;

void XMLEffectDefinition::readEffectAttributes(const pugi::xml_node& effect)
{
    name = requireAttribute(effect, "name", "Effect must have a name attribute");
    category = requireAttribute(effect, "category", "Effect must have a category attribute");
    version = attributeOr(effect, "version", "");
    author = attributeOr(effect, "author", "");
    copyright = attributeOr(effect, "copyright", "");
    debugLevel = attributeOr(effect, "debug_level", "none");
    timelineSupport = effect.attribute("supports_timeline").as_bool(false);
    matteSupport = effect.attribute("supports_matte").as_bool(false);
    description = effect.child("description").text().get();
}
