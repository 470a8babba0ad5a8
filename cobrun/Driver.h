#pragma once
#include "platform/Console.h"

#include <string>
#include <vector>

namespace cobrun {

// The whole cobrun program: `args` are the command-line arguments without the program name.
// The timeline goes to `out`; complaints about the command line or the file, and every runtime
// fault and warning, go to `errors`. Returns the exit status: 0 when the scripts ran without a
// fault or warning and every file was written, 1 otherwise.
int RunCobrun(const std::vector<std::string>& args, platform::Console& out, platform::Console& errors);

}  // namespace cobrun
