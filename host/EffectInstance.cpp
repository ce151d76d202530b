#include "host/EffectInstance.h"

#include <algorithm>

#include "host/HostError.h"
#include "host/OverlayInteract.h"
#include "ofxGPURender.h"

namespace ofxhost {

namespace {

// Changes made while handling changes nest; past this depth a plug-in is looping on its own edits.
constexpr int kMaxChangeDepth = 32;

bool succeeded(OfxStatus status) { return status == kOfxStatOK || status == kOfxStatReplyDefault; }

}  // namespace

EffectInstance::EffectInstance(PluginHandle &plugin, const ImageEffectObject &contextDescriptor, std::string context)
    : plugin_(plugin), context_(std::move(context)), object_(ImageEffectObject::Role::Instance) {
  object_.instantiateFrom(contextDescriptor, context_);
  object_.params().setListener(this);
  object_.setImageProvider(this);
  for (const auto &clip : object_.clips()) clips_[clip->name()];
}

EffectInstance::~EffectInstance() {
  for (OverlayInteract *overlay : std::vector<OverlayInteract *>(overlays_)) overlay->effectDestroyed();
  overlays_.clear();
  destroy();
  std::lock_guard<std::mutex> lock(fetchedMutex_);
  for (auto &entry : fetched_) forgetFetchedImage(entry.first);
  fetched_.clear();
  object_.params().setListener(nullptr);
  object_.setImageProvider(nullptr);
}

OfxStatus EffectInstance::create() {
  if (created_) return kOfxStatOK;
  const OfxStatus status = plugin_.callAction(kOfxActionCreateInstance, handle(), nullptr, nullptr);
  if (!succeeded(status)) return status;
  created_ = true;
  return kOfxStatOK;
}

OfxStatus EffectInstance::destroy() {
  if (!created_) return kOfxStatOK;
  created_ = false;
  return plugin_.callAction(kOfxActionDestroyInstance, handle(), nullptr, nullptr);
}

// ---- parameters -------------------------------------------------------------------

Param *EffectInstance::param(const std::string &name) { return object_.params().find(name); }

Param &EffectInstance::requireParam(const std::string &name) {
  Param *p = param(name);
  if (p == nullptr) throw HostError("no parameter named " + name);
  return *p;
}

std::vector<std::string> EffectInstance::paramNames() const {
  std::vector<std::string> names;
  for (const auto &p : object_.params().params()) names.push_back(p->name());
  return names;
}

std::vector<double> EffectInstance::values(const std::string &name) {
  Param &p = requireParam(name);
  if (numericDimension(p.kind()) == 0) throw HostError("parameter " + name + " has no numeric value");
  return p.numbers();
}

std::string EffectInstance::getString(const std::string &name) {
  Param &p = requireParam(name);
  if (!isTextValued(p.kind())) throw HostError("parameter " + name + " has no text value");
  return p.text();
}

std::vector<std::string> EffectInstance::choiceOptions(const std::string &name) {
  return requireParam(name).props().getStrings(kOfxParamPropChoiceOption);
}

bool EffectInstance::isSecret(const std::string &name) {
  return requireParam(name).props().getInt(kOfxParamPropSecret) != 0;
}

bool EffectInstance::isEnabled(const std::string &name) {
  return requireParam(name).props().getInt(kOfxParamPropEnabled) != 0;
}

std::string EffectInstance::hint(const std::string &name) { return requireParam(name).props().getString(kOfxParamPropHint); }

std::vector<Curve> EffectInstance::curves(const std::string &name) { return requireParam(name).curves(); }

OfxStatus EffectInstance::setValues(const std::string &name, const std::vector<double> &values) {
  Param &p = requireParam(name);
  const int dim = numericDimension(p.kind());
  if (dim == 0) throw HostError("parameter " + name + " has no numeric value");
  if (static_cast<int>(values.size()) != dim)
    throw HostError("parameter " + name + " takes " + std::to_string(dim) + " values");
  if (p.kind() == ParamKind::Choice) {
    const int options = p.props().dimension(kOfxParamPropChoiceOption);
    if (values[0] < 0 || values[0] >= std::max(options, 1)) throw HostError("choice index out of range for " + name);
  }
  p.storeNumbers(values);
  return notifyChange(kOfxTypeParameter, name, kOfxChangeUserEdited, currentTime_);
}

OfxStatus EffectInstance::setString(const std::string &name, const std::string &text) {
  Param &p = requireParam(name);
  if (!isTextValued(p.kind())) throw HostError("parameter " + name + " has no text value");
  p.storeText(text);
  return notifyChange(kOfxTypeParameter, name, kOfxChangeUserEdited, currentTime_);
}

OfxStatus EffectInstance::pressButton(const std::string &name) {
  requireParam(name);
  return notifyChange(kOfxTypeParameter, name, kOfxChangeUserEdited, currentTime_);
}

OfxStatus EffectInstance::clipChanged(const std::string &name) {
  if (object_.findClip(name) == nullptr) throw HostError("no clip named " + name);
  return notifyChange(kOfxTypeClip, name, kOfxChangeUserEdited, currentTime_);
}

void EffectInstance::paramChangedByPlugin(Param &param, double time) {
  // Values the plug-in sets while being created are its initial state, not edits.
  if (!created_) return;
  notifyChange(kOfxTypeParameter, param.name(), kOfxChangePluginEdited, time);
}

OfxStatus EffectInstance::notifyChange(const std::string &type, const std::string &name, const std::string &reason,
                                       double time) {
  for (OverlayInteract *overlay : overlays_) overlay->parameterChanged(name);
  if (!created_) return kOfxStatOK;
  if (changeDepth_ >= kMaxChangeDepth) {
    changes_.push_back({kOfxActionInstanceChanged, type, name, reason, time, changeDepth_, kOfxStatErrFatal});
    return kOfxStatErrFatal;
  }
  const bool outermost = changeDepth_ == 0;
  ++changeDepth_;
  PropertySet bracket(false);
  bracket.defineString(kOfxPropChangeReason, 1, {reason});
  if (outermost) {
    changes_.push_back({kOfxActionBeginInstanceChanged, "", "", reason, time, 0, kOfxStatOK});
    const size_t at = changes_.size() - 1;
    changes_[at].status = plugin_.callAction(kOfxActionBeginInstanceChanged, handle(), &bracket, nullptr);
  }
  PropertySet in(false);
  in.defineString(kOfxPropType, 1, {type});
  in.defineString(kOfxPropName, 1, {name});
  in.defineString(kOfxPropChangeReason, 1, {reason});
  in.defineDouble(kOfxPropTime, 1, {time});
  in.defineDouble(kOfxImageEffectPropRenderScale, 2, {1.0, 1.0});
  // Recorded before the call so that changes made while handling it follow it in order.
  changes_.push_back({kOfxActionInstanceChanged, type, name, reason, time, changeDepth_ - 1, kOfxStatOK});
  const size_t at = changes_.size() - 1;
  const OfxStatus status = plugin_.callAction(kOfxActionInstanceChanged, handle(), &in, nullptr);
  changes_[at].status = status;
  if (outermost) {
    changes_.push_back({kOfxActionEndInstanceChanged, "", "", reason, time, 0, kOfxStatOK});
    const size_t end = changes_.size() - 1;
    changes_[end].status = plugin_.callAction(kOfxActionEndInstanceChanged, handle(), &bracket, nullptr);
  }
  --changeDepth_;
  return status;
}

// ---- clips and pictures ------------------------------------------------------------

std::vector<std::string> EffectInstance::clipNames() const {
  std::vector<std::string> names;
  for (const auto &c : object_.clips()) names.push_back(c->name());
  return names;
}

void EffectInstance::setClipImage(const std::string &name, std::shared_ptr<Image> image) {
  Clip *clip = object_.findClip(name);
  if (clip == nullptr) throw HostError("no clip named " + name);
  clips_[name].image = std::move(image);
  clip->props().setInt(kOfxImageClipPropConnected, clips_[name].image ? 1 : 0);
}

void EffectInstance::disconnectClip(const std::string &name) { setClipImage(name, nullptr); }

std::shared_ptr<Image> EffectInstance::clipImage(const std::string &name) {
  auto it = clips_.find(name);
  if (it == clips_.end()) throw HostError("no clip named " + name);
  return it->second.image;
}

void EffectInstance::setClipFormat(const std::string &name, const std::string &depth, const std::string &components) {
  Clip *clip = object_.findClip(name);
  if (clip == nullptr) throw HostError("no clip named " + name);
  clips_[name].depth = depth;
  clips_[name].components = components;
  clip->props().setString(kOfxImageEffectPropPixelDepth, depth);
  clip->props().setString(kOfxImageEffectPropComponents, components);
  clip->props().setString(kOfxImageClipPropUnmappedPixelDepth, depth);
  clip->props().setString(kOfxImageClipPropUnmappedComponents, components);
}

int EffectInstance::outstandingImages() const {
  std::lock_guard<std::mutex> lock(fetchedMutex_);
  return static_cast<int>(fetched_.size());
}

OfxRectI EffectInstance::outputBounds() const {
  auto out = clips_.find(kOfxImageEffectOutputClipName);
  if (out != clips_.end() && out->second.image) return out->second.image->bounds();
  for (const auto &clip : object_.clips()) {
    auto it = clips_.find(clip->name());
    if (it != clips_.end() && it->second.image) return it->second.image->bounds();
  }
  return OfxRectI{0, 0, 0, 0};
}

void EffectInstance::prepareOutput(const RenderOptions &options) {
  auto it = clips_.find(kOfxImageEffectOutputClipName);
  if (it == clips_.end() || it->second.image) return;
  OfxRectI bounds = outputBounds();
  if (bounds.x2 <= bounds.x1 && options.window) bounds = *options.window;
  const int bpp = std::max(1, bytesPerComponent(it->second.depth) * componentCount(it->second.components));
  setClipImage(kOfxImageEffectOutputClipName, std::make_shared<Image>(bounds, bpp, outputRowPadding_));
}

OfxStatus EffectInstance::fetchImage(Clip &clip, double time, const OfxRectD *, OfxPropertySetHandle *image) {
  std::lock_guard<std::mutex> lock(fetchedMutex_);
  auto it = clips_.find(clip.name());
  if (it == clips_.end() || !it->second.image) return kOfxStatFailed;  // unconnected clip
  const ClipState &state = it->second;
  Image &picture = *state.image;

  FetchedImage fetched;
  fetched.clip = clip.name();
  void *data = picture.data();
  int rowBytes = picture.rowBytes();
  if (deviceImages_) {
    fetched.device = clip.name() == kOfxImageEffectOutputClipName ? DeviceBuffer::allocateLike(picture)
                                                                 : DeviceBuffer::upload(picture);
    if (!fetched.device) return kOfxStatErrMemory;
    data = fetched.device->data();
    rowBytes = fetched.device->rowBytes();
  }
  const OfxRectI b = picture.bounds();
  auto props = std::make_unique<PropertySet>(false);
  props->defineString(kOfxPropType, 1, {kOfxTypeImage});
  props->defineString(kOfxImageEffectPropPixelDepth, 1, {state.depth});
  props->defineString(kOfxImageEffectPropComponents, 1, {state.components});
  props->defineString(kOfxImageEffectPropPreMultiplication, 1, {kOfxImagePreMultiplied});
  props->defineDouble(kOfxImageEffectPropRenderScale, 2, {renderScale_.x, renderScale_.y});
  props->defineDouble(kOfxImagePropPixelAspectRatio, 1, {1.0});
  props->definePointer(kOfxImagePropData, 1, {data});
  props->defineInt(kOfxImagePropBounds, 4, {b.x1, b.y1, b.x2, b.y2});
  props->defineInt(kOfxImagePropRegionOfDefinition, 4, {b.x1, b.y1, b.x2, b.y2});
  props->defineInt(kOfxImagePropRowBytes, 1, {rowBytes});
  props->defineString(kOfxImagePropField, 1, {field_});
  props->defineString(kOfxImagePropUniqueIdentifier, 1,
                      {clip.name() + "@" + std::to_string(time) + "#" + std::to_string(fetchedTotal_)});
  *image = props->handle();
  fetched.props = std::move(props);
  registerFetchedImage(*image, this);
  fetched_[*image] = std::move(fetched);
  ++fetchedTotal_;
  return kOfxStatOK;
}

void EffectInstance::finishFetched(FetchedImage &fetched) {
  // The output written in device memory comes back into the host picture.
  if (fetched.device && fetched.clip == kOfxImageEffectOutputClipName) {
    auto it = clips_.find(fetched.clip);
    if (it != clips_.end() && it->second.image) fetched.device->download(*it->second.image);
  }
}

OfxStatus EffectInstance::releaseImage(OfxPropertySetHandle image) {
  std::lock_guard<std::mutex> lock(fetchedMutex_);
  auto it = fetched_.find(image);
  if (it == fetched_.end()) return kOfxStatErrBadHandle;
  finishFetched(it->second);
  forgetFetchedImage(image);
  fetched_.erase(it);
  return kOfxStatOK;
}

OfxStatus EffectInstance::regionOfDefinition(Clip &clip, double, OfxRectD *bounds) {
  auto it = clips_.find(clip.name());
  OfxRectI b = (it != clips_.end() && it->second.image) ? it->second.image->bounds() : outputBounds();
  *bounds = OfxRectD{double(b.x1), double(b.y1), double(b.x2), double(b.y2)};
  return kOfxStatOK;
}

// ---- actions -------------------------------------------------------------------------

OfxStatus EffectInstance::render(const RenderOptions &options) {
  const bool wantDevice = options.deviceImages.value_or(options.cudaEnabled && DeviceBuffer::available());
  if (wantDevice && !DeviceBuffer::available()) return kOfxStatErrMissingHostFeature;
  prepareOutput(options);
  deviceImages_ = wantDevice;
  renderScale_ = options.renderScale;
  field_ = options.field;
  currentTime_ = options.time;

  const OfxRectI out = outputBounds();
  const double w = out.x2 - out.x1, h = out.y2 - out.y1;
  props().setDoubles(kOfxImageEffectPropProjectSize, {w, h});
  props().setDoubles(kOfxImageEffectPropProjectExtent, {w, h});
  props().setDoubles(kOfxImageEffectPropProjectOffset, {double(out.x1), double(out.y1)});
  const OfxRectI window = options.window.value_or(out);

  auto addGpuFlags = [&](PropertySet &args) {
    args.defineInt(kOfxImageEffectPropCudaEnabled, 1, {options.cudaEnabled ? 1 : 0});
    args.definePointer(kOfxImageEffectPropCudaStream, 1, {options.cudaStream});
    args.defineInt(kOfxImageEffectPropOpenCLEnabled, 1, {options.openCLEnabled ? 1 : 0});
    args.definePointer(kOfxImageEffectPropOpenCLCommandQueue, 1, {options.openCLCommandQueue});
    args.defineInt(kOfxImageEffectPropMetalEnabled, 1, {options.metalEnabled ? 1 : 0});
    args.definePointer(kOfxImageEffectPropMetalCommandQueue, 1, {options.metalCommandQueue});
    args.defineInt(kOfxImageEffectPropOpenGLEnabled, 1, {0});
  };

  PropertySet sequence(false);
  sequence.defineDouble(kOfxImageEffectPropFrameRange, 2, {options.time, options.time});
  sequence.defineDouble(kOfxImageEffectPropFrameStep, 1, {1.0});
  sequence.defineInt(kOfxPropIsInteractive, 1, {options.interactive ? 1 : 0});
  sequence.defineDouble(kOfxImageEffectPropRenderScale, 2, {options.renderScale.x, options.renderScale.y});
  sequence.defineInt(kOfxImageEffectPropSequentialRenderStatus, 1, {options.sequentialRender ? 1 : 0});
  sequence.defineInt(kOfxImageEffectPropInteractiveRenderStatus, 1, {options.interactive ? 1 : 0});
  addGpuFlags(sequence);
  if (options.sequenceActions) {
    const OfxStatus status = plugin_.callAction(kOfxImageEffectActionBeginSequenceRender, handle(), &sequence, nullptr);
    if (!succeeded(status)) return status;
  }

  PropertySet in(false);
  in.defineDouble(kOfxPropTime, 1, {options.time});
  in.defineString(kOfxImageEffectPropFieldToRender, 1, {options.field});
  in.defineInt(kOfxImageEffectPropRenderWindow, 4, {window.x1, window.y1, window.x2, window.y2});
  in.defineDouble(kOfxImageEffectPropRenderScale, 2, {options.renderScale.x, options.renderScale.y});
  in.defineInt(kOfxImageEffectPropSequentialRenderStatus, 1, {options.sequentialRender ? 1 : 0});
  in.defineInt(kOfxImageEffectPropInteractiveRenderStatus, 1, {options.interactive ? 1 : 0});
  in.defineInt(kOfxImageEffectPropRenderQualityDraft, 1, {options.draft ? 1 : 0});
  addGpuFlags(in);
  const OfxStatus status = plugin_.callAction(kOfxImageEffectActionRender, handle(), &in, nullptr);

  {
    // An output picture the plug-in did not release still carries its result back.
    std::lock_guard<std::mutex> lock(fetchedMutex_);
    for (auto &entry : fetched_) finishFetched(entry.second);
  }
  if (options.sequenceActions) plugin_.callAction(kOfxImageEffectActionEndSequenceRender, handle(), &sequence, nullptr);
  lastRenderDevice_ = deviceImages_;
  deviceImages_ = false;
  return status;
}

IdentityResult EffectInstance::isIdentity(const RenderOptions &options) {
  const OfxRectI window = options.window.value_or(outputBounds());
  PropertySet in(false);
  in.defineDouble(kOfxPropTime, 1, {options.time});
  in.defineString(kOfxImageEffectPropFieldToRender, 1, {options.field});
  in.defineInt(kOfxImageEffectPropRenderWindow, 4, {window.x1, window.y1, window.x2, window.y2});
  in.defineDouble(kOfxImageEffectPropRenderScale, 2, {options.renderScale.x, options.renderScale.y});
  PropertySet out(false);
  out.defineString(kOfxPropName, 1, {""});
  out.defineDouble(kOfxPropTime, 1, {options.time});
  IdentityResult result;
  result.status = plugin_.callAction(kOfxImageEffectActionIsIdentity, handle(), &in, &out);
  if (result.status == kOfxStatOK) {
    result.identity = true;
    result.clip = out.getString(kOfxPropName);
    result.time = out.getDouble(kOfxPropTime);
  }
  return result;
}

OfxStatus EffectInstance::getRegionOfDefinition(double time, OfxRectD *rod) {
  const OfxRectI b = outputBounds();
  PropertySet in(false);
  in.defineDouble(kOfxPropTime, 1, {time});
  in.defineDouble(kOfxImageEffectPropRenderScale, 2, {1.0, 1.0});
  PropertySet out(false);
  out.defineDouble(kOfxImageEffectPropRegionOfDefinition, 4, {double(b.x1), double(b.y1), double(b.x2), double(b.y2)});
  const OfxStatus status = plugin_.callAction(kOfxImageEffectActionGetRegionOfDefinition, handle(), &in, &out);
  if (rod) {
    const std::vector<double> r = out.getDoubles(kOfxImageEffectPropRegionOfDefinition);
    *rod = OfxRectD{r[0], r[1], r[2], r[3]};
  }
  return status;
}

// ---- overlays ------------------------------------------------------------------------

std::unique_ptr<OverlayInteract> EffectInstance::createOverlay(OfxStatus *status) {
  auto answer = [&](OfxStatus s) {
    if (status) *status = s;
    return std::unique_ptr<OverlayInteract>();
  };
  if (!plugin_.bundle().options().supportsOverlays) return answer(kOfxStatErrMissingHostFeature);
  auto *entry = reinterpret_cast<OfxPluginEntryPoint *>(props().getPointer(kOfxImageEffectPluginPropOverlayInteractV1));
  if (entry == nullptr) return answer(kOfxStatReplyDefault);
  OfxStatus described = kOfxStatOK;
  InteractObject *descriptor = plugin_.overlayDescriptor(entry, &described);
  if (descriptor == nullptr) return answer(described);
  auto overlay = std::make_unique<OverlayInteract>(*this, entry, *descriptor);
  const OfxStatus created = overlay->create();
  if (created != kOfxStatOK) return answer(created);
  if (status) *status = kOfxStatOK;
  return overlay;
}

void EffectInstance::attachOverlay(OverlayInteract *overlay) { overlays_.push_back(overlay); }

void EffectInstance::detachOverlay(OverlayInteract *overlay) {
  overlays_.erase(std::remove(overlays_.begin(), overlays_.end(), overlay), overlays_.end());
}

}  // namespace ofxhost
