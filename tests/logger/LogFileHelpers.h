#pragma once

#include <string>
#include <vector>

// Helpers shared by the logger tests: unique effect names (so parallel test processes and a
// real plug-in log never share a file) and reading the log files back.
namespace logtest {

// "eb_logtest_<pid>_<tag>": unique per process and test.
std::string uniqueName(const std::string& tag);

std::string readFile(const std::string& path);
std::vector<std::string> readLines(const std::string& path);
bool pathExists(const std::string& path);
bool isSymlink(const std::string& path);

// Removes the log, its backup and anything else the test created at those paths.
void removeLogFiles(const std::string& name);

} // namespace logtest
