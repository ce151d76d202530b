#pragma once

#include <string>

// A preset name is typed by a person and becomes a file name in the preset folder, so it
// must be a plain file name: not empty, not "." or "..", and free of path separators
// ('/' and, because the save path is split at either, '\\') and of NUL characters.
// Anything else could name a file outside the preset folder or a different file than the
// one shown in the list.
namespace preset_name {

bool isPlainName(const std::string& name);

// The name as it may be shown in a log line: NUL characters become "\0" so the whole
// name is visible instead of being cut at the first NUL.
std::string printable(const std::string& name);

}  // namespace preset_name
