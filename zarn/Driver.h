#pragma once
#include "platform/Console.h"

#include <string>
#include <vector>

namespace zarn {

// The whole zarn program: `args` are the command-line arguments without the program name.
// Progress and problems go to `console`; with --diagnostics=gnu only the problems are printed,
// to `errors`. Returns the exit status: 0 when the COB file was written (or for --help and
// --version), 1 otherwise.
int RunZarn(const std::vector<std::string>& args, platform::Console& console,
            platform::Console& errors = platform::StandardErrorConsole());

}  // namespace zarn
