#pragma once
#include "platform/Console.h"
#include "zarn/Options.h"

#include <string>
#include <vector>

namespace zarn {

constexpr const char* kUsageText =
    "Usage: zarn <zarnfile> [cobfile] [flags]\n"
    "cobfile: default is same as input file\n"
    "flags:\t-oN: set optimization level to N\t-tN: set optimization type to N\n"
    "\t-w:  don't display warnings\t\t-e:  treat warnings as errors\n"
    "\t-cN: set error correction level to N\t-l:  turn logging on\n"
    "\t-s:  preserve symbol data\n"
    "Some options are not available yet. See ZARN documentation for more information.\n";

// The input file and up to six flags or output names.
bool ValidArgumentCount(const std::vector<std::string>& args);

// The COB file is the input's name with ".cob" in place of its extension unless a name is given.
// Reads the arguments after the input name; prints "Unrecognized switch, -%c" for a flag it
// does not know and skips it.
Options ReadOptions(const std::vector<std::string>& args, platform::Console& console);

}  // namespace zarn
