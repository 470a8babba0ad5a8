#include "platform/FileLock.h"

#include "platform/win32/SystemMessage.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {
namespace {

HANDLE OpenLockFile(const std::string& path, DWORD access) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

FileLock::FileLock(const std::string& path) {
    HANDLE file = OpenLockFile(path, GENERIC_READ | GENERIC_WRITE);
    // A lock file that others may only read can still be locked.
    if (file == INVALID_HANDLE_VALUE) file = OpenLockFile(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        reason_ = SystemMessage(GetLastError());
        return;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        reason_ = SystemMessage(GetLastError());
        CloseHandle(file);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

FileLock::~FileLock() {
    if (handle_ == -1) return;
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    OVERLAPPED whole{};
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(file);
}

}  // namespace platform
