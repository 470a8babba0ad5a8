#include "platform/Files.h"

#include "platform/Memory.h"
#include "platform/PendingTemporaries.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kMaxLinkHops = 40;

bool Fail(int error, std::string& reason) {
    reason = std::strerror(error);
    return false;
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

// The name a chain of symbolic links ends in; the name itself when it is no link. A link that
// points nowhere yields the name it points to, so that writing creates that file.
bool FollowLinks(const std::string& path, std::string& target, std::string& reason) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        char link[PATH_MAX];
        ssize_t length = readlink(target.c_str(), link, sizeof link);
        if (length < 0) return errno == EINVAL || errno == ENOENT || Fail(errno, reason);
        if (static_cast<std::size_t>(length) == sizeof link) return Fail(ENAMETOOLONG, reason);
        std::string next(link, static_cast<std::size_t>(length));
        std::size_t slash = target.rfind('/');
        if (next.compare(0, 1, "/") != 0 && slash != std::string::npos) next = target.substr(0, slash + 1) + next;
        target = next;
    }
    return Fail(ELOOP, reason);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes and closes; the first failure's reason wins.
bool WriteAndClose(int fd, std::string_view bytes, std::string& reason) {
    bool ok = WriteAll(fd, bytes);
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    return ok || Fail(error, reason);
}

// Opens without waiting, so that a pipe nobody reads fails instead of hanging the run; the writes
// then wait as usual.
int OpenForWriting(const std::string& path, int flags) {
    int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | flags, 0666);
    if (fd >= 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// A device or a pipe is written where it is.
bool WriteInPlace(const std::string& path, std::string_view bytes, std::string& reason) {
    int fd = OpenForWriting(path, 0);
    if (fd < 0) return Fail(errno, reason);
    return WriteAndClose(fd, bytes, reason);
}

// `mode` is the replaced file's permission bits, or -1 for a new file.
bool WriteBesideAndRename(const std::string& path, std::string_view bytes, int mode, std::string& reason) {
    std::string temporary = TemporaryNameBeside(path);
    PendingTemporary pending(temporary);
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode < 0 ? 0666 : 0600);
    if (fd < 0) return Fail(errno, reason);
    // A file system without permission bits refuses; the content matters more than the bits.
    if (mode >= 0) (void)fchmod(fd, static_cast<mode_t>(mode));
    bool ok = WriteAndClose(fd, bytes, reason);
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = Fail(errno, reason);
    if (!ok) unlink(temporary.c_str());
    return ok;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& reason) {
    std::string target;
    if (!FollowLinks(path, target, reason)) return false;
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return WriteBesideAndRename(target, bytes, -1, reason);
    if (!S_ISREG(info.st_mode)) return WriteInPlace(target, bytes, reason);
    return WriteBesideAndRename(target, bytes, static_cast<int>(info.st_mode & 07777), reason);
}

AppendResult AppendToFile(const std::string& path, std::string_view bytes, std::string& reason) {
    int fd = OpenForWriting(path, O_APPEND | O_CREAT);
    if (fd < 0) {
        Fail(errno, reason);
        return AppendResult::kNotOpened;
    }
    return WriteAndClose(fd, bytes, reason) ? AppendResult::kAppended : AppendResult::kNotWritten;
}

bool RemoveFile(const std::string& path, std::string& reason) {
    std::string target;
    if (!FollowLinks(path, target, reason)) return false;
    struct stat info {};
    if (stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return true;
    return unlink(target.c_str()) == 0 || errno == ENOENT || Fail(errno, reason);
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat a {}, b {};
    return stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

std::optional<std::string> ReadFile(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    // Should a pipe take the file's place after the test, reading fails instead of waiting.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    // One allocation of the right size: growing by doubling would hold the text twice.
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
        PreferLargePages(bytes.data(), bytes.capacity());
    }
    char buffer[1 << 16];
    for (;;) {
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            close(fd);
            if (count < 0) return std::nullopt;
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace platform
