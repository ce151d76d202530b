#include "plugin/XMLParameterManager.h"

#include "openfx/support/ImageEffectDescriptor.h"
#include "plugin/FrameworkParameters.h"
#include "plugin/Logger.h"
#include "plugin/ParameterDefaults.h"

#include <exception>
#include <iostream>
#include <stdexcept>

namespace {

// Definition names share one name space with the framework's own parameters; a clash would
// silently merge two parameters (same kind) or fail deep in the host (other kind), so it is
// refused up front with a clear reason.
void refuseFrameworkName(const std::string& name, const char* what)
{
    if (isFrameworkParameterName(name)) {
        Logger::getInstance().logMessage(LOG_ERROR, "Definition %s '%s' uses a name reserved by the framework", what,
                                         name.c_str());
        throw std::runtime_error(std::string("Definition ") + what + " '" + name + "' uses a name reserved by the framework");
    }
}

} // namespace

bool XMLParameterManager::createParameters(const XMLEffectDefinition& definition, OFX::ImageEffectDescriptor& desc,
                                           PageMap& pages)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "XMLParameterManager::createParameters called");
    try {
        if (pages.empty()) {
            pages["Main"] = createPage("Main", desc);
        }
        for (const ParameterDef& param : definition.getParameters()) {
            refuseFrameworkName(param.name, "parameter");
            if (!createParameterOfType(param, desc)) {
                std::cerr << "Warning: Unsupported parameter type: " << param.type << std::endl;
            }
        }
        log.logMessage(LOG_INFO, "XMLParameterManager::createParameters completed successfully");
        return true;
    } catch (const std::exception& e) {
        std::cerr << "Error creating parameters: " << e.what() << std::endl;
        return false;
    }
}

bool XMLParameterManager::createParameterOfType(const ParameterDef& def, OFX::ImageEffectDescriptor& desc)
{
    const std::string& type = def.type;
    if (type == "double" || type == "float") {
        createDoubleParam(def, desc);
    } else if (type == "int") {
        createIntParam(def, desc);
    } else if (type == "bool") {
        createBooleanParam(def, desc);
    } else if (type == "choice") {
        createChoiceParam(def, desc);
    } else if (type == "color") {
        createColorParam(def, desc);
    } else if (type == "vec2") {
        createVec2Param(def, desc);
    } else if (type == "vec3") {
        createVec3Param(def, desc);
    } else if (type == "color_rgba") {
        createColorRGBAParam(def, desc);
    } else if (type == "string") {
        createStringParam(def, desc);
    } else if (type == "filepath") {
        createFilePathParam(def, desc);
    } else if (type == "pushbutton") {
        createPushButtonParam(def, desc);
    } else if (type == "curve") {
        createCurveParam(def, desc);
    } else {
        return false;
    }
    return true;
}

OFX::PageParamDescriptor* XMLParameterManager::createPage(const std::string& name, OFX::ImageEffectDescriptor& desc)
{
    OFX::PageParamDescriptor* page = desc.definePageParam(name);
    page->setLabels(name, name, name);
    return page;
}

void XMLParameterManager::applyResolutionDependency(OFX::ParamDescriptor& param, const std::string& resDependent,
                                                    const std::string& hint)
{
    param.setHint(hint + resolutionDependencySuffix(resDependent));
}

bool XMLParameterManager::organizeUI(const XMLEffectDefinition& definition, OFX::ImageEffectDescriptor& desc,
                                     PageMap& pages)
{
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "XMLParameterManager::organizeUI called");
    try {
        if (pages.empty()) {
            pages["Main"] = createPage("Main", desc);
        }
        OFX::PageParamDescriptor* page = pages.begin()->second;

        int groupCount = 0;
        int parentedCount = 0;
        for (const XMLEffectDefinition::UIGroupDef& groupDef : definition.getUIGroups()) {
            refuseFrameworkName(groupDef.name, "group");
            OFX::GroupParamDescriptor* group = desc.defineGroupParam(groupDef.name);
            group->setLabels(groupDef.name, groupDef.name, groupDef.name);
            group->setOpen(groupDef.open);
            if (!groupDef.tooltip.empty()) {
                group->setHint(groupDef.tooltip);
            }
            page->addChild(*group);
            ++groupCount;

            auto parent = [&](const XMLEffectDefinition::UIParameterDef& reference) {
                OFX::ParamDescriptor* param = desc.getParamDescriptor(reference.name);
                if (param == nullptr) {
                    log.logMessage(LOG_DEBUG, "Parameter not found: %s", reference.name.c_str());
                    return;
                }
                param->setParent(*group);
                ++parentedCount;
            };
            // Columns make no host element: their parameters simply follow one another.
            for (const XMLEffectDefinition::UIColumnDef& column : groupDef.columns) {
                for (const auto& reference : column.parameters) parent(reference);
            }
            for (const auto& reference : groupDef.parameters) parent(reference);
        }

        log.logMessage(LOG_DEBUG, "Created %d UI groups with %d total parameters", groupCount, parentedCount);
        log.logMessage(LOG_INFO, "XMLParameterManager::organizeUI completed successfully");
        return true;
    } catch (const std::exception& e) {
        log.logMessage(LOG_ERROR, "ERROR in organizeUI: %s", e.what());
        return false;
    }
}
