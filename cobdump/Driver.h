#pragma once
#include "platform/Console.h"

#include <string>
#include <vector>

namespace cobdump {

// The whole cobdump program: `args` are the command-line arguments without the program name.
// What the mode produces goes to `out`, complaints about the command line, an unreadable file
// or a file that -S cannot reproduce go to `errors`. Returns the exit status: 0 when the file is
// valid and the mode did its work, 1 otherwise.
int RunCobdump(const std::vector<std::string>& args, platform::Console& out, platform::Console& errors);

}  // namespace cobdump
