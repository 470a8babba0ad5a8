#include "platform/FileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FileLock::FileLock(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);  // the lock needs no write access
    if (fd < 0) {
        reason_ = std::strerror(errno);
        return;
    }
    int locked;
    while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        reason_ = std::strerror(errno);
        close(fd);
        return;
    }
    handle_ = fd;
}

FileLock::~FileLock() {
    if (handle_ >= 0) close(handle_);  // closing releases the lock
}

}  // namespace platform
