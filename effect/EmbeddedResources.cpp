#include "effect/EmbeddedResources.h"

#include <cstring>

const EmbeddedResource* findEmbeddedResource(const char* key) {
  if (key == nullptr) return nullptr;
  for (size_t i = 0; i < EMBEDDED_RESOURCE_COUNT; ++i) {
    if (EMBEDDED_RESOURCES[i].key != nullptr && std::strcmp(EMBEDDED_RESOURCES[i].key, key) == 0)
      return &EMBEDDED_RESOURCES[i];
  }
  return nullptr;
}
