#include "presets/AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomic_file {
namespace {

std::string describe(const char* step, int errorNumber) {
    return std::string(step) + ": " + std::strerror(errorNumber);
}

// The folder part of a path ("." when there is none), for the temporary file and the
// directory sync.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, exclusive temporary file next to `path`. The name starts with "." and does
// not end in the target's ending, so folder listings that look for preset files skip it.
// Mode 0666 lets the umask decide the permissions, as for a file created directly.
int createTemporary(const std::string& path, std::string& temporaryPath, std::string& error) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = folderOf(path);
    const std::string prefix = (folder == "/" ? std::string("/") : folder + "/") + "." +
                               fileNameOf(path) + ".tmp-" + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = prefix + std::to_string(counter.fetch_add(1));
        const int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            error = describe("open", errno);
            return -1;
        }
    }
    error = "open: no free temporary file name";
    return -1;
}

bool writeAll(int fd, const std::string& contents, std::string& error) {
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = describe("write", errno);
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself durable. The new content is already in place when this runs, so
// a failure here is not reported.
void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& contents, std::string& error) {
    std::string temporaryPath;
    const int fd = createTemporary(path, temporaryPath, error);
    if (fd < 0) return false;

    bool ok = writeAll(fd, contents, error);
    if (ok && fsync(fd) != 0) {
        error = describe("fsync", errno);
        ok = false;
    }
    if (close(fd) != 0 && ok) {
        error = describe("close", errno);
        ok = false;
    }
    if (ok && std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        error = describe("rename", errno);
        ok = false;
    }
    if (!ok) {
        unlink(temporaryPath.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

}  // namespace atomic_file
