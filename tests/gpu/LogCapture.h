#pragma once
// Points the process-wide log at a file of its own for one test, at debug level, and reads
// back what was written since the last mark.

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "plugin/Logger.h"

class LogCapture {
 public:
  explicit LogCapture(const std::string& tag) {
    name_ = "eb_gputest_" + std::to_string(::getpid()) + "_" + tag;
    for (char& c : name_)
      if (c == '/') c = '_';
    Logger::getInstance().setEffectName(name_);
    Logger::getInstance().setDebugLevel(LOG_DEBUG);
    mark();
  }
  ~LogCapture() {
    Logger::getInstance().setEffectName("eb_gputest_" + std::to_string(::getpid()) + "_done");
    std::remove(Logger::logPathFor(name_).c_str());
    std::remove(Logger::backupPathFor(name_).c_str());
  }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Everything logged since the last mark().
  std::string text() const { return all().substr(offset_); }
  void mark() { offset_ = all().size(); }
  bool contains(const std::string& line) const { return text().find(line) != std::string::npos; }
  size_t count(const std::string& line) const {
    const std::string t = text();
    size_t n = 0;
    for (size_t at = t.find(line); at != std::string::npos; at = t.find(line, at + 1)) ++n;
    return n;
  }

 private:
  std::string all() const {
    Logger::getInstance().flush();
    std::ifstream in(Logger::logPathFor(name_));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string name_;
  size_t offset_ = 0;
};
