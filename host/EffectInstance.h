#pragma once
// One effect instance as a host holds it: its parameters with values, its clips
// with the pictures they deliver, and the instance actions (instance changed,
// identity, render, overlays). Parameter changes made by the plug-in through the
// parameter suite are notified synchronously, inside paramSetValue; changes made
// here through the setters are notified as user edits.

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/Bundle.h"
#include "host/DeviceMemory.h"
#include "host/Image.h"
#include "host/ImageEffect.h"
#include "host/Param.h"

namespace ofxhost {

class OverlayInteract;

struct RenderOptions {
  double time = 0.0;
  std::optional<OfxRectI> window;  // default: the output picture's bounds
  OfxPointD renderScale{1.0, 1.0};
  std::string field = "OfxFieldNone";
  bool sequentialRender = false;
  bool interactive = false;
  bool draft = false;
  bool cudaEnabled = false;
  void *cudaStream = nullptr;
  bool openCLEnabled = false;
  void *openCLCommandQueue = nullptr;
  bool metalEnabled = false;
  void *metalCommandQueue = nullptr;
  // Hand the plug-in device-memory pictures; default: when CUDA is enabled and this build can use a GPU.
  std::optional<bool> deviceImages;
  // Bracket the render with begin/end sequence render actions.
  bool sequenceActions = true;
};

struct IdentityResult {
  OfxStatus status = kOfxStatReplyDefault;
  bool identity = false;  // the plug-in answered OK
  std::string clip;       // the clip to pass through
  double time = 0.0;
};

// One notification sent to the plug-in about a change.
struct ChangeRecord {
  std::string action;  // kOfxActionBeginInstanceChanged, kOfxActionInstanceChanged, kOfxActionEndInstanceChanged
  std::string type;    // kOfxTypeParameter or kOfxTypeClip (empty for begin/end)
  std::string name;
  std::string reason;  // kOfxChangeUserEdited, kOfxChangePluginEdited, kOfxChangeTime
  double time = 0.0;
  int depth = 0;       // 0 for a change from the host, deeper for changes made while handling one
  OfxStatus status = kOfxStatOK;
};

class EffectInstance : public ParamChangeListener, public ClipImageProvider {
 public:
  EffectInstance(PluginHandle &plugin, const ImageEffectObject &contextDescriptor, std::string context);
  ~EffectInstance() override;  // destroys overlays, sends kOfxActionDestroyInstance, frees unreleased pictures
  EffectInstance(const EffectInstance &) = delete;
  EffectInstance &operator=(const EffectInstance &) = delete;

  OfxStatus create();   // kOfxActionCreateInstance (done by PluginHandle::createInstance)
  OfxStatus destroy();  // kOfxActionDestroyInstance, once

  PluginHandle &plugin() { return plugin_; }
  ImageEffectObject &object() { return object_; }
  OfxImageEffectHandle handle() { return object_.handle(); }
  PropertySet &props() { return object_.props(); }
  const std::string &context() const { return context_; }

  // ---- parameters
  Param *param(const std::string &name);  // null when unknown
  std::vector<std::string> paramNames() const;
  std::vector<double> values(const std::string &name);  // throws HostError for an unknown name
  double getDouble(const std::string &name) { return values(name).at(0); }
  int getInt(const std::string &name) { return static_cast<int>(values(name).at(0)); }
  bool getBool(const std::string &name) { return values(name).at(0) != 0.0; }
  std::string getString(const std::string &name);
  std::vector<std::string> choiceOptions(const std::string &name);
  bool isSecret(const std::string &name);
  bool isEnabled(const std::string &name);
  std::string hint(const std::string &name);
  std::vector<Curve> curves(const std::string &name);
  std::vector<EditBlockEvent> editEvents() const { return object_.params().editEvents(); }

