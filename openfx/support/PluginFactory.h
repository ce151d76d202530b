#pragma once
// Plug-in factories and the one hook a plug-in provides.
//
// A plug-in binary defines OFX::Plugin::getPluginIDs and appends one factory
// per effect. The library exports OfxGetNumberOfPlugins/OfxGetPlugin, builds
// the list once per process on the first call of either, and routes each
// effect's actions to its factory and instances.

#include "openfx/support/Enums.h"
#include "openfx/support/ImageEffect.h"
#include "openfx/support/ImageEffectDescriptor.h"

#include "openfx/include/ofxCore.h"
#include "openfx/include/ofxImageEffect.h"

#include <string>
#include <vector>

namespace OFX {

class PluginFactory {
 public:
  virtual void load() {}
  virtual void unload() {}
  virtual void describe(ImageEffectDescriptor& desc) = 0;
  virtual void describeInContext(ImageEffectDescriptor& desc, ContextEnum context) = 0;
  // Returns a new instance; the library owns it and deletes it when the host
  // destroys the instance.
  virtual ImageEffect* createInstance(OfxImageEffectHandle handle, ContextEnum context) = 0;
  virtual const std::string& getID() const = 0;
  virtual unsigned int getMajorVersion() const = 0;
  virtual unsigned int getMinorVersion() const = 0;
  virtual OfxPluginEntryPoint* getMainEntry() const = 0;
  virtual ~PluginFactory() = default;
};

typedef std::vector<PluginFactory*> PluginFactoryArray;

namespace Private {
// Runs one action of `factory`'s effect; never throws (exceptions become statuses).
OfxStatus mainEntry(const char* action, const void* handle, OfxPropertySetHandle inArgs,
                    OfxPropertySetHandle outArgs, PluginFactory& factory);
}  // namespace Private

// Identifier, version and main entry for a factory class. The main entry is a
// static function per class, so each class must have exactly one factory
// object (the most recently constructed one receives the actions).
template <class FACTORY>
class PluginFactoryHelper : public PluginFactory {
 public:
  PluginFactoryHelper(const std::string& pluginIdentifier, unsigned int versionMajor, unsigned int versionMinor)
      : identifier_(pluginIdentifier), versionMajor_(versionMajor), versionMinor_(versionMinor) {
    instance() = this;
  }
  ~PluginFactoryHelper() override {
    if (instance() == this) instance() = nullptr;
  }

  const std::string& getID() const override { return identifier_; }
  unsigned int getMajorVersion() const override { return versionMajor_; }
  unsigned int getMinorVersion() const override { return versionMinor_; }
  OfxPluginEntryPoint* getMainEntry() const override { return &PluginFactoryHelper::mainEntry; }

 private:
  static PluginFactory*& instance() {
    static PluginFactory* factory = nullptr;
    return factory;
  }
  static OfxStatus mainEntry(const char* action, const void* handle, OfxPropertySetHandle inArgs,
                             OfxPropertySetHandle outArgs) {
    PluginFactory* factory = instance();
    if (factory == nullptr) return kOfxStatErrBadHandle;
    return Private::mainEntry(action, handle, inArgs, outArgs, *factory);
  }

  std::string identifier_;
  unsigned int versionMajor_;
  unsigned int versionMinor_;
};

namespace Plugin {
// Provided by the plug-in: append the plug-in's factories. Called once per
// process; if it throws, the binary reports no plug-ins.
void getPluginIDs(PluginFactoryArray& factories);
}  // namespace Plugin

}  // namespace OFX
