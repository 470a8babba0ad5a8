// Runs the real zarn executable in a temporary directory.
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kZarn = ZARN_EXECUTABLE;
const std::string kGoodText = "piece base;\nproc Go args none; var none; beginproc\nret;\nendproc;\n";
const std::string kBadText = "piece base;\nproc Go args none; var none; beginproc\npushc nowhere;\nendproc;\n";

TEST(ZarnProgram, UsageForNoOrTooManyArguments) {
    TempDirectory dir;
    CommandResult none = RunCommand(dir.Path(), kZarn);
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.output.find("Usage: zarn <zarnfile> [cobfile] [flags]\n"), std::string::npos);
    CommandResult many = RunCommand(dir.Path(), kZarn + " a b c d e f g h");
    EXPECT_EQ(many.status, 1);
    EXPECT_NE(many.output.find("Some options are not available yet."), std::string::npos);
}

TEST(ZarnProgram, BadFileName) {
    TempDirectory dir;
    CommandResult result = RunCommand(dir.Path(), kZarn + " missing.zarn");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Bad file name: missing.zarn\n"), std::string::npos);
    EXPECT_EQ(result.output.find("Tokenizing"), std::string::npos);
    std::filesystem::create_directory(dir.File("folder.zarn"));
    CommandResult folder = RunCommand(dir.Path(), kZarn + " folder.zarn");
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.output.find("Bad file name: folder.zarn\n"), std::string::npos);
}

TEST(ZarnProgram, WritesTheCobFileWithTheCompilersFlags) {
    TempDirectory dir;
    dir.Write("tank.zarn", kGoodText);
    CommandResult result = RunCommand(dir.Path(), kZarn + " tank.zarn -l -o0 -t0");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(dir.Exists("tank.cob"));
    EXPECT_FALSE(dir.Exists("errors.txt"));
    EXPECT_NE(result.output.find("ZARN will log errors to \"errors.txt\"\nZARN will output to \"tank.cob\"\n\nFile: tank.zarn\n"),
              std::string::npos);
    EXPECT_EQ(result.output.find("Optimizing"), std::string::npos);
    EXPECT_NE(result.output.find("Assembling . . .\nDone!\nFinish: "), std::string::npos);
}

TEST(ZarnProgram, UnrecognizedSwitchStillAssemblesToTheNamedOutput) {
    TempDirectory dir;
    dir.Write("tank.zarn", kGoodText);
    CommandResult result = RunCommand(dir.Path(), kZarn + " tank.zarn out.bin -X");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("Unrecognized switch, -X\n"), std::string::npos);
    EXPECT_TRUE(dir.Exists("out.bin"));
}

TEST(ZarnProgram, ErrorsAreAppendedToTheLogAndNoCobFileIsWritten) {
    TempDirectory dir;
    dir.Write("bad.zarn", kBadText);
    dir.Write("bad.cob", "older");
    EXPECT_EQ(RunCommand(dir.Path(), kZarn + " bad.zarn -l").status, 1);
    CommandResult second = RunCommand(dir.Path(), kZarn + " bad.zarn -l");
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.output.find("errors found!\nError on line 3: 0x21 (Undefined term, nowhere)\n"),
              std::string::npos)
        << second.output;
    std::string log = dir.Read("errors.txt");
    EXPECT_EQ(CountOf(log, "Errors for bad.zarn, "), 2u);
    EXPECT_EQ(CountOf(log, "\n-==--==--==--==--==--==--==--==--==--==--==--==--==--==--==--==-\n"), 2u);
    EXPECT_NE(log.find("Error on line 3: 0x21 (Undefined term, nowhere)\n"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 3), "\n\n\n");
    EXPECT_EQ(dir.Read("bad.cob"), "older");
}

