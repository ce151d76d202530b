#include "host/HandleRegistry.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace ofxhost {
namespace {

struct Registry {
  std::shared_mutex mutex;
  std::unordered_map<const void *, HandleKind> handles;
};

Registry &registry() {
  // Never destroyed: handles of objects with static lifetime may unregister during exit.
  static Registry *instance = new Registry;
  return *instance;
}

}  // namespace

void registerHandle(const void *address, HandleKind kind) {
  Registry &r = registry();
  std::unique_lock<std::shared_mutex> lock(r.mutex);
  r.handles[address] = kind;
}

void unregisterHandle(const void *address) {
  Registry &r = registry();
  std::unique_lock<std::shared_mutex> lock(r.mutex);
  r.handles.erase(address);
}

bool isLiveHandle(const void *address, HandleKind kind) {
  if (address == nullptr) return false;
  Registry &r = registry();
  std::shared_lock<std::shared_mutex> lock(r.mutex);
  auto it = r.handles.find(address);
  return it != r.handles.end() && it->second == kind;
}

}  // namespace ofxhost
