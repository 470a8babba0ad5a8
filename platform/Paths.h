#pragma once
#include <cstddef>
#include <string>

namespace platform {

// The character that separates directories in the paths the programs make.
extern const char kPathDelimiter;

// Every character that separates directories in a path a user gives: "\" and "/" on Windows,
// "/" elsewhere. For std::string::find_last_of and the like.
extern const char* const kPathDelimiters;

bool IsPathDelimiter(char c);

// The length of the part that names the drive and its root directory: 3 for "C:\units\arm.kel"
// (or "c:/units/arm.kel") on Windows, 1 for "/units/arm.kel" elsewhere; 0 for a name without a
// drive ("units\arm.kel", "\units\arm.kel", "C:arm.kel").
std::size_t RootLength(const std::string& path);

// The directory part with its delimiter: "units/arm.kel" => "units/", "arm.kel" => "".
std::string DirectoryOf(const std::string& path);

// The last component: "units/arm.kel" => "arm.kel", "arm.kel" => "arm.kel".
std::string FileNameOf(const std::string& path);

// The extension of the last component replaced by `suffix`, or `suffix` appended when it has
// none: ("units/arm.kel", ".zarn") => "units/arm.zarn", ("dir.v2/arm", ".cob") => "dir.v2/arm.cob",
// ("arm.v1.kel", "_ZARN_error.txt") => "arm.v1_ZARN_error.txt".
std::string ReplaceExtension(const std::string& path, const std::string& suffix);

// Whether two names of files, directories or drives name the same thing: without regard to case
// on Windows, letter for letter elsewhere.
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace platform
