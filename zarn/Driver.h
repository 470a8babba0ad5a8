#pragma once
#include "platform/Console.h"

#include <string>
#include <vector>

namespace zarn {

// The whole zarn program: `args` are the command-line arguments without the program name.
// Returns the exit status: 0 when the COB file was written, 1 otherwise.
int RunZarn(const std::vector<std::string>& args, platform::Console& console);

}  // namespace zarn
