#include "zarn/CommandLine.h"

#include "platform/Paths.h"

namespace zarn {
namespace {

// The single decimal digit right after the flag letter; none gives 0.
bool ReadDigit(const std::string& arg, int& value) {
    if (arg.size() < 3) {
        value = 0;
        return true;
    }
    if (arg[2] < '0' || arg[2] > '9') return false;
    value = arg[2] - '0';
    return true;
}

bool ReadSwitch(const std::string& arg, Options& options) {
    char letter = arg.size() > 1 ? arg[1] : '\0';
    switch (letter) {
        case 'o': return ReadDigit(arg, options.optimizationLevel);
        case 't': return ReadDigit(arg, options.optimizationType);
        case 'c': {  // accepted without effect, though only with a digit
            int ignored = 0;
            return ReadDigit(arg, ignored);
        }
        case 'l': options.logToFiles = true; return true;
        case 'e': options.warningsAsErrors = true; return true;
        case 'w':
        case 's': return true;  // accepted without effect
        default: return false;
    }
}

}  // namespace

bool ValidArgumentCount(const std::vector<std::string>& args) { return !args.empty() && args.size() <= 7; }

Options ReadOptions(const std::vector<std::string>& args, platform::Console& console) {
    Options options;
    options.inputName = args.at(0);
    options.outputName = platform::ReplaceExtension(options.inputName, ".cob");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '-') {
            options.outputName = arg;
        } else if (!ReadSwitch(arg, options)) {
            console.Print("Unrecognized switch, -" + arg.substr(1, 1) + "\n");
        }
    }
    return options;
}

}  // namespace zarn
