#include "platform/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FileLock::FileLock(const std::string& path) {
    handle_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (handle_ < 0) return;  // without a lock file the run goes on unguarded
    while (flock(handle_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FileLock::~FileLock() {
    if (handle_ >= 0) close(handle_);  // closing releases the lock
}

}  // namespace platform
