#include "platform/Files.h"

#include "platform/win32/SystemMessage.h"

#include <atomic>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef ReplaceFile  // our own function of that name, not the system's macro

namespace platform {
namespace {

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
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

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& reason) {
    std::string temporary = TemporaryNameBeside(path);
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = SystemMessage(GetLastError());
        return false;
    }
    bool ok = WriteAll(file, bytes);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    // Write-through: the call returns only when the new file has taken the old one's place on disk.
    if (ok && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        reason = SystemMessage(error);
        DeleteFileA(temporary.c_str());
    }
    return ok;
}

std::optional<std::string> ReadFile(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
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
