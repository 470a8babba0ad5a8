#pragma once
#include <string>
#include <string_view>

namespace platform {

// Writes the bytes to a temporary file beside `path` and renames it over `path`, so a failed
// write never leaves a truncated file and an older file survives. On failure returns false and
// puts the system's reason into `reason`.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::string& reason);

}  // namespace platform
