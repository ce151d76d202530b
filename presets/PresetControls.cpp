// PresetControls: the change dispatcher, saving, loading, deleting and the documentation.
#include "presets/PresetControls.h"

#include <exception>

#include "plugin/Logger.h"
#include "presets/DocumentationAddress.h"
#include "presets/PresetManager.h"
#include "presets/URLOpener.h"

PresetControls::PresetControls(Instance instance)
    : m_instance(std::move(instance)), m_loadedBundlePath(DocumentationAddress::loadedBundlePath()) {}

std::string PresetControls::effectName() const { return m_instance.definition.getName(); }

std::string PresetControls::userPresetFolder() const {
    return PresetManager::getUserPresetDirectory(effectName());
}

bool PresetControls::fetchedChoiceValue(const std::string& name, int& value) {
    try {
        value = m_instance.params.fetchChoiceParam(name)->getValue();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void PresetControls::setFetchedChoice(const std::string& name, int value) {
    m_instance.params.fetchChoiceParam(name)->setValue(value);
}

void PresetControls::resetListInTable(const std::string& name) {
    std::lock_guard<std::mutex> lock(m_instance.paramMutex);
    if (OFX::ChoiceParam* list = lookup<OFX::ChoiceParam>(name)) list->setValue(0);
}

bool PresetControls::changedParam(const std::string& paramName) {
    // Host calls inside a handler may throw (a refused value, a missing parameter); none of
    // that may reach the host as a failed action.
    try {
        return dispatch(paramName);
    } catch (const std::exception& e) {
        Logger::getInstance().logMessage(LOG_ERROR, "Preset control '%s' failed: %s", paramName.c_str(),
                                         e.what());
    } catch (...) {
        Logger::getInstance().logMessage(LOG_ERROR, "Preset control '%s' failed", paramName.c_str());
    }
    return true;
}

bool PresetControls::dispatch(const std::string& paramName) {
    Logger& log = Logger::getInstance();
    if (paramName == "tutorialsButton") {
        openDocumentation();
        return true;
    }
    if (paramName == "factory_preset_list") {
        // Read without the parameter lock: a list set to 0 while that lock is held reports
        // its change back here.
        int value = 0;
        if (fetchedChoiceValue(paramName, value) && value >= 1) {
            log.logMessage(LOG_INFO, "Factory preset dropdown changed to index %d - auto-loading", value);
            handleFactoryPresetLoad();
        }
        return true;
    }
    if (paramName == "preset_list") {
        int value = 0;
        if (!fetchedChoiceValue(paramName, value) || value <= 0) return true;
        if (value == 1) {
            log.logMessage(LOG_INFO, "Load Defaults selected - resetting to XML defaults");
            loadDefaultValues();
            setFetchedChoice("factory_preset_list", 0);
        } else {
            log.logMessage(LOG_INFO, "Preset dropdown changed to index %d - auto-loading", value);
            handlePresetLoad();
        }
        return true;
    }
    if (paramName == "save_preset") {
        log.logMessage(LOG_INFO, "Save Preset button clicked!");
        handlePresetSave();
        return true;
    }
    if (paramName == "load_preset") {
        log.logMessage(LOG_INFO, "Load Preset button clicked!");
        handlePresetLoad();
        return true;
    }
    if (paramName == "delete_preset") {
        log.logMessage(LOG_INFO, "Delete Preset button clicked!");
        handlePresetDelete();
        return true;
    }
    if (paramName == "refresh_presets") {
        log.logMessage(LOG_INFO, "Refresh Presets button clicked!");
        refreshPresetList();
        return true;
    }
    return false;
}

bool PresetControls::handlePresetSave() {
    Logger& log = Logger::getInstance();
    std::string typed;
    {
        std::lock_guard<std::mutex> lock(m_instance.paramMutex);
        OFX::StringParam* nameParam = lookup<OFX::StringParam>("preset_name");
        if (nameParam == nullptr) {
            log.logMessage(LOG_ERROR, "preset_name parameter not found");
            return false;
        }
        typed = nameParam->getValue();
    }
    if (typed.empty()) {
        log.logMessage(LOG_ERROR, "No preset name specified - enter a name in 'Preset Name' field");
        return false;
    }
    // The name becomes a file name: one that would leave the preset folder is refused
    // (and logged) before anything is written.
    std::string path;
    if (!PresetManager::getUserPresetPath(effectName(), typed, path)) return false;
    const std::string name = PresetManager::presetNameFromInput(typed);
    log.logMessage(LOG_INFO, "Saving preset to: %s", path.c_str());

    const std::map<std::string, ParameterValue> values = collectAllParameterValues();
    const bool saved = PresetManager::savePreset(path, effectName(), m_instance.definition.getVersion(),
                                                 values, m_instance.definition);
    if (!saved) return false;

    refreshPresetList();
    const std::vector<std::string> names = userPresetNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != name) continue;
        const int index = static_cast<int>(i) + 2;
        // Without the lock: a host that reports this back loads the preset just saved.
        setFetchedChoice("preset_list", index);
        log.logMessage(LOG_INFO, "Selected saved preset '%s' at index %d", name.c_str(), index);
        break;
    }
    setFetchedChoice("factory_preset_list", 0);
    return true;
}

