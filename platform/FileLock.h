#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Holds an exclusive lock on a lock file for its lifetime, so that two processes sharing a
// directory take turns. Waits while another process holds the lock.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    std::intptr_t handle_ = -1;  // the system's handle of the open lock file; -1 when there is none
};

}  // namespace platform
