// The real kelc with per-run options: they change this run only, never the settings file.
#include "tests/kelc/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kDefaultSettings =
    "[Settings]\r\nEnableZARNExtentions=1\r\nAssemblerExeName=zarn\r\nAssemblerParams=-l -o0 -t0\r\n"
    "AssemblerOutputFile=\r\nCompileAndDoNotAssemble=0\r\nPauseOnException=1\r\nPauseAtEnd=0\r\n"
    "AutoEmitLastRet=1\r\nMirroxCompatibility=1\r\n";
const std::string kZarnError = "piece base;\nMain()\n{\n  __zarn { pushc 1;\n    bogus 2; }\n}\n";

TEST(KelcOptions, HelpAndVersionGoToStandardOutputAndTouchNothing) {
    ProgramDirectory dir;
    CommandResult help = dir.Kelc("--help 2>/dev/null");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: kelc [options] <kel file>", 0), 0u) << help.output;
    EXPECT_NE(help.output.find("--diagnostics=gnu"), std::string::npos);
    CommandResult version = dir.Kelc("--version arm.kel 2>/dev/null");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("kelc ", 0), 0u);
    EXPECT_FALSE(dir.Exists("kelc.ini"));
    CommandResult bad = dir.Kelc("--frobnicate arm.kel >/dev/null");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.output, "kelc: Unknown option --frobnicate (see kelc --help)\n");
}

TEST(KelcOptions, IncludeFoldersAndDefinesHoldForTheRunAndAreNeverWrittenBack) {
    ProgramDirectory dir;
    TempDirectory project;
    fs::create_directory(project.File("inc"));
    project.Write("inc/delay.kelh", "const DELAY = RATE * 2;\n");
    project.Write("arm.kel", "piece base;\n#include \"delay.kelh\"\n#ifdef FAST\nstatic-var fast;\n#endif\n"
                             "Go()\n{\n  sleep DELAY;\n}\n");
    CommandResult result = dir.Kelc("-I inc -D RATE=21 -DFAST --no-assemble --no-pause arm.kel", project.Path());
    EXPECT_EQ(result.status, 0) << result.output;
    std::string assembly = project.Read("arm.zarn");
    EXPECT_NE(assembly.find("static-var fast;"), std::string::npos) << assembly;
    EXPECT_NE(assembly.find("pushc 42;"), std::string::npos) << assembly;
    EXPECT_FALSE(project.Exists("arm.cob"));
    EXPECT_EQ(dir.Read("kelc.ini"), kDefaultSettings);
}

TEST(KelcOptions, OutputsGoWhereTheOptionsSay) {
    ProgramDirectory dir;
    dir.Write("a.kel", "piece base;\n");
    dir.Write("b.kel", "piece base;\n");
    ASSERT_EQ(dir.Kelc("-q --outdir out a.kel b.kel").status, 0);
    for (const char* name : {"out/a.zarn", "out/a.prezarn", "out/a.cob", "out/b.cob"}) EXPECT_TRUE(dir.Exists(name)) << name;
    EXPECT_FALSE(dir.Exists("a.zarn"));
    ASSERT_EQ(dir.Kelc("-q -o named.cob a.kel").status, 0);
    EXPECT_TRUE(dir.Exists("named.cob"));
    EXPECT_TRUE(dir.Exists("a.zarn"));  // -o moves only the COB file
}

TEST(KelcOptions, QuietRunsShowOnlyProblemsAndTheAssemblersArePlacedInTheScript) {
    ProgramDirectory dir;
    dir.Write("good.kel", "piece base;\n");
    CommandResult good = dir.Kelc("--quiet good.kel");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.output, "");
    dir.Write("asm.kel", kZarnError);
    CommandResult bad = dir.Kelc("-q asm.kel");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.output,
              "asm.kel:5:5: error: Unrecognized term, bogus\nasm.kel:5:5: error: Expected \"endproc;\"\n"
              "asm.kel:5:5: error: Expected proc end\n");
    EXPECT_TRUE(dir.Exists("asm_ZARN_error.txt"));  // the -l log is still handed over
}

