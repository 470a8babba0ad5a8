#include "zarn/Reports.h"

#include "platform/Files.h"
#include "zarn/Messages.h"

#include <string>

namespace zarn {
namespace {

using platform::kErrorColour;
using platform::kNormalColour;
using platform::kWarningColour;

// With -l appends the run's block, header first, to a log in one write, so that runs sharing the
// log never interleave their blocks. A log that cannot be opened or written is reported and the
// run goes on.
void AppendToLog(const RunState& state, const std::string& fileName, const char* title, const std::string& body,
                 platform::Console& console) {
    if (!state.options.logToFiles) return;
    std::string block = std::string(title) + " for " + state.options.inputName + ", " + state.startTime +
                        "\n-==--==--==--==--==--==--==--==--==--==--==--==--==--==--==--==-\n" + body;
    std::string reason;
    switch (platform::AppendToFile(fileName, block, reason)) {
        case platform::AppendResult::kAppended: break;
        case platform::AppendResult::kNotOpened: console.Print("Error opening log file \"" + fileName + "\""); break;
        case platform::AppendResult::kNotWritten:
            console.Print("Error writing log file \"" + fileName + "\": " + reason + "\n");
            break;
    }
}

void PrintCount(platform::Console& console, int colour, std::size_t count, const char* what) {
    console.SetColour(colour);
    console.Print(std::to_string(count) + " " + what + " found!\n");
    console.SetColour(kNormalColour);
}

}  // namespace

void ReportErrors(const RunState& state, platform::Console& console) {
    PrintCount(console, kErrorColour, state.errors.size(), "errors");
    std::string lines;
    for (const ErrorEntry& error : state.errors) lines += ErrorLine(error);
    AppendToLog(state, "errors.txt", "Errors", lines + "\n\n\n", console);
    console.SetColour(kErrorColour);
    console.Print(lines);
    console.SetColour(kNormalColour);
}

void ReportWarnings(const RunState& state, platform::Console& console) {
    PrintCount(console, kWarningColour, state.warnings.size(), "warnings");
    std::string texts;
    for (const Warning& warning : state.warnings) texts += WarningText(warning);
    AppendToLog(state, "warnings.txt", "Warnings", texts, console);
    console.Print(texts);
}

}  // namespace zarn
