// UI grouping: groups of columns and direct parameter references.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

using definition_xml::attributeOr;
using definition_xml::requireAttribute;

XMLEffectDefinition::UIParameterDef XMLEffectDefinition::readParameterReference(const pugi::xml_node& reference) const
{
    UIParameterDef parameter;
    // Taken exactly as written: a name with blanks around it is a different name.
    parameter.name = reference.text().get();
    if (parameter.name.empty()) {
        throw std::runtime_error("Parameter reference cannot be empty");
    }
    if (parameterIndex.find(parameter.name) == parameterIndex.end()) {
        throw std::runtime_error("Referenced parameter does not exist: " + parameter.name);
    }
    return parameter;
}

void XMLEffectDefinition::readUI(const pugi::xml_node& uiNode)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "XMLEffectDefinition::parseUI called");
    for (const pugi::xml_node groupNode : uiNode.children("group")) {
        UIGroupDef group;
        group.name = requireAttribute(groupNode, "name", "group must have a name attribute");
        group.tooltip = attributeOr(groupNode, "tooltip", "");
        group.open = groupNode.attribute("open").as_bool(true);

        for (const pugi::xml_node columnNode : groupNode.children("column")) {
            UIColumnDef column;
            column.name = requireAttribute(columnNode, "name", "Column must have a name attribute");
            column.tooltip = attributeOr(columnNode, "tooltip", "");
            for (const pugi::xml_node reference : columnNode.children("parameter")) {
                column.parameters.push_back(readParameterReference(reference));
            }
            group.columns.push_back(column);
        }
        for (const pugi::xml_node reference : groupNode.children("parameter")) {
            group.parameters.push_back(readParameterReference(reference));
        }
        if (group.columns.empty() && group.parameters.empty()) {
            throw std::runtime_error("group must contain either columns or direct parameter references");
        }
        uiGroups.push_back(group);
    }
    log.logMessage(LOG_INFO, "XMLEffectDefinition::parseUI completed, parsed %d groups",
                   static_cast<int>(uiGroups.size()));
}