TEST(KelcOptions, GnuDiagnosticsPrintOnlyProblemsOnStandardError) {
    ProgramDirectory dir;
    dir.Write("kelc.ini", "[Settings]\nPauseAtEnd=1\n");
    dir.Write("asm.kel", kZarnError);
    dir.Write("bad.kel", "piece base;\nMain()\n{\n  sleep Y;\n}\n");
    CommandResult result = dir.Kelc("--diagnostics=gnu asm.kel bad.kel missing.kel 2>&1 >stdout.txt");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output,
              "asm.kel:5:5: error: Unrecognized term, bogus\nasm.kel:5:5: error: Expected \"endproc;\"\n"
              "asm.kel:5:5: error: Expected proc end\n"
              "bad.kel:4:9: error: Undeclaired identifier, Y\nbad.kel:4:9: error: Unknown result type, Y\n"
              "kelc: error: File missing.kel does not exist\n");
    EXPECT_EQ(dir.Read("stdout.txt"), "");  // no progress, and build tools never wait at a pause
}

TEST(KelcOptions, NamesArePrintedAsTheUserOpensThemFromTheStartingFolder) {
    ProgramDirectory dir;
    TempDirectory project, elsewhere;
    fs::create_directories(project.File("units/inc"));
    project.Write("units/inc/base.kelh", "piece base;\n#endif\n");
    project.Write("units/arm.kel", "#include \"inc/base.kelh\"\n");
    elsewhere.Write("far.kel", "piece base;\n");
    CommandResult result = dir.Kelc("--no-pause --no-assemble units/arm.kel '" + elsewhere.File("far.kel") + "'",
                                    project.Path());
    EXPECT_NE(result.output.find("Source: units/arm.kel\nDest: units/arm.zarn\n"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("\"units/inc/base.kelh\"(2:1) : No #ifdef for #endif"), std::string::npos);
    EXPECT_NE(result.output.find("Source: " + elsewhere.File("far.kel") + "\n"), std::string::npos);
}

TEST(KelcOptions, MakeRulesNameEveryIncludedFileOnce) {
    ProgramDirectory dir;
    dir.Write("a.kelh", "#include \"b.kelh\"\n");
    dir.Write("b.kelh", "#ifndef B_KELH\n#define B_KELH\npiece base;\n#endif\n");
    dir.Write("c.kelh", "#include \"b.kelh\"\n");
    dir.Write("arm.kel", "#include \"a.kelh\"\n#include \"c.kelh\"\n");
    ASSERT_EQ(dir.Kelc("-q -MD arm.kel").status, 0);
    EXPECT_EQ(dir.Read("arm.d"), "arm.cob: \\\n  arm.kel \\\n  a.kelh \\\n  b.kelh \\\n  c.kelh\n");
    ASSERT_EQ(dir.Kelc("-q --outdir out -MF arm.dep arm.kel").status, 0);
    EXPECT_EQ(dir.Read("arm.dep").substr(0, 14), "out/arm.cob: \\");
}

TEST(KelcOptions, ASettingsFileStandsInForKelcIni) {
    ProgramDirectory dir;
    dir.Write("mine.ini", "[Settings]\nCompileAndDoNotAssemble=1\n");
    dir.Write("arm.kel", "piece base;\n");
    ASSERT_EQ(dir.Kelc("-q --settings mine.ini arm.kel").status, 0);
    EXPECT_FALSE(dir.Exists("arm.cob"));
    EXPECT_FALSE(dir.Exists("kelc.ini"));
    EXPECT_NE(dir.Read("mine.ini").find("MirroxCompatibility=1\r\n"), std::string::npos);
}

TEST(KelcOptions, APausePromptsAndCanBeTurnedOff) {
    ProgramDirectory dir;
    dir.Write("kelc.ini", "[Settings]\nPauseAtEnd=1\n");
    EXPECT_EQ(dir.Kelc("-q missing.kel").output, "File missing.kel does not exist\nPress Enter to continue . . .\n");
    EXPECT_EQ(dir.Kelc("-q --no-pause missing.kel").output, "File missing.kel does not exist\n");
    EXPECT_EQ(dir.Kelc("-q missing.kel", "", "KELC_NO_PAUSE=1").output, "File missing.kel does not exist\n");
}

}  // namespace
