#pragma once

#include "definition/XMLEffectDefinition.h"

#include <memory>
#include <string>
#include <vector>

// Helpers shared by the definition reader tests: documents built from fragments, reading
// them while capturing the log in a file of the test's own, and temporary files.
namespace deftest {

// An effect element with a name, a category and an empty pipeline around `body`. A pipeline
// inside `body` comes first and so is the one read.
std::string effectDocument(const std::string& body);

struct ReadResult {
    bool ok = false;
    std::unique_ptr<XMLEffectDefinition> definition;
    std::vector<std::string> logLines; // everything the reading logged, with prefixes
    // The text after "[ERROR] " of the last error line; empty when none was logged.
    std::string lastError() const;
    bool logged(const std::string& line) const;
};

// Reads `text` (may be null) with the embedded reader at LOG_DEBUG into a fresh log.
ReadResult readEmbedded(const char* text);
inline ReadResult readEmbedded(const std::string& text)
{
    return readEmbedded(text.c_str());
}

// Points the log at a file unique to this test and process, at LOG_DEBUG, and returns the
// lines logged since then; used around calls other than readEmbedded.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::vector<std::string> lines() const;
    bool logged(const std::string& line) const;

private:
    std::string m_name;
};

// A file in /tmp unique to this test and process, removed on destruction.
class TempFile {
public:
    TempFile(const std::string& tag, const std::string& content);
    ~TempFile();
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace deftest
