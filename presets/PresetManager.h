#pragma once

#include <map>
#include <string>
#include <vector>

#include "definition/XMLEffectDefinition.h"
#include "effect/ParameterValue.h"

// Preset files and the folders they live in. A preset is one XML file named after the preset
// ("<name>.xml") holding the values of one effect's definition parameters. Presets live in
// the user's own folder (read and written) and in the factory folder of the plug-in bundle
// (only read). Stateless: every function is static, takes no lock, never throws, and reports
// every outcome through the Logger.
class PresetManager {
public:
    // Writes the values of the definition's parameters (definition order; the preset
    // controls, push buttons and values without a definition parameter are left out) to
    // `filePath`, creating its folder first. The file is replaced atomically: an existing
    // preset survives any failure intact. True when the file was written.
    static bool savePreset(const std::string& filePath, const std::string& effectName,
                           const std::string& effectVersion,
                           const std::map<std::string, ParameterValue>& values,
                           const XMLEffectDefinition& definition);

    // Reads a preset file. `effectName` and `effectVersion` receive the texts stored in
    // its meta element (left as passed when the file has none). Returns the values by
    // parameter name; empty when nothing usable was found.
    static std::map<std::string, ParameterValue> loadPreset(const std::string& filePath,
                                                           std::string& effectName,
                                                           std::string& effectVersion);

    // $HOME/.config/brightmoor/presets/<effect name> ("/tmp" when HOME is not set).
    static std::string getUserPresetDirectory(const std::string& effectName);

    // The factory folder at the standard plug-in location:
    // /usr/OFX/Plugins/<bundle name>.ofx.bundle/Contents/Resources/presets.
    static std::string getFactoryPresetDirectory(const std::string& bundleName);

    // The factory folder for a bundle that was loaded from `loadedBundlePath` (the
    // ".ofx.bundle" folder; see bundlePathFromModulePath). The standard location keeps
    // precedence when it exists; otherwise the loaded bundle's own Contents/Resources/presets
    // is used, so a bundle installed on a studio's own plug-in path still offers its factory
    // presets. An empty `loadedBundlePath` gives the standard location.
    static std::string getFactoryPresetDirectory(const std::string& bundleName,
                                                 const std::string& loadedBundlePath);

    // The rule above with the standard folder given explicitly.
    static std::string resolveFactoryPresetDirectory(const std::string& standardDirectory,
                                                     const std::string& loadedBundlePath);

    // The bundle folder of a plug-in binary: two folders up from
    // <bundle>/Contents/Linux-x86-64/<name>.ofx. Empty when the path has fewer levels.
    static std::string bundlePathFromModulePath(const std::string& modulePath);

    // The path of the shared object (or executable) this code was linked into, found with
    // dladdr; inside the plug-in that is the loaded .ofx file. Empty when unknown.
    static std::string currentModulePath();

    // A typed preset name, with one trailing ".xml" removed (Soft Edge.xml -> Soft Edge).
    static std::string presetNameFromInput(const std::string& typedName);

    // True when the name is a plain file name that stays inside the preset folder
    // (see PresetNameCheck.h). No log line.
    static bool isValidPresetName(const std::string& presetName);

    // Forms <user preset folder>/<name>.xml for a typed name (one ".xml" ending removed).
    // A name that is not a plain file name is refused: logged at LOG_ERROR, `filePath` left
    // unchanged, false returned, so the caller writes, reads or deletes nothing.
    static bool getUserPresetPath(const std::string& effectName, const std::string& typedName,
                                  std::string& filePath);

    // Deletes the user preset `presetName` of an effect. Refuses names as getUserPresetPath
    // does. Logs "Deleted preset: %s" (name) or "Failed to delete preset: %s" (path).
    static bool deleteUserPreset(const std::string& effectName, const std::string& presetName);

    // The preset names in a folder: entries ending in ".xml" without that ending, sorted
    // ascending byte-wise (so B sorts before a). Entries whose name would be refused
    // (".xml", "..xml", "...xml") are left out, since they could be neither loaded nor deleted.
    static std::vector<std::string> listPresetNames(const std::string& folder);

    static std::string getCurrentTimestamp();
    static std::string getTypeString(const std::string& definitionType);
    static std::vector<std::string> splitString(const std::string& text, char delimiter);
    static bool fileExists(const std::string& path);
    static bool createDirectoryRecursive(const std::string& folder);
    static std::vector<std::string> listDirectory(const std::string& folder);
    static bool endsWith(const std::string& text, const std::string& suffix);

    // The preset document as it is written to disk, without touching the file system.
    // `created` is the text of the meta/created element.
    static std::string buildPresetDocument(const std::string& effectName,
                                           const std::string& effectVersion,
                                           const std::string& created,
                                           const std::map<std::string, ParameterValue>& values,
                                           const XMLEffectDefinition& definition);

    // The value text written for a parameter of a definition type, from its value.
    static std::string valueText(const std::string& definitionType, const ParameterValue& value);
};
