// PresetControls: reading the current values from the host, setting values on it, and the
// definition's defaults.
#include <exception>
#include <set>
#include <stdexcept>

#include "plugin/Logger.h"
#include "presets/DefaultParameterValues.h"
#include "presets/PresetControls.h"

namespace {

// The controls themselves are never part of a look.
const std::set<std::string> kNeverCollected = {"preset_name",     "preset_list",   "refresh_presets",
                                               "load_preset",     "delete_preset", "save_preset"};

// The handle as the class its definition type names; a mismatch is reported like a failed
// host call instead of being used as the wrong class.
template <typename T>
T& as(OFX::Param* handle, const std::string& type) {
    T* typed = dynamic_cast<T*>(handle);
    if (typed == nullptr) throw std::runtime_error("host parameter is not of type " + type);
    return *typed;
}

// Reads one parameter by its definition type; false for a type that is not collected.
bool readValue(OFX::Param* handle, const std::string& t, ParameterValue& value) {
    if (t == "double" || t == "float") {
        value = ParameterValue(as<OFX::DoubleParam>(handle, t).getValue());
    } else if (t == "int") {
        value = ParameterValue(as<OFX::IntParam>(handle, t).getValue());
    } else if (t == "choice") {
        value = ParameterValue(as<OFX::ChoiceParam>(handle, t).getValue());
    } else if (t == "bool") {
        value = ParameterValue(as<OFX::BooleanParam>(handle, t).getValue());
    } else if (t == "string" || t == "filepath") {
        value = ParameterValue(as<OFX::StringParam>(handle, t).getValue());
    } else if (t == "vec2") {
        double x = 0.0, y = 0.0;
        as<OFX::Double2DParam>(handle, t).getValue(x, y);
        value = ParameterValue(x, y);
    } else if (t == "vec3") {
        double x = 0.0, y = 0.0, z = 0.0;
        as<OFX::Double3DParam>(handle, t).getValue(x, y, z);
        value = ParameterValue(x, y, z);
    } else if (t == "color") {
        double r = 0.0, g = 0.0, b = 0.0;
        as<OFX::RGBParam>(handle, t).getValue(r, g, b);
        value = ParameterValue(r, g, b);
    } else if (t == "color_rgba") {
        double r = 0.0, g = 0.0, b = 0.0, a = 0.0;
        as<OFX::RGBAParam>(handle, t).getValue(r, g, b, a);
        value = ParameterValue(r, g, b, a);
    } else {
        return false;
    }
    return true;
}

// Sets one parameter by its definition type, converting the stored value; nothing for a
// type that is not applied. Components pass through single precision.
void writeValue(OFX::Param* handle, const std::string& t, const ParameterValue& value) {
    float c[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (t == "double" || t == "float") {
        as<OFX::DoubleParam>(handle, t).setValue(value.asDouble());
    } else if (t == "int") {
        as<OFX::IntParam>(handle, t).setValue(value.asInt());
    } else if (t == "choice") {
        as<OFX::ChoiceParam>(handle, t).setValue(value.asInt());
    } else if (t == "bool") {
        as<OFX::BooleanParam>(handle, t).setValue(value.asBool());
    } else if (t == "string" || t == "filepath") {
        as<OFX::StringParam>(handle, t).setValue(value.asString());
    } else if (t == "vec2") {
        value.asVec2(c[0], c[1]);
        as<OFX::Double2DParam>(handle, t).setValue(c[0], c[1]);
    } else if (t == "vec3") {
        value.asVec3(c[0], c[1], c[2]);
        as<OFX::Double3DParam>(handle, t).setValue(c[0], c[1], c[2]);
    } else if (t == "color") {
        value.asVec3(c[0], c[1], c[2]);
        as<OFX::RGBParam>(handle, t).setValue(c[0], c[1], c[2]);
    } else if (t == "color_rgba") {
        value.asVec4(c[0], c[1], c[2], c[3]);
        as<OFX::RGBAParam>(handle, t).setValue(c[0], c[1], c[2], c[3]);
    }
}

}  // namespace

std::map<std::string, ParameterValue> PresetControls::collectAllParameterValues() {
    Logger& log = Logger::getInstance();
    m_instance.fetchParameters();
    std::map<std::string, ParameterValue> values;
    std::lock_guard<std::mutex> lock(m_instance.paramMutex);
    for (const XMLEffectDefinition::ParameterDef& parameter : m_instance.definition.getParameters()) {
        if (kNeverCollected.count(parameter.name) != 0 || parameter.type == "pushbutton") continue;
        const auto handle = m_instance.paramHandles.find(parameter.name);
        if (handle == m_instance.paramHandles.end()) continue;
        try {
            ParameterValue value;
            if (readValue(handle->second, parameter.type, value)) values[parameter.name] = value;
        } catch (const std::exception& e) {
            log.logMessage(LOG_ERROR, "Failed to collect parameter '%s': %s", parameter.name.c_str(), e.what());
        }
    }
    return values;
}

void PresetControls::applyParameterValues(const std::map<std::string, ParameterValue>& values) {
    Logger& log = Logger::getInstance();
    m_instance.fetchParameters();
    // Held while setting: the notifications of definition parameters go to the instance's
    // base handler, which takes no lock.
    std::lock_guard<std::mutex> lock(m_instance.paramMutex);
    for (const auto& entry : values) {
        const std::string& name = entry.first;
        const auto handle = m_instance.paramHandles.find(name);
        if (handle == m_instance.paramHandles.end()) {
            log.logMessage(LOG_INFO, "Preset parameter '%s' not found in effect - skipping", name.c_str());
            continue;
        }
        try {
            // Throws for a name without a definition entry (the preset controls themselves),
            // so a preset can never drive the controls.
            const XMLEffectDefinition::ParameterDef& parameter = m_instance.definition.getParameter(name);
            writeValue(handle->second, parameter.type, entry.second);
        } catch (const std::exception& e) {
            log.logMessage(LOG_ERROR, "Failed to apply preset parameter '%s': %s", name.c_str(), e.what());
        }
    }
}

void PresetControls::loadDefaultValues() {
    Logger& log = Logger::getInstance();
    log.logMessage(LOG_INFO, "Loading default values from XML definition");
    const std::map<std::string, ParameterValue> values = defaultParameterValues(m_instance.definition);
    applyParameterValues(values);
    log.logMessage(LOG_INFO, "Default values loaded: %zu parameters reset", values.size());
}
