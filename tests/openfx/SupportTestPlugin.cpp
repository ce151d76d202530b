#include "tests/openfx/SupportTestPlugin.h"

namespace supporttest {

// The hook runs once per process, so its call count survives a reset.
void Hooks::reset() {
  const int calls = getPluginIDsCalls;
  *this = Hooks();
  getPluginIDsCalls = calls;
}

Hooks& hooks() {
  static Hooks instance;
  return instance;
}

namespace {

class TestFactory : public OFX::PluginFactoryHelper<TestFactory> {
 public:
  TestFactory() : OFX::PluginFactoryHelper<TestFactory>(kPluginId, 2, 7) {}
  void describe(OFX::ImageEffectDescriptor& desc) override {
    if (hooks().describe) hooks().describe(desc);
  }
  void describeInContext(OFX::ImageEffectDescriptor& desc, OFX::ContextEnum context) override {
    if (hooks().describeInContext) hooks().describeInContext(desc, context);
  }
  OFX::ImageEffect* createInstance(OfxImageEffectHandle handle, OFX::ContextEnum context) override {
    if (hooks().createInstance) hooks().createInstance();
    hooks().createdContext = context;
    return new TestEffect(handle);
  }
};

}  // namespace

TestEffect::TestEffect(OfxImageEffectHandle handle) : OFX::ImageEffect(handle) { ++hooks().instancesCreated; }
TestEffect::~TestEffect() { ++hooks().instancesDestroyed; }

void TestEffect::render(const OFX::RenderArguments& args) {
  hooks().lastRender = args;
  if (hooks().render) hooks().render(args);
}

bool TestEffect::isIdentity(const OFX::IsIdentityArguments& args, OFX::Clip*& clip, double& time) {
  return hooks().isIdentity ? hooks().isIdentity(*this, args, clip, time) : false;
}

namespace {
std::string reasonText(OFX::InstanceChangeReason reason) {
  switch (reason) {
    case OFX::eChangeUserEdit: return "user";
    case OFX::eChangePluginEdit: return "plugin";
    case OFX::eChangeTime: return "time";
  }
  return "?";
}
}  // namespace

void TestEffect::changedParam(const OFX::InstanceChangedArgs& args, const std::string& name) {
  hooks().changedParams.push_back(name + "@" + std::to_string(static_cast<int>(args.time)) + ":" +
                                  reasonText(args.reason));
}
void TestEffect::changedClip(const OFX::InstanceChangedArgs& args, const std::string& name) {
  hooks().changedClips.push_back(name + ":" + reasonText(args.reason));
}
void TestEffect::beginChanged(OFX::InstanceChangeReason reason) {
  hooks().instanceChangeBrackets.push_back("begin:" + reasonText(reason));
}
void TestEffect::endChanged(OFX::InstanceChangeReason reason) {
  hooks().instanceChangeBrackets.push_back("end:" + reasonText(reason));
}

OfxStatus loadInto(fakehost::FakeHost& host) {
  OfxPlugin* plugin = OfxGetPlugin(0);
  if (plugin == nullptr) return kOfxStatFailed;
  fakehost::FakeHost::current = &host;
  plugin->setHost(host.host());
  return send(kOfxActionLoad, nullptr);
}

OfxStatus send(const char* action, const void* handle, fakehost::PropertySetStruct* in,
               fakehost::PropertySetStruct* out) {
  OfxPlugin* plugin = OfxGetPlugin(0);
  return plugin->mainEntry(action, handle, in != nullptr ? fakehost::FakeHost::handle(*in) : nullptr,
                           out != nullptr ? fakehost::FakeHost::handle(*out) : nullptr);
}

}  // namespace supporttest

// The hook the support library calls once per process.
void OFX::Plugin::getPluginIDs(OFX::PluginFactoryArray& factories) {
  static supporttest::TestFactory* factory = new supporttest::TestFactory();
  ++supporttest::hooks().getPluginIDsCalls;
  factories.push_back(factory);
}
