#include "platform/UserFolders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A variable that is set and holds an absolute path; the rules for XDG variables ignore others.
std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomeDirectory() {
    std::string home = AbsoluteVariable("HOME");
    if (!home.empty()) return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? std::string(entry->pw_dir) : std::string();
}

std::string Below(const std::string& variable, const char* homeFallback, const std::string& application) {
    std::string base = AbsoluteVariable(variable.c_str());
    if (base.empty()) {
        std::string home = HomeDirectory();
        if (home.empty()) return std::string();
        base = home + "/" + homeFallback;
    }
    return base + "/" + application;
}

}  // namespace

std::string UserSettingsDirectory(const std::string& application) {
    return Below("XDG_CONFIG_HOME", ".config", application);
}

std::string UserWorkingDirectory(const std::string& application) {
    return Below("XDG_RUNTIME_DIR", ".cache", application);
}

bool MakeUserDirectory(const std::string& path, std::string& reason) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        reason = std::strerror(ENOTDIR);
        return false;
    }
    std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeUserDirectory(path.substr(0, slash), reason)) return false;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

bool CanWriteIn(const std::string& directory) {
    return access(directory.empty() ? "." : directory.c_str(), W_OK | X_OK) == 0;
}

bool CanReplace(const std::string& file) {
    if (access(file.c_str(), F_OK) == 0) {
        if (access(file.c_str(), W_OK) != 0) return false;
    }
    std::size_t slash = file.find_last_of('/');
    return CanWriteIn(slash == std::string::npos ? std::string() : file.substr(0, slash + 1));
}

}  // namespace platform
