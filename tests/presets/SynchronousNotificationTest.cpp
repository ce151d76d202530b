// The host library delivers the change notification of a value the plug-in sets inside the
// setValue call itself. Every action that sets a list or a parameter must therefore finish
// without waiting on a lock its own thread holds. Each scenario runs on a thread with a time
// limit, so a deadlock fails the test instead of hanging it.
#include <gtest/gtest.h>

#include <ostream>

#include "presets/PresetManager.h"
#include "tests/presets/ControlsTestSupport.h"
#include "tests/presets/PresetTestSupport.h"

using namespace controlstest;

namespace {

const int kSecondsAllowed = 60;

// 0 when every step finished and left the expected state.
int runScenario(const std::function<bool(HostedEffect&)>& scenario) {
    HostedEffect effect(fixtureBundle(true));
    if (!effect.ok()) return 10;
    effect.render();
    if (!scenario(effect)) return 11;
    // The notifications really were delivered inside the plug-in's own setValue calls.
    for (const ofxhost::ChangeRecord& change : effect.instance().changes()) {
        if (change.reason == kOfxChangePluginEdited && change.depth > 0) return 0;
    }
    return 12;
}

struct Scenario {
    const char* label;
    std::function<bool(HostedEffect&)> run;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Scenario& c, std::ostream* out) { *out << c.label; }

class SynchronousNotificationTest : public ::testing::TestWithParam<Scenario> {};

}  // namespace

TEST_P(SynchronousNotificationTest, FinishesWithoutDeadlock) {
    presettest::ScopedHome home;
    const Scenario scenario = GetParam();
    EXPECT_EQ(runWithin([scenario] { return runScenario(scenario.run); }, kSecondsAllowed, scenario.label), 0)
        << scenario.label;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, SynchronousNotificationTest,
    ::testing::Values(
        // Save selects the saved preset, which the host reports back: a reload inside Save.
        Scenario{"save",
                 [](HostedEffect& e) {
                     e.instance().setDouble("amount", 2);
                     e.save("synchronous");
                     return e.value("preset_list") == 2 && e.instance().getDouble("amount") == 2.0;
                 }},
        Scenario{"load_user_preset",
                 [](HostedEffect& e) {
                     e.save("first");
                     e.instance().setDouble("amount", 3);
                     e.select("preset_list", 0);
                     e.select("preset_list", 2);
                     return e.instance().getDouble("amount") == 0.25;
                 }},
        Scenario{"factory_preset",
                 [](HostedEffect& e) {
                     e.save("mine");
                     e.select("factory_preset_list", 1);
                     return e.value("preset_list") == 0 && e.instance().getDouble("amount") == 0.75;
                 }},
        Scenario{"load_defaults",
                 [](HostedEffect& e) {
                     e.instance().setDouble("amount", 5);
                     e.select("factory_preset_list", 2);
                     e.select("preset_list", 1);
                     return e.value("factory_preset_list") == 0 && e.instance().getDouble("amount") == 0.25;
                 }},
        Scenario{"delete",
                 [](HostedEffect& e) {
                     e.save("gone");
                     e.press("delete_preset");
                     return e.options("preset_list").size() == 2 && e.value("preset_list") == 0;
                 }}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.label); });
