#include "platform/Files.h"

#include "platform/PendingTemporaries.h"
#include "platform/win32/SystemMessage.h"

#include <algorithm>
#include <atomic>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef ReplaceFile  // our own function of that name, not the system's macro

namespace platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool Fail(DWORD error, std::string& reason) {
    reason = SystemMessage(error);
    return false;
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
}

// The file a symbolic link (or a chain of them) leads to; the name itself when it is no link.
bool FollowLinks(const std::string& path, std::string& target, std::string& reason) {
    target = path;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return true;
    HANDLE file = CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail(GetLastError(), reason);
    char final[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleA(file, final, sizeof final, FILE_NAME_NORMALIZED);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (length == 0 || length >= sizeof final) return Fail(length == 0 ? error : ERROR_FILENAME_EXCED_RANGE, reason);
    target.assign(final, length);
    if (target.rfind("\\\\?\\UNC\\", 0) == 0)
        target = "\\\\" + target.substr(8);
    else if (target.rfind("\\\\?\\", 0) == 0)
        target = target.substr(4);
    return true;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Writes and closes; the first failure's reason wins.
bool WriteAndClose(HANDLE file, std::string_view bytes, std::string& reason) {
    bool ok = WriteAll(file, bytes);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    return ok || Fail(error, reason);
}

// A device (NUL, CON, a serial port) or a pipe, opened for writing in place; nothing for a file
// on disk, a directory or a name that does not exist.
HANDLE OpenNonDiskFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) == FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

bool WriteBesideAndReplace(const std::string& path, std::string_view bytes, std::string& reason) {
    std::string temporary = TemporaryNameBeside(path);
    PendingTemporary pending(temporary);
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail(GetLastError(), reason);
    bool ok = WriteAndClose(file, bytes, reason);
    // Write-through: the call returns only when the new file has taken the old one's place on disk.
    if (ok && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = Fail(GetLastError(), reason);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

// Opened to read what the file is, following links, without keeping anyone from it.
HANDLE OpenToInspect(const std::string& path) {
    return CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& reason) {
    std::string target;
    if (!FollowLinks(path, target, reason)) return false;
    HANDLE device = OpenNonDiskFile(target);
    if (device != INVALID_HANDLE_VALUE) return WriteAndClose(device, bytes, reason);
    return WriteBesideAndReplace(target, bytes, reason);
}

AppendResult AppendToFile(const std::string& path, std::string_view bytes, std::string& reason) {
    // With append access alone every write lands whole at the end, whoever else appends.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Fail(GetLastError(), reason);
        return AppendResult::kNotOpened;
    }
    return WriteAndClose(file, bytes, reason) ? AppendResult::kAppended : AppendResult::kNotWritten;
}

bool RemoveFile(const std::string& path, std::string& reason) {
    std::string target;
    if (!FollowLinks(path, target, reason)) return false;
    if (!FileExists(target)) return true;
    DWORD error = DeleteFileA(target.c_str()) ? ERROR_SUCCESS : GetLastError();
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || Fail(error, reason);
}

bool SameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    HANDLE fileA = OpenToInspect(first);
    HANDLE fileB = OpenToInspect(second);
    bool known = fileA != INVALID_HANDLE_VALUE && fileB != INVALID_HANDLE_VALUE &&
                 GetFileInformationByHandle(fileA, &a) && GetFileInformationByHandle(fileB, &b);
    if (fileA != INVALID_HANDLE_VALUE) CloseHandle(fileA);
    if (fileB != INVALID_HANDLE_VALUE) CloseHandle(fileB);
    return known && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

std::optional<std::string> ReadFile(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    // One allocation of the right size: growing by doubling would hold the text twice.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[1 << 16];
    DWORD count = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, buffer, sizeof buffer, &count, nullptr)) && count > 0) bytes.append(buffer, count);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace platform
