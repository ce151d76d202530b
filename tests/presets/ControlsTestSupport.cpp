#include "tests/presets/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "host/Image.h"
#include "tests/presets/PresetTestSupport.h"

namespace controlstest {

std::string edgeBleedBundle() { return EDGE_BLEED_TEST_BUNDLE; }

std::string fixtureBundle(bool withFactoryPresets) {
    return std::string(PRESET_FIXTURE_BUNDLE_DIR) + "/preset_controls_" +
           (withFactoryPresets ? "with_factory" : "without_factory") + ".ofx.bundle";
}

std::string fixtureEffectName() { return PRESET_FIXTURE_EFFECT; }

std::string fixtureDefinitionText() { return presettest::readFile(PRESET_FIXTURE_DEFINITION); }

HostedEffect::HostedEffect(const std::string& bundlePath) {
    m_bundle = ofxhost::Bundle::open(bundlePath);
    if (m_bundle->pluginCount() != 1) {
        ADD_FAILURE() << bundlePath << " has " << m_bundle->pluginCount() << " plug-ins";
        return;
    }
    OfxStatus status = kOfxStatOK;
    m_instance = m_bundle->plugin(0).createInstance(kGeneralContext, &status);
    if (m_instance == nullptr) ADD_FAILURE() << "instance creation failed with status " << status;
}

HostedEffect::~HostedEffect() {
    m_instance.reset();
    m_bundle.reset();
}

void HostedEffect::render() {
    const OfxRectI bounds{0, 0, 8, 8};
    for (const std::string& clip : m_instance->clipNames()) {
        if (clip == "Output") continue;
        m_instance->setClipImage(clip, std::make_shared<ofxhost::Image>(
                                           ofxhost::Image::filled(bounds, 0.5f, 0.25f, 0.75f, 1.0f)));
    }
    m_instance->setClipImage("Output", std::make_shared<ofxhost::Image>(bounds));
    m_instance->render();
}

void HostedEffect::save(const std::string& name) {
    m_instance->setString("preset_name", name);
    m_instance->pressButton("save_preset");
}

void HostedEffect::select(const std::string& list, int option) { m_instance->setInt(list, option); }

std::vector<std::string> HostedEffect::closeAndReadLog(const std::string& effectName) {
    // The plug-in's log buffers its information lines. A new instance switches the log to a
    // fresh file, which closes (and so completes) the old one and moves it to the backup path.
    m_instance.reset();
    std::unique_ptr<ofxhost::EffectInstance> next = m_bundle->plugin(0).createInstance(kGeneralContext);
    const std::string text = presettest::readFile("/tmp/" + effectName + "_plugin_log.old");
    next.reset();
    m_bundle.reset();
    std::istringstream stream(text);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(stream, line)) {
        if (line.rfind("[", 0) == 0) lines.push_back(line);
    }
    return lines;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int countStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

namespace {

void collectFiles(const std::string& root, const std::string& relative, std::vector<std::string>& files) {
    const std::string folder = relative.empty() ? root : root + "/" + relative;
    for (const std::string& entry : presettest::folderEntries(folder)) {
        const std::string path = relative.empty() ? entry : relative + "/" + entry;
        if (presettest::isDirectory(root + "/" + path)) {
            collectFiles(root, path, files);
        } else {
            files.push_back(path);
        }
    }
}

}  // namespace

std::vector<std::string> filesUnder(const std::string& folder) {
    std::vector<std::string> files;
    collectFiles(folder, "", files);
    std::sort(files.begin(), files.end());
    return files;
}

int runWithin(const std::function<int()>& body, int seconds, const std::string& what) {
    // A thread stuck in a deadlock cannot be stopped; when the time is up the whole test
    // program ends with a failure instead of hanging (each test runs in its own process).
    auto task = std::make_shared<std::packaged_task<int()>>(body);
    std::future<int> result = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (result.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
        std::fprintf(stderr, "FAILED: %s did not finish within %d s (deadlock)\n", what.c_str(), seconds);
        std::fflush(nullptr);
        std::_Exit(1);
    }
    return result.get();
}

void writeStandInXdgOpen(const std::string& folder, const std::string& recordFile, int exitCode) {
    const std::string path = folder + "/xdg-open";
    presettest::writeFile(path,
                          "#!/bin/sh\n"
                          ": > '" + recordFile + "'\n"
                          "for argument in \"$@\"; do printf '%s\\0' \"$argument\" >> '" + recordFile + "'; done\n"
                          "exit " + std::to_string(exitCode) + "\n");
    chmod(path.c_str(), 0755);
}

std::vector<std::string> recordedArguments(const std::string& recordFile) {
    const std::string text = presettest::readFile(recordFile);
    std::vector<std::string> arguments;
    std::string current;
    for (const char c : text) {
        if (c == '\0') {
            arguments.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return arguments;
}

}  // namespace controlstest
