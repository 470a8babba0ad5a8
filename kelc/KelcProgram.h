#pragma once
#include "platform/Console.h"

#include <istream>
#include <string>
#include <vector>

namespace kelc {

// The whole kelc program: `args` are the source file names from the command line. Pauses read
// a line from `input`. Returns the exit status: 0 when every file compiled (and assembled), 1
// otherwise.
int RunKelc(const std::vector<std::string>& args, platform::Console& console, std::istream& input);

// A name on the drive of `currentDirectory` rewritten relative to it ("../" for each directory
// not shared with it, directories compared as the platform compares file names); a name without
// a drive, or on another drive, unchanged.
std::string RelativeToDirectory(const std::string& name, const std::string& currentDirectory);

}  // namespace kelc
