#pragma once
// Points the process-wide log at a file of this test's own, at info level, and reads back what
// was written since construction.

#include "plugin/Logger.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace overlaytest {

class OverlayLog {
public:
    OverlayLog() : name_("eb_overlaytest_" + std::to_string(::getpid()))
    {
        Logger::getInstance().setEffectName(name_);
        Logger::getInstance().setDebugLevel(LOG_INFO);
    }
    ~OverlayLog()
    {
        std::remove(Logger::logPathFor(name_).c_str());
        std::remove(Logger::backupPathFor(name_).c_str());
    }
    OverlayLog(const OverlayLog&) = delete;
    OverlayLog& operator=(const OverlayLog&) = delete;

    std::string text() const
    {
        Logger::getInstance().flush();
        std::ifstream in(Logger::logPathFor(name_));
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    size_t count(const std::string& line) const
    {
        const std::string t = text();
        size_t n = 0;
        for (size_t at = t.find(line); at != std::string::npos; at = t.find(line, at + 1)) {
            ++n;
        }
        return n;
    }
    bool contains(const std::string& line) const { return count(line) > 0; }

private:
    std::string name_;
};

} // namespace overlaytest
