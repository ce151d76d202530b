#pragma once

#include <memory>
#include <string>
#include <vector>

#include "definition/XMLEffectDefinition.h"

// Helpers shared by the preset tests: a private HOME, a private log file, file access and
// definitions built from small documents.
namespace presettest {

// Points HOME at a fresh temporary folder for the lifetime of the object and restores the
// previous value (or its absence) afterwards, removing the folder and everything in it.
class ScopedHome {
public:
    ScopedHome();
    ~ScopedHome();
    ScopedHome(const ScopedHome&) = delete;
    ScopedHome& operator=(const ScopedHome&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    bool m_hadHome = false;
    std::string m_previousHome;
};

// Sets or unsets an environment variable for a scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);  // value nullptr: unset
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    bool m_had = false;
    std::string m_previous;
};

// Sets the TZ variable for a scope and makes the C library re-read it on entry and exit.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::unique_ptr<ScopedEnv> m_env;
};

// Sends the process-wide log to a file of its own at LOG_DEBUG for a scope and reads it back.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines written so far, without the header block.
    std::vector<std::string> lines();
    bool contains(const std::string& line);
    // Lines that start with the given text.
    std::vector<std::string> linesStartingWith(const std::string& prefix);

private:
    std::string m_name;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
void removeTree(const std::string& path);
bool isDirectory(const std::string& path);
std::vector<std::string> folderEntries(const std::string& folder);  // sorted, without . and ..

// A definition read from a document that holds the given <parameter> elements.
std::unique_ptr<XMLEffectDefinition> makeDefinition(const std::string& parameterElements);

// The six parameters of the edge-bleed effect, with its defaults.
std::unique_ptr<XMLEffectDefinition> makeEdgeBleedDefinition();

}  // namespace presettest
