#pragma once
#include <string>

namespace kelc {

// A name as the user can open it from the current directory: relative when the file lies below
// that directory, absolute otherwise, with "." and ".." resolved:
// "units/../arm.kel" => "arm.kel", "/elsewhere/arm.kel" => "/elsewhere/arm.kel".
std::string UserFileName(const std::string& path);

// The same for a directory, ending in a delimiter; "./" for the current directory itself.
std::string UserDirectoryName(const std::string& directory);

// A name as a program started in `directory` can open it: relative when below `directory`,
// absolute otherwise.
std::string NameSeenFrom(const std::string& directory, const std::string& path);

// `path` taken relative to `directory` unless it is absolute.
std::string InDirectory(const std::string& directory, const std::string& path);

}  // namespace kelc
