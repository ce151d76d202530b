#pragma once
// Driving the preset and help controls of a built bundle through the host library: one
// hosted instance, the lists and values it shows, its log, and a child process with a time
// limit for tests that would hang if the controls deadlocked.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/EffectInstance.h"

namespace controlstest {

inline constexpr const char kGeneralContext[] = "OfxImageEffectContextGeneral";
inline constexpr const char kLoadDefaults[] = ">> Load Defaults <<";

std::string edgeBleedBundle();
// The fixture bundle that ships factory presets (b, A, a, Broken) and the one that ships none.
std::string fixtureBundle(bool withFactoryPresets);
// The fixture definition's effect name (it names the log file and the user preset folder).
std::string fixtureEffectName();
// The fixture definition document.
std::string fixtureDefinitionText();

// One instance of a bundle's only effect, in the general context.
class HostedEffect {
public:
    explicit HostedEffect(const std::string& bundlePath);
    ~HostedEffect();
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    bool ok() const { return m_instance != nullptr; }
    ofxhost::EffectInstance& instance() { return *m_instance; }
    // Renders one small frame, which fills the preset lists the first time. The render's
    // own status does not matter here.
    void render();
    std::vector<std::string> options(const std::string& list) { return m_instance->choiceOptions(list); }
    int value(const std::string& name) { return m_instance->getInt(name); }
    std::vector<double> values(const std::string& name) { return m_instance->values(name); }
    // Types a name and presses Save; selects an option of a list (as a user would).
    void save(const std::string& name);
    void select(const std::string& list, int option);
    void press(const std::string& button) { m_instance->pressButton(button); }
    // Destroys the instance, closes the plug-in's log of `effectName` and returns its lines
    // ("[LEVEL] text"); then unloads the bundle.
    std::vector<std::string> closeAndReadLog(const std::string& effectName);

private:
    std::unique_ptr<ofxhost::Bundle> m_bundle;
    std::unique_ptr<ofxhost::EffectInstance> m_instance;
};

bool hasLine(const std::vector<std::string>& lines, const std::string& line);
int countStartingWith(const std::vector<std::string>& lines, const std::string& prefix);

// Every regular file under a folder (relative paths, sorted).
std::vector<std::string> filesUnder(const std::string& folder);

// Runs `body` on a thread of its own and returns its result. When it has not finished after
// `seconds`, prints a failure naming `what` and ends the program with exit status 1.
int runWithin(const std::function<int()>& body, int seconds, const std::string& what);

// Writes an executable `xdg-open` into `folder` that records each argument it receives into
// `recordFile` (each followed by a NUL byte) and exits with `exitCode`.
void writeStandInXdgOpen(const std::string& folder, const std::string& recordFile, int exitCode);
// The arguments recorded by the stand-in.
std::vector<std::string> recordedArguments(const std::string& recordFile);

}  // namespace controlstest
