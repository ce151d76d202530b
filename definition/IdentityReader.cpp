// Identity conditions: when one holds, the effect passes its first input through.
#include "definition/DefinitionDocument.h"

void XMLEffectDefinition::readIdentityConditions(const pugi::xml_node& conditionsNode)
{
    for (const pugi::xml_node conditionNode : conditionsNode.children("condition")) {
        const pugi::xml_node parameterNode = conditionNode.child("parameter");
        if (!parameterNode) {
            throw std::runtime_error("Condition must have a parameter element");
        }
        IdentityConditionDef condition;
        condition.parameter = definition_xml::requireAttribute(parameterNode, "name",
                                                               "Parameter in condition must have a name attribute");
        // Not validated here: an unrecognised operator simply never holds.
        condition.op = definition_xml::requireAttribute(parameterNode, "operator",
                                                        "Parameter in condition must have an operator attribute");
        condition.value = parameterNode.attribute("value").as_double(0.0);
        if (parameterIndex.find(condition.parameter) == parameterIndex.end()) {
            throw std::runtime_error("Referenced parameter does not exist: " + condition.parameter);
        }
        identityConditions.push_back(condition);
    }
}
