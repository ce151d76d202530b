// Folders, paths and small text helpers of PresetManager.
#include "presets/PresetManager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <dlfcn.h>
#include <sstream>
#include <sys/stat.h>

#include "plugin/Logger.h"
#include "presets/PresetNameCheck.h"

namespace {

const char* const kBrandWord = "Brightmoor";
const char* const kPresetEnding = ".xml";
const char* const kStandardPluginFolder = "/usr/OFX/Plugins/";
const char* const kFactoryPresetSubfolder = "/Contents/Resources/presets";

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Removes trailing slashes (but keeps a lone "/").
std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

void logRefusedName(const std::string& name) {
    Logger::getInstance().logMessage(
        LOG_ERROR,
        "Refused preset name '%s' - a preset name must be a plain file name (not empty, not "
        "'.' or '..', without '/', '\\' or NUL)",
        preset_name::printable(name).c_str());
}

}  // namespace

std::string PresetManager::getUserPresetDirectory(const std::string& effectName) {
    const char* home = std::getenv("HOME");
    std::string brand = kBrandWord;
    for (char& c : brand) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::string(home != nullptr ? home : "/tmp") + "/.config/" + brand + "/presets/" +
           effectName;
}

std::string PresetManager::getFactoryPresetDirectory(const std::string& bundleName) {
    return std::string(kStandardPluginFolder) + bundleName + ".ofx.bundle" + kFactoryPresetSubfolder;
}

std::string PresetManager::getFactoryPresetDirectory(const std::string& bundleName,
                                                     const std::string& loadedBundlePath) {
    return resolveFactoryPresetDirectory(getFactoryPresetDirectory(bundleName), loadedBundlePath);
}

std::string PresetManager::resolveFactoryPresetDirectory(const std::string& standardDirectory,
                                                         const std::string& loadedBundlePath) {
    if (isDirectory(standardDirectory) || loadedBundlePath.empty()) return standardDirectory;
    const std::string bundle = withoutTrailingSlashes(loadedBundlePath);
    return (bundle == "/" ? std::string() : bundle) + kFactoryPresetSubfolder;
}

std::string PresetManager::bundlePathFromModulePath(const std::string& modulePath) {
    // <bundle>/Contents/<architecture>/<name>.ofx: drop three path components.
    std::string path = modulePath;
    for (int level = 0; level < 3; ++level) {
        const std::size_t slash = path.find_last_of('/');
        if (slash == std::string::npos || slash == 0) return std::string();
        path.erase(slash);
    }
    return path;
}

std::string PresetManager::currentModulePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&PresetManager::currentModulePath), &info) == 0 ||
        info.dli_fname == nullptr) {
        return std::string();
    }
    return info.dli_fname;
}

std::string PresetManager::presetNameFromInput(const std::string& typedName) {
    if (endsWith(typedName, kPresetEnding)) {
        return typedName.substr(0, typedName.size() - std::string(kPresetEnding).size());
    }
    return typedName;
}

bool PresetManager::isValidPresetName(const std::string& presetName) {
    return preset_name::isPlainName(presetName);
}

bool PresetManager::getUserPresetPath(const std::string& effectName, const std::string& typedName,
                                      std::string& filePath) {
    const std::string name = presetNameFromInput(typedName);
    if (!isValidPresetName(name)) {
        logRefusedName(typedName);
        return false;
    }
    filePath = getUserPresetDirectory(effectName) + "/" + name + kPresetEnding;
    return true;
}

bool PresetManager::deleteUserPreset(const std::string& effectName, const std::string& presetName) {
    if (!isValidPresetName(presetName)) {
        logRefusedName(presetName);
        return false;
    }
    Logger& log = Logger::getInstance();
    const std::string path = getUserPresetDirectory(effectName) + "/" + presetName + kPresetEnding;
    if (std::remove(path.c_str()) != 0) {
        log.logMessage(LOG_ERROR, "Failed to delete preset: %s", path.c_str());
        return false;
    }
    log.logMessage(LOG_INFO, "Deleted preset: %s", presetName.c_str());
    return true;
}

std::vector<std::string> PresetManager::listPresetNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& entry : listDirectory(folder)) {
        if (!endsWith(entry, kPresetEnding)) continue;
        const std::string name = entry.substr(0, entry.size() - std::string(kPresetEnding).size());
        if (isValidPresetName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> PresetManager::splitString(const std::string& text, char delimiter) {
    std::vector<std::string> pieces;
    std::istringstream stream(text);
    std::string piece;
    while (std::getline(stream, piece, delimiter)) pieces.push_back(piece);
    return pieces;
}

bool PresetManager::fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool PresetManager::createDirectoryRecursive(const std::string& folder) {
    // mkdir every prefix that ends at a "/" and the whole path; existing folders (and the
    // root) simply fail, which is why the results are ignored and existence decides.
    std::string prefix;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        prefix += folder[i];
        if (folder[i] == '/' || i + 1 == folder.size()) mkdir(prefix.c_str(), 0755);
    }
    return fileExists(folder);
}

std::vector<std::string> PresetManager::listDirectory(const std::string& folder) {
    std::vector<std::string> entries;
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return entries;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") entries.push_back(name);
    }
    closedir(directory);
    return entries;
}

bool PresetManager::endsWith(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    return text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
