#pragma once
#include "cobrun/RunOptions.h"

#include <optional>
#include <string>
#include <vector>

namespace cobrun {

struct CommandLine {
    std::string fileName;
    RunOptions options;  // without the start of Create, which depends on the file
    std::string svgFile;
    std::string jsonFile;
};

constexpr std::int64_t kLongestRunMs = 600000;

extern const char* const kUsage;

// The command line without the program name; nothing, with the reason in `error`, when it is
// not one cobrun understands.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

}  // namespace cobrun
