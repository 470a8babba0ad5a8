#pragma once
#include "platform/Console.h"

#include <istream>
#include <string>
#include <vector>

namespace kelc {

// The whole kelc program: `args` are the command-line arguments (options and source names).
// Progress and messages go to `console`, --diagnostics=gnu lines to `errors`; pauses read a
// line from `input`. Returns the exit status: 0 when every file compiled (and assembled), or
// for --help and --version; 1 otherwise.
int RunKelc(const std::vector<std::string>& args, platform::Console& console, platform::Console& errors,
            std::istream& input);

}  // namespace kelc
