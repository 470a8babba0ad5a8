#include "platform/Program.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace platform {

std::string ProgramPath() {
    char path[PATH_MAX + 1] = {};
    ssize_t length = readlink("/proc/self/exe", path, PATH_MAX);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::string CurrentDirectory() {
    char path[PATH_MAX + 1] = {};
    return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
}

bool SetCurrentDirectory(const std::string& directory) { return chdir(directory.c_str()) == 0; }

std::string EnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? std::string(value) : std::string();
}

}  // namespace platform
