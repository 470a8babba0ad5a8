// Runs the real cobdump and zarn executables in a temporary directory.
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

const std::string kZarn = ZARN_EXECUTABLE;
const std::string kCobdump = COBDUMP_EXECUTABLE;

TEST(CobdumpProgram, AssemblyWrittenByRedirectionAssemblesToTheSameFile) {
    TempDirectory dir;
    dir.Write("unit.zarn", "piece base, turret;\nstatic-var busy;\n"
                           "proc Create args none; var heading; beginproc\n  pushc 90n;\n  popl heading;\nloop:\n"
                           "  turn;\n  ddw turret;\n  ddw y-axis;\n  invoke lib.go;\n  pushstring \"hi\";\n  jmp loop;\nendproc;\n");
    ASSERT_EQ(RunCommand(dir.Path(), kZarn + " unit.zarn -o0").status, 0);
    CommandResult dump = RunCommand(dir.Path(), "(" + kCobdump + " -S unit.cob > again.zarn)");
    EXPECT_EQ(dump.status, 0) << dump.output;
    EXPECT_EQ(dump.output, "");
    ASSERT_EQ(RunCommand(dir.Path(), kZarn + " again.zarn again.cob -o0").status, 0);
    EXPECT_EQ(dir.Read("again.cob"), dir.Read("unit.cob"));

    CommandResult check = RunCommand(dir.Path(), kCobdump + " --check unit.cob");
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.output, "unit.cob: valid\n");
    CommandResult listing = RunCommand(dir.Path(), kCobdump + " unit.cob");
    EXPECT_EQ(listing.status, 0);
    EXPECT_NE(listing.output.find("turn turret y-axis\n"), std::string::npos) << listing.output;
}

TEST(CobdumpProgram, ComplaintsGoToStandardErrorAndNothingToTheRedirectedText) {
    TempDirectory dir;
    dir.Write("short.cob", std::string(10, '\0'));
    CommandResult result = RunCommand(dir.Path(), "(" + kCobdump + " -S short.cob > out.zarn 2> errors.txt)");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(dir.Read("out.zarn"), "");
    EXPECT_EQ(dir.Read("errors.txt"), "cobdump: short.cob is no valid COB file, so -S writes nothing:\n"
                                      "short.cob: offset 0: the file has 10 bytes, too few for the 44-byte header\n");
    EXPECT_EQ(RunCommand(dir.Path(), kCobdump).status, 1);
}

}  // namespace
