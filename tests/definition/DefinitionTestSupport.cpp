#include "tests/definition/DefinitionTestSupport.h"

#include "plugin/Logger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>

#include <unistd.h>

namespace deftest {

namespace {

std::string uniqueTag()
{
    static std::atomic<int> counter {0};
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info ? std::string(info->test_suite_name()) + "_" + info->name() : "none";
    std::replace(test.begin(), test.end(), '/', '_');
    return "eb_deftest_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" + test;
}

std::vector<std::string> readLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

std::string effectDocument(const std::string& body)
{
    return "<effect name=\"Fx\" category=\"Cat\">" + body + "<pipeline/></effect>";
}

std::string ReadResult::lastError() const
{
    const std::string prefix = "[ERROR] ";
    for (auto it = logLines.rbegin(); it != logLines.rend(); ++it) {
        if (it->compare(0, prefix.size(), prefix) == 0) {
            return it->substr(prefix.size());
        }
    }
    return std::string();
}

bool ReadResult::logged(const std::string& line) const
{
    return contains(logLines, line);
}

ReadResult readEmbedded(const char* text)
{
    ReadResult result;
    LogCapture capture;
    result.definition = std::make_unique<XMLEffectDefinition>();
    result.ok = result.definition->parseFromEmbeddedXML(text);
    result.logLines = capture.lines();
    return result;
}

LogCapture::LogCapture() : m_name(uniqueTag())
{
    Logger::getInstance().setDebugLevel(LOG_DEBUG);
    Logger::getInstance().setEffectName(m_name);
}

LogCapture::~LogCapture()
{
    std::remove(Logger::logPathFor(m_name).c_str());
    std::remove(Logger::backupPathFor(m_name).c_str());
}

std::vector<std::string> LogCapture::lines() const
{
    Logger::getInstance().flush();
    return readLines(Logger::logPathFor(m_name));
}

bool LogCapture::logged(const std::string& line) const
{
    return contains(lines(), line);
}

TempFile::TempFile(const std::string& tag, const std::string& content) : m_path("/tmp/" + uniqueTag() + "_" + tag)
{
    std::ofstream(m_path, std::ios::binary) << content;
}

TempFile::~TempFile()
{
    std::remove(m_path.c_str());
}

} // namespace deftest
