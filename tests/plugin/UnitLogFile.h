#pragma once
// Reading what the in-process logger wrote to a log file of a name unique to this process.

#include "plugin/Logger.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace plugin_test {

inline std::string uniqueEffectName(const std::string& stem)
{
    return stem + "_" + std::to_string(static_cast<long>(::getpid()));
}

inline std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Flushes the in-process logger, then returns the current file of `name`.
inline std::string flushedLog(const std::string& name)
{
    Logger::getInstance().flush();
    return readWholeFile(Logger::logPathFor(name));
}

inline void removeLogFiles(const std::string& name)
{
    std::remove(Logger::logPathFor(name).c_str());
    std::remove(Logger::backupPathFor(name).c_str());
}

inline int countOccurrences(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (std::string::size_type at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

} // namespace plugin_test
