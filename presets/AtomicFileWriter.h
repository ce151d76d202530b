#pragma once

#include <string>

// Replaces a file's content so that no reader ever sees a partly written file and a failed
// write never loses the previous version: the bytes go to a new temporary file in the same
// folder, which is flushed to disk (fsync) and then renamed over the target. rename() within
// one file system is atomic, so the target is always either the complete old file or the
// complete new one. On any failure the temporary file is removed and the target is left
// untouched.
namespace atomic_file {

// Returns true when `path` holds `contents`. On failure, `error` describes the failing step
// (for example "write: File too large").
bool replaceFile(const std::string& path, const std::string& contents, std::string& error);

}  // namespace atomic_file
