// User parameters: common attributes, then what each type reads.
#include "definition/DefinitionDocument.h"
#include "definition/ParameterComponents.h"

using definition_xml::attributeOr;
using definition_xml::requireAttribute;

namespace {

using ParameterDef = XMLEffectDefinition::ParameterDef;

bool isNumericType(const std::string& type)
{
    return type == "double" || type == "float" || type == "int";
}

// "color_rgba" reads components too, so its host parameter can start at a given colour.
bool hasComponents(const std::string& type)
{
    return type == "color" || type == "color_rgba" || type == "vec2" || type == "vec3" || type == "vec4";
}

void readNumericRange(const pugi::xml_node& node, ParameterDef& parameter)
{
    parameter.defaultValue = node.attribute("default").as_double(0.0);
    parameter.minValue = node.attribute("min").as_double(0.0);
    parameter.maxValue = node.attribute("max").as_double(1.0);
    parameter.displayMin = node.attribute("displayMin").as_double(parameter.minValue);
    parameter.displayMax = node.attribute("displayMax").as_double(parameter.maxValue);
    parameter.increment = node.attribute("inc").as_double(0.1);
}

void readOptions(const pugi::xml_node& node, ParameterDef& parameter)
{
    for (const pugi::xml_node optionNode : node.children("option")) {
        XMLEffectDefinition::ParameterOptionDef option;
        option.value = requireAttribute(optionNode, "value", "Option must have a value attribute");
        option.label = attributeOr(optionNode, "label", "");
        if (option.label.empty()) {
            option.label = option.value;
        }
        parameter.options.push_back(option);
    }
}

void readTypeSpecific(const pugi::xml_node& node, ParameterDef& parameter)
{
    const std::string& type = parameter.type;
    if (isNumericType(type)) {
        readNumericRange(node, parameter);
    } else if (type == "bool") {
        parameter.defaultBool = node.attribute("default").as_bool(false);
    } else if (type == "choice") {
        parameter.defaultValue = node.attribute("default").as_double(0.0);
        readOptions(node, parameter);
    } else if (type == "string") {
        parameter.defaultString = attributeOr(node, "default", "");
    } else if (type == "filepath") {
        parameter.defaultString = attributeOr(node, "default", "");
        parameter.mustExist = node.attribute("mustexist").as_bool(false);
    } else if (type == "curve") {
        parameter.defaultShape = attributeOr(node, "default_shape", "linear");
        parameter.curveBackground = node.attribute("curve_background").as_int(0);
    } else if (hasComponents(type)) {
        parameter.components = definition_xml::readParameterComponents(node, type);
    }
}

} // namespace

void XMLEffectDefinition::readParameters(const pugi::xml_node& parametersNode)
{
    for (const pugi::xml_node node : parametersNode.children("parameter")) {
        ParameterDef parameter;
        parameter.name = requireAttribute(node, "name", "Parameter must have a name attribute");
        parameter.type = requireAttribute(node, "type", "Parameter must have a type attribute");
        parameter.label = attributeOr(node, "label", "");
        if (parameter.label.empty()) {
            parameter.label = parameter.name;
        }
        parameter.hint = attributeOr(node, "hint", "");
        parameter.resDependent = attributeOr(node, "res_dependent", "none");
        readTypeSpecific(node, parameter);

        parameters.push_back(parameter);
        // A later parameter of the same name wins the lookup.
        parameterIndex[parameter.name] = parameters.size() - 1;
    }
}
