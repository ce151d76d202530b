#include "tests/openfx/SupportFakeHost.h"

#include "openfx/include/ofxParametricParam.h"

#include <cstdarg>
#include <cstring>
#include <thread>

namespace fakehost {

FakeHost* FakeHost::current = nullptr;

int PropertySetStruct::dimension(const std::string& name) const {
  auto found = values.find(name);
  return found == values.end() ? -1 : static_cast<int>(found->second.size());
}
int PropertySetStruct::getInt(const std::string& name, int index) const {
  return std::get<int>(values.at(name).at(static_cast<std::size_t>(index)));
}
double PropertySetStruct::getDouble(const std::string& name, int index) const {
  return std::get<double>(values.at(name).at(static_cast<std::size_t>(index)));
}
std::string PropertySetStruct::getString(const std::string& name, int index) const {
  return std::get<std::string>(values.at(name).at(static_cast<std::size_t>(index)));
}
void* PropertySetStruct::getPointer(const std::string& name, int index) const {
  return std::get<void*>(values.at(name).at(static_cast<std::size_t>(index)));
}
std::vector<std::string> PropertySetStruct::getStrings(const std::string& name) const {
  std::vector<std::string> list;
  auto found = values.find(name);
  if (found == values.end()) return list;
  for (const auto& value : found->second) list.push_back(std::get<std::string>(value));
  return list;
}

namespace {

PropertySetStruct* props(OfxPropertySetHandle handle) { return reinterpret_cast<PropertySetStruct*>(handle); }

// --- property suite: any property may be created by setting it; a property
// keeps the type of its first value; index == dimension appends.

template <typename T>
OfxStatus setValue(OfxPropertySetHandle handle, const char* name, int index, T value) {
  if (handle == nullptr) return kOfxStatErrBadHandle;
  auto& list = props(handle)->values[name];
  if (index < 0 || index > static_cast<int>(list.size())) return kOfxStatErrBadIndex;
  if (!list.empty() && !std::holds_alternative<T>(list.front())) return kOfxStatErrValue;
  if (index == static_cast<int>(list.size())) {
    list.emplace_back(value);
  } else {
    list[static_cast<std::size_t>(index)] = value;
  }
  return kOfxStatOK;
}

template <typename T>
OfxStatus getValue(OfxPropertySetHandle handle, const char* name, int index, const T** out) {
  if (handle == nullptr) return kOfxStatErrBadHandle;
  auto found = props(handle)->values.find(name);
  if (found == props(handle)->values.end()) return kOfxStatErrUnknown;
  if (index < 0 || index >= static_cast<int>(found->second.size())) return kOfxStatErrBadIndex;
  const Value& value = found->second[static_cast<std::size_t>(index)];
  if (!std::holds_alternative<T>(value)) return kOfxStatErrValue;
  *out = &std::get<T>(value);
  return kOfxStatOK;
}

OfxStatus propSetPointer(OfxPropertySetHandle h, const char* p, int i, void* v) { return setValue<void*>(h, p, i, v); }
OfxStatus propSetString(OfxPropertySetHandle h, const char* p, int i, const char* v) {
  return setValue<std::string>(h, p, i, std::string(v != nullptr ? v : ""));
}
OfxStatus propSetDouble(OfxPropertySetHandle h, const char* p, int i, double v) { return setValue<double>(h, p, i, v); }
OfxStatus propSetInt(OfxPropertySetHandle h, const char* p, int i, int v) { return setValue<int>(h, p, i, v); }
OfxStatus propSetPointerN(OfxPropertySetHandle h, const char* p, int n, void* const* v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propSetPointer(h, p, i, v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propSetStringN(OfxPropertySetHandle h, const char* p, int n, const char* const* v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propSetString(h, p, i, v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propSetDoubleN(OfxPropertySetHandle h, const char* p, int n, const double* v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propSetDouble(h, p, i, v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propSetIntN(OfxPropertySetHandle h, const char* p, int n, const int* v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propSetInt(h, p, i, v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propGetPointer(OfxPropertySetHandle h, const char* p, int i, void** v) {
  void* const* out = nullptr;
  OfxStatus s = getValue<void*>(h, p, i, &out);
  if (s == kOfxStatOK) *v = *out;
  return s;
}
OfxStatus propGetString(OfxPropertySetHandle h, const char* p, int i, char** v) {
  const std::string* out = nullptr;
  OfxStatus s = getValue<std::string>(h, p, i, &out);
  if (s == kOfxStatOK) *v = const_cast<char*>(out->c_str());
  return s;
}
OfxStatus propGetDouble(OfxPropertySetHandle h, const char* p, int i, double* v) {
  const double* out = nullptr;
  OfxStatus s = getValue<double>(h, p, i, &out);
  if (s == kOfxStatOK) *v = *out;
  return s;
}
OfxStatus propGetInt(OfxPropertySetHandle h, const char* p, int i, int* v) {
  const int* out = nullptr;
  OfxStatus s = getValue<int>(h, p, i, &out);
  if (s == kOfxStatOK) *v = *out;
  return s;
}
OfxStatus propGetPointerN(OfxPropertySetHandle h, const char* p, int n, void** v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propGetPointer(h, p, i, &v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propGetStringN(OfxPropertySetHandle h, const char* p, int n, char** v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propGetString(h, p, i, &v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propGetDoubleN(OfxPropertySetHandle h, const char* p, int n, double* v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propGetDouble(h, p, i, &v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propGetIntN(OfxPropertySetHandle h, const char* p, int n, int* v) {
  for (int i = 0; i < n; ++i)
    if (OfxStatus s = propGetInt(h, p, i, &v[i])) return s;
  return kOfxStatOK;
}
OfxStatus propReset(OfxPropertySetHandle h, const char* p) {
  if (h == nullptr) return kOfxStatErrBadHandle;
  auto found = props(h)->values.find(p);
  if (found == props(h)->values.end()) return kOfxStatErrUnknown;
  found->second.clear();
  return kOfxStatOK;
}
OfxStatus propGetDimension(OfxPropertySetHandle h, const char* p, int* count) {
  if (h == nullptr) return kOfxStatErrBadHandle;
  auto found = props(h)->values.find(p);
  if (found == props(h)->values.end()) return kOfxStatErrUnknown;
  *count = static_cast<int>(found->second.size());
  return kOfxStatOK;
}

const OfxPropertySuiteV1 kPropertySuite = {
    propSetPointer,  propSetString,  propSetDouble,  propSetInt,     propSetPointerN,  propSetStringN,
    propSetDoubleN,  propSetIntN,    propGetPointer, propGetString,  propGetDouble,    propGetInt,
    propGetPointerN, propGetStringN, propGetDoubleN, propGetIntN,    propReset,        propGetDimension};

// --- image effect suite

Effect* effectOf(OfxImageEffectHandle handle) { return reinterpret_cast<Effect*>(handle); }
Clip* clipOf(OfxImageClipHandle handle) { return reinterpret_cast<Clip*>(handle); }

OfxStatus getPropertySet(OfxImageEffectHandle e, OfxPropertySetHandle* out) {
  if (e == nullptr) return kOfxStatErrBadHandle;
  *out = FakeHost::handle(effectOf(e)->props);
  return kOfxStatOK;
}
OfxStatus getParamSet(OfxImageEffectHandle e, OfxParamSetHandle* out) {
  if (e == nullptr) return kOfxStatErrBadHandle;
  *out = reinterpret_cast<OfxParamSetHandle>(&effectOf(e)->params);
  return kOfxStatOK;
}
OfxStatus clipDefine(OfxImageEffectHandle e, const char* name, OfxPropertySetHandle* out) {
  Clip& clip = FakeHost::current->addClip(*effectOf(e), name);
  *out = FakeHost::handle(clip.props);
  return kOfxStatOK;
}
OfxStatus clipGetHandle(OfxImageEffectHandle e, const char* name, OfxImageClipHandle* clip,
                        OfxPropertySetHandle* out) {
  auto found = effectOf(e)->clips.find(name);
  if (found == effectOf(e)->clips.end()) return kOfxStatErrUnknown;
  *clip = reinterpret_cast<OfxImageClipHandle>(found->second.get());
  if (out != nullptr) *out = FakeHost::handle(found->second->props);
  return kOfxStatOK;
}
OfxStatus clipGetPropertySet(OfxImageClipHandle c, OfxPropertySetHandle* out) {
  *out = FakeHost::handle(clipOf(c)->props);
  return kOfxStatOK;
}
OfxStatus clipGetImage(OfxImageClipHandle c, OfxTime, const OfxRectD*, OfxPropertySetHandle* out) {
  Clip* clip = clipOf(c);
  if (clip->fetchStatus != kOfxStatOK) return clip->fetchStatus;
  if (!clip->image) return kOfxStatFailed;
  *out = FakeHost::handle(clip->image->props);
  return kOfxStatOK;
}
OfxStatus clipReleaseImage(OfxPropertySetHandle) {
  ++FakeHost::current->imagesReleased;
  return kOfxStatOK;
}
OfxStatus clipGetRegionOfDefinition(OfxImageClipHandle c, OfxTime, OfxRectD* bounds) {
  *bounds = clipOf(c)->rod;
  return kOfxStatOK;
}
int abortEffect(OfxImageEffectHandle e) { return effectOf(e)->abortFlag; }

const OfxImageEffectSuiteV1 kEffectSuite = {getPropertySet, getParamSet,        clipDefine,
                                            clipGetHandle,  clipGetPropertySet, clipGetImage,
                                            clipReleaseImage, clipGetRegionOfDefinition, abortEffect,
                                            nullptr,        nullptr,            nullptr,
                                            nullptr};

// --- parameter suite

ParamSet* setOf(OfxParamSetHandle handle) { return reinterpret_cast<ParamSet*>(handle); }
Param* paramOf(OfxParamHandle handle) { return reinterpret_cast<Param*>(handle); }

// Component count and kind of a parameter type's value.
struct Shape {
  int count;
  char kind;  // 'i' int, 'd' double, 's' string, 0 none
};

Shape shapeOf(const std::string& type) {
  if (type == kOfxParamTypeInteger || type == kOfxParamTypeBoolean || type == kOfxParamTypeChoice) return {1, 'i'};
  if (type == kOfxParamTypeDouble) return {1, 'd'};
  if (type == kOfxParamTypeInteger2D) return {2, 'i'};
  if (type == kOfxParamTypeDouble2D) return {2, 'd'};
  if (type == kOfxParamTypeDouble3D || type == kOfxParamTypeRGB) return {3, 'd'};
  if (type == kOfxParamTypeRGBA) return {4, 'd'};
  if (type == kOfxParamTypeString) return {1, 's'};
  return {0, 0};
}

// The current value, taken from the default on first use.
std::vector<Value>& currentValue(Param& param) {
  if (param.value.empty()) {
    const Shape shape = shapeOf(param.type);
    for (int i = 0; i < shape.count; ++i) {
      auto found = param.props.values.find(kOfxParamPropDefault);
      if (found != param.props.values.end() && i < static_cast<int>(found->second.size())) {
        param.value.push_back(found->second[static_cast<std::size_t>(i)]);
      } else if (shape.kind == 'i') {
        param.value.emplace_back(0);
      } else if (shape.kind == 'd') {
        param.value.emplace_back(0.0);
      } else {
        param.value.emplace_back(std::string());
      }
    }
  }
  return param.value;
}

OfxStatus readInto(Param& param, va_list args) {
  const Shape shape = shapeOf(param.type);
  if (shape.count == 0) return kOfxStatErrBadHandle;
  auto& value = currentValue(param);
  for (int i = 0; i < shape.count; ++i) {
    const Value& component = value[static_cast<std::size_t>(i)];
    if (shape.kind == 'i') *va_arg(args, int*) = std::get<int>(component);
    if (shape.kind == 'd') *va_arg(args, double*) = std::get<double>(component);
    if (shape.kind == 's') *va_arg(args, char**) = const_cast<char*>(std::get<std::string>(component).c_str());
  }
  return kOfxStatOK;
}

OfxStatus writeFrom(Param& param, va_list args) {
  const Shape shape = shapeOf(param.type);
  if (shape.count == 0) return kOfxStatErrBadHandle;
  auto& value = currentValue(param);
  for (int i = 0; i < shape.count; ++i) {
    Value& component = value[static_cast<std::size_t>(i)];
    if (shape.kind == 'i') component = va_arg(args, int);
    if (shape.kind == 'd') component = va_arg(args, double);
    if (shape.kind == 's') component = std::string(va_arg(args, const char*));
  }
  ++param.setCount;
  return kOfxStatOK;
}

OfxStatus paramDefine(OfxParamSetHandle s, const char* type, const char* name, OfxPropertySetHandle* out) {
  ParamSet* set = setOf(s);
  if (set->params.count(name) != 0) return kOfxStatErrExists;
  auto param = std::make_unique<Param>();
  param->name = name;
  param->type = type;
  param->props.set(kOfxParamPropType, {std::string(type)});
  param->props.set(kOfxPropName, {std::string(name)});
  if (std::string(type) == kOfxParamTypeChoice) param->props.set(kOfxParamPropChoiceOption, {});
  if (std::string(type) == kOfxParamTypePage) param->props.set(kOfxParamPropPageChild, {});
  if (out != nullptr) *out = FakeHost::handle(param->props);
  set->order.push_back(name);
  set->params.emplace(name, std::move(param));
  return kOfxStatOK;
}
OfxStatus paramGetHandle(OfxParamSetHandle s, const char* name, OfxParamHandle* handle, OfxPropertySetHandle* out) {
  auto found = setOf(s)->params.find(name);
  if (found == setOf(s)->params.end()) return kOfxStatErrUnknown;
  *handle = reinterpret_cast<OfxParamHandle>(found->second.get());
  if (out != nullptr) *out = FakeHost::handle(found->second->props);
  return kOfxStatOK;
}
OfxStatus paramSetGetPropertySet(OfxParamSetHandle s, OfxPropertySetHandle* out) {
  *out = FakeHost::handle(setOf(s)->props);
  return kOfxStatOK;
}
OfxStatus paramGetPropertySet(OfxParamHandle p, OfxPropertySetHandle* out) {
  *out = FakeHost::handle(paramOf(p)->props);
  return kOfxStatOK;
}
OfxStatus paramGetValue(OfxParamHandle p, ...) {
  va_list args;
  va_start(args, p);
  const OfxStatus status = readInto(*paramOf(p), args);
  va_end(args);
  return status;
}
OfxStatus paramGetValueAtTime(OfxParamHandle p, OfxTime time, ...) {
  va_list args;
  va_start(args, time);
  paramOf(p)->lastTimeRead = time;
  const OfxStatus status = readInto(*paramOf(p), args);
  va_end(args);
  return status;
}
OfxStatus paramSetValue(OfxParamHandle p, ...) {
  va_list args;
  va_start(args, p);
  const OfxStatus status = writeFrom(*paramOf(p), args);
  va_end(args);
  return status;
}
OfxStatus paramEditBegin(OfxParamSetHandle s, const char* name) {
  setOf(s)->editLog.push_back(std::string("begin:") + name);
  return kOfxStatOK;
}
OfxStatus paramEditEnd(OfxParamSetHandle s) {
  setOf(s)->editLog.push_back("end");
  return kOfxStatOK;
}

OfxStatus paramSetValueAtTime(OfxParamHandle p, OfxTime time, ...) {
  va_list args;
  va_start(args, time);
  const OfxStatus status = writeFrom(*paramOf(p), args);
  va_end(args);
  return status;
}

const OfxParameterSuiteV1 kParamSuite = {paramDefine,         paramGetHandle, paramSetGetPropertySet,
                                         paramGetPropertySet, paramGetValue,  paramGetValueAtTime,
                                         nullptr,             nullptr,        paramSetValue,
                                         paramSetValueAtTime, nullptr,        nullptr,
                                         nullptr,             nullptr,        nullptr,
                                         nullptr,             paramEditBegin, paramEditEnd};

// --- parametric suite: control points are recorded in the parameter's props
// as "points" (x, y pairs of curve 0..n, flattened with the curve index).

OfxStatus addControlPoint(OfxParamHandle p, int curve, double time, double key, double value, bool addKey) {
  auto& points = paramOf(p)->props.values["test:controlPoints"];
  points.emplace_back(curve);
  points.emplace_back(time);
  points.emplace_back(key);
  points.emplace_back(value);
  points.emplace_back(addKey ? 1 : 0);
  return kOfxStatOK;
}

const OfxParametricParameterSuiteV1 kParametricSuite = {nullptr, nullptr, nullptr, nullptr,
                                                        addControlPoint, nullptr, nullptr};

// --- multi-thread suite on std::thread

thread_local unsigned int tThreadIndex = 0;
thread_local bool tSpawned = false;

OfxStatus multiThread(OfxThreadFunctionV1 func, unsigned int n, void* arg) {
  ++FakeHost::current->multiThreadCalls;
  FakeHost::current->lastThreadCount = n;
  std::vector<std::thread> threads;
  for (unsigned int i = 0; i < n; ++i) {
    threads.emplace_back([=] {
      tThreadIndex = i;
      tSpawned = true;
      func(i, n, arg);
    });
  }
  for (auto& thread : threads) thread.join();
  return kOfxStatOK;
}
OfxStatus multiThreadNumCPUs(unsigned int* n) {
  *n = FakeHost::current->numCPUs;
  return kOfxStatOK;
}
OfxStatus multiThreadIndex(unsigned int* index) {
  *index = tThreadIndex;
  return kOfxStatOK;
}
int multiThreadIsSpawnedThread() { return tSpawned ? 1 : 0; }
OfxStatus mutexCreate(OfxMutexHandle* mutex, int) {
  *mutex = reinterpret_cast<OfxMutexHandle>(new std::recursive_mutex);
  return kOfxStatOK;
}
OfxStatus mutexDestroy(const OfxMutexHandle mutex) {
  delete reinterpret_cast<std::recursive_mutex*>(mutex);
  return kOfxStatOK;
}
OfxStatus mutexLock(const OfxMutexHandle mutex) {
  reinterpret_cast<std::recursive_mutex*>(mutex)->lock();
  return kOfxStatOK;
}
OfxStatus mutexUnLock(const OfxMutexHandle mutex) {
  reinterpret_cast<std::recursive_mutex*>(mutex)->unlock();
  return kOfxStatOK;
}
OfxStatus mutexTryLock(const OfxMutexHandle mutex) {
  return reinterpret_cast<std::recursive_mutex*>(mutex)->try_lock() ? kOfxStatOK : kOfxStatFailed;
}

const OfxMultiThreadSuiteV1 kThreadSuite = {multiThread, multiThreadNumCPUs, multiThreadIndex,
                                            multiThreadIsSpawnedThread, mutexCreate, mutexDestroy,
                                            mutexLock, mutexUnLock, mutexTryLock};

// --- interact suite

Interact* interactOf(OfxInteractHandle handle) { return reinterpret_cast<Interact*>(handle); }

OfxStatus interactSwapBuffers(OfxInteractHandle i) {
  ++interactOf(i)->swaps;
  return kOfxStatOK;
}
OfxStatus interactRedraw(OfxInteractHandle i) {
  ++interactOf(i)->redraws;
  return kOfxStatOK;
}
OfxStatus interactGetPropertySet(OfxInteractHandle i, OfxPropertySetHandle* out) {
  if (i == nullptr) return kOfxStatErrBadHandle;
  *out = FakeHost::handle(interactOf(i)->props);
  return kOfxStatOK;
}

const OfxInteractSuiteV1 kInteractSuite = {interactSwapBuffers, interactRedraw, interactGetPropertySet};

// The draw suite is only offered, never called, by the support library.
const OfxDrawSuiteV1 kDrawSuite = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

const void* fetchSuite(OfxPropertySetHandle, const char* name, int version) {
  FakeHost* host = FakeHost::current;
  const std::string suite = name;
  if (version != 1 || host == nullptr) return nullptr;
  if (suite == kOfxPropertySuite) return &kPropertySuite;
  if (suite == kOfxImageEffectSuite) return &kEffectSuite;
  if (suite == kOfxParameterSuite) return &kParamSuite;
  if (suite == kOfxParametricParameterSuite) return host->offerParametricSuite ? &kParametricSuite : nullptr;
  if (suite == kOfxMultiThreadSuite) return host->offerThreadSuite ? &kThreadSuite : nullptr;
  if (suite == kOfxInteractSuite) return host->offerInteractSuite ? &kInteractSuite : nullptr;
  if (suite == kOfxDrawSuite) return host->offerDrawSuite ? &kDrawSuite : nullptr;
  return nullptr;
}

}  // namespace

FakeHost::FakeHost() {
  current = this;
  host_.host = handle(hostProps_);
  host_.fetchSuite = &fetchSuite;
  hostProps_.set(kOfxPropName, {std::string("fake.host")});
}

FakeHost::~FakeHost() {
  if (current == this) current = nullptr;
}

Effect& FakeHost::newEffect(const std::string& context) {
  effects_.push_back(std::make_unique<Effect>());
  Effect& effect = *effects_.back();
  effect.props.set(kOfxImageEffectPropContext, {context});
  effect.props.set(kOfxPropInstanceData, {static_cast<void*>(nullptr)});
  effect.props.set(kOfxImageEffectPropFrameRate, {25.0});
  return effect;
}

Clip& FakeHost::addClip(Effect& effect, const std::string& name) {
  auto found = effect.clips.find(name);
  if (found != effect.clips.end()) return *found->second;
  auto clip = std::make_unique<Clip>();
  clip->name = name;
  clip->props.set(kOfxPropName, {name});
  clip->props.set(kOfxImageClipPropConnected, {1});
  clip->props.set(kOfxImageEffectPropPixelDepth, {std::string(kOfxBitDepthFloat)});
  clip->props.set(kOfxImageEffectPropComponents, {std::string(kOfxImageComponentRGBA)});
  Clip& result = *clip;
  effect.clipOrder.push_back(name);
  effect.clips.emplace(name, std::move(clip));
  return result;
}

Image& FakeHost::giveImage(Clip& clip, OfxRectI bounds, float fill, int padBytes) {
  clip.image = std::make_unique<Image>();
  Image& image = *clip.image;
  const int width = bounds.x2 - bounds.x1;
  const int height = bounds.y2 - bounds.y1;
  const int rowBytes = width * 16 + padBytes;
  image.pixels.assign(static_cast<std::size_t>(rowBytes / 4) * static_cast<std::size_t>(height), fill);
  image.props.set(kOfxImagePropData, {static_cast<void*>(image.pixels.data())});
  image.props.set(kOfxImagePropBounds, {bounds.x1, bounds.y1, bounds.x2, bounds.y2});
  image.props.set(kOfxImagePropRegionOfDefinition, {bounds.x1, bounds.y1, bounds.x2, bounds.y2});
  image.props.set(kOfxImagePropRowBytes, {rowBytes});
  image.props.set(kOfxImageEffectPropPixelDepth, {std::string(kOfxBitDepthFloat)});
  image.props.set(kOfxImageEffectPropComponents, {std::string(kOfxImageComponentRGBA)});
  image.props.set(kOfxImagePropPixelAspectRatio, {1.0});
  image.props.set(kOfxImageEffectPropRenderScale, {1.0, 1.0});
  image.props.set(kOfxImagePropField, {std::string(kOfxImageFieldNone)});
  image.props.set(kOfxImagePropUniqueIdentifier, {std::string("image-1")});
  return image;
}

Param& FakeHost::addParam(Effect& effect, const std::string& type, const std::string& name,
                          std::vector<Value> value) {
  OfxPropertySetHandle unused = nullptr;
  paramDefine(reinterpret_cast<OfxParamSetHandle>(&effect.params), type.c_str(), name.c_str(), &unused);
  Param& param = *effect.params.params.at(name);
  param.value = std::move(value);
  return param;
}

Interact& FakeHost::newInteract(Effect* effect) {
  interacts_.push_back(std::make_unique<Interact>());
  Interact& interact = *interacts_.back();
  interact.props.set(kOfxPropEffectInstance, {static_cast<void*>(effect)});
  interact.props.set(kOfxPropInstanceData, {static_cast<void*>(nullptr)});
  interact.props.set(kOfxInteractPropPixelScale, {1.0, 1.0});
  interact.props.set(kOfxInteractPropSlaveToParam, {});
  return interact;
}

PropertySetStruct& FakeHost::newArgs() {
  args_.push_back(std::make_unique<PropertySetStruct>());
  return *args_.back();
}

}  // namespace fakehost
