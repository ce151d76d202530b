#pragma once
// Every object the host hands to a plug-in as an opaque handle is registered here
// with its kind, so that a suite call can refuse a null, stale or wrong-kind
// handle with kOfxStatErrBadHandle instead of dereferencing it.

namespace ofxhost {

enum class HandleKind { PropertySet, ParamSet, Param, ImageEffect, Clip, ImageMemory, Interact, DrawContext, Mutex };

void registerHandle(const void *address, HandleKind kind);
void unregisterHandle(const void *address);
bool isLiveHandle(const void *address, HandleKind kind);

// Registers its owner for the owner's lifetime. Objects holding one are not copyable.
class HandleRegistration {
 public:
  HandleRegistration(const void *owner, HandleKind kind) : owner_(owner) { registerHandle(owner, kind); }
  ~HandleRegistration() { unregisterHandle(owner_); }
  HandleRegistration(const HandleRegistration &) = delete;
  HandleRegistration &operator=(const HandleRegistration &) = delete;

 private:
  const void *owner_;
};

// The object behind a handle, or null when the handle is not a live object of that kind.
template <class T>
T *fromHandle(const void *handle) {
  return isLiveHandle(handle, T::kHandleKind) ? static_cast<T *>(const_cast<void *>(handle)) : nullptr;
}

}  // namespace ofxhost
