#include "zarn/Reports.h"

#include "zarn/Messages.h"

#include <fstream>
#include <string>

namespace zarn {
namespace {

constexpr int kErrorColour = 12;
constexpr int kWarningColour = 14;
constexpr int kNormalColour = 7;

// Opens a log for appending and writes its header; a log that cannot be opened is reported
// and left out for the rest of the run.
std::ofstream OpenLog(const RunState& state, const char* fileName, const char* title, platform::Console& console) {
    std::ofstream log;
    if (!state.options.logToFiles) return log;
    log.open(fileName, std::ios::app | std::ios::binary);
    if (!log.is_open()) {
        console.Print(std::string("Error opening log file \"") + fileName + "\"");
        return log;
    }
    log << title << " for " << state.options.inputName << ", " << state.startTime
        << "\n-==--==--==--==--==--==--==--==--==--==--==--==--==--==--==--==-\n";
    return log;
}

void PrintCount(platform::Console& console, int colour, std::size_t count, const char* what) {
    console.SetColour(colour);
    console.Print(std::to_string(count) + " " + what + " found!\n");
    console.SetColour(kNormalColour);
}

}  // namespace

void ReportErrors(const RunState& state, platform::Console& console) {
    PrintCount(console, kErrorColour, state.errors.size(), "errors");
    std::ofstream log = OpenLog(state, "errors.txt", "Errors", console);
    for (const ErrorEntry& error : state.errors) {
        std::string line = ErrorLine(error);
        if (log.is_open()) log << line;
        console.SetColour(kErrorColour);
        console.Print(line);
    }
    console.SetColour(kNormalColour);
    if (log.is_open()) log << "\n\n\n";
}

void ReportWarnings(const RunState& state, platform::Console& console) {
    PrintCount(console, kWarningColour, state.warnings.size(), "warnings");
    std::ofstream log = OpenLog(state, "warnings.txt", "Warnings", console);
    for (const Warning& warning : state.warnings) {
        std::string text = WarningText(warning);
        if (log.is_open()) log << text;
        console.Print(text);
    }
}

}  // namespace zarn
