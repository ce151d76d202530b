#pragma once
// Points the process-wide log at a file of this test's own, at debug level, and reads back what
// was written since the last mark, so tests can check exact log lines. The file is named after
// the process and the test, so test programs running side by side never share one.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "plugin/Logger.h"

namespace testsupport {

class LogCapture {
 public:
  // The tag defaults to the running test's name.
  explicit LogCapture(const std::string& tag = currentTestName()) {
    name_ = prefix() + tag;
    for (char& c : name_)
      if (c == '/') c = '_';
    Logger::getInstance().setEffectName(name_);
    Logger::getInstance().setDebugLevel(LOG_DEBUG);
    mark();
  }
  ~LogCapture() {
    Logger::getInstance().setEffectName(prefix() + "done");
    std::remove(Logger::logPathFor(name_).c_str());
    std::remove(Logger::backupPathFor(name_).c_str());
    std::remove(Logger::logPathFor(prefix() + "done").c_str());
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Forgets what was logged so far.
  void mark() { offset_ = all().size(); }
  // Everything logged since the last mark.
  std::string text() const { return all().substr(offset_); }
  bool contains(const std::string& line) const { return text().find(line) != std::string::npos; }
  size_t count(const std::string& line) const {
    const std::string t = text();
    size_t n = 0;
    for (size_t at = t.find(line); at != std::string::npos; at = t.find(line, at + 1)) ++n;
    return n;
  }

  static std::string currentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("x");
  }

 private:
  static std::string prefix() { return "eb_test_" + std::to_string(::getpid()) + "_"; }
  std::string all() const {
    Logger::getInstance().flush();
    std::ifstream in(Logger::logPathFor(name_), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string name_;
  size_t offset_ = 0;
};

}  // namespace testsupport
