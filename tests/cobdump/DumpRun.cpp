#include "tests/cobdump/DumpRun.h"

#include "cobdump/AssemblyText.h"
#include "cobdump/Driver.h"
#include "tests/support/AssembleText.h"
#include "tests/support/CaptureConsole.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

std::string CobOf(const std::string& text) {
    AssembledText result = AssembleText(text, {"-o0"});
    EXPECT_TRUE(result.ok) << result.console << text;
    return result.cob;
}

DumpRun RunOnBytes(const std::string& bytes, const std::vector<std::string>& flags) {
    TempDirectory dir;
    dir.Write("unit.cob", bytes);
    std::vector<std::string> args = flags;
    args.push_back(dir.File("unit.cob"));
    CaptureConsole out, errors;
    DumpRun run;
    run.status = cobdump::RunCobdump(args, out, errors);
    // Messages name the file; the temporary directory changes from run to run.
    auto relative = [&](std::string text) {
        for (std::size_t at; (at = text.find(dir.Path() + "/")) != std::string::npos;)
            text.erase(at, dir.Path().size() + 1);
        return text;
    };
    run.out = relative(out.Text());
    run.errors = relative(errors.Text());
    return run;
}

std::string AssemblyOf(const std::string& bytes) {
    cobdump::Problems problems;
    std::optional<cobdump::CobFile> file = cobdump::ReadCobFile(bytes, problems);
    if (!file) return "unreadable";
    cobdump::AssemblyText assembly = cobdump::WriteAssembly(*file, cobdump::Disassemble(*file));
    return assembly.ok ? assembly.text : "refused: " + assembly.reason;
}
