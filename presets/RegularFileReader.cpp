#include "presets/RegularFileReader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace regular_file {

bool read(const std::string& path, std::string& contents, std::size_t maxBytes) {
    // O_NONBLOCK keeps the open itself from waiting on a FIFO; it is refused just below.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > maxBytes) {
        close(fd);
        return false;
    }
    std::string data;
    char buffer[8192];
    bool ok = true;
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof(buffer));
        if (count < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (count == 0) break;
        data.append(buffer, static_cast<std::size_t>(count));
        // The file may grow after fstat; never hold more than the limit.
        if (data.size() > maxBytes) {
            ok = false;
            break;
        }
    }
    close(fd);
    if (ok) contents.swap(data);
    return ok;
}

}  // namespace regular_file
