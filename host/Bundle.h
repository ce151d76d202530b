#pragma once
// Loading an OpenFX bundle: the binary is opened with dlopen, its plug-ins are
// enumerated, and each is handed the host record whose fetchSuite serves every
// suite this host implements. PluginHandle runs a plug-in's plug-in-level actions.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/ImageEffect.h"
#include "host/PropertySet.h"
#include "ofxCore.h"
#include "ofxImageEffect.h"

namespace ofxhost {

class Bundle;
class EffectInstance;
class InteractObject;

struct HostOptions {
  bool supportsOverlays = true;  // kOfxImageEffectPropSupportsOverlays
  bool cudaRender = false;       // the host offers CUDA render and streams
  std::string name = "com.lanternkit.ofxhost";
  std::string label = "Edge Bleed host";
};

// One action sent to a plug-in, with what it answered.
struct ActionRecord {
  std::string action;
  OfxStatus status = kOfxStatOK;
};

class PluginHandle {
 public:
  PluginHandle(Bundle &bundle, OfxPlugin *plugin, int index);
  ~PluginHandle();
  PluginHandle(const PluginHandle &) = delete;
  PluginHandle &operator=(const PluginHandle &) = delete;

  Bundle &bundle() { return bundle_; }
  int index() const { return index_; }
  std::string identifier() const;
  std::string api() const;
  int apiVersion() const;
  unsigned int versionMajor() const;
  unsigned int versionMinor() const;
  bool isImageEffect() const;  // API "OfxImageEffectPluginAPI", version 1

  // Plug-in level actions. Each is sent at most once while it succeeds (load before describe, and so on).
  OfxStatus load();
  OfxStatus describe();  // loads first; builds a fresh descriptor each time it is called
  OfxStatus describeInContext(const std::string &context);  // describes first if needed
  OfxStatus unload();     // sent only when load succeeded and unload was not yet sent
  bool loaded() const { return loaded_; }

  ImageEffectObject *descriptor() { return descriptor_.get(); }
  ImageEffectObject *contextDescriptor(const std::string &context);
  std::vector<std::string> describedContexts() const;

  // Describes in the context if needed, creates the instance and sends kOfxActionCreateInstance.
  // Null on failure, with the failing status in *status when given.
  std::unique_ptr<EffectInstance> createInstance(const std::string &context, OfxStatus *status = nullptr);

  // Sends one action; never throws, records the action and its status.
  OfxStatus callAction(const char *action, const void *handle, PropertySet *inArgs, PropertySet *outArgs);
  std::vector<ActionRecord> actionLog() const;
  void clearActionLog();

  // The overlay interact descriptor for an entry point, described on first use; null when describe fails.
  InteractObject *overlayDescriptor(OfxPluginEntryPoint *entry, OfxStatus *status);

 private:
  Bundle &bundle_;
  OfxPlugin *plugin_;
  int index_;
  bool loaded_ = false;
  std::unique_ptr<ImageEffectObject> descriptor_;
  std::map<std::string, std::unique_ptr<ImageEffectObject>> contexts_;
  std::map<OfxPluginEntryPoint *, std::unique_ptr<InteractObject>> overlayDescriptors_;
  mutable std::mutex logMutex_;
  std::vector<ActionRecord> log_;
};

class Bundle {
 public:
  // Opens a bundle folder (X.ofx.bundle) or a binary directly. Throws HostError with a clear message.
  static std::unique_ptr<Bundle> open(const std::string &path, HostOptions options = {});
  // The binary inside a bundle folder: X.ofx.bundle/Contents/Linux-x86-64/X.ofx.
  static std::string binaryPathFor(const std::string &bundlePath);

  ~Bundle();  // unloads loaded plug-ins, then closes the binary
  Bundle(const Bundle &) = delete;
  Bundle &operator=(const Bundle &) = delete;

  const std::string &path() const { return path_; }
  const std::string &binaryPath() const { return binaryPath_; }
  const HostOptions &options() const { return options_; }
  PropertySet &hostProperties() { return hostProps_; }

  int pluginCount() const { return static_cast<int>(plugins_.size()); }
  PluginHandle &plugin(int index);
  PluginHandle *findPlugin(const std::string &identifier);

  // Suites the plug-ins asked for, as "name/version", with a trailing " (refused)" for those not served.
  std::vector<std::string> fetchedSuites() const;
  const void *fetchSuite(const char *name, int version);

 private:
  Bundle(std::string path, std::string binaryPath, void *library, HostOptions options);
  void defineHostProperties();

  std::string path_;
  std::string binaryPath_;
  void *library_;
  HostOptions options_;
  PropertySet hostProps_;
  OfxHost host_;
  std::vector<std::unique_ptr<PluginHandle>> plugins_;
  mutable std::mutex suitesMutex_;
  std::vector<std::string> fetched_;
};

}  // namespace ofxhost
