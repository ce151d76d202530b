#include "presets/PresetManager.h"

#include <ctime>
#include <pugixml.hpp>

#include "plugin/Logger.h"
#include "presets/AtomicFileWriter.h"
#include "presets/PresetNumberText.h"
#include "presets/RegularFileReader.h"

namespace {

// Collects pugixml's serialisation in memory so it can be written through the atomic
// replace instead of straight into the target file.
class StringWriter : public pugi::xml_writer {
public:
    void write(const void* data, size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
    std::string text;
};

// Controls of the framework that may appear in a definition but are never part of a look.
bool isPresetControl(const XMLEffectDefinition::ParameterDef& parameter) {
    return parameter.name == "preset_file" || parameter.name == "load_preset" ||
           parameter.name == "save_preset" || parameter.type == "pushbutton";
}

// How many numbers the value text of a vector type must hold; 0 for other types.
int componentCountOf(const std::string& presetType) {
    if (presetType == "vec2") return 2;
    if (presetType == "vec3" || presetType == "color") return 3;
    if (presetType == "vec4" || presetType == "color_rgba") return 4;
    return 0;
}

// Converts one param element's value text by its type. Returns false when the parameter is
// left out; `parseError` is set only when a number could not be parsed (which is logged).
bool readValue(const std::string& type, const std::string& text, ParameterValue& value,
               std::string& parseError) {
    if (type == "float" || type == "double") {
        double number = 0.0;
        if (!preset_text::parseDouble(text, number, parseError)) return false;
        value = ParameterValue(number);
        return true;
    }
    if (type == "int" || type == "choice") {
        int number = 0;
        if (!preset_text::parseInt(text, number, parseError)) return false;
        value = ParameterValue(number);
        return true;
    }
    if (type == "bool") {
        value = ParameterValue(text == "true" || text == "1");
        return true;
    }
    if (type == "string" || type == "filepath") {
        value = ParameterValue(text);
        return true;
    }
    const int count = componentCountOf(type);
    if (count == 0) return false;
    const std::vector<std::string> pieces = PresetManager::splitString(text, ',');
    if (static_cast<int>(pieces.size()) < count) return false;
    double c[4] = {0.0, 0.0, 0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        if (!preset_text::parseDouble(pieces[i], c[i], parseError)) return false;
    }
    if (count == 2) {
        value = ParameterValue(c[0], c[1]);
    } else if (count == 3) {
        value = ParameterValue(c[0], c[1], c[2]);
    } else {
        value = ParameterValue(c[0], c[1], c[2], c[3]);
    }
    return true;
}

}  // namespace

std::string PresetManager::getTypeString(const std::string& definitionType) {
    if (definitionType == "double") return "float";
    if (definitionType == "color") return "vec3";
    if (definitionType == "color_rgba") return "vec4";
    return definitionType;
}

std::string PresetManager::valueText(const std::string& definitionType,
                                     const ParameterValue& value) {
    const std::string& t = definitionType;
    if (t == "float" || t == "double") return preset_text::formatNumber(value.asDouble());
    if (t == "int" || t == "choice") return std::to_string(value.asInt());
    if (t == "bool") return value.asBool() ? "true" : "false";
    if (t == "string" || t == "filepath") return value.asString();
    float c[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (t == "vec2") {
        value.asVec2(c[0], c[1]);
        return preset_text::formatComponents(c, 2);
    }
    if (t == "vec3" || t == "color") {
        value.asVec3(c[0], c[1], c[2]);
        return preset_text::formatComponents(c, 3);
    }
    if (t == "vec4" || t == "color_rgba") {
        value.asVec4(c[0], c[1], c[2], c[3]);
        return preset_text::formatComponents(c, 4);
    }
    return std::string();
}

std::string PresetManager::buildPresetDocument(const std::string& effectName,
                                               const std::string& effectVersion,
                                               const std::string& created,
                                               const std::map<std::string, ParameterValue>& values,
                                               const XMLEffectDefinition& definition) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";

    pugi::xml_node preset = document.append_child("preset");
    pugi::xml_node meta = preset.append_child("meta");
    meta.append_child("effect").text().set(effectName.c_str());
    meta.append_child("version").text().set(effectVersion.c_str());
    meta.append_child("created").text().set(created.c_str());

    pugi::xml_node parameters = preset.append_child("parameters");
    for (const XMLEffectDefinition::ParameterDef& parameter : definition.getParameters()) {
        if (isPresetControl(parameter)) continue;
        const auto entry = values.find(parameter.name);
        if (entry == values.end()) continue;
        pugi::xml_node param = parameters.append_child("param");
        param.append_attribute("name") = parameter.name.c_str();
        param.append_attribute("type") = getTypeString(parameter.type).c_str();
        param.append_attribute("value") = valueText(parameter.type, entry->second).c_str();
    }

    StringWriter writer;
    document.save(writer, "\t", pugi::format_indent, pugi::encoding_auto);
    return writer.text;
}

bool PresetManager::savePreset(const std::string& filePath, const std::string& effectName,
                               const std::string& effectVersion,
                               const std::map<std::string, ParameterValue>& values,
                               const XMLEffectDefinition& definition) {
    Logger& log = Logger::getInstance();
    const std::size_t separator = filePath.find_last_of("/\\");
    if (separator != std::string::npos) {
        // A path directly under the root keeps "/" as its folder.
        const std::string folder = separator == 0 ? std::string("/") : filePath.substr(0, separator);
        if (!createDirectoryRecursive(folder)) {
            log.logMessage(LOG_ERROR, "Failed to create preset directory: %s", folder.c_str());
            return false;
        }
    }

    const std::string document =
        buildPresetDocument(effectName, effectVersion, getCurrentTimestamp(), values, definition);
    std::string error;
    if (!atomic_file::replaceFile(filePath, document, error)) {
        log.logMessage(LOG_ERROR, "Failed to save preset: %s", filePath.c_str());
        log.logMessage(LOG_DEBUG, "Preset write failed at %s", error.c_str());
        return false;
    }
    log.logMessage(LOG_INFO, "Preset saved: %s", filePath.c_str());
    return true;
}

std::map<std::string, ParameterValue> PresetManager::loadPreset(const std::string& filePath,
                                                                std::string& effectName,
                                                                std::string& effectVersion) {
    Logger& log = Logger::getInstance();
    std::map<std::string, ParameterValue> result;

    // The bytes are read here rather than by pugixml so that only regular files of preset
    // size are parsed; the parse options and encoding detection are pugixml's defaults.
    std::string contents;
    pugi::xml_document document;
    if (!regular_file::read(filePath, contents) ||
        !document.load_buffer(contents.data(), contents.size())) {
        log.logMessage(LOG_ERROR, "Failed to load preset file: %s", filePath.c_str());
        return result;
    }
    const pugi::xml_node preset = document.child("preset");
    if (!preset) {
        log.logMessage(LOG_ERROR, "Invalid preset file (no <preset> root): %s", filePath.c_str());
        return result;
    }
    if (const pugi::xml_node meta = preset.child("meta")) {
        effectName = meta.child("effect").text().get();
        effectVersion = meta.child("version").text().get();
    }

    for (const pugi::xml_node param : preset.child("parameters").children("param")) {
        const std::string name = param.attribute("name").value();
        const std::string type = param.attribute("type").value();
        const std::string text = param.attribute("value").value();
        if (name.empty()) continue;
        ParameterValue value;
        std::string parseError;
        if (!readValue(type, text, value, parseError)) {
            if (!parseError.empty()) {
                log.logMessage(LOG_INFO, "Failed to parse preset param '%s': %s", name.c_str(),
                               parseError.c_str());
            }
            continue;
        }
        result[name] = value;
    }

    log.logMessage(LOG_INFO, "Preset loaded: %s (%zu parameters)", filePath.c_str(), result.size());
    return result;
}

std::string PresetManager::getCurrentTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // The reentrant form: presets may be saved from several instances' threads at once.
    if (localtime_r(&now, &local) == nullptr) return std::string();
    char buffer[32];
    const std::size_t length = std::strftime(buffer, sizeof(buffer), "%Y-%m-%dT%H:%M:%S", &local);
    return std::string(buffer, length);
}
