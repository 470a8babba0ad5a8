#include "zarn/Driver.h"

#include "platform/Files.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"
#include "zarn/CommandLine.h"
#include "zarn/Messages.h"

#include <ctime>
#include <optional>

namespace zarn {
namespace {

constexpr const char* kMoreHelp =
    "\t--diagnostics=gnu: print only problems, as file:line: error: message, on stderr\n"
    "\t--help: print this help\t\t--version: print the version\n";

// The 24-character calendar form with its line break, such as "Sun Dec 06 18:03:42 2026\n".
std::string CalendarTime() {
    std::time_t now = std::time(nullptr);
    char text[64] = {};
    std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y\n", std::localtime(&now));
    return text;
}

// Where problems go: the console in colour, or with --diagnostics=gnu one line each on the
// error stream while the console stays silent.
struct ProblemSink {
    platform::Console& console;
    platform::Console* gnu;  // null unless --diagnostics=gnu

    // A problem with a whole file: "<file>: error: <message>" under --diagnostics=gnu, else
    // `consoleText` on the console, in red when `red`.
    void FileProblem(const std::string& file, const std::string& message, const std::string& consoleText, bool red) {
        if (gnu != nullptr) {
            gnu->Print(file + ": error: " + message + "\n");
            return;
        }
        if (red) console.SetColour(platform::kErrorColour);
        console.Print(consoleText);
        if (red) console.SetColour(platform::kNormalColour);
    }

    void ParseProblems(const RunState& state) {
        if (gnu == nullptr) return;  // the console has had them from the assembler's reports
        const std::string& file = state.options.inputName;
        for (const ErrorEntry& error : state.errors)
            gnu->Print(file + ":" + std::to_string(error.line) + ": error: " + ErrorMessage(error) + "\n");
        for (const Warning& warning : state.warnings)
            gnu->Print(file + ":" + std::to_string(warning.line) + ": warning: " + WarningMessage(warning) + "\n");
    }
};

int AssembleFile(const std::vector<std::string>& args, const std::string& startTime, ProblemSink& problems) {
    platform::Console& console = problems.console;
    std::optional<std::string> input = platform::ReadFile(args[0]);
    if (!input) {
        problems.FileProblem(args[0], "Bad file name", "Bad file name: " + args[0] + "\n", false);
        return 1;
    }
    if (!FitsTextLimit(input->size())) {
        const std::string message = "Too large to assemble (2 GiB or more)";
        problems.FileProblem(args[0], message, message + ": " + args[0] + "\n", false);
        return 1;
    }
    RunState state;
    state.startTime = startTime;
    state.options = ReadOptions(args, console);
    if (state.options.logToFiles) console.Print("ZARN will log errors to \"errors.txt\"\n");
    console.Print("ZARN will output to \"" + state.options.outputName + "\"\n\n");
    console.Print("File: " + state.options.inputName + "\n");
    if (platform::SameFile(state.options.inputName, state.options.outputName)) {
        const std::string message = "Source \"" + state.options.inputName + "\" would be overwritten by its own output";
        problems.FileProblem(state.options.inputName, message, message + "\n", false);
        return 1;
    }

    bool assembled = Assemble(state, std::move(*input), console);
    problems.ParseProblems(state);
    if (!assembled) return 1;
    ReleaseTokens(state);

    console.Print("Assembling . . .\n");
    std::string reason;
    if (!platform::ReplaceFile(state.options.outputName, BuildCobImage(state), reason)) {
        problems.FileProblem(state.options.outputName, "Unable to write: " + reason,
                             "Unable to write \"" + state.options.outputName + "\": " + reason + "\n", true);
        return 1;
    }
    console.Print("Done!\n");
    return 0;
}

}  // namespace

int RunZarn(const std::vector<std::string>& allArgs, platform::Console& console, platform::Console& errors) {
    std::vector<std::string> args;
    bool gnu = false;
    for (const std::string& arg : allArgs) {
        if (arg == "--help" || arg == "--version") {
            console.Print(arg == "--help" ? std::string(kUsageText) + kMoreHelp
                                          : "zarn 0.8.1.1 (KEL toolchain " KEL_VERSION ")\n");
            return 0;
        }
        if (arg == "--diagnostics=gnu")
            gnu = true;
        else
            args.push_back(arg);
    }
    ProblemSink problems{gnu ? platform::SilentConsole() : console, gnu ? &errors : nullptr};
    platform::Console& shown = problems.console;
    std::string startTime = CalendarTime();
    shown.Print("\n ZARN v 0.8.1.1\n-==--==--==--==-\n");
    shown.Print("Start: " + startTime);
    if (!ValidArgumentCount(args)) {
        if (gnu) errors.Print("zarn: error: expected <zarnfile> [cobfile] [flags] (see zarn --help)\n");
        shown.Print(kUsageText);
        return 1;
    }
    int status = AssembleFile(args, startTime, problems);
    shown.Print("Finish: " + CalendarTime());
    return status;
}

}  // namespace zarn
