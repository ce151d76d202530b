#include "plugin/Logger.h"

#include <cctype>
#include <cstdarg>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* prefixFor(LogLevel level)
{
    switch (level) {
    case LOG_ERROR: return "[ERROR] ";
    case LOG_INFO: return "[INFO] ";
    case LOG_DEBUG: return "[DEBUG] ";
    }
    return "[DEBUG] ";
}

const char* wordFor(int level)
{
    switch (level) {
    case LOG_ERROR: return "ERROR";
    case LOG_INFO: return "INFO";
    case LOG_DEBUG: return "DEBUG";
    }
    return "ERROR";
}

// /tmp is shared by every user, who may plant links or files at our paths. rename() never
// follows a link (one at the source is moved as a link, one at the destination is replaced),
// so the rotation cannot be redirected. The open must not follow a link either, and must not
// truncate anything but our own private log: the file is opened without O_TRUNC, checked to
// be a regular file that we own and that has no other hard link, and only then truncated.
FILE* openWithoutFollowingLinks(const std::string& path)
{
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK,
                    0644);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    const bool ours = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
        && info.st_nlink == 1;
    if (!ours || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    FILE* stream = ::fdopen(fd, "w");
    if (!stream) {
        ::close(fd);
    }
    return stream;
}

} // namespace

Logger& Logger::getInstance()
{
    static Logger instance;
    return instance;
}

Logger::~Logger()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_stream) {
        return;
    }
    if (m_level >= LOG_INFO) {
        std::fprintf(m_stream, "%s=== Logger Destroyed ===\n", prefixFor(LOG_INFO));
    }
    std::fclose(m_stream);
    m_stream = nullptr;
}

std::string Logger::logPathFor(const std::string& name)
{
    return "/tmp/" + name + "_plugin_log.txt";
}

std::string Logger::backupPathFor(const std::string& name)
{
    return "/tmp/" + name + "_plugin_log.old";
}

void Logger::setEffectName(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_effectName = name;

    if (m_stream) {
        std::fprintf(m_stream, "[INFO] === Switching to new effect: %s ===\n", name.c_str());
        std::fflush(m_stream);
        std::fclose(m_stream);
        m_stream = nullptr;
    }

    const std::string path = logPathFor(name);
    const std::string backup = backupPathFor(name);

    // Existence test without following links: a dangling planted link still counts as
    // "something there", and renaming it moves the link itself out of the way.
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        (void)std::rename(path.c_str(), backup.c_str());
    }

    openLogFile(path);
}

void Logger::openLogFile(const std::string& path)
{
    m_stream = openWithoutFollowingLinks(path);
    if (!m_stream) {
        return;
    }

    std::fprintf(m_stream, "=== %s Plugin Session Started ===\n", m_effectName.c_str());
    std::fflush(m_stream);

    char timeText[80] = "";
    std::time_t now = std::time(nullptr);
    std::tm local {};
    if (::localtime_r(&now, &local)) {
        std::strftime(timeText, sizeof timeText, "%Y-%m-%d %H:%M:%S", &local);
    }
    std::fprintf(m_stream, "Session time: %s\n", timeText);
    std::fprintf(m_stream, "Log file: %s\n", path.c_str());
    std::fprintf(m_stream, "Debug level: %s\n", wordFor(m_level.load()));
    std::fflush(m_stream);
}

void Logger::setDebugLevel(LogLevel level)
{
    m_level = level;
}

void Logger::setDebugLevel(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (lower == "debug") {
        m_level = LOG_DEBUG;
    } else if (lower == "info") {
        m_level = LOG_INFO;
    } else {
        m_level = LOG_ERROR;
    }
}

LogLevel Logger::getDebugLevel() const
{
    return static_cast<LogLevel>(m_level.load());
}

std::string Logger::getEffectName()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_effectName;
}

void Logger::writeLine(LogLevel level, bool flushAfter, const char* format, va_list args)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_level < level || !m_stream) {
        return;
    }
    std::fputs(prefixFor(level), m_stream);
    std::vfprintf(m_stream, format, args);
    std::fputc('\n', m_stream);
    if (flushAfter) {
        std::fflush(m_stream);
    }
}

void Logger::logMessage(LogLevel level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    writeLine(level, level == LOG_ERROR, format, args);
    va_end(args);
}

void Logger::logMessage(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    writeLine(LOG_DEBUG, false, format, args);
    va_end(args);
}

void Logger::flush()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stream) {
        std::fflush(m_stream);
    }
}
