#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "definition/XMLEffectDefinition.h"
#include "effect/ParameterValue.h"
#include "openfx/support/Param.h"
#include "openfx/support/ParamSet.h"

// The "Presets & Help" controls of one effect instance: the two preset lists, Save, Delete,
// the typed preset name, loading defaults, and the documentation button. The instance hands
// every parameter change to changedParam and lets the first render fill the lists with
// initializeLists. All feedback to the user is the content and selection of the two lists;
// every outcome, refusals and failures included, is a log line. Nothing here throws.
//
// Locking. The instance's parameter lock (non-recursive) guards its table of parameter
// handles and every option change of the two lists. A host may deliver the change
// notification for a value set here synchronously, inside setValue, which re-enters
// changedParam on the same thread. So:
//  - the lock is held only for short lookups and released before calling anything that
//    takes it (collecting, applying, rebuilding a list);
//  - a list is set while the lock is held only to 0, and changedParam handles 0 without
//    taking the lock;
//  - after a save, "My Presets" is set to the saved preset without the lock held (a host
//    that reports it back makes the preset load again, which re-applies the same values);
//  - applying values holds the lock while setting definition parameters, whose
//    notifications go to the instance's base handler, which takes no lock.
// The name lists have a lock of their own, held only to copy them and never together with
// the parameter lock.
class PresetControls {
public:
    // What the controls use of their effect instance. References stay valid for the
    // instance's life; the definition may still be empty when the controls are built.
    struct Instance {
        OFX::ParamSet& params;                          // fetches the two lists by name
        std::mutex& paramMutex;                         // guards paramHandles
        std::map<std::string, OFX::Param*>& paramHandles;
        const XMLEffectDefinition& definition;
        const std::string& bundleName;                  // names the factory preset folder
        std::function<void()> fetchParameters;          // refills paramHandles; takes paramMutex
    };

    explicit PresetControls(Instance instance);

    // Handles a change of one of the controls (factory_preset_list, preset_list,
    // save_preset, load_preset, delete_preset, refresh_presets, tutorialsButton). Returns
    // false for any other name, which the instance passes to its base handler.
    bool changedParam(const std::string& paramName);

    // The first-render step: rebuilds the user list, then the factory list.
    void initializeLists();

    bool handlePresetSave();
    bool handlePresetLoad();
    bool handleFactoryPresetLoad();
    bool handlePresetDelete();
    void refreshPresetList();
    void refreshFactoryPresetList();
    void loadDefaultValues();
    std::map<std::string, ParameterValue> collectAllParameterValues();
    void applyParameterValues(const std::map<std::string, ParameterValue>& values);
    // Opens the documentation page with URLOpener; false when it could not be opened.
    bool openDocumentation();

    std::vector<std::string> userPresetNames();
    std::vector<std::string> factoryPresetNames();
    // The folder the factory list was last built from (empty before the first build).
    std::string factoryPresetFolder();
    // The file:// address of the documentation page shipped with the loaded bundle.
    std::string documentationAddress() const;

    // "Select from %zu preset%s", the first option of a filled list.
    static std::string summaryText(std::size_t count);

private:
    // A parameter of the handle table as the given class; null when it is missing or of
    // another class. Call with paramMutex held.
    template <typename T>
    T* lookup(const std::string& name);
    // The value of a list fetched from the host; false when it cannot be fetched or read.
    bool fetchedChoiceValue(const std::string& name, int& value);
    // Fetches a list from the host and sets it, without the parameter lock.
    void setFetchedChoice(const std::string& name, int value);
    // Under the parameter lock: sets the named list to 0 when it is in the table.
    void resetListInTable(const std::string& name);
    bool dispatch(const std::string& paramName);
    std::string effectName() const;
    std::string userPresetFolder() const;

    Instance m_instance;
    std::string m_loadedBundlePath;

    std::mutex m_namesMutex;  // guards the three members below
    std::vector<std::string> m_userPresetNames;
    std::vector<std::string> m_factoryPresetNames;
    std::string m_factoryFolder;
};

template <typename T>
T* PresetControls::lookup(const std::string& name) {
    const auto found = m_instance.paramHandles.find(name);
    if (found == m_instance.paramHandles.end()) return nullptr;
    return dynamic_cast<T*>(found->second);
}
