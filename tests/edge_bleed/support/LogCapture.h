#pragma once
// Points the process-wide log at a file of its own at debug level, and reads back what was
// written since the last mark, so tests can check exact log lines.

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "plugin/Logger.h"

namespace kernel_rig {

class LogCapture {
public:
    LogCapture() {
        Logger::getInstance().setEffectName("eb_kernel_tests_" + std::to_string(::getpid()));
        Logger::getInstance().setDebugLevel(LOG_DEBUG);
        mark();
    }
    ~LogCapture() { std::remove(Logger::logPathFor(Logger::getInstance().getEffectName()).c_str()); }

    // Forgets what was logged so far.
    void mark() { offset_ = readAll().size(); }

    // Everything logged since the last mark.
    std::string text() { return readAll().substr(offset_); }

    bool contains(const std::string& line) { return text().find(line) != std::string::npos; }

private:
    static std::string readAll() {
        Logger::getInstance().flush();
        std::ifstream in(Logger::logPathFor(Logger::getInstance().getEffectName()), std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }
    size_t offset_ = 0;
};

}  // namespace kernel_rig
