#include "tests/logger/LogFileHelpers.h"

#include "plugin/Logger.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace logtest {

std::string uniqueName(const std::string& tag)
{
    // Death-test children re-run the test in a new process; they inherit the parent's token
    // through the environment so both sides agree on the file names.
    const char* kTokenVariable = "EB_LOGTEST_TOKEN";
    if (!std::getenv(kTokenVariable)) {
        ::setenv(kTokenVariable, std::to_string(::getpid()).c_str(), 1);
    }
    return std::string("eb_logtest_") + std::getenv(kTokenVariable) + "_" + tag;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
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

bool pathExists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isSymlink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

void removeLogFiles(const std::string& name)
{
    for (const std::string& path : {Logger::logPathFor(name), Logger::backupPathFor(name)}) {
        if (::unlink(path.c_str()) != 0) {
            ::rmdir(path.c_str());
        }
    }
}

} // namespace logtest
