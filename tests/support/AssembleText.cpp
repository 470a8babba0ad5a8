#include "tests/support/AssembleText.h"

#include "tests/support/CaptureConsole.h"
#include "zarn/Assembler.h"
#include "zarn/CobWriter.h"
#include "zarn/CommandLine.h"
#include "zarn/Messages.h"

#include <gtest/gtest.h>

AssembledText AssembleText(const std::string& text, const std::vector<std::string>& flags) {
    AssembledText result;
    CaptureConsole console;
    std::vector<std::string> args{"test.zarn"};
    args.insert(args.end(), flags.begin(), flags.end());
    result.state.options = zarn::ReadOptions(args, console);
    result.ok = zarn::Assemble(result.state, text, console);
    if (result.ok) result.cob = zarn::BuildCobImage(result.state);
    result.console = console.Text();
    return result;
}

std::vector<std::int32_t> CodeOf(const std::string& text, const std::vector<std::string>& flags) {
    AssembledText result = AssembleText(text, flags);
    EXPECT_TRUE(result.ok) << result.console;
    return result.state.code;
}

std::string ErrorsOf(const std::string& text, const std::vector<std::string>& flags) {
    AssembledText result = AssembleText(text, flags);
    std::string lines;
    for (const zarn::ErrorEntry& error : result.state.errors) lines += zarn::ErrorLine(error);
    return lines;
}

std::vector<std::size_t> ProcedureStarts(const zarn::RunState& state) {
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    for (std::int32_t length : state.procedureLengths) {
        starts.push_back(at);
        at += static_cast<std::size_t>(length);
    }
    return starts;
}
