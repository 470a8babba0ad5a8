// The name rules every system shares; the delimiters come from the system's half.
#include "platform/Paths.h"

namespace platform {

std::string DirectoryOf(const std::string& path) {
    std::size_t delimiter = path.find_last_of(kPathDelimiters);
    return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

std::string FileNameOf(const std::string& path) { return path.substr(DirectoryOf(path).size()); }

std::string ReplaceExtension(const std::string& path, const std::string& suffix) {
    const std::size_t nameStart = DirectoryOf(path).size();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return path + suffix;
    return path.substr(0, dot) + suffix;
}

}  // namespace platform
