// The image effect suite: effect and clip properties, clip definition, image
// fetch and release (served by the instance), and image memory.
#include <cstdlib>
#include <map>
#include <mutex>

#include "host/ImageEffect.h"

namespace ofxhost {

namespace {

std::mutex &fetchedMutex() {
  static std::mutex *m = new std::mutex;
  return *m;
}

std::map<OfxPropertySetHandle, ClipImageProvider *> &fetchedImages() {
  static auto *images = new std::map<OfxPropertySetHandle, ClipImageProvider *>;
  return *images;
}

// A block of image memory with a lock count; the plug-in reaches the bytes only while it is locked.
class ImageMemory {
 public:
  static constexpr HandleKind kHandleKind = HandleKind::ImageMemory;
  explicit ImageMemory(size_t bytes) : registration_(this, kHandleKind), data_(std::malloc(bytes ? bytes : 1)) {}
  ~ImageMemory() { std::free(data_); }
  ImageMemory(const ImageMemory &) = delete;
  ImageMemory &operator=(const ImageMemory &) = delete;
  void *data() const { return data_; }
  int locks = 0;

 private:
  HandleRegistration registration_;
  void *data_;
};

std::mutex &memoryMutex() {
  static std::mutex *m = new std::mutex;
  return *m;
}
int g_imageMemoryCount = 0;

OfxStatus getPropertySet(OfxImageEffectHandle handle, OfxPropertySetHandle *props) {
  ImageEffectObject *effect = fromHandle<ImageEffectObject>(handle);
  if (effect == nullptr) return kOfxStatErrBadHandle;
  if (props == nullptr) return kOfxStatErrValue;
  *props = effect->props().handle();
  return kOfxStatOK;
}

OfxStatus getParamSet(OfxImageEffectHandle handle, OfxParamSetHandle *params) {
  ImageEffectObject *effect = fromHandle<ImageEffectObject>(handle);
  if (effect == nullptr) return kOfxStatErrBadHandle;
  if (params == nullptr) return kOfxStatErrValue;
  *params = effect->params().handle();
  return kOfxStatOK;
}

OfxStatus clipDefine(OfxImageEffectHandle handle, const char *name, OfxPropertySetHandle *props) {
  ImageEffectObject *effect = fromHandle<ImageEffectObject>(handle);
  if (effect == nullptr || effect->role() != ImageEffectObject::Role::Descriptor) return kOfxStatErrBadHandle;
  if (name == nullptr) return kOfxStatErrValue;
  Clip *clip = effect->defineClip(name);
  if (clip == nullptr) return kOfxStatErrExists;
  if (props) *props = clip->props().handle();
  return kOfxStatOK;
}

OfxStatus clipGetHandle(OfxImageEffectHandle handle, const char *name, OfxImageClipHandle *clip,
                        OfxPropertySetHandle *props) {
  ImageEffectObject *effect = fromHandle<ImageEffectObject>(handle);
  if (effect == nullptr) return kOfxStatErrBadHandle;
  if (name == nullptr) return kOfxStatErrValue;
  Clip *c = effect->findClip(name);
  if (c == nullptr) return kOfxStatErrUnknown;
  if (clip) *clip = c->handle();
  if (props) *props = c->props().handle();
  return kOfxStatOK;
}

OfxStatus clipGetPropertySet(OfxImageClipHandle handle, OfxPropertySetHandle *props) {
  Clip *clip = fromHandle<Clip>(handle);
  if (clip == nullptr) return kOfxStatErrBadHandle;
  if (props == nullptr) return kOfxStatErrValue;
  *props = clip->props().handle();
  return kOfxStatOK;
}

OfxStatus clipGetImage(OfxImageClipHandle handle, OfxTime time, const OfxRectD *region, OfxPropertySetHandle *image) {
  Clip *clip = fromHandle<Clip>(handle);
  if (clip == nullptr) return kOfxStatErrBadHandle;
  if (image == nullptr) return kOfxStatErrValue;
  ClipImageProvider *provider = clip->owner().imageProvider();
  if (provider == nullptr) return kOfxStatErrBadHandle;
  return provider->fetchImage(*clip, time, region, image);
}

OfxStatus clipReleaseImage(OfxPropertySetHandle image) {
  ClipImageProvider *provider = nullptr;
  {
    std::lock_guard<std::mutex> lock(fetchedMutex());
    auto it = fetchedImages().find(image);
    if (it == fetchedImages().end()) return kOfxStatErrBadHandle;
    provider = it->second;
  }
  return provider->releaseImage(image);
}

OfxStatus clipGetRegionOfDefinition(OfxImageClipHandle handle, OfxTime time, OfxRectD *bounds) {
  Clip *clip = fromHandle<Clip>(handle);
  if (clip == nullptr) return kOfxStatErrBadHandle;
  if (bounds == nullptr) return kOfxStatErrValue;
  ClipImageProvider *provider = clip->owner().imageProvider();
  if (provider == nullptr) return kOfxStatErrBadHandle;
  return provider->regionOfDefinition(*clip, time, bounds);
}

int abortRender(OfxImageEffectHandle handle) {
  ImageEffectObject *effect = fromHandle<ImageEffectObject>(handle);
  if (effect == nullptr || effect->imageProvider() == nullptr) return 0;
  return effect->imageProvider()->abortRequested() ? 1 : 0;
}

OfxStatus imageMemoryAlloc(OfxImageEffectHandle, size_t bytes, OfxImageMemoryHandle *memory) {
  if (memory == nullptr) return kOfxStatErrValue;
  auto *block = new ImageMemory(bytes);
  if (block->data() == nullptr) {
    delete block;
    return kOfxStatErrMemory;
  }
  std::lock_guard<std::mutex> lock(memoryMutex());
  ++g_imageMemoryCount;
  *memory = reinterpret_cast<OfxImageMemoryHandle>(block);
  return kOfxStatOK;
}

OfxStatus imageMemoryFree(OfxImageMemoryHandle handle) {
  std::lock_guard<std::mutex> lock(memoryMutex());
  ImageMemory *block = fromHandle<ImageMemory>(handle);
  if (block == nullptr) return kOfxStatErrBadHandle;
  delete block;
  --g_imageMemoryCount;
  return kOfxStatOK;
}

OfxStatus imageMemoryLock(OfxImageMemoryHandle handle, void **data) {
  std::lock_guard<std::mutex> lock(memoryMutex());
  ImageMemory *block = fromHandle<ImageMemory>(handle);
  if (block == nullptr) return kOfxStatErrBadHandle;
  if (data == nullptr) return kOfxStatErrValue;
  ++block->locks;
  *data = block->data();
  return kOfxStatOK;
}

OfxStatus imageMemoryUnlock(OfxImageMemoryHandle handle) {
  std::lock_guard<std::mutex> lock(memoryMutex());
  ImageMemory *block = fromHandle<ImageMemory>(handle);
  if (block == nullptr) return kOfxStatErrBadHandle;
  if (block->locks > 0) --block->locks;
  return kOfxStatOK;
}

const OfxImageEffectSuiteV1 kImageEffectSuite = {
    getPropertySet,   getParamSet,      clipDefine,       clipGetHandle,     clipGetPropertySet,
    clipGetImage,     clipReleaseImage, clipGetRegionOfDefinition, abortRender, imageMemoryAlloc,
    imageMemoryFree,  imageMemoryLock,  imageMemoryUnlock};

}  // namespace

void registerFetchedImage(OfxPropertySetHandle image, ClipImageProvider *provider) {
  std::lock_guard<std::mutex> lock(fetchedMutex());
  fetchedImages()[image] = provider;
}

void forgetFetchedImage(OfxPropertySetHandle image) {
  std::lock_guard<std::mutex> lock(fetchedMutex());
  fetchedImages().erase(image);
}

int outstandingImageMemory() {
  std::lock_guard<std::mutex> lock(memoryMutex());
  return g_imageMemoryCount;
}

const OfxImageEffectSuiteV1 *imageEffectSuite() { return &kImageEffectSuite; }

}  // namespace ofxhost
