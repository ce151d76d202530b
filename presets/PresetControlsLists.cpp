// PresetControls: the two preset lists, rebuilt from their folders.
#include <cstdio>

#include "plugin/Logger.h"
#include "presets/PresetControls.h"
#include "presets/PresetManager.h"

namespace {

const char* const kEmptyUserList = "(no presets found)";
const char* const kLoadDefaults = ">> Load Defaults <<";

}  // namespace

std::string PresetControls::summaryText(std::size_t count) {
    char text[64];
    std::snprintf(text, sizeof text, "Select from %zu preset%s", count, count == 1 ? "" : "s");
    return text;
}

void PresetControls::initializeLists() {
    try {
        refreshPresetList();
        refreshFactoryPresetList();
    } catch (const std::exception& e) {
        Logger::getInstance().logMessage(LOG_ERROR, "Failed to fill the preset lists: %s", e.what());
    }
}

std::vector<std::string> PresetControls::userPresetNames() {
    std::lock_guard<std::mutex> lock(m_namesMutex);
    return m_userPresetNames;
}

std::vector<std::string> PresetControls::factoryPresetNames() {
    std::lock_guard<std::mutex> lock(m_namesMutex);
    return m_factoryPresetNames;
}

std::string PresetControls::factoryPresetFolder() {
    std::lock_guard<std::mutex> lock(m_namesMutex);
    return m_factoryFolder;
}

void PresetControls::refreshPresetList() {
    Logger& log = Logger::getInstance();
    const std::string folder = userPresetFolder();
    const std::vector<std::string> names = PresetManager::listPresetNames(folder);
    {
        std::lock_guard<std::mutex> lock(m_namesMutex);
        m_userPresetNames = names;
    }
    log.logMessage(LOG_INFO, "Found %zu presets in %s", names.size(), folder.c_str());
    {
        std::lock_guard<std::mutex> lock(m_instance.paramMutex);
        OFX::ChoiceParam* list = lookup<OFX::ChoiceParam>("preset_list");
        if (list == nullptr) {
            log.logMessage(LOG_ERROR, "preset_list parameter not found");
            return;
        }
        list->resetOptions();
        list->appendOption(names.empty() ? std::string(kEmptyUserList) : summaryText(names.size()), "");
        list->appendOption(kLoadDefaults, "");
        for (const std::string& name : names) list->appendOption(name, "");
        // Set to 0 under the lock: a host that reports it back reaches a dispatcher that
        // handles 0 without the lock.
        list->setValue(0);
    }
    log.logMessage(LOG_INFO, "Preset list refreshed: %zu presets found", names.size());
}

void PresetControls::refreshFactoryPresetList() {
    Logger& log = Logger::getInstance();
    // The standard plug-in location first; a bundle installed elsewhere uses its own folder.
    const std::string folder = PresetManager::getFactoryPresetDirectory(m_instance.bundleName, m_loadedBundlePath);
    const std::vector<std::string> names = PresetManager::listPresetNames(folder);
    {
        std::lock_guard<std::mutex> lock(m_namesMutex);
        m_factoryPresetNames = names;
        m_factoryFolder = folder;
    }
    log.logMessage(LOG_INFO, "Found %zu factory presets in %s", names.size(), folder.c_str());
    {
        std::lock_guard<std::mutex> lock(m_instance.paramMutex);
        OFX::ChoiceParam* list = lookup<OFX::ChoiceParam>("factory_preset_list");
        if (list == nullptr) {
            log.logMessage(LOG_ERROR, "factory_preset_list parameter not found");
            return;
        }
        if (names.empty()) {
            list->setIsSecret(true);
            log.logMessage(LOG_INFO, "No factory presets found - hiding dropdown");
            return;
        }
        list->setIsSecret(false);
        list->resetOptions();
        list->appendOption(summaryText(names.size()), "");
        for (const std::string& name : names) list->appendOption(name, "");
        list->setValue(0);
    }
    log.logMessage(LOG_INFO, "Factory preset list refreshed: %zu presets found", names.size());
}
