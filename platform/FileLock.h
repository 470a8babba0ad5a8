#pragma once
#include <string>

namespace platform {

// Holds an exclusive lock on a lock file for its lifetime, so that two processes sharing a
// directory take turns. Waits while another process holds the lock. A lock file that cannot be
// written (another user's, a read-only one) is locked through reading it.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when no lock could be had; the run then goes on unguarded, and Reason() says why.
    bool Held() const { return handle_ >= 0; }
    const std::string& Reason() const { return reason_; }

private:
    int handle_ = -1;
    std::string reason_;
};

}  // namespace platform
