#include "platform/UserFolders.h"

#include "platform/Paths.h"
#include "platform/win32/SystemMessage.h"

#include <cstdlib>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {
namespace {

std::string Below(const char* variable, const char* fallbackVariable, const std::string& application) {
    const char* base = std::getenv(variable);
    if (base == nullptr || *base == '\0') base = std::getenv(fallbackVariable);
    return base != nullptr && *base != '\0' ? std::string(base) + kPathDelimiter + application : std::string();
}

std::string ParentOf(const std::string& path) {
    std::size_t delimiter = path.find_last_of(kPathDelimiters);
    return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter);
}

}  // namespace

// %APPDATA%\<application>: the settings roam with the user.
std::string UserSettingsDirectory(const std::string& application) {
    return Below("APPDATA", "LOCALAPPDATA", application);
}

// %LOCALAPPDATA%\<application>: locks and hand-over files stay on this machine.
std::string UserWorkingDirectory(const std::string& application) {
    return Below("LOCALAPPDATA", "APPDATA", application);
}

bool MakeUserDirectory(const std::string& path, std::string& reason) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
        reason = SystemMessage(ERROR_DIRECTORY);
        return false;
    }
    std::string parent = ParentOf(path);
    // Missing parents are made first; a drive's root ("C:" without its delimiter) always exists.
    bool driveRoot = parent.size() == 2 && parent[1] == ':';
    if (!parent.empty() && !driveRoot && !MakeUserDirectory(parent, reason)) return false;
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        reason = SystemMessage(GetLastError());
        return false;
    }
    return true;
}

// Access rights on Windows come from lists that only an attempt reads right: a file is made.
bool CanWriteIn(const std::string& directory) {
    std::string probe = (directory.empty() ? std::string(".") : directory);
    if (!IsPathDelimiter(probe.back())) probe += kPathDelimiter;
    probe += "kelc-write-test-" + std::to_string(GetCurrentProcessId());
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool CanReplace(const std::string& file) {
    DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
        HANDLE opened = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        if (opened == INVALID_HANDLE_VALUE) return false;
        CloseHandle(opened);
    }
    std::size_t delimiter = file.find_last_of(kPathDelimiters);
    return CanWriteIn(delimiter == std::string::npos ? std::string() : file.substr(0, delimiter + 1));
}

}  // namespace platform
