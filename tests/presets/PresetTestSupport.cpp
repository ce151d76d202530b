#include "tests/presets/PresetTestSupport.h"

#include <algorithm>
#include <ctime>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "plugin/Logger.h"

namespace presettest {

ScopedHome::ScopedHome() {
    char pattern[] = "/tmp/eb_presettest_home_XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
    if (const char* home = std::getenv("HOME")) {
        m_hadHome = true;
        m_previousHome = home;
    }
    setenv("HOME", m_path.c_str(), 1);
}

ScopedHome::~ScopedHome() {
    if (m_hadHome) {
        setenv("HOME", m_previousHome.c_str(), 1);
    } else {
        unsetenv("HOME");
    }
    removeTree(m_path);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* current = std::getenv(name)) {
        m_had = true;
        m_previous = current;
    }
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (m_had) {
        setenv(m_name.c_str(), m_previous.c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

ScopedTimeZone::ScopedTimeZone(const char* zone) : m_env(std::make_unique<ScopedEnv>("TZ", zone)) {
    tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    m_env.reset();
    tzset();
}

LogCapture::LogCapture()
    : m_name("eb_presettest_" + std::to_string(getpid())) {
    Logger& log = Logger::getInstance();
    log.setDebugLevel(LOG_DEBUG);
    log.setEffectName(m_name);
}

LogCapture::~LogCapture() {
    Logger::getInstance().setDebugLevel(LOG_ERROR);
    // Move the log to a file name of its own so the ones removed below are no longer open.
    Logger::getInstance().setEffectName(m_name + "_closed");
    for (const std::string& name : {m_name, m_name + "_closed"}) {
        std::remove(Logger::logPathFor(name).c_str());
        std::remove(Logger::backupPathFor(name).c_str());
    }
}

std::vector<std::string> LogCapture::lines() {
    Logger::getInstance().flush();
    std::istringstream stream(readFile(Logger::logPathFor(m_name)));
    std::vector<std::string> result;
    std::string line;
    while (std::getline(stream, line)) {
        if (line.rfind("[", 0) == 0) result.push_back(line);
    }
    return result;
}

bool LogCapture::contains(const std::string& line) {
    const std::vector<std::string> all = lines();
    return std::find(all.begin(), all.end(), line) != all.end();
}

std::vector<std::string> LogCapture::linesStartingWith(const std::string& prefix) {
    std::vector<std::string> result;
    for (const std::string& line : lines()) {
        if (line.rfind(prefix, 0) == 0) result.push_back(line);
    }
    return result;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

void removeTree(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return;
    if (S_ISDIR(info.st_mode)) {
        chmod(path.c_str(), 0700);
        for (const std::string& entry : folderEntries(path)) removeTree(path + "/" + entry);
        rmdir(path.c_str());
    } else {
        unlink(path.c_str());
    }
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> entries;
    if (DIR* directory = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") entries.push_back(name);
        }
        closedir(directory);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::unique_ptr<XMLEffectDefinition> makeDefinition(const std::string& parameterElements) {
    const std::string document =
        "<effect name=\"Edge Bleed\" category=\"Brightmoor\" version=\"1.0\">\n"
        "  <inputs><source name=\"Source\"/></inputs>\n"
        "  <parameters>\n" + parameterElements + "  </parameters>\n"
        "  <pipeline><process name=\"p\"><cuda file=\"k.cu\"/></process></pipeline>\n"
        "</effect>\n";
    auto definition = std::make_unique<XMLEffectDefinition>();
    if (!definition->parseFromEmbeddedXML(document.c_str())) {
        throw std::runtime_error("test definition did not parse");
    }
    return definition;
}

std::unique_ptr<XMLEffectDefinition> makeEdgeBleedDefinition() {
    return makeDefinition(
        "<parameter name=\"mode\" type=\"choice\" default=\"0\">"
        "<option value=\"stretch\"/><option value=\"mirror\"/></parameter>\n"
        "<parameter name=\"threshold\" type=\"float\" default=\"0.5\"/>\n"
        "<parameter name=\"max_distance\" type=\"float\" default=\"0\" max=\"500\"/>\n"
        "<parameter name=\"preserve_inside\" type=\"bool\" default=\"true\"/>\n"
        "<parameter name=\"blur_radius\" type=\"float\" default=\"1\" max=\"20\"/>\n"
        "<parameter name=\"output_mode\" type=\"choice\" default=\"0\">"
        "<option value=\"result\"/><option value=\"distance\"/></parameter>\n");
}

}  // namespace presettest
