#include "presets/URLOpener.h"

#include <cerrno>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// Runs `program` (looked up on PATH) with the given arguments and waits for it. Returns the
// exit status, or -1 when it could not be started or did not exit normally.
int runAndWait(const char* program, char* const argv[]) {
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(child, &status, 0);
    } while (waited == -1 && errno == EINTR);
    if (waited != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace

bool URLOpener::openURL(const std::string& url) {
    if (url.empty()) return false;
    // posix_spawnp takes non-const argument strings; the copies live until the child has
    // been started.
    std::string program = "xdg-open";
    std::string address = url;
    char* const argv[] = {&program[0], &address[0], nullptr};
    return runAndWait(program.c_str(), argv) == 0;
}
