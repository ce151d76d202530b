#pragma once

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

// Levels of the plug-in log. A message is written when the logger's current level is
// numerically greater than or equal to the message's level.
enum LogLevel : int {
    LOG_ERROR = 0,
    LOG_INFO = 1,
    LOG_DEBUG = 2,
};

// The one process-wide diagnostic log. It writes "/tmp/<effect name>_plugin_log.txt",
// keeps one previous generation as "_plugin_log.old", and drops every message until an
// effect name has been set. It never throws and never reports failures to its callers.
class Logger {
public:
    static Logger& getInstance();

    // Closes the current file (writing a switching line into it) and starts a fresh file
    // for `name`, moving any existing file of that name to the backup path first.
    void setEffectName(const std::string& name);

    void setDebugLevel(LogLevel level);
    // "debug", "info" and "error" in any letter case; every other text selects LOG_ERROR.
    void setDebugLevel(const std::string& text);

    void logMessage(LogLevel level, const char* format, ...)
        __attribute__((format(printf, 3, 4)));
    // A LOG_DEBUG message that never forces a flush.
    void logMessage(const char* format, ...) __attribute__((format(printf, 2, 3)));

    void flush();

    // The current effect name and level, for callers that need to report them.
    std::string getEffectName();
    LogLevel getDebugLevel() const;

    // The file paths used for an effect name.
    static std::string logPathFor(const std::string& name);
    static std::string backupPathFor(const std::string& name);

    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

private:
    Logger() = default;
    ~Logger();

    void writeLine(LogLevel level, bool flushAfter, const char* format, va_list args);
    void openLogFile(const std::string& path);

    FILE* m_stream = nullptr;
    std::string m_effectName = "UnknownEffect";
    // Written without the mutex (a plain store), read under it.
    std::atomic<int> m_level{LOG_ERROR};
    std::mutex m_mutex;
};
