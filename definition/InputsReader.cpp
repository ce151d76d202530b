// Input clips: name, label, border mode and what an unconnected clip yields.
#include "definition/DefinitionDocument.h"
#include "plugin/Logger.h"

using definition_xml::attributeOr;

namespace {

// Without `noinput`, an explicitly optional input yields white and any other an error.
std::string settleNoInputMode(const pugi::xml_node& source, const pugi::xml_attribute& optionalAttribute)
{
    Logger& log = Logger::getInstance();
    const pugi::xml_attribute noInput = source.attribute("noinput");
    if (noInput) {
        log.logMessage(LOG_INFO, "Found noinput attribute: '%s'", noInput.value());
        return noInput.value();
    }
    if (optionalAttribute && optionalAttribute.as_bool()) {
        log.logMessage(LOG_INFO, "No noinput attribute, but optional=true, using 'white'");
        return "white";
    }
    log.logMessage(LOG_INFO, "No noinput attribute and not optional, using 'error'");
    return "error";
}

} // namespace

void XMLEffectDefinition::readInputs(const pugi::xml_node& inputsNode)
{
    Logger& log = Logger::getInstance();
    for (const pugi::xml_node source : inputsNode.children("source")) {
        InputDef input;
        input.name = source.attribute("name").value();
        input.label = source.attribute("label").value();
        input.borderMode = attributeOr(source, "border_mode", "clamp");

        log.logMessage(LOG_INFO, "Parsing noinput for input: %s", input.name.c_str());
        const pugi::xml_attribute optionalAttribute = source.attribute("optional");
        input.noInputMode = settleNoInputMode(source, optionalAttribute);

        // An explicit attribute wins over the inference from the mode.
        if (optionalAttribute) {
            input.optional = optionalAttribute.as_bool();
            log.logMessage(LOG_INFO, "Input '%s': optional explicitly set to %d", input.name.c_str(),
                           input.optional ? 1 : 0);
        } else {
            input.optional = input.noInputMode != "error";
            log.logMessage(LOG_INFO, "Input '%s': optional inferred as %d from noinput='%s'", input.name.c_str(),
                           input.optional ? 1 : 0, input.noInputMode.c_str());
        }

        if (input.name.empty()) {
            throw std::runtime_error("Input source must have a name attribute");
        }
        if (input.label.empty()) {
            input.label = input.name;
        }
        log.logMessage(LOG_INFO, "Input parsed - name: %s, noInputMode: %s", input.name.c_str(),
                       input.noInputMode.c_str());
        inputs.push_back(input);
    }
}