bool PresetControls::handlePresetLoad() {
    Logger& log = Logger::getInstance();
    const std::vector<std::string> names = userPresetNames();
    std::string name;
    {
        std::lock_guard<std::mutex> lock(m_instance.paramMutex);
        int selected = 0;
        if (OFX::ChoiceParam* list = lookup<OFX::ChoiceParam>("preset_list")) selected = list->getValue();
        if (selected >= 2 && static_cast<std::size_t>(selected - 2) < names.size()) {
            name = names[static_cast<std::size_t>(selected - 2)];
            log.logMessage(LOG_INFO, "Loading preset from dropdown: %s (index %d)", name.c_str(), selected);
        } else if (OFX::StringParam* typed = lookup<OFX::StringParam>("preset_name")) {
            name = typed->getValue();
        }
    }
    if (name.empty()) {
        log.logMessage(LOG_ERROR, "No preset selected - choose from dropdown or enter name");
        return false;
    }
    std::string path;
    if (!PresetManager::getUserPresetPath(effectName(), name, path)) return false;
    log.logMessage(LOG_INFO, "Loading preset from: %s", path.c_str());

    std::string storedEffect;
    std::string storedVersion;
    const std::map<std::string, ParameterValue> values =
        PresetManager::loadPreset(path, storedEffect, storedVersion);
    if (values.empty()) {
        log.logMessage(LOG_ERROR, "Failed to load preset or preset is empty: %s", path.c_str());
        return false;
    }
    if (storedEffect != effectName()) {
        log.logMessage(LOG_INFO, "Preset was created for '%s' but loading into '%s' - some parameters may not apply",
                       storedEffect.c_str(), effectName().c_str());
    }
    applyParameterValues(values);
    resetListInTable("factory_preset_list");
    log.logMessage(LOG_INFO, "Preset loaded: %s (%zu parameters applied)", path.c_str(), values.size());
    return true;
}

bool PresetControls::handleFactoryPresetLoad() {
    Logger& log = Logger::getInstance();
    int selected = 0;
    {
        std::lock_guard<std::mutex> lock(m_instance.paramMutex);
        OFX::ChoiceParam* list = lookup<OFX::ChoiceParam>("factory_preset_list");
        if (list == nullptr) {
            log.logMessage(LOG_ERROR, "factory_preset_list parameter not found");
            return false;
        }
        selected = list->getValue();
    }
    if (selected == 0) {
        log.logMessage(LOG_DEBUG, "Factory preset placeholder selected - no action");
        return false;
    }
    std::vector<std::string> names;
    std::string folder;
    {
        std::lock_guard<std::mutex> lock(m_namesMutex);
        names = m_factoryPresetNames;
        folder = m_factoryFolder;
    }
    if (selected - 1 < 0 || static_cast<std::size_t>(selected - 1) >= names.size()) {
        log.logMessage(LOG_ERROR, "Invalid factory preset index: %d", selected);
        return false;
    }
    const std::string& name = names[static_cast<std::size_t>(selected - 1)];
    const std::string path = folder + "/" + name + ".xml";
    log.logMessage(LOG_INFO, "Loading factory preset: %s", path.c_str());

    std::string storedEffect;
    std::string storedVersion;
    const std::map<std::string, ParameterValue> values =
        PresetManager::loadPreset(path, storedEffect, storedVersion);
    if (values.empty()) {
        log.logMessage(LOG_ERROR, "Failed to load factory preset or preset is empty");
        return false;
    }
    applyParameterValues(values);
    resetListInTable("preset_list");
    log.logMessage(LOG_INFO, "Factory preset loaded: %s (%zu parameters applied)", name.c_str(), values.size());
    return true;
}

bool PresetControls::handlePresetDelete() {
    Logger& log = Logger::getInstance();
    const std::vector<std::string> names = userPresetNames();
    std::string name;
    {
        std::lock_guard<std::mutex> lock(m_instance.paramMutex);
        OFX::ChoiceParam* factory = lookup<OFX::ChoiceParam>("factory_preset_list");
        if (factory != nullptr && factory->getValue() > 0) {
            log.logMessage(LOG_INFO, "Cannot delete factory presets - select a user preset to delete");
            return false;
        }
        OFX::ChoiceParam* list = lookup<OFX::ChoiceParam>("preset_list");
        if (list == nullptr) {
            log.logMessage(LOG_ERROR, "preset_list parameter not found");
            return false;
        }
        const int selected = list->getValue();
        if (selected < 2 || static_cast<std::size_t>(selected - 2) >= names.size()) {
            log.logMessage(LOG_ERROR, "No user preset selected - choose a preset from 'My Presets' dropdown first");
            return false;
        }
        name = names[static_cast<std::size_t>(selected - 2)];
    }
    // Refuses (and logs) a name that is not a plain file name; logs the outcome.
    if (!PresetManager::deleteUserPreset(effectName(), name)) return false;
    refreshPresetList();
    return true;
}

std::string PresetControls::documentationAddress() const {
    return DocumentationAddress::address(m_instance.bundleName, m_loadedBundlePath);
}

bool PresetControls::openDocumentation() {
    const std::string address = documentationAddress();
    if (address.empty()) return false;
    if (URLOpener::openURL(address)) return true;
    Logger::getInstance().logMessage(LOG_ERROR, "Failed to open documentation: %s", address.c_str());
    return false;
}
