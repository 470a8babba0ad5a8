#include "zarn/Driver.h"

#include "platform/Files.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"
#include "zarn/CommandLine.h"

#include <ctime>
#include <optional>

namespace zarn {
namespace {

// The 24-character calendar form with its line break, such as "Sun Dec 06 18:03:42 2026\n".
std::string CalendarTime() {
    std::time_t now = std::time(nullptr);
    char text[64] = {};
    std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y\n", std::localtime(&now));
    return text;
}

int AssembleFile(const std::vector<std::string>& args, const std::string& startTime, platform::Console& console) {
    std::optional<std::string> input = platform::ReadFile(args[0]);
    if (!input) {
        console.Print("Bad file name: " + args[0] + "\n");
        return 1;
    }
    RunState state;
    state.startTime = startTime;
    state.options = ReadOptions(args, console);
    if (state.options.logToFiles) console.Print("ZARN will log errors to \"errors.txt\"\n");
    console.Print("ZARN will output to \"" + state.options.outputName + "\"\n\n");
    console.Print("File: " + state.options.inputName + "\n");
    if (platform::SameFile(state.options.inputName, state.options.outputName)) {
        console.Print("Source \"" + state.options.inputName + "\" would be overwritten by its own output\n");
        return 1;
    }

    if (!Assemble(state, *input, console)) return 1;

    console.Print("Assembling . . .\n");
    std::string reason;
    if (!platform::ReplaceFile(state.options.outputName, BuildCobImage(state), reason)) {
        console.SetColour(platform::kErrorColour);
        console.Print("Unable to write \"" + state.options.outputName + "\": " + reason + "\n");
        console.SetColour(platform::kNormalColour);
        return 1;
    }
    console.Print("Done!\n");
    return 0;
}

}  // namespace

int RunZarn(const std::vector<std::string>& args, platform::Console& console) {
    std::string startTime = CalendarTime();
    console.Print("\n ZARN v 0.8.1.1\n-==--==--==--==-\n");
    console.Print("Start: " + startTime);
    if (!ValidArgumentCount(args)) {
        console.Print(kUsageText);
        return 1;
    }
    int status = AssembleFile(args, startTime, console);
    console.Print("Finish: " + CalendarTime());
    return status;
}

}  // namespace zarn
