#pragma once
// Loads the probe plug-in bundle and reads what the probe exported about the calls it received.

#include <dlfcn.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "host/Bundle.h"
#include "host/EffectInstance.h"

namespace probe {

inline const char *bundlePath() { return PROBE_BUNDLE; }

// A function the probe exports for tests (the probe binary is already loaded by the bundle).
template <class Fn>
Fn exported(const ofxhost::Bundle &bundle, const char *name) {
  void *library = dlopen(bundle.binaryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(library, nullptr) << name;
  if (!library) return nullptr;
  void *symbol = dlsym(library, name);
  dlclose(library);  // balances the RTLD_NOLOAD reference; the bundle keeps it loaded
  EXPECT_NE(symbol, nullptr) << name;
  return reinterpret_cast<Fn>(symbol);
}

class ProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bundle = ofxhost::Bundle::open(bundlePath(), options());
    plugin = bundle->findPlugin("com.test.hostprobe");
    ASSERT_NE(plugin, nullptr);
  }
  void TearDown() override {
    instance.reset();
    bundle.reset();
  }
  virtual ofxhost::HostOptions options() { return {}; }

  ofxhost::EffectInstance &makeInstance(const std::string &context = "OfxImageEffectContextFilter") {
    OfxStatus status = kOfxStatFailed;
    instance = plugin->createInstance(context, &status);
    EXPECT_EQ(status, kOfxStatOK);
    return *instance;
  }

  std::unique_ptr<ofxhost::Bundle> bundle;
  ofxhost::PluginHandle *plugin = nullptr;
  std::unique_ptr<ofxhost::EffectInstance> instance;
};

}  // namespace probe