  // User edits: store the value (clamped, as the suite does) and notify with kOfxChangeUserEdited.
  OfxStatus setValues(const std::string &name, const std::vector<double> &values);
  OfxStatus setDouble(const std::string &name, double v) { return setValues(name, {v}); }
  OfxStatus setInt(const std::string &name, int v) { return setValues(name, {static_cast<double>(v)}); }
  OfxStatus setBool(const std::string &name, bool v) { return setValues(name, {v ? 1.0 : 0.0}); }
  OfxStatus setString(const std::string &name, const std::string &text);
  OfxStatus pressButton(const std::string &name);
  // Notifies a change of a clip (connection or picture).
  OfxStatus clipChanged(const std::string &name);

  const std::vector<ChangeRecord> &changes() const { return changes_; }
  void clearChanges() { changes_.clear(); }
  void setCurrentTime(double time) { currentTime_ = time; }

  // ---- clips and pictures
  std::vector<std::string> clipNames() const;
  // Connects a clip to a picture (the output clip's picture is where the render writes).
  void setClipImage(const std::string &name, std::shared_ptr<Image> image);
  void disconnectClip(const std::string &name);
  std::shared_ptr<Image> clipImage(const std::string &name);
  // The depth and components the clip reports (float RGBA by default); pictures are sized to match.
  void setClipFormat(const std::string &name, const std::string &depth, const std::string &components);
  // Extra bytes per row for output pictures the host allocates itself.
  void setOutputRowPadding(int bytes) { outputRowPadding_ = bytes; }
  int outstandingImages() const;  // fetched and not yet released
  int fetchedImageCount() const { return fetchedTotal_; }
  bool lastRenderUsedDeviceMemory() const { return lastRenderDevice_; }

  // ---- actions
  OfxStatus render(const RenderOptions &options = {});
  IdentityResult isIdentity(const RenderOptions &options = {});
  OfxStatus getRegionOfDefinition(double time, OfxRectD *rod);  // the region-of-definition action
  void requestAbort(bool abort) { abort_ = abort; }

  // ---- overlays
  // Creates the overlay interact the effect declared; null when it declared none or creation failed.
  std::unique_ptr<OverlayInteract> createOverlay(OfxStatus *status = nullptr);
  void attachOverlay(OverlayInteract *overlay);
  void detachOverlay(OverlayInteract *overlay);

  // ParamChangeListener
  void paramChangedByPlugin(Param &param, double time) override;
  double currentTime() const override { return currentTime_; }
  // ClipImageProvider
  OfxStatus fetchImage(Clip &clip, double time, const OfxRectD *region, OfxPropertySetHandle *image) override;
  OfxStatus releaseImage(OfxPropertySetHandle image) override;
  OfxStatus regionOfDefinition(Clip &clip, double time, OfxRectD *bounds) override;
  bool abortRequested() override { return abort_; }

 private:
  struct ClipState {
    std::shared_ptr<Image> image;
    std::string depth = "OfxBitDepthFloat";
    std::string components = "OfxImageComponentRGBA";
  };
  struct FetchedImage {
    std::unique_ptr<PropertySet> props;
    std::string clip;
    std::unique_ptr<DeviceBuffer> device;
  };

  Param &requireParam(const std::string &name);
  OfxStatus notifyChange(const std::string &type, const std::string &name, const std::string &reason, double time);
  void prepareOutput(const RenderOptions &options);
  void finishFetched(FetchedImage &fetched);
  OfxRectI outputBounds() const;

  PluginHandle &plugin_;
  std::string context_;
  ImageEffectObject object_;
  bool created_ = false;
  double currentTime_ = 0.0;
  int changeDepth_ = 0;
  std::vector<ChangeRecord> changes_;
  std::map<std::string, ClipState> clips_;
  int outputRowPadding_ = 0;
  bool deviceImages_ = false;
  bool lastRenderDevice_ = false;
  bool abort_ = false;
  OfxPointD renderScale_{1.0, 1.0};
  std::string field_ = "OfxFieldNone";
  mutable std::mutex fetchedMutex_;
  std::map<OfxPropertySetHandle, FetchedImage> fetched_;
  int fetchedTotal_ = 0;
  std::vector<OverlayInteract *> overlays_;
};

}  // namespace ofxhost
