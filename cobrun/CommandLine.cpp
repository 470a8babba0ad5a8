#include "cobrun/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>

namespace cobrun {

const char* const kUsage =
    "Usage: cobrun [options] <cobfile>\n"
    "  runs the script Create, then the scripts given with --start, and prints a timeline\n"
    "  --start NAME[@MS] [ARGS...]  start a script at a simulated time (default 0) with arguments\n"
    "  --value N=V                  the unit value N that get reads is V (default 0)\n"
    "  --seed S                     seed of rand (default 0)\n"
    "  --until MS                   stop after this simulated time (default 10000, at most 600000)\n"
    "  --budget N                   instructions a thread may run without yielding (default 100000)\n"
    "  --trace                      add every instruction with the stack it finds\n"
    "  --svg FILE                   write a chart of every piece's angles and positions\n"
    "  --json FILE                  write the same data as JSON\n"
    "  --help, --version            print this help or the version\n";

namespace {

template <typename Number>
bool ReadNumber(const std::string& text, Number& value, Number lowest = std::numeric_limits<Number>::min(),
                Number highest = std::numeric_limits<Number>::max()) {
    Number read{};
    const char* end = text.data() + text.size();
    auto [stop, problem] = std::from_chars(text.data(), end, read);
    if (text.empty() || problem != std::errc() || stop != end || read < lowest || read > highest) return false;
    value = read;
    return true;
}

// "Walk", "AimWeapon1@1000"
bool ReadStart(const std::string& text, ScriptStart& start) {
    const std::size_t at = text.find('@');
    start.name = text.substr(0, at);
    return !start.name.empty() && (at == std::string::npos || ReadNumber<std::int64_t>(text.substr(at + 1), start.ms, 0, kLongestRunMs));
}

// "4=100"
bool ReadValue(const std::string& text, RunOptions& options) {
    const std::size_t equals = text.find('=');
    std::int32_t name = 0;
    std::int32_t value = 0;
    if (equals == std::string::npos || !ReadNumber(text.substr(0, equals), name) || !ReadNumber(text.substr(equals + 1), value))
        return false;
    options.values[name] = value;
    return true;
}

class Parser {
public:
    Parser(const std::vector<std::string>& args, std::string& error) : args_(args), error_(error) {}

    std::optional<CommandLine> Parse() {
        while (i_ < args_.size()) {
            const std::string& arg = args_[i_++];
            if (arg.size() < 2 || arg[0] != '-') {
                if (!line_.fileName.empty()) {
                    Fail("more than one COB file: \"" + arg + "\"");
                    return std::nullopt;
                }
                line_.fileName = arg;
            } else if (!Option(arg)) {
                return std::nullopt;
            }
        }
        if (line_.fileName.empty()) {
            Fail("no COB file given");
            return std::nullopt;
        }
        return line_;
    }

private:
    bool Option(const std::string& option) {
        RunOptions& options = line_.options;
        if (option == "--trace") {
            options.trace = true;
            return true;
        }
        static const std::string withValue[] = {"--start", "--value", "--seed", "--until", "--budget", "--svg", "--json"};
        if (std::find(std::begin(withValue), std::end(withValue), option) == std::end(withValue))
            return Fail("unknown option " + option);
        if (i_ == args_.size()) return Fail(option + " needs a value");
        const std::string& value = args_[i_++];
        if (option == "--start") {
            ScriptStart start;
            if (!ReadStart(value, start)) return Fail("--start needs NAME or NAME@MS with MS from 0 to " + std::to_string(kLongestRunMs) + ", not \"" + value + "\"");
            for (std::int32_t argument = 0; i_ < args_.size() && ReadNumber(args_[i_], argument); ++i_) start.arguments.push_back(argument);
            options.starts.push_back(start);
        } else if (option == "--value") {
            if (!ReadValue(value, options)) return Fail("--value needs N=V with two 32-bit numbers, not \"" + value + "\"");
        } else if (option == "--seed") {
            if (!ReadNumber(value, options.seed)) return Fail("--seed needs a number from 0 to 18446744073709551615, not \"" + value + "\"");
        } else if (option == "--until") {
            if (!ReadNumber<std::int64_t>(value, options.untilMs, 0, kLongestRunMs))
                return Fail("--until needs milliseconds from 0 to " + std::to_string(kLongestRunMs) + ", not \"" + value + "\"");
        } else if (option == "--budget") {
            if (!ReadNumber<std::int64_t>(value, options.budget, 1, 1000000000))
                return Fail("--budget needs a number of instructions from 1 to 1000000000, not \"" + value + "\"");
        } else {
            (option == "--svg" ? line_.svgFile : line_.jsonFile) = value;
        }
        return true;
    }

    bool Fail(const std::string& reason) {
        error_ = reason;
        return false;
    }

    const std::vector<std::string>& args_;
    std::string& error_;
    std::size_t i_ = 0;
    CommandLine line_;
};

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
    Parser parser(args, error);
    return parser.Parse();
}

}  // namespace cobrun
