#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes the bytes to a temporary file beside `path` and renames it over `path`, so a failed
// write never leaves a truncated file and an older file survives. On failure returns false and
// puts the system's reason into `reason`.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& reason);

// The whole content of a regular file; nothing when it is missing, no regular file or unreadable.
std::optional<std::string> ReadFile(const std::string& path);

// True when `path` names an existing regular file (a directory does not count). Relative paths
// are taken relative to the current directory.
bool FileExists(const std::string& path);

}  // namespace platform
