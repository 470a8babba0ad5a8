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

// Whether two names of files, directories or drives name the same thing: without regard to case
// on Windows, letter for letter elsewhere.
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace platform
