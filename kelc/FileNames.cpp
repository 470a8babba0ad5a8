#include "kelc/FileNames.h"

#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace kelc {
namespace {

namespace fs = std::filesystem;

fs::path Absolute(const std::string& path) {
    std::error_code ignored;
    return fs::absolute(fs::path(path), ignored).lexically_normal();
}

// Relative to `base` when below it ("" for `base` itself), else nothing. Names are compared as
// the system compares them: on Windows "C:\Work" holds "c:\work\arm.kel".
bool RelativeBelow(const fs::path& path, const fs::path& base, std::string& relative) {
    auto part = path.begin();
    for (const fs::path& baseName : base) {
        if (baseName.empty()) continue;  // what a trailing delimiter leaves
        if (part == path.end() || !platform::SameFileName(part->string(), baseName.string())) return false;
        ++part;
    }
    fs::path below;
    for (; part != path.end(); ++part) below /= *part;
    relative = below.string();
    return true;
}

std::string WithDelimiter(std::string directory) {
    if (!directory.empty() && !platform::IsPathDelimiter(directory.back())) directory += platform::kPathDelimiter;
    return directory;
}

}  // namespace

std::string UserFileName(const std::string& path) {
    std::error_code ignored;
    return NameSeenFrom(fs::current_path(ignored).string(), path);
}

std::string UserDirectoryName(const std::string& directory) {
    std::string name = UserFileName(directory);
    return WithDelimiter(name.empty() ? std::string(".") : name);
}

std::string NameSeenFrom(const std::string& directory, const std::string& path) {
    if (path.empty()) return path;
    fs::path absolute = Absolute(path);
    std::string relative;
    if (RelativeBelow(absolute, Absolute(directory), relative)) return relative;
    return absolute.string();
}

std::string InDirectory(const std::string& directory, const std::string& path) {
    if (path.empty() || fs::path(path).is_absolute()) return path;
    return WithDelimiter(directory) + path;
}

}  // namespace kelc
