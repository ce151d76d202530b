#include "tests/render/support/RenderHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace {

std::mutex& hooksMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, const RenderTestHooks*>& registeredHooks() {
  static std::map<std::string, const RenderTestHooks*> hooks;
  return hooks;
}

}  // namespace

// Called by test bundles when they load (add = 1) and unload (add = 0).
extern "C" __attribute__((visibility("default"))) void ebRenderTestRegisterHooks(const RenderTestHooks* hooks,
                                                                                   int add) {
  std::lock_guard<std::mutex> lock(hooksMutex());
  if (add != 0) {
    registeredHooks()[hooks->bundle] = hooks;
  } else {
    registeredHooks().erase(hooks->bundle);
  }
}

namespace render_test {

std::string bundlePath(const std::string& name) {
  return std::string(RENDER_TEST_BUNDLE_DIR) + "/render_test_" + name + ".ofx.bundle";
}

std::string logPathForEffect(const std::string& effectName) { return "/tmp/" + effectName + "_plugin_log.txt"; }

std::string fixtureEffectName(const std::string& fixture) {
  return "Render " + fixture + " " + std::string(RENDER_TEST_BUILD_TAG);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int countOccurrences(const std::string& text, const std::string& needle) {
  int count = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) ++count;
  return count;
}

const RenderTestHooks* hooksFor(const std::string& bundleTarget) {
  std::lock_guard<std::mutex> lock(hooksMutex());
  const auto found = registeredHooks().find(bundleTarget);
  return found == registeredHooks().end() ? nullptr : found->second;
}

ObjectCounts createdObjects(const RenderTestHooks& hooks) {
  int c[4] = {0, 0, 0, 0};
  hooks.createdObjects(c);
  return ObjectCounts{c[0], c[1], c[2], c[3]};
}

ObjectCounts liveObjects(const RenderTestHooks& hooks) {
  int c[4] = {0, 0, 0, 0};
  hooks.liveObjects(c);
  return ObjectCounts{c[0], c[1], c[2], c[3]};
}

namespace {

// Test bundles stay loaded for the whole run (never unloaded, as their process-wide runtime
// is meant to live as long as the process).
ofxhost::Bundle& loadedBundle(const std::string& name) {
  static std::mutex mutex;
  static auto* bundles = new std::map<std::string, std::unique_ptr<ofxhost::Bundle>>();
  std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<ofxhost::Bundle>& bundle = (*bundles)[name];
  if (!bundle) bundle = ofxhost::Bundle::open(bundlePath(name));
  return *bundle;
}

}  // namespace

Session::Session(const std::string& name, const std::string& context) {
  bundle_ = &loadedBundle(name);
  hooks_ = hooksFor("render_test_" + name);
  if (hooks_ == nullptr) throw std::runtime_error("bundle " + name + " registered no test hooks");
  ofxhost::PluginHandle& plugin = bundle_->plugin(0);
  OfxStatus status = kOfxStatOK;
  instance_ = plugin.createInstance(context, &status);
  if (!instance_) throw std::runtime_error("instance creation failed with status " + std::to_string(status));
}

Session::~Session() {
  hooks_->clearFaults();
  instance_.reset();
  hooks_->flushLog();
}

void Session::setInput(const std::string& clip, const ofxhost::Image& picture) {
  instance_->setClipImage(clip, std::make_shared<ofxhost::Image>(picture));
}

OfxStatus Session::render(const OfxRectI& bounds, double time, int outputRowPadding) {
  instance_->setClipImage("Output", std::make_shared<ofxhost::Image>(bounds, 16, outputRowPadding));
  return renderAgain(time);
}

OfxStatus Session::renderAgain(double time) {
  ofxhost::RenderOptions options;
  options.time = time;
  return instance_->render(options);
}

}  // namespace render_test
