#include "host/Bundle.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstring>

#include "host/DrawRecorder.h"
#include "host/EffectInstance.h"
#include "host/HostError.h"
#include "host/MessageSuite.h"
#include "host/MultiThreadSuite.h"
#include "host/OverlayInteract.h"
#include "host/Param.h"
#include "ofxGPURender.h"
#include "ofxParametricParam.h"

namespace ofxhost {

namespace {

std::mutex &bundlesMutex() {
  static std::mutex *m = new std::mutex;
  return *m;
}

std::map<OfxPropertySetHandle, Bundle *> &bundlesByHost() {
  static auto *bundles = new std::map<OfxPropertySetHandle, Bundle *>;
  return *bundles;
}

const void *fetchSuiteEntry(OfxPropertySetHandle host, const char *name, int version) {
  Bundle *bundle = nullptr;
  {
    std::lock_guard<std::mutex> lock(bundlesMutex());
    auto it = bundlesByHost().find(host);
    if (it != bundlesByHost().end()) bundle = it->second;
  }
  if (bundle == nullptr || name == nullptr) return nullptr;
  return bundle->fetchSuite(name, version);
}

bool isDirectory(const std::string &path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string &path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool endsWith(const std::string &text, const std::string &suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

// ---- Bundle --------------------------------------------------------------------

std::string Bundle::binaryPathFor(const std::string &bundlePath) {
  std::string folder = bundlePath;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::string leaf = folder.substr(folder.find_last_of('/') == std::string::npos ? 0 : folder.find_last_of('/') + 1);
  const std::string suffix = ".ofx.bundle";
  if (!endsWith(leaf, suffix)) return "";
  const std::string stem = leaf.substr(0, leaf.size() - suffix.size());
  return folder + "/Contents/Linux-x86-64/" + stem + ".ofx";
}

std::unique_ptr<Bundle> Bundle::open(const std::string &path, HostOptions options) {
  std::string binary;
  if (isDirectory(path)) {
    binary = binaryPathFor(path);
    if (binary.empty()) throw HostError("Not an OpenFX bundle (expected a folder named *.ofx.bundle): " + path);
    if (!isFile(binary)) throw HostError("Bundle has no Linux-x86-64 binary: " + binary);
  } else if (isFile(path)) {
    binary = path;
  } else {
    throw HostError("No such bundle or plug-in binary: " + path);
  }
  dlerror();
  void *library = ::dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char *why = dlerror();
    throw HostError("Cannot load " + binary + ": " + (why ? why : "unknown error"));
  }
  std::unique_ptr<Bundle> bundle(new Bundle(path, binary, library, std::move(options)));

  using CountFn = int (*)();
  using GetFn = OfxPlugin *(*)(int);
  auto count = reinterpret_cast<CountFn>(::dlsym(library, "OfxGetNumberOfPlugins"));
  auto get = reinterpret_cast<GetFn>(::dlsym(library, "OfxGetPlugin"));
  if (count == nullptr) throw HostError("Missing entry point OfxGetNumberOfPlugins in " + binary);
  if (get == nullptr) throw HostError("Missing entry point OfxGetPlugin in " + binary);
  const int n = count();
  if (n < 0) throw HostError("OfxGetNumberOfPlugins returned " + std::to_string(n) + " in " + binary);
  for (int i = 0; i < n; ++i) {
    OfxPlugin *record = get(i);
    if (record == nullptr) throw HostError("OfxGetPlugin(" + std::to_string(i) + ") returned null in " + binary);
    if (record->pluginApi == nullptr || record->pluginIdentifier == nullptr || record->mainEntry == nullptr)
      throw HostError("OfxGetPlugin(" + std::to_string(i) + ") returned an incomplete record in " + binary);
    bundle->plugins_.push_back(std::make_unique<PluginHandle>(*bundle, record, i));
    if (record->setHost) record->setHost(&bundle->host_);
  }
  return bundle;
}

Bundle::Bundle(std::string path, std::string binaryPath, void *library, HostOptions options)
    : path_(std::move(path)), binaryPath_(std::move(binaryPath)), library_(library), options_(std::move(options)),
      hostProps_(false) {
  defineHostProperties();
  host_.host = hostProps_.handle();
  host_.fetchSuite = fetchSuiteEntry;
  std::lock_guard<std::mutex> lock(bundlesMutex());
  bundlesByHost()[hostProps_.handle()] = this;
}

Bundle::~Bundle() {
  for (auto &p : plugins_) p->unload();
  plugins_.clear();
  {
    std::lock_guard<std::mutex> lock(bundlesMutex());
    bundlesByHost().erase(hostProps_.handle());
  }
  if (library_) ::dlclose(library_);
}

void Bundle::defineHostProperties() {
  PropertySet &p = hostProps_;
  const char *cuda = options_.cudaRender ? "true" : "false";
  p.defineString(kOfxPropType, 1, {kOfxTypeImageEffectHost});
  p.defineString(kOfxPropName, 1, {options_.name});
  p.defineString(kOfxPropLabel, 1, {options_.label});
  p.defineInt(kOfxPropVersion, 0, {1, 0, 0});
  p.defineString(kOfxPropVersionLabel, 1, {"1.0"});
  p.defineInt(kOfxPropAPIVersion, 0, {1, 4});
  p.definePointer(kOfxPropHostOSHandle, 1, {nullptr});
  p.defineInt(kOfxImageEffectHostPropIsBackground, 1, {0});
  p.defineInt(kOfxImageEffectPropSupportsOverlays, 1, {options_.supportsOverlays ? 1 : 0});
  p.defineInt(kOfxImageEffectPropSupportsMultiResolution, 1, {1});
  p.defineInt(kOfxImageEffectPropSupportsTiles, 1, {1});
  p.defineInt(kOfxImageEffectPropTemporalClipAccess, 1, {1});
  p.defineString(kOfxImageEffectPropSupportedComponents, 0, {kOfxImageComponentRGBA, kOfxImageComponentAlpha});
  p.defineString(kOfxImageEffectPropSupportedContexts, 0, {kOfxImageEffectContextFilter, kOfxImageEffectContextGeneral});
  p.defineString(kOfxImageEffectPropSupportedPixelDepths, 0, {kOfxBitDepthFloat});
  p.defineInt(kOfxImageEffectPropSupportsMultipleClipDepths, 1, {0});
  p.defineInt(kOfxImageEffectPropSupportsMultipleClipPARs, 1, {0});
  p.defineInt(kOfxImageEffectPropSetableFrameRate, 1, {0});
  p.defineInt(kOfxImageEffectPropSetableFielding, 1, {0});
  p.defineString(kOfxImageEffectHostPropNativeOrigin, 1, {kOfxHostNativeOriginBottomLeft});
  p.defineInt(kOfxImageEffectPropRenderQualityDraft, 1, {0});
  p.defineInt(kOfxParamHostPropSupportsCustomInteract, 1, {0});
  p.defineInt(kOfxParamHostPropSupportsStringAnimation, 1, {0});
  p.defineInt(kOfxParamHostPropSupportsChoiceAnimation, 1, {0});
  p.defineInt(kOfxParamHostPropSupportsBooleanAnimation, 1, {0});
  p.defineInt(kOfxParamHostPropSupportsCustomAnimation, 1, {0});
  p.defineInt(kOfxParamHostPropSupportsParametricAnimation, 1, {0});
  p.defineInt(kOfxParamHostPropMaxParameters, 1, {-1});
  p.defineInt(kOfxParamHostPropMaxPages, 1, {0});
  p.defineInt(kOfxParamHostPropPageRowColumnCount, 2, {0, 0});
  p.defineString(kOfxImageEffectPropOpenGLRenderSupported, 1, {"false"});
  p.defineString(kOfxImageEffectPropCudaRenderSupported, 1, {cuda});
  p.defineString(kOfxImageEffectPropCudaStreamSupported, 1, {cuda});
  p.defineString(kOfxImageEffectPropOpenCLRenderSupported, 1, {"false"});
  p.defineString(kOfxImageEffectPropMetalRenderSupported, 1, {"false"});
}

PluginHandle &Bundle::plugin(int index) {
  if (index < 0 || index >= pluginCount()) throw HostError("no plug-in " + std::to_string(index) + " in " + path_);
  return *plugins_[index];
}

PluginHandle *Bundle::findPlugin(const std::string &identifier) {
  for (auto &p : plugins_)
    if (p->identifier() == identifier) return p.get();
  return nullptr;
}

std::vector<std::string> Bundle::fetchedSuites() const {
  std::lock_guard<std::mutex> lock(suitesMutex_);
  return fetched_;
}

const void *Bundle::fetchSuite(const char *name, int version) {
  const void *suite = nullptr;
  const std::string n = name;
  if (n == kOfxPropertySuite && version == 1) suite = propertySuite();
  else if (n == kOfxImageEffectSuite && version == 1) suite = imageEffectSuite();
  else if (n == kOfxParameterSuite && version == 1) suite = parameterSuite();
  else if (n == kOfxParametricParameterSuite && version == 1) suite = parametricSuite();
  else if (n == kOfxMemorySuite && version == 1) suite = memorySuite();
  else if (n == kOfxMultiThreadSuite && version == 1) suite = multiThreadSuite();
  else if (n == kOfxMessageSuite && version == 1) suite = messageSuiteV1();
  else if (n == kOfxMessageSuite && version == 2) suite = messageSuiteV2();
  else if (n == kOfxInteractSuite && version == 1) suite = interactSuite();
  else if (n == kOfxDrawSuite && version == 1) suite = drawSuite();
  std::lock_guard<std::mutex> lock(suitesMutex_);
  fetched_.push_back(n + "/" + std::to_string(version) + (suite ? "" : " (refused)"));
  return suite;
}

// ---- PluginHandle ----------------------------------------------------------------

PluginHandle::PluginHandle(Bundle &bundle, OfxPlugin *plugin, int index)
    : bundle_(bundle), plugin_(plugin), index_(index) {}

PluginHandle::~PluginHandle() = default;

std::string PluginHandle::identifier() const { return plugin_->pluginIdentifier; }
std::string PluginHandle::api() const { return plugin_->pluginApi; }
int PluginHandle::apiVersion() const { return plugin_->apiVersion; }
unsigned int PluginHandle::versionMajor() const { return plugin_->pluginVersionMajor; }
unsigned int PluginHandle::versionMinor() const { return plugin_->pluginVersionMinor; }

bool PluginHandle::isImageEffect() const {
  return std::strcmp(plugin_->pluginApi, kOfxImageEffectPluginApi) == 0 && plugin_->apiVersion == 1;
}

OfxStatus PluginHandle::callAction(const char *action, const void *handle, PropertySet *inArgs, PropertySet *outArgs) {
  OfxStatus status;
  try {
    status = plugin_->mainEntry(action, handle, inArgs ? inArgs->handle() : nullptr,
                                outArgs ? outArgs->handle() : nullptr);
  } catch (...) {
    // A C++ exception escaping the C entry point is a plug-in fault; report it as fatal.
    status = kOfxStatErrFatal;
  }
  std::lock_guard<std::mutex> lock(logMutex_);
  log_.push_back({action, status});
  return status;
}

std::vector<ActionRecord> PluginHandle::actionLog() const {
  std::lock_guard<std::mutex> lock(logMutex_);
  return log_;
}

void PluginHandle::clearActionLog() {
  std::lock_guard<std::mutex> lock(logMutex_);
  log_.clear();
}

OfxStatus PluginHandle::load() {
  if (loaded_) return kOfxStatOK;
  const OfxStatus status = callAction(kOfxActionLoad, nullptr, nullptr, nullptr);
  // Replying default means the plug-in had nothing to do; it is loaded all the same.
  if (status == kOfxStatOK || status == kOfxStatReplyDefault) {
    loaded_ = true;
    return kOfxStatOK;
  }
  return status;
}

OfxStatus PluginHandle::describe() {
  const OfxStatus loadStatus = load();
  if (loadStatus != kOfxStatOK) return loadStatus;
  auto descriptor = std::make_unique<ImageEffectObject>(ImageEffectObject::Role::Descriptor);
  descriptor->props().setString(kOfxPluginPropFilePath, bundle_.path());
  const OfxStatus status = callAction(kOfxActionDescribe, descriptor->handle(), nullptr, nullptr);
  if (status != kOfxStatOK && status != kOfxStatReplyDefault) return status;
  contexts_.clear();
  descriptor_ = std::move(descriptor);
  return kOfxStatOK;
}

OfxStatus PluginHandle::describeInContext(const std::string &context) {
  if (!descriptor_) {
    const OfxStatus status = describe();
    if (status != kOfxStatOK) return status;
  }
  auto described = std::make_unique<ImageEffectObject>(ImageEffectObject::Role::Descriptor);
  described->props().copyFrom(descriptor_->props());
  PropertySet in(false);
  in.defineString(kOfxImageEffectPropContext, 1, {context});
  const OfxStatus status = callAction(kOfxImageEffectActionDescribeInContext, described->handle(), &in, nullptr);
  if (status != kOfxStatOK && status != kOfxStatReplyDefault) return status;
  contexts_[context] = std::move(described);
  return kOfxStatOK;
}

OfxStatus PluginHandle::unload() {
  if (!loaded_) return kOfxStatOK;
  loaded_ = false;
  overlayDescriptors_.clear();
  return callAction(kOfxActionUnload, nullptr, nullptr, nullptr);
}

ImageEffectObject *PluginHandle::contextDescriptor(const std::string &context) {
  auto it = contexts_.find(context);
  return it == contexts_.end() ? nullptr : it->second.get();
}

std::vector<std::string> PluginHandle::describedContexts() const {
  std::vector<std::string> names;
  for (const auto &c : contexts_) names.push_back(c.first);
  return names;
}

std::unique_ptr<EffectInstance> PluginHandle::createInstance(const std::string &context, OfxStatus *status) {
  OfxStatus result = kOfxStatOK;
  if (contextDescriptor(context) == nullptr) result = describeInContext(context);
  std::unique_ptr<EffectInstance> instance;
  if (result == kOfxStatOK) {
    instance.reset(new EffectInstance(*this, *contextDescriptor(context), context));
    result = instance->create();
    if (result != kOfxStatOK) instance.reset();
  }
  if (status) *status = result;
  return instance;
}

InteractObject *PluginHandle::overlayDescriptor(OfxPluginEntryPoint *entry, OfxStatus *status) {
  auto it = overlayDescriptors_.find(entry);
  if (it != overlayDescriptors_.end()) {
    if (status) *status = kOfxStatOK;
    return it->second.get();
  }
  auto descriptor = std::make_unique<InteractObject>(nullptr, nullptr);
  OfxStatus result;
  try {
    result = entry(kOfxActionDescribe, descriptor->handle(), nullptr, nullptr);
  } catch (...) {
    result = kOfxStatErrFatal;
  }
  {
    std::lock_guard<std::mutex> lock(logMutex_);
    log_.push_back({std::string("interact:") + kOfxActionDescribe, result});
  }
  if (status) *status = result == kOfxStatReplyDefault ? kOfxStatOK : result;
  if (result != kOfxStatOK && result != kOfxStatReplyDefault) return nullptr;
  InteractObject *raw = descriptor.get();
  overlayDescriptors_[entry] = std::move(descriptor);
  return raw;
}

}  // namespace ofxhost
