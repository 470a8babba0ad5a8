#include "platform/Program.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef SetCurrentDirectory  // our own function of that name, not the system's macro

namespace platform {

std::string ProgramPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);  // cut short: try again with more room
    }
}

std::string CurrentDirectory() {
    DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0) return std::string();
    std::string path(size, '\0');
    DWORD length = GetCurrentDirectoryA(size, path.data());
    return length > 0 && length < size ? path.substr(0, length) : std::string();
}

bool SetCurrentDirectory(const std::string& directory) { return SetCurrentDirectoryA(directory.c_str()) != 0; }

std::string EnvironmentVariable(const std::string& name) {
    DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return std::string();
    std::string value(size, '\0');
    DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), size);
    return length < size ? value.substr(0, length) : std::string();
}

}  // namespace platform
