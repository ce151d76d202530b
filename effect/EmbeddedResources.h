#pragma once
// The table of resources compiled into a binary: complete encoded EXR files, keyed by the
// resource file name without its extension ("noise" for noise.exr). Every binary that loads
// bundled resources links exactly one table made by eb_embed_resources()
// (effect/EmbedResources.cmake); eb_no_embedded_resources is the empty one.

#include <cstddef>
#include <cstdint>

struct EmbeddedResource {
  const char* key;
  const unsigned char* data;  // the whole encoded file
  uint64_t size;              // its length in bytes
  int32_t width;              // recorded when the table was made (log lines only)
  int32_t height;
  int32_t channels;           // recorded when the table was made; passed on to kernels
};

// Defined by the linked table.
extern const EmbeddedResource* const EMBEDDED_RESOURCES;
extern const size_t EMBEDDED_RESOURCE_COUNT;

// The record whose key equals `key` exactly, or null (also for a null key).
const EmbeddedResource* findEmbeddedResource(const char* key);