TEST(ZarnProgram, WarningsAreLoggedAndTurnedIntoErrorsByDashE) {
    TempDirectory dir;
    dir.Write("w.zarn", "proc p args none; var none; beginproc\nstring \"a\";\nstring \"a\";\nendproc;\n");
    CommandResult warned = RunCommand(dir.Path(), kZarn + " w.zarn -l");
    EXPECT_EQ(warned.status, 0);
    EXPECT_NE(dir.Read("warnings.txt").find("Warning on line 3: 0x01 (Adding duplicate string to file)"),
              std::string::npos);
    CommandResult strict = RunCommand(dir.Path(), kZarn + " w.zarn w2.cob -e");
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.output.find("(Warnings treated as errors (did you use the -e switch by mistake?))"),
              std::string::npos);
    EXPECT_FALSE(dir.Exists("w2.cob"));
}

TEST(ZarnProgram, AnOutputThatCannotBeWrittenFailsCleanly) {
    TempDirectory dir;
    dir.Write("tank.zarn", kGoodText);
    std::filesystem::create_directory(dir.File("taken.cob"));
    CommandResult result = RunCommand(dir.Path(), kZarn + " tank.zarn taken.cob");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Unable to write \"taken.cob\""), std::string::npos) << result.output;
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.cob")));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 2u);  // no temporary file left behind
    EXPECT_EQ(RunCommand(dir.Path(), kZarn + " tank.zarn no/such/dir.cob").status, 1);
}

}  // namespace

namespace {

TEST(ZarnProgram, HelpAndVersionGoToStandardOutput) {
    TempDirectory dir;
    CommandResult help = RunCommand(dir.Path(), kZarn + " --help 2>/dev/null");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: zarn <zarnfile> [cobfile] [flags]\n", 0), 0u) << help.output;
    EXPECT_NE(help.output.find("--diagnostics=gnu"), std::string::npos);
    CommandResult version = RunCommand(dir.Path(), kZarn + " tank.zarn --version 2>/dev/null");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("zarn 0.8.1.1 (KEL toolchain ", 0), 0u) << version.output;
}

TEST(ZarnProgram, GnuDiagnosticsPrintOnlyProblemsOnStandardError) {
    TempDirectory dir;
    dir.Write("bad.zarn", kBadText);
    CommandResult bad = RunCommand(dir.Path(), kZarn + " bad.zarn --diagnostics=gnu -l 2>&1 >stdout.txt");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.output,
              "bad.zarn:3: error: Undefined term, nowhere\nbad.zarn:3: error: Expected ';'\n"
              "bad.zarn:3: error: Unrecognized term, pushc\nbad.zarn:3: error: Expected proc body\n");
    EXPECT_EQ(dir.Read("stdout.txt"), "");
    EXPECT_TRUE(dir.Exists("errors.txt"));  // -l still logs
    CommandResult missing = RunCommand(dir.Path(), kZarn + " missing.zarn --diagnostics=gnu");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "missing.zarn: error: Bad file name\n");
    dir.Write("good.zarn", kGoodText);
    CommandResult good = RunCommand(dir.Path(), kZarn + " good.zarn --diagnostics=gnu");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.output, "");
    EXPECT_TRUE(dir.Exists("good.cob"));
}

TEST(ZarnProgram, ColoursOnlyOnATerminalAndNeverUnderNoColor) {
    TempDirectory dir;
    if (RunCommand(dir.Path(), "command -v script >/dev/null").status != 0)
        GTEST_SKIP() << "no `script` program to give zarn a terminal";
    dir.Write("bad.zarn", kBadText);
    const std::string onTerminal = "script -qec \"" + kZarn + " bad.zarn\" /dev/null";
    CommandResult coloured = RunCommand(dir.Path(), onTerminal);
    if (coloured.output.find("errors found!") == std::string::npos)
        GTEST_SKIP() << "`script` could not give zarn a terminal here: " << coloured.output;
    EXPECT_NE(coloured.output.find("\x1b["), std::string::npos);
    EXPECT_EQ(RunCommand(dir.Path(), "NO_COLOR=1 " + onTerminal).output.find("\x1b["), std::string::npos);
    EXPECT_EQ(RunCommand(dir.Path(), kZarn + " bad.zarn").output.find("\x1b["), std::string::npos);
}

}  // namespace
