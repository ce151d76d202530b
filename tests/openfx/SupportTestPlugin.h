#pragma once
// The plug-in side of the support library tests: one factory and one effect
// whose behaviour each test sets through the hooks below, and the helper that
// loads the plug-in into a fake host the way a host does.

#include "openfx/support/Support.h"
#include "tests/openfx/SupportFakeHost.h"

#include <functional>
#include <string>
#include <vector>

namespace supporttest {

constexpr const char* kPluginId = "com.test.support_effect";

// What the test effect does on each action (empty: the base behaviour), and
// what it saw.
struct Hooks {
  std::function<void(OFX::ImageEffectDescriptor&)> describe;
  std::function<void(OFX::ImageEffectDescriptor&, OFX::ContextEnum)> describeInContext;
  std::function<void(const OFX::RenderArguments&)> render;
  std::function<bool(OFX::ImageEffect&, const OFX::IsIdentityArguments&, OFX::Clip*&, double&)> isIdentity;
  std::function<void()> createInstance;  // may throw

  int getPluginIDsCalls = 0;
  int instancesCreated = 0;
  int instancesDestroyed = 0;
  OFX::ContextEnum createdContext = OFX::eContextNone;
  std::vector<std::string> changedParams;  // "<name>@<time>:<reason>"
  std::vector<std::string> changedClips;
  std::vector<std::string> instanceChangeBrackets;  // "begin"/"end"
  OFX::RenderArguments lastRender;

  void reset();
};

Hooks& hooks();

class TestEffect : public OFX::ImageEffect {
 public:
  explicit TestEffect(OfxImageEffectHandle handle);
  ~TestEffect() override;
  void render(const OFX::RenderArguments& args) override;
  bool isIdentity(const OFX::IsIdentityArguments& args, OFX::Clip*& clip, double& time) override;
  void changedParam(const OFX::InstanceChangedArgs& args, const std::string& name) override;
  void changedClip(const OFX::InstanceChangedArgs& args, const std::string& name) override;
  void beginChanged(OFX::InstanceChangeReason reason) override;
  void endChanged(OFX::InstanceChangeReason reason) override;
};

// Hands the fake host to the plug-in (setHost) and sends the load action.
OfxStatus loadInto(fakehost::FakeHost& host);
// Sends one action through the plug-in's main entry.
OfxStatus send(const char* action, const void* handle, fakehost::PropertySetStruct* in = nullptr,
               fakehost::PropertySetStruct* out = nullptr);

}  // namespace supporttest
