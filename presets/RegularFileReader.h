#pragma once

#include <cstddef>
#include <string>

// Reads a whole preset-sized file. Only regular files are read: a folder or a device has no
// meaningful size (an XML reader that trusts it may try to allocate exabytes), and opening a
// FIFO for reading would block the caller, a host's parameter-change handler, forever.
namespace regular_file {

// Files larger than this are not presets; reading them is refused.
constexpr std::size_t kMaxPresetFileBytes = 16u * 1024u * 1024u;

// True when `path` is a regular file of at most `maxBytes` bytes and was read completely.
bool read(const std::string& path, std::string& contents,
          std::size_t maxBytes = kMaxPresetFileBytes);

}  // namespace regular_file
