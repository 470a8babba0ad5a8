#include "cobdump/Driver.h"
#include "tests/cobdump/DumpRun.h"
#include "tests/support/CaptureConsole.h"

#include <gtest/gtest.h>

namespace {

struct Result {
    int status;
    std::string out, errors;
};

Result RunWith(const std::vector<std::string>& args) {
    CaptureConsole out, errors;
    int status = cobdump::RunCobdump(args, out, errors);
    return {status, out.Text(), errors.Text()};
}

std::string Proc(const std::string& name, const std::string& body) {
    return "proc " + name + " args none; var none; beginproc\n" + body + "endproc;\n";
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    Result help = RunWith({"a.cob", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: cobdump [-S | --check] <cobfile>\n", 0), 0u);
    EXPECT_EQ(help.errors, "");
    Result version = RunWith({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("cobdump ", 0), 0u);
}

TEST(CommandLine, UsageForMissingOrUnknownArguments) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"-S"}, {"-x", "a.cob"}, {"a.cob", "b.cob"}, {"-S", "--check", "a.cob"}}) {
        Result result = RunWith(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.errors.rfind("Usage: cobdump [-S | --check] <cobfile>\n", 0), 0u) << result.errors;
    }
}

TEST(CommandLine, AFileThatCannotBeRead) {
    Result result = RunWith({"--check", "no/such/file.cob"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "cobdump: cannot read \"no/such/file.cob\"\n");
    result = RunWith({KEL_SOURCE_DIR});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, std::string("cobdump: cannot read \"") + KEL_SOURCE_DIR + "\"\n");
}

TEST(CommandLine, TheModeMayFollowTheFileName) {
    Result result = RunWith({"missing.cob", "--check"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "cobdump: cannot read \"missing.cob\"\n");
}

// The listing and -S of such a file are in tests/golden/cobdump/code_problems.test.
TEST(CodeChecks, JumpTargetsOutsideTheCodeAndMissingOperands) {
    std::string cob = CobOf(Proc("Go", "  jmp;\n  ddw 99;\n  jne;\n  ddw -1;\n  jmp;\n  ddw 8;\n") +
                            Proc("Cut", "  turn;\n  ddw 0;\n"));
    DumpRun check = RunOnBytes(cob, {"--check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out,
              "unit.cob: offset 48: jmp at word 0 jumps to 99, outside the code (8 words)\n"
              "unit.cob: offset 56: jne at word 2 jumps to -1, outside the code (8 words)\n"
              "unit.cob: offset 68: turn at word 6 lacks 1 of its 2 operand words: its script ends first\n");
}

}  // namespace
