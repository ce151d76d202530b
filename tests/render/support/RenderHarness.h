#pragma once
// Driving a test bundle through the host library the way a compositor would: open it, create
// an instance in the general context, connect float RGBA pictures, set parameters, render and
// read back the output picture, the status, the bundle's GPU object counts and the log.

#include <memory>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/EffectInstance.h"
#include "host/Image.h"
#include "tests/render/support/RenderTestHooks.h"

namespace render_test {

inline constexpr const char kGeneralContext[] = "OfxImageEffectContextGeneral";

// Paths of the built test bundles by name ("edge_bleed", "identity", "execution").
std::string bundlePath(const std::string& name);
// The log file of an effect display name ("/tmp/<name>_plugin_log.txt").
std::string logPathForEffect(const std::string& effectName);
// The display names of the fixture effects (they carry a tag of the build folder).
std::string fixtureEffectName(const std::string& fixture);
std::string readFile(const std::string& path);
int countOccurrences(const std::string& text, const std::string& needle);

// The hooks a loaded test bundle registered; null when it has not.
const RenderTestHooks* hooksFor(const std::string& bundleTarget);

struct ObjectCounts {
  int linear = 0, arrays = 0, textures = 0, surfaces = 0;
  bool operator==(const ObjectCounts& o) const {
    return linear == o.linear && arrays == o.arrays && textures == o.textures && surfaces == o.surfaces;
  }
};
ObjectCounts createdObjects(const RenderTestHooks& hooks);
ObjectCounts liveObjects(const RenderTestHooks& hooks);

// One instance of a test bundle. Bundles are opened once and stay loaded until the process
// ends, as in a host: the bundle's process-wide objects (its runtime, its log) live on, so
// GPU object counts are compared as differences. The log is flushed when a session ends.
class Session {
 public:
  // Opens bundlePath(name), whose target is "render_test_" + name, and creates an instance.
  explicit Session(const std::string& name, const std::string& context = kGeneralContext);
  ~Session();

  ofxhost::EffectInstance& instance() { return *instance_; }
  const RenderTestHooks& hooks() const { return *hooks_; }

  // Connects a picture to a clip (a copy is kept by the host).
  void setInput(const std::string& clip, const ofxhost::Image& picture);
  // Renders at `time` into a fresh output picture of the given bounds (with row padding).
  OfxStatus render(const OfxRectI& bounds, double time = 1.0, int outputRowPadding = 0);
  // Renders into the output picture left by the previous render (same buffer).
  OfxStatus renderAgain(double time = 1.0);
  std::shared_ptr<ofxhost::Image> output() { return instance_->clipImage("Output"); }

 private:
  ofxhost::Bundle* bundle_ = nullptr;
  std::unique_ptr<ofxhost::EffectInstance> instance_;
  const RenderTestHooks* hooks_ = nullptr;
};

}  // namespace render_test
